#pragma once

#include <cstdint>
#include <vector>

#include "platform/bitmap32.h"
#include "widgets/color32.h"
#include "widgets/polygon_filler.h"

namespace kb {

// Receives the covered runs of a rasterised area, row by row, top to bottom, each pixel once:
// partly covered ones with their coverage, fully covered stretches apart.
class SpanSink {
 public:
  virtual ~SpanSink() = default;
  virtual void span(int y, int x, int length, const std::uint8_t* coverage) = 0;
  virtual void full_span(int y, int x, int length) = 0;
};

// Anti-aliasing by exact area: a pixel's coverage is the share of its square inside the area,
// for vertices on a 1/1024-pixel grid. Contours are closed implicitly and combine by the
// non-zero winding rule. Integer arithmetic throughout, so every build gives the same
// coverage. Keeps its buffers between calls.
class PolygonRasterizer {
 public:
  static constexpr int kSubpixels = 1024;

  // Rasterises the contours clipped to [0, width) x [0, height).
  void rasterize(const std::vector<TArrayOfFloatPoint>& contours, int width, int height,
                 SpanSink& sink);

 private:
  struct Cell {
    int x;
    int cover;
    int area;
  };

  void add_edge(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
  void add_x_clipped_edge(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
  void add_clipped_edge(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
  void render_line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
  void render_scanline(int ey, std::int64_t x1, int y1, std::int64_t x2, int y2);
  void add_cell(int ex, int ey, int cover, int area);
  void sweep(SpanSink& sink);

  int width_ = 0;
  int height_ = 0;
  int min_row_ = 0;
  int max_row_ = -1;
  std::vector<std::vector<Cell>> rows_;
  std::vector<std::uint8_t> coverage_;
};

// Fills the area with a colour (its alpha scaled by the coverage) or with a filler.
void fill_polygon(TBitmap32& bitmap, const TArrayOfFloatPoint& points, TColor32 color);
void fill_polygon(TBitmap32& bitmap, const TArrayOfFloatPoint& points,
                  TCustomPolygonFiller& filler);
void fill_polygons(TBitmap32& bitmap, const std::vector<TArrayOfFloatPoint>& contours,
                   TCustomPolygonFiller& filler);

}  // namespace kb
