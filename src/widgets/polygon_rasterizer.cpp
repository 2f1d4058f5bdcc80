#include "widgets/polygon_rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kb {
namespace {

constexpr std::int64_t kOne = PolygonRasterizer::kSubpixels;
constexpr int kShift = 10;
static_assert(kOne == 1 << kShift);
// Coordinates beyond a million pixels are clamped: far outside any buffer, and the products
// below stay within 64 bits.
constexpr float kCoordinateLimit = 1048576.0f;

// Division rounding toward minus infinity, with the remainder it leaves (0 <= mod < d).
struct FloorDiv {
  std::int64_t quotient;
  std::int64_t remainder;
};
FloorDiv floor_div(std::int64_t n, std::int64_t d) {
  std::int64_t q = n / d;
  std::int64_t r = n % d;
  if (r < 0) {
    --q;
    r += d;
  }
  return {q, r};
}

std::int64_t to_subpixels(float v) {
  if (std::isnan(v)) {
    v = 0;
  }
  v = std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
  return std::llround(static_cast<double>(v) * static_cast<double>(kOne));
}

// |winding area| in units of 1/(2 * 1024^2) of a pixel, as a coverage byte (non-zero rule).
std::uint8_t coverage_of(std::int64_t doubled_area) {
  const std::int64_t a = std::abs(doubled_area);
  const std::int64_t value = (a * 255 + kOne * kOne) / (2 * kOne * kOne);
  return static_cast<std::uint8_t>(std::min<std::int64_t>(value, 255));
}

class FillerSink final : public SpanSink {
 public:
  FillerSink(TBitmap32& bitmap, TCustomPolygonFiller& filler) : bitmap_(bitmap), filler_(filler) {}
  void span(int y, int x, int length, const std::uint8_t* coverage) override {
    filler_.FillLine(bitmap_.row(y) + x, x, y, length, coverage);
  }
  void full_span(int y, int x, int length) override {
    filler_.FillFullLine(bitmap_.row(y) + x, x, y, length);
  }

 private:
  TBitmap32& bitmap_;
  TCustomPolygonFiller& filler_;
};

PolygonRasterizer& shared_rasterizer() {
  thread_local PolygonRasterizer rasterizer;
  return rasterizer;
}

}  // namespace

void PolygonRasterizer::rasterize(const std::vector<TArrayOfFloatPoint>& contours, int width,
                                  int height, SpanSink& sink) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (width_ == 0 || height_ == 0) {
    return;
  }
  if (rows_.size() < static_cast<std::size_t>(height_)) {
    rows_.resize(static_cast<std::size_t>(height_));
  }
  coverage_.resize(static_cast<std::size_t>(width_));
  min_row_ = height_;
  max_row_ = -1;
  for (const TArrayOfFloatPoint& contour : contours) {
    if (contour.size() < 2) {
      continue;
    }
    for (std::size_t i = 0; i < contour.size(); ++i) {
      const TFloatPoint& a = contour[i];
      const TFloatPoint& b = contour[(i + 1) % contour.size()];
      add_edge(to_subpixels(a.X), to_subpixels(a.Y), to_subpixels(b.X), to_subpixels(b.Y));
    }
  }
  sweep(sink);
}

void PolygonRasterizer::add_edge(std::int64_t x1, std::int64_t y1, std::int64_t x2,
                                 std::int64_t y2) {
  if (y1 == y2) {
    return;  // a horizontal edge covers nothing
  }
  // Rows outside the buffer are of no interest: clip to the top and bottom.
  const std::int64_t top = 0;
  const std::int64_t bottom = static_cast<std::int64_t>(height_) * kOne;
  const std::int64_t low = std::min(y1, y2);
  const std::int64_t high = std::max(y1, y2);
  if (high <= top || low >= bottom) {
    return;
  }
  const auto x_at = [&](std::int64_t y) { return x1 + (x2 - x1) * (y - y1) / (y2 - y1); };
  if (low < top) {
    const std::int64_t x = x_at(top);
    if (y1 < top) {
      x1 = x, y1 = top;
    } else {
      x2 = x, y2 = top;
    }
  }
  if (high > bottom) {
    const std::int64_t x = x_at(bottom);
    if (y1 > bottom) {
      x1 = x, y1 = bottom;
    } else {
      x2 = x, y2 = bottom;
    }
  }
  add_x_clipped_edge(x1, y1, x2, y2);
}

