#include "widgets/hue_fillers.h"

#include <algorithm>
#include <cmath>

#include "platform/bitmap32.h"
#include "widgets/extended_math.h"

namespace kb {

using extended::ext;
using extended::to_single;

namespace {

// atan(t) / t as a polynomial in t^2 for |t| <= tan(pi/8): a Chebyshev fit, within 1e-16.
constexpr double kAtanCoefficients[] = {
    9.99999999999999965320e-01,  -3.33333333333284385718e-01, 1.99999999988551101336e-01,
    -1.42857141809764668302e-01, 1.11111061804559452198e-01,  -9.09077307480841378967e-02,
    7.68995349630685775628e-02,  -6.64023393042940858873e-02, 5.68834922680901047934e-02,
    -4.34805221571646247778e-02, 2.11353731576932452078e-02,
};
constexpr double kPi = 3.14159265358979323846;
constexpr double kTanPiOver8 = 0.41421356237309504880;
// How far the fast hue and saturation may be from the extended ones: a thousand times what
// the fit and the double arithmetic can err by.
constexpr double kHueTolerance = 1e-13;
constexpr double kRelativeSaturationTolerance = 1e-13;

// atan2(dy, dx) * (1 / 2pi) + 0.5 in double precision, within about 1e-15.
double fast_hue(double dx, double dy) {
  // Selections by 0/1 factors rather than branches, so that a loop over a row vectorises.
  const double ax = std::fabs(dx);
  const double ay = std::fabs(dy);
  const double big = ax > ay ? ax : ay;
  const double small = ax > ay ? ay : ax;
  // atan(s/b) = pi/4 + atan((s - b) / (s + b)) brings the argument within tan(pi/8).
  const double reduce = small > kTanPiOver8 * big ? 1.0 : 0.0;
  const double t = (small - reduce * big) / (big + reduce * small);
  // Estrin's scheme: a shorter chain of dependent steps than Horner's.
  const double u = t * t;
  const double u2 = u * u;
  const double u4 = u2 * u2;
  const double u8 = u4 * u4;
  const double* k = kAtanCoefficients;
  const double p01 = k[0] + k[1] * u;
  const double p23 = k[2] + k[3] * u;
  const double p45 = k[4] + k[5] * u;
  const double p67 = k[6] + k[7] * u;
  const double p89 = k[8] + k[9] * u;
  const double p0123 = p01 + p23 * u2;
  const double p4567 = p45 + p67 * u2;
  const double p8910 = p89 + k[10] * u2;
  const double p = (p0123 + p4567 * u4) + p8910 * u8;
  double angle = reduce * (kPi / 4) + t * p;  // in [0, pi/4]
  const double steep = ay > ax ? 1.0 : 0.0;   // beyond the diagonal
  angle += steep * (kPi / 2 - 2 * angle);     // pi/2 - angle
  const double left = dx < 0 ? 1.0 : 0.0;
  angle += left * (kPi - 2 * angle);  // pi - angle
  const double sign = dy < 0 ? -1.0 : 1.0;
  return sign * angle * (1 / (2 * kPi)) + 0.5;
}

// HsvToColor32 for a hue in [0, 1) and a saturation of at least 1/32, in double arithmetic
// that is exact or checked: false where the extended computation might round differently.
bool fast_hsv(float h, float s, float v_scaled, TColor32& color) {
  // 6h is exact and in [0, 6): its whole part is its truncation.
  const double six = 6.0 * static_cast<double>(h);
  const int i = static_cast<int>(six);
  float f = to_single(six - i);
  if (i % 2 == 0) {
    if (f != 0 && f < 0x1p-29f) {
      return false;  // 1 - f would not be exact in double
    }
    f = to_single(1.0 - static_cast<double>(f));
  }
  const auto v_d = static_cast<double>(v_scaled);
  // With s >= 1/32 both 1 - s and its product with v are exact in double, as in extended.
  const double q_d = v_d * (1.0 - static_cast<double>(s));
  const double p_d = v_d * (1.0 - static_cast<double>(s) * static_cast<double>(f));
  // Exact as well when f is 0 or 1; otherwise the product may round differently from the
  // extended one, which matters only beside a whole number.
  if (f != 0 && f != 1) {
    const double fraction = p_d - static_cast<double>(static_cast<std::uint32_t>(p_d));
    if (fraction < 1e-9 || fraction > 1 - 1e-9) {
      return false;
    }
  }
  color = hsv_sextant_color(i, static_cast<std::uint32_t>(v_d), static_cast<std::uint32_t>(p_d),
                          static_cast<std::uint32_t>(q_d));
  return true;
}

}  // namespace

float hue_at(TFloatPoint centre, long double x, long double y) {
  const long double dx = x - ext(centre.X);
  const long double dy = y - ext(centre.Y);
  return to_single(std::atan2(dy, dx) * extended::kInvTwoPi + 0.5L);
}

THueCirclePolygonFiller::THueCirclePolygonFiller(TFloatPoint centre, bool web_safe)
    : FCenter(centre), FWebSafe(web_safe) {}

float THueCirclePolygonFiller::saturation_at(long double distance) const {
  if (!saturation_from_distance_) {
    return 1;
  }
  return to_single(std::min(distance * ext(inv_radius_), 1.0L));
}

TColor32 THueCirclePolygonFiller::exact_color(long double dx, long double dy) const {
  const float hue = to_single(std::atan2(dy, dx) * extended::kInvTwoPi + 0.5L);
  const float saturation = saturation_at(std::sqrt(dx * dx + dy * dy));
  TColor32 color = HsvToColor32(hue, saturation, value_);
  if (FWebSafe) {
    SnapWebSafe(color);
  }
  return color;
}

TColor32 THueCirclePolygonFiller::ColorAt(int x, int y) const {
  return exact_color(static_cast<long double>(x) - ext(FCenter.X),
                     static_cast<long double>(y) - ext(FCenter.Y));
}

void THueCirclePolygonFiller::FillLine(TColor32* target, int x, int y, int length,
                                       const std::uint8_t* coverage) {
  // Pixel offsets from the centre are exact in double, and so are their squares' sums.
  const double dy = static_cast<double>(y) - static_cast<double>(FCenter.Y);
  const double dy2 = dy * dy;
  const auto inv_radius = static_cast<double>(inv_radius_);
  const auto cx = static_cast<double>(FCenter.X);
  // Values outside 0..1 are the caller's affair; the plain path keeps them harmless.
  const bool value_in_range = scaled_value_ >= 0 && scaled_value_ <= 255;
  constexpr int kChunk = 128;
  double hues[kChunk];
  double saturations[kChunk];
  for (int start = 0; start < length; start += kChunk) {
    const int count = std::min(kChunk, length - start);
    // First the hue and saturation of each pixel, in a loop without branches...
    for (int i = 0; i < count; ++i) {
      const double dx = static_cast<double>(x + start + i) - cx;
      hues[i] = fast_hue(dx, dy);
      saturations[i] = std::sqrt(dx * dx + dy2) * inv_radius;
    }
    // ...then the colours, where the checks decide between the fast and the plain way.
    for (int i = 0; i < count; ++i) {
      const double dx = static_cast<double>(x + start + i) - cx;
      TColor32 color = 0;
      bool done = false;
      const double h = hues[i];
      const float h_low = to_single(h - kHueTolerance);
      const float h_high = to_single(h + kHueTolerance);
      if (value_in_range && h_low == h_high && h_low < 1.0f && (dx != 0 || dy != 0)) {
        float s = 1;
        bool sure = true;
        if (saturation_from_distance_) {
          const double sd = saturations[i];
          const float s_low = to_single(std::min(sd * (1 - kRelativeSaturationTolerance), 1.0));
          const float s_high = to_single(std::min(sd * (1 + kRelativeSaturationTolerance), 1.0));
          sure = s_low == s_high;
          s = s_low;
        }
        if (sure && s >= 0x1p-5f && fast_hsv(h_low, s, scaled_value_, color)) {
          if (FWebSafe) {
            SnapWebSafe(color);
          }
          done = true;
        }
      }
      if (!done) {
        color = exact_color(static_cast<long double>(dx), static_cast<long double>(dy));
      }
      TColor32& pixel = target[start + i];
      const std::uint8_t weight = coverage[start + i];
      pixel = weight == 255 ? color : blend_color(color, pixel, weight);
    }
  }
}

THueSaturationCirclePolygonFiller::THueSaturationCirclePolygonFiller(TFloatPoint centre,
                                                                     float radius, float value,
                                                                     bool web_safe)
    : THueCirclePolygonFiller(centre, web_safe),
      FRadius(std::max(radius, 1.0f)),
      FInvRadius(to_single(1.0L / ext(FRadius))),
      FValue(value) {
  saturation_from_distance_ = true;
  inv_radius_ = FInvRadius;
  value_ = FValue;
  scaled_value_ = to_single(255.0L * ext(FValue));
}

}  // namespace kb
