#include "platform/bitmap32.h"

#include <algorithm>
#include <utility>

namespace kb {

void TBitmap32::set_size(int width, int height, TColor32 fill) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (width_ == 0 || height_ == 0) {
    width_ = height_ = 0;
  }
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
}

void TBitmap32::clear(TColor32 color) {
  std::fill(pixels_.begin(), pixels_.end(), color);
}

void TBitmap32::blend_horz_line(int x1, int y, int x2, TColor32 color) {
  if (x2 < x1) {
    std::swap(x1, x2);
  }
  if (y < 0 || y >= height_) {
    return;
  }
  x1 = std::max(x1, 0);
  x2 = std::min(x2, width_ - 1);
  TColor32* pixels = row(y);
  for (int x = x1; x <= x2; ++x) {
    pixels[x] = blend_color(color, pixels[x], color >> 24);
  }
}

void TBitmap32::blend_vert_line(int x, int y1, int y2, TColor32 color) {
  if (y2 < y1) {
    std::swap(y1, y2);
  }
  if (x < 0 || x >= width_) {
    return;
  }
  y1 = std::max(y1, 0);
  y2 = std::min(y2, height_ - 1);
  for (int y = y1; y <= y2; ++y) {
    TColor32& pixel = row(y)[x];
    pixel = blend_color(color, pixel, color >> 24);
  }
}

void TBitmap32::blend_frame_rect(int left, int top, int right, int bottom, TColor32 color) {
  if (right <= left || bottom <= top) {
    return;
  }
  blend_horz_line(left, top, right - 1, color);
  if (bottom - 1 > top) {
    blend_horz_line(left, bottom - 1, right - 1, color);
  }
  if (bottom - 2 >= top + 1) {
    blend_vert_line(left, top + 1, bottom - 2, color);
    if (right - 1 > left) {
      blend_vert_line(right - 1, top + 1, bottom - 2, color);
    }
  }
}

}  // namespace kb