// Left of the buffer an edge still adds its cover to every pixel right of it: that part
// becomes a vertical edge at x = 0. Right of the buffer an edge affects nothing.
void PolygonRasterizer::add_x_clipped_edge(std::int64_t x1, std::int64_t y1, std::int64_t x2,
                                           std::int64_t y2) {
  const std::int64_t right = static_cast<std::int64_t>(width_) * kOne;
  for (const std::int64_t boundary : {std::int64_t{0}, right}) {
    if ((x1 < boundary) != (x2 < boundary) && x1 != boundary && x2 != boundary) {
      const std::int64_t y = y1 + (y2 - y1) * (boundary - x1) / (x2 - x1);
      add_x_clipped_edge(x1, y1, boundary, y);
      add_x_clipped_edge(boundary, y, x2, y2);
      return;
    }
  }
  add_clipped_edge(x1, y1, x2, y2);
}

void PolygonRasterizer::add_clipped_edge(std::int64_t x1, std::int64_t y1, std::int64_t x2,
                                         std::int64_t y2) {
  const std::int64_t right = static_cast<std::int64_t>(width_) * kOne;
  if (x1 >= right && x2 >= right) {
    return;
  }
  if (x1 <= 0 && x2 <= 0) {
    x1 = x2 = 0;
  }
  x1 = std::clamp<std::int64_t>(x1, 0, right);
  x2 = std::clamp<std::int64_t>(x2, 0, right);
  if (y1 != y2) {
    render_line(x1, y1, x2, y2);
  }
}

// Walks the edge row by row; within a row, render_scanline walks it cell by cell. Each cell
// collects the edge's height inside it (cover) and twice the area left of it (area).
void PolygonRasterizer::render_line(std::int64_t x1, std::int64_t y1, std::int64_t x2,
                                    std::int64_t y2) {
  int ey1 = static_cast<int>(y1 >> kShift);
  const int ey2 = static_cast<int>(y2 >> kShift);
  const int fy1 = static_cast<int>(y1 & (kOne - 1));
  const int fy2 = static_cast<int>(y2 & (kOne - 1));
  // The bottom edge of the buffer is exclusive: an end exactly there lies in no row.
  if (ey1 == ey2) {
    render_scanline(ey1, x1, fy1, x2, fy2);
    return;
  }
  const std::int64_t dx = x2 - x1;
  std::int64_t dy = y2 - y1;
  std::int64_t p;
  int first;
  int incr;
  if (dy > 0) {
    p = (kOne - fy1) * dx;
    first = static_cast<int>(kOne);
    incr = 1;
  } else {
    p = fy1 * dx;
    first = 0;
    incr = -1;
    dy = -dy;
  }
  FloorDiv step = floor_div(p, dy);
  std::int64_t x = x1 + step.quotient;
  std::int64_t mod = step.remainder;
  render_scanline(ey1, x1, fy1, x, first);
  ey1 += incr;
  if (ey1 != ey2) {
    const FloorDiv lift = floor_div(kOne * dx, dy);
    mod -= dy;
    while (ey1 != ey2) {
      std::int64_t delta = lift.quotient;
      mod += lift.remainder;
      if (mod >= 0) {
        mod -= dy;
        ++delta;
      }
      const std::int64_t next_x = x + delta;
      render_scanline(ey1, x, static_cast<int>(kOne) - first, next_x, first);
      x = next_x;
      ey1 += incr;
    }
  }
  render_scanline(ey1, x, static_cast<int>(kOne) - first, x2, fy2);
}

void PolygonRasterizer::render_scanline(int ey, std::int64_t x1, int y1, std::int64_t x2, int y2) {
  if (y1 == y2 || ey < 0 || ey >= height_) {
    return;
  }
  int ex1 = static_cast<int>(x1 >> kShift);
  const int ex2 = static_cast<int>(x2 >> kShift);
  const int fx1 = static_cast<int>(x1 & (kOne - 1));
  const int fx2 = static_cast<int>(x2 & (kOne - 1));
  if (ex1 == ex2) {
    add_cell(ex1, ey, y2 - y1, (fx1 + fx2) * (y2 - y1));
    return;
  }
  const int dy_total = y2 - y1;
  std::int64_t dx = x2 - x1;
  std::int64_t p;
  int first;
  int incr;
  if (dx > 0) {
    p = (kOne - fx1) * dy_total;
    first = static_cast<int>(kOne);
    incr = 1;
  } else {
    p = static_cast<std::int64_t>(fx1) * dy_total;
    first = 0;
    incr = -1;
    dx = -dx;
  }
  const FloorDiv step = floor_div(p, dx);
  int delta = static_cast<int>(step.quotient);
  std::int64_t mod = step.remainder;
  add_cell(ex1, ey, delta, (fx1 + first) * delta);
  int y = y1 + delta;
  ex1 += incr;
  if (ex1 != ex2) {
    const FloorDiv lift = floor_div(kOne * dy_total, dx);
    mod -= dx;
    while (ex1 != ex2) {
      delta = static_cast<int>(lift.quotient);
      mod += lift.remainder;
      if (mod >= 0) {
        mod -= dx;
        ++delta;
      }
      add_cell(ex1, ey, delta, static_cast<int>(kOne) * delta);
      y += delta;
      ex1 += incr;
    }
  }
  delta = y2 - y;
  add_cell(ex2, ey, delta, (fx2 + static_cast<int>(kOne) - first) * delta);
}

