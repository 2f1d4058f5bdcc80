#include "widgets/color32.h"

#include <algorithm>
#include <cmath>

#include "platform/widget_system.h"
#include "widgets/extended_math.h"

namespace kb {

using extended::ext;
using extended::to_single;

namespace {

// Beyond this the polygon would only cost memory: a million sides are finer than any screen.
constexpr std::int64_t kMaxCircleSteps = 1 << 20;

std::uint32_t low_byte(std::int64_t value) {
  return static_cast<std::uint32_t>(value) & 0xFFu;
}

}  // namespace

TColor32 MakeColor32(std::int32_t R, std::int32_t G, std::int32_t B, std::int32_t A) {
  return (low_byte(A) << 24) | (low_byte(R) << 16) | (low_byte(G) << 8) | low_byte(B);
}

void SplitColor32(TColor32 color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) {
  R = static_cast<std::uint8_t>(color >> 16);
  G = static_cast<std::uint8_t>(color >> 8);
  B = static_cast<std::uint8_t>(color);
}

TColor32 SystemColorToColor32(WidgetSystem& system, std::int32_t color) {
  std::uint32_t bgr = static_cast<std::uint32_t>(color);
  if (color < 0) {
    bgr = system.system_color(static_cast<int>(bgr & 0xFFu));
  }
  return 0xFF000000u | ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}

TColor32 HsvToColor32(float H, float S, float V) {
  const float v_scaled = to_single(255.0L * ext(V));
  if (S == 0) {
    const std::uint32_t g = low_byte(extended::trunc(ext(v_scaled)));
    return 0xFF000000u + g * 0x10000u + g * 0x100u + g;
  }
  const float h = to_single(ext(H) - std::floor(ext(H)));
  const long double six_h = 6.0L * ext(h);
  float f = to_single(six_h - std::floor(six_h));
  const std::int64_t i = extended::trunc(six_h);
  if (i % 2 == 0) {
    f = to_single(1.0L - ext(f));
  }
  const std::int64_t q = extended::trunc(ext(v_scaled) * (1.0L - ext(S)));
  const std::int64_t p = extended::trunc(ext(v_scaled) * (1.0L - ext(S) * ext(f)));
  const std::int64_t v = extended::trunc(ext(v_scaled));
  return hsv_sextant_color(i, low_byte(v), low_byte(p), low_byte(q));
}

TColor32 hsv_sextant_color(std::int64_t sextant, std::uint32_t v, std::uint32_t p, std::uint32_t q) {
  std::uint32_t r;
  std::uint32_t g;
  std::uint32_t b;
  switch (sextant) {
    case 0:
      r = v, g = p, b = q;
      break;
    case 1:
      r = p, g = v, b = q;
      break;
    case 2:
      r = q, g = v, b = p;
      break;
    case 3:
      r = q, g = p, b = v;
      break;
    case 4:
      r = p, g = q, b = v;
      break;
    case 5:
      r = v, g = q, b = p;
      break;
    default:
      return 0xFF000000u;  // only when the fractional hue rounds up to 1.0
  }
  return 0xFF000000u | (r & 0xFFu) << 16 | (g & 0xFFu) << 8 | (b & 0xFFu);
}

void Color32ToHsv(TColor32 color, float& H, float& S, float& V) {
  const std::int32_t r = static_cast<std::int32_t>((color >> 16) & 0xFFu);
  const std::int32_t g = static_cast<std::int32_t>((color >> 8) & 0xFFu);
  const std::int32_t b = static_cast<std::int32_t>(color & 0xFFu);
  const std::int32_t mx_int = std::max({r, g, b});
  const float mn = static_cast<float>(std::min({r, g, b}));
  const float mx = static_cast<float>(mx_int);
  V = to_single(ext(mx) / 255.0L);
  const float delta = mx - mn;  // exact: both are small integers
  S = mx != 0 ? to_single(ext(delta) / ext(mx)) : 0.0f;
  if (S == 0) {
    H = 0;
    return;
  }
  const long double d = ext(delta);
  if (r == mx_int) {
    H = to_single((g - b) * extended::kOneSixth / d);
  } else if (g == mx_int) {
    H = to_single(((b - r) / d + 2) * extended::kOneSixth);
  } else {
    H = to_single(((r - g) / d + 4) * extended::kOneSixth);
  }
  if (H < 0) {
    H = to_single(ext(H) + 1.0L);
  }
}

void SnapWebSafe(TColor32& color) {
  const auto snap = [](std::uint32_t c) { return (c + 25) / 51 * 51; };
  color = (color & 0xFF000000u) | (snap((color >> 16) & 0xFFu) << 16) |
          (snap((color >> 8) & 0xFFu) << 8) | snap(color & 0xFFu);
}

TColor32 InvertColor32(TColor32 color) {
  return color ^ 0x00FFFFFFu;
}

std::int32_t CircleSteps(float radius) {
  const long double r = std::fabs(ext(radius));
  const std::int64_t steps = extended::trunc(extended::kPi / std::acos(r / (r + 0.125L)));
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(steps, 1, kMaxCircleSteps));
}

TArrayOfFloatPoint CirclePolygon(TFloatPoint centre, float radius, std::int32_t steps) {
  if (steps <= 0) {
    steps = CircleSteps(radius);
  }
  steps = static_cast<std::int32_t>(std::min<std::int64_t>(steps, kMaxCircleSteps));
  const float angle = to_single(2.0L * extended::kPi / steps);
  const long double c = std::cos(ext(angle));
  const long double s = std::sin(ext(angle));

  TArrayOfFloatPoint result(static_cast<std::size_t>(steps));
  result[0] = {to_single(ext(centre.X) + ext(radius)), centre.Y};
  float x = to_single(ext(radius) * c);
  float y = to_single(ext(radius) * s);
  for (std::size_t i = 1; i < result.size(); ++i) {
    result[i] = {to_single(ext(centre.X) + ext(x)), to_single(ext(centre.Y) + ext(y))};
    const float next_x = to_single(ext(x) * c - ext(y) * s);
    y = to_single(ext(y) * c + ext(x) * s);
    x = next_x;
  }
  return result;
}

}  // namespace kb
