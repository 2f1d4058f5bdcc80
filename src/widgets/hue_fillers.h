#pragma once

#include <cstdint>

#include "widgets/color32.h"
#include "widgets/polygon_filler.h"

namespace kb {

// The hue of a point as seen from `centre`, in turns: 0 (red) to the left of the centre,
// growing clockwise on screen; computed in extended precision and stored as a single.
float hue_at(TFloatPoint centre, long double x, long double y);

// Colours the disc by hue: HsvToColor32(hue(x, y), 1, 1) at pixel column x and row y, snapped
// to the web-safe palette when asked, blended with the pixel's coverage.
class THueCirclePolygonFiller : public TCustomPolygonFiller {
 public:
  THueCirclePolygonFiller(TFloatPoint centre, bool web_safe);

  void FillLine(TColor32* target, int x, int y, int length, const std::uint8_t* coverage) override;

  // The colour the filler gives pixel (x, y) before blending, computed the slow and plain
  // way; FillLine gives the same bits faster.
  TColor32 ColorAt(int x, int y) const;

 protected:
  TFloatPoint FCenter;
  bool FWebSafe;

  // What the derived filler changes: saturation from the distance, and the value.
  bool saturation_from_distance_ = false;
  float inv_radius_ = 1;
  float value_ = 1;
  float scaled_value_ = 255;  // 255 * value as HsvToColor32 stores it

 private:
  float saturation_at(long double distance) const;
  TColor32 exact_color(long double dx, long double dy) const;
};

// Colours the disc by hue and saturation at one value: HsvToColor32(hue(x, y),
// min(dist(x, y) * FInvRadius, 1), FValue).
class THueSaturationCirclePolygonFiller final : public THueCirclePolygonFiller {
 public:
  // The radius is taken as at least 1.
  THueSaturationCirclePolygonFiller(TFloatPoint centre, float radius, float value, bool web_safe);

  float Radius() const { return FRadius; }

 private:
  float FRadius;
  float FInvRadius;
  float FValue;
};

}  // namespace kb