void PolygonRasterizer::add_cell(int ex, int ey, int cover, int area) {
  if (cover == 0 && area == 0) {
    return;
  }
  std::vector<Cell>& cells = rows_[static_cast<std::size_t>(ey)];
  if (!cells.empty() && cells.back().x == ex) {
    cells.back().cover += cover;
    cells.back().area += area;
  } else {
    cells.push_back({ex, cover, area});
  }
  min_row_ = std::min(min_row_, ey);
  max_row_ = std::max(max_row_, ey);
}

void PolygonRasterizer::sweep(SpanSink& sink) {
  std::uint8_t* coverage = coverage_.data();
  for (int y = min_row_; y <= max_row_; ++y) {
    std::vector<Cell>& cells = rows_[static_cast<std::size_t>(y)];
    if (cells.empty()) {
      continue;
    }
    // A row holds few cells, added edge by edge in runs that are mostly in order already:
    // insertion sort beats the general one there.
    for (std::size_t i = 1; i < cells.size(); ++i) {
      const Cell cell = cells[i];
      std::size_t j = i;
      for (; j > 0 && cells[j - 1].x > cell.x; --j) {
        cells[j] = cells[j - 1];
      }
      cells[j] = cell;
    }
    int run_start = -1;
    int run_end = 0;  // exclusive
    const auto emit = [&] {
      if (run_start >= 0) {
        sink.span(y, run_start, run_end - run_start, coverage + run_start);
        run_start = -1;
      }
    };
    const auto put = [&](int x, int length, std::uint8_t value) {
      if (x >= width_ || length <= 0) {
        return;
      }
      length = std::min(length, width_ - x);
      if (value == 0) {
        emit();
        return;
      }
      if (value == 255 && length > 1) {
        emit();
        sink.full_span(y, x, length);
        return;
      }
      if (run_start < 0) {
        run_start = x;
      }
      if (length == 1) {
        coverage[x] = value;
      } else {
        std::memset(coverage + x, value, static_cast<std::size_t>(length));
      }
      run_end = x + length;
    };
    std::int64_t cover = 0;
    std::size_t i = 0;
    int previous_x = -1;
    while (i < cells.size()) {
      const int x = cells[i].x;
      std::int64_t area = 0;
      std::int64_t cell_cover = 0;
      for (; i < cells.size() && cells[i].x == x; ++i) {
        cell_cover += cells[i].cover;
        area += cells[i].area;
      }
      if (x > previous_x + 1) {
        put(previous_x + 1, x - previous_x - 1, coverage_of(cover * 2 * kOne));
      }
      cover += cell_cover;
      put(x, 1, coverage_of(cover * 2 * kOne - area));
      previous_x = x;
    }
    if (cover != 0) {
      put(previous_x + 1, width_ - previous_x - 1, coverage_of(cover * 2 * kOne));
    }
    emit();
    cells.clear();
  }
}

void fill_polygons(TBitmap32& bitmap, const std::vector<TArrayOfFloatPoint>& contours,
                   TCustomPolygonFiller& filler) {
  FillerSink sink(bitmap, filler);
  shared_rasterizer().rasterize(contours, bitmap.width(), bitmap.height(), sink);
}

void fill_polygon(TBitmap32& bitmap, const TArrayOfFloatPoint& points,
                  TCustomPolygonFiller& filler) {
  fill_polygons(bitmap, {points}, filler);
}

void fill_polygon(TBitmap32& bitmap, const TArrayOfFloatPoint& points, TColor32 color) {
  TSolidPolygonFiller filler(color);
  fill_polygon(bitmap, points, filler);
}

}  // namespace kb
