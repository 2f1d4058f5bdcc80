#pragma once

#include <cstdint>
#include <vector>

#include "platform/graphics.h"

namespace kb {

class WidgetSystem;

// A point in client pixels: x to the right, y downward.
struct TFloatPoint {
  float X = 0;
  float Y = 0;
  friend bool operator==(const TFloatPoint&, const TFloatPoint&) = default;
};
using TArrayOfFloatPoint = std::vector<TFloatPoint>;


// Each argument contributes only its low 8 bits.
TColor32 MakeColor32(std::int32_t R, std::int32_t G, std::int32_t B, std::int32_t A);
// Alpha is dropped.
void SplitColor32(TColor32 color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B);

// A Windows colour (0x00BBGGRR, or negative for a system colour whose index is the low byte)
// as an opaque TColor32.
TColor32 SystemColorToColor32(WidgetSystem& system, std::int32_t color);

// Hue in turns (only its fractional part counts), saturation and value in 0..1; opaque.
TColor32 HsvToColor32(float H, float S, float V);
// The last step of HsvToColor32: the sextant of the hue (0 to 5) places the value v and the
// two lower levels p and q (their low bytes count) into R, G and B; any other sextant gives
// opaque black.
TColor32 hsv_sextant_color(std::int64_t sextant, std::uint32_t v, std::uint32_t p, std::uint32_t q);
// Alpha is ignored; a grey gives hue 0 and saturation 0.
void Color32ToHsv(TColor32 color, float& H, float& S, float& V);

// Each of R, G, B becomes the nearest of 0, 51, ..., 255 (25 rounds down); alpha unchanged.
void SnapWebSafe(TColor32& color);
// Each of R, G, B becomes 255 - c; alpha unchanged.
TColor32 InvertColor32(TColor32 color);

// The vertices of a regular polygon around `centre`, from the rightmost point clockwise as
// seen on screen. With steps <= 0 the side count keeps the edges within about an eighth of a
// pixel of the circle.
TArrayOfFloatPoint CirclePolygon(TFloatPoint centre, float radius, std::int32_t steps);
// That automatic side count for a radius.
std::int32_t CircleSteps(float radius);

}  // namespace kb
