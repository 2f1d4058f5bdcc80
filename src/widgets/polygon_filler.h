#pragma once

#include <cstdint>

#include "widgets/color32.h"

namespace kb {

// A per-pixel colour source for filled areas. The rasteriser calls it for the covered runs of
// each row: `target` points at the run's first pixel (column x, row y), and coverage[i]
// (0..255) is how much of pixel x + i the area covers. The filler blends its own colour onto
// each pixel with that weight. A run may come in pieces: its fully covered middle, where
// most pixels of an area lie, goes to FillFullLine.
class TCustomPolygonFiller {
 public:
  virtual ~TCustomPolygonFiller() = default;
  virtual void FillLine(TColor32* target, int x, int y, int length,
                        const std::uint8_t* coverage) = 0;
  // Pixels covered fully (coverage 255 each).
  virtual void FillFullLine(TColor32* target, int x, int y, int length);
};

// One colour, its alpha scaled by the coverage.
class TSolidPolygonFiller final : public TCustomPolygonFiller {
 public:
  explicit TSolidPolygonFiller(TColor32 color) : color_(color) {}
  void FillLine(TColor32* target, int x, int y, int length, const std::uint8_t* coverage) override;
  void FillFullLine(TColor32* target, int x, int y, int length) override;

 private:
  TColor32 color_;
};

// A colour that varies linearly along y: `start_color` at `start_y`, `end_color` at `end_y`,
// and the nearer end's colour beyond them. Each row takes the colour at its centre.
class TLinearGradientPolygonFiller final : public TCustomPolygonFiller {
 public:
  TLinearGradientPolygonFiller(float start_y, TColor32 start_color, float end_y,
                               TColor32 end_color);
  void FillLine(TColor32* target, int x, int y, int length, const std::uint8_t* coverage) override;

  TColor32 color_at_row(int y) const;

 private:
  float start_y_;
  float end_y_;
  TColor32 start_color_;
  TColor32 end_color_;
};

// Turns each covered pixel towards its own RGB inverse in proportion to the coverage, with the
// pixel's alpha as the source alpha.
class TInvertPolygonFiller final : public TCustomPolygonFiller {
 public:
  void FillLine(TColor32* target, int x, int y, int length, const std::uint8_t* coverage) override;
};

}  // namespace kb
