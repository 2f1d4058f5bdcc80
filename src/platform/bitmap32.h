#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/graphics.h"

namespace kb {

// Source-over blending of `source` onto `target` with weight `alpha` (0..255), the colour's
// own alpha already applied. The colours are not premultiplied.
inline std::uint32_t div255(std::uint32_t x) {
  return (x + 128 + ((x + 128) >> 8)) >> 8;  // x / 255 rounded, for x up to 65535
}

inline TColor32 blend_color(TColor32 source, TColor32 target, std::uint32_t alpha) {
  // Per channel c = (s * alpha + t * (255 - alpha)) / 255 rounded, two channels at a time in
  // 16-bit lanes. The source counts as opaque, which makes the alpha channel come out as
  // alpha + t_alpha * (255 - alpha) / 255: the alpha of source-over.
  const std::uint32_t s = source | 0xFF000000u;
  const std::uint32_t rest = 255 - alpha;
  std::uint32_t rb = (s & 0x00FF00FFu) * alpha + (target & 0x00FF00FFu) * rest + 0x00800080u;
  std::uint32_t ga =
      ((s >> 8) & 0x00FF00FFu) * alpha + ((target >> 8) & 0x00FF00FFu) * rest + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  ga = ((ga + ((ga >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  return rb | (ga << 8);
}

// Blends `source` with its own alpha scaled by `coverage` (0..255).
inline TColor32 blend_covered(TColor32 source, TColor32 target, std::uint32_t coverage) {
  return blend_color(source, target, div255((source >> 24) * coverage));
}

// A 32-bit ARGB picture, rows top to bottom.
class TBitmap32 {
 public:
  TBitmap32() = default;
  TBitmap32(int width, int height, TColor32 fill = 0) { set_size(width, height, fill); }

  // Negative sizes count as 0. The pixels are all `fill` afterwards.
  void set_size(int width, int height, TColor32 fill = 0);
  void clear(TColor32 color);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return pixels_.empty(); }

  TColor32* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * stride(); }
  const TColor32* row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * stride();
  }
  TColor32 pixel(int x, int y) const { return row(y)[x]; }
  void set_pixel(int x, int y, TColor32 color) { row(y)[x] = color; }
  const std::vector<TColor32>& pixels() const { return pixels_; }

  // One-pixel lines, both end pixels included, and a frame on the outermost pixels of the
  // rectangle [left, right) x [top, bottom), blended with the colour's alpha; clipped.
  void blend_horz_line(int x1, int y, int x2, TColor32 color);
  void blend_vert_line(int x, int y1, int y2, TColor32 color);
  void blend_frame_rect(int left, int top, int right, int bottom, TColor32 color);

 private:
  std::size_t stride() const { return static_cast<std::size_t>(width_); }

  int width_ = 0;
  int height_ = 0;
  std::vector<TColor32> pixels_;
};

}  // namespace kb
