#include "widgets/polygon_filler.h"

#include <algorithm>
#include <cmath>

#include "platform/bitmap32.h"

namespace kb {

void TCustomPolygonFiller::FillFullLine(TColor32* target, int x, int y, int length) {
  static constexpr std::uint8_t kFull[64] = {
      255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
      255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
      255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
      255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
  for (int done = 0; done < length; done += 64) {
    FillLine(target + done, x + done, y, std::min(64, length - done), kFull);
  }
}

void TSolidPolygonFiller::FillLine(TColor32* target, int, int, int length,
                                   const std::uint8_t* coverage) {
  if (color_ >> 24 == 255) {
    for (int i = 0; i < length; ++i) {
      target[i] = blend_color(color_, target[i], coverage[i]);
    }
    return;
  }
  for (int i = 0; i < length; ++i) {
    target[i] = blend_covered(color_, target[i], coverage[i]);
  }
}

void TSolidPolygonFiller::FillFullLine(TColor32* target, int, int, int length) {
  if (color_ >> 24 == 255) {
    std::fill(target, target + length, color_);
  } else {
    for (int i = 0; i < length; ++i) {
      target[i] = blend_color(color_, target[i], color_ >> 24);
    }
  }
}

TLinearGradientPolygonFiller::TLinearGradientPolygonFiller(float start_y, TColor32 start_color,
                                                           float end_y, TColor32 end_color)
    : start_y_(start_y), end_y_(end_y), start_color_(start_color), end_color_(end_color) {}

TColor32 TLinearGradientPolygonFiller::color_at_row(int y) const {
  // Extended precision, as x87 computes it in every x86 build: the same colours everywhere.
  const auto start = static_cast<long double>(start_y_);
  const long double span = static_cast<long double>(end_y_) - start;
  const long double centre = y + 0.5L;
  long double t = span != 0 ? (centre - start) / span : (centre >= start ? 1.0L : 0.0L);
  t = std::clamp(t, 0.0L, 1.0L);
  TColor32 color = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const long double from = (start_color_ >> shift) & 0xFFu;
    const long double to = (end_color_ >> shift) & 0xFFu;
    const auto channel = static_cast<std::uint32_t>(std::lround(from + (to - from) * t));
    color |= std::min<std::uint32_t>(channel, 255) << shift;
  }
  return color;
}

void TLinearGradientPolygonFiller::FillLine(TColor32* target, int, int y, int length,
                                            const std::uint8_t* coverage) {
  const TColor32 color = color_at_row(y);
  for (int i = 0; i < length; ++i) {
    target[i] = blend_covered(color, target[i], coverage[i]);
  }
}

void TInvertPolygonFiller::FillLine(TColor32* target, int, int, int length,
                                    const std::uint8_t* coverage) {
  for (int i = 0; i < length; ++i) {
    target[i] = blend_covered(InvertColor32(target[i]), target[i], coverage[i]);
  }
}

}  // namespace kb
