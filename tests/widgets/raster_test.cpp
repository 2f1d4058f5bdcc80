#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

#include "support/exact_coverage.h"
#include "platform/bitmap32.h"
#include "widgets/color32.h"
#include "widgets/polygon_filler.h"
#include "widgets/polygon_rasterizer.h"
#include "widgets/polyline_stroke.h"

namespace kb {
namespace {

// The coverage of every pixel, as the rasteriser reports it.
class CoverageMap final : public SpanSink {
 public:
  CoverageMap(int width, int height)
      : width_(width), height_(height), values_(static_cast<std::size_t>(width * height), 0) {}

  void span(int y, int x, int length, const std::uint8_t* coverage) override {
    ASSERT_GE(x, 0);
    ASSERT_LE(x + length, width_);
    ASSERT_GE(y, 0);
    ASSERT_LT(y, height_);
    ASSERT_GT(length, 0);
    for (int i = 0; i < length; ++i) {
      ASSERT_EQ(at(x + i, y), 0) << "each pixel once";
      ASSERT_GT(coverage[i], 0) << "runs hold covered pixels only";
      values_[index(x + i, y)] = coverage[i];
    }
  }
  void full_span(int y, int x, int length) override {
    const std::vector<std::uint8_t> full(static_cast<std::size_t>(length), 255);
    span(y, x, length, full.data());
  }

  int at(int x, int y) const { return values_[index(x, y)]; }
  double total() const {
    double sum = 0;
    for (int v : values_) {
      sum += v / 255.0;
    }
    return sum;
  }
  int partial_pixels() const {
    int count = 0;
    for (int v : values_) {
      count += v > 0 && v < 255;
    }
    return count;
  }

 private:
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }
  int width_;
  int height_;
  std::vector<int> values_;
};

CoverageMap rasterize(const std::vector<TArrayOfFloatPoint>& contours, int width = 40,
                      int height = 40) {
  CoverageMap map(width, height);
  PolygonRasterizer rasterizer;
  rasterizer.rasterize(contours, width, height, map);
  return map;
}

double shoelace_area(const TArrayOfFloatPoint& p) {
  double twice = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const TFloatPoint& a = p[i];
    const TFloatPoint& b = p[(i + 1) % p.size()];
    twice += static_cast<double>(a.X) * static_cast<double>(b.Y) -
             static_cast<double>(b.X) * static_cast<double>(a.Y);
  }
  return std::fabs(twice) / 2;
}

TEST(PolygonRasterizer, EachPixelGetsTheShareOfItsSquareInside) {
  const std::vector<TArrayOfFloatPoint> shapes = {
      {{3.3f, 2.7f}, {31.9f, 9.1f}, {12.4f, 35.6f}},
      CirclePolygon({20.25f, 19.6f}, 14.3f, -1),
      CirclePolygon({20.5f, 20.5f}, 4, 8),
      {{30.1f, 1.2f}, {38.7f, 20.0f}, {30.1f, 38.8f}},
  };
  for (const TArrayOfFloatPoint& shape : shapes) {
    const CoverageMap map = rasterize({shape});
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) {
        // Half a unit for the byte, and a little for vertices on a 1/256 grid.
        ASSERT_NEAR(map.at(x, y), test::exact_coverage(shape, x, y) * 255, 1.0) << x << "," << y;
      }
    }
  }
}

TEST(PolygonRasterizer, CoverageAddsUpToTheArea) {
  const std::vector<TArrayOfFloatPoint> shapes = {
      {{3.3f, 2.7f}, {31.9f, 9.1f}, {12.4f, 35.6f}},
      CirclePolygon({20.25f, 19.6f}, 14.3f, -1),
      {{36.2f, 30.1f}, {5.5f, 30.1f}, {5.5f, 33.8f}, {36.2f, 33.8f}},  // counter-clockwise
  };
  for (const TArrayOfFloatPoint& shape : shapes) {
    const CoverageMap map = rasterize({shape});
    // Each partly covered pixel may be off by half a unit in its byte.
    EXPECT_NEAR(map.total(), shoelace_area(shape), map.partial_pixels() * 0.5 / 255 + 0.01);
  }
}

TEST(PolygonRasterizer, PixelAlignedSquareCoversExactlyItsPixels) {
  const CoverageMap map = rasterize({{{2, 3}, {7, 3}, {7, 9}, {2, 9}}}, 12, 12);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 2 && x < 7 && y >= 3 && y < 9;
      EXPECT_EQ(map.at(x, y), inside ? 255 : 0) << x << "," << y;
    }
  }
}

TEST(PolygonRasterizer, HalfCoveredEdgePixelsGetHalfCoverage) {
  const CoverageMap map = rasterize({{{2.5f, 1}, {6, 1}, {6, 4.5f}, {2.5f, 4.5f}}}, 8, 8);
  EXPECT_EQ(map.at(2, 2), 128);  // 127.5 rounded
  EXPECT_EQ(map.at(3, 2), 255);
  EXPECT_EQ(map.at(4, 4), 128);
  EXPECT_EQ(map.at(2, 4), 64);  // a quarter
  EXPECT_EQ(map.at(6, 2), 0);
  // A diagonal through pixel centres halves them.
  const CoverageMap diagonal = rasterize({{{0, 0}, {8, 8}, {0, 8}}}, 8, 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(diagonal.at(i, i), 128) << i;
  }
}

TEST(PolygonRasterizer, ClipsAtEveryEdgeOfTheBuffer) {
  // A square reaching beyond all four sides covers the whole buffer.
  const CoverageMap all = rasterize({{{-50, -50}, {90, -50}, {90, 90}, {-50, 90}}}, 10, 10);
  EXPECT_EQ(all.total(), 100);
  // A triangle whose left part lies outside still fills the columns right of it correctly.
  const CoverageMap left = rasterize({{{-20, 0}, {4, 0}, {4, 10}, {-20, 10}}}, 10, 10);
  EXPECT_EQ(left.at(0, 5), 255);
  EXPECT_EQ(left.at(3, 5), 255);
  EXPECT_EQ(left.at(4, 5), 0);
  // Entirely outside, degenerate or not finite: nothing, and no harm.
  EXPECT_EQ(rasterize({{{20, 0}, {30, 0}, {30, 10}}}, 10, 10).total(), 0);
  EXPECT_EQ(rasterize({{{1, 1}, {5, 1}}}, 10, 10).total(), 0);
  rasterize({{{NAN, 1}, {5, INFINITY}, {1e30f, -1e30f}}}, 10, 10);
  rasterize({{{1, 1}, {5, 1}, {3, 4}}}, 0, 0);
}

TEST(PolygonRasterizer, OverlappingContoursCombineByNonZeroWinding) {
  const TArrayOfFloatPoint outer = {{1, 1}, {9, 1}, {9, 9}, {1, 9}};
  const TArrayOfFloatPoint hole = {{3, 3}, {3, 7}, {7, 7}, {7, 3}};  // opposite direction
  const TArrayOfFloatPoint same = {{3, 3}, {7, 3}, {7, 7}, {3, 7}};
  const CoverageMap with_hole = rasterize({outer, hole}, 10, 10);
  EXPECT_EQ(with_hole.at(5, 5), 0);
  EXPECT_EQ(with_hole.at(2, 5), 255);
  const CoverageMap doubled = rasterize({outer, same}, 10, 10);
  EXPECT_EQ(doubled.at(5, 5), 255) << "winding 2 is still covered once";
}

TEST(Blending, SourceOverWithTheSourceAlpha) {
  EXPECT_EQ(blend_color(0xFFFF0000u, 0xFF0000FFu, 255), 0xFFFF0000u);
  EXPECT_EQ(blend_color(0xFFFF0000u, 0xFF0000FFu, 0), 0xFF0000FFu);
  EXPECT_EQ(blend_color(0xFFFF0000u, 0xFF0000FFu, 128), 0xFF80007Fu);
  EXPECT_EQ(blend_covered(0x80FFFFFFu, 0xFF000000u, 255), 0xFF808080u);
  EXPECT_EQ(blend_covered(0x80FFFFFFu, 0xFF000000u, 128), 0xFF404040u);
  EXPECT_EQ(blend_covered(0xFFFFFFFFu, 0x00000000u, 51), 0x33333333u)
      << "onto transparent the alpha grows by the weight";
  EXPECT_EQ(blend_covered(0x00FFFFFFu, 0xFF123456u, 255), 0xFF123456u);
}

TEST(Bitmap32, LinesAndFramesIncludeTheirEndsAndClip) {
  TBitmap32 bitmap(6, 5, 0xFF000000u);
  bitmap.blend_horz_line(1, 1, 3, 0xFFFFFFFFu);
  bitmap.blend_vert_line(5, -3, 10, 0x80FFFFFFu);
  EXPECT_EQ(bitmap.pixel(0, 1), 0xFF000000u);
  EXPECT_EQ(bitmap.pixel(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.pixel(3, 1), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.pixel(4, 1), 0xFF000000u);
  for (int y = 0; y < 5; ++y) {
    EXPECT_EQ(bitmap.pixel(5, y), 0xFF808080u);
  }

  TBitmap32 frame(6, 6, 0xFF000000u);
  frame.blend_frame_rect(1, 1, 5, 5, 0xFFFFFFFFu);
  int lit = 0;
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool edge =
          (x == 1 || x == 4 || y == 1 || y == 4) && x >= 1 && x <= 4 && y >= 1 && y <= 4;
      EXPECT_EQ(frame.pixel(x, y), edge ? 0xFFFFFFFFu : 0xFF000000u) << x << "," << y;
      lit += frame.pixel(x, y) == 0xFFFFFFFFu;
    }
  }
  EXPECT_EQ(lit, 12) << "no corner blended twice";
}

TEST(Fillers, LinearGradientRunsFromStartToEndColour) {
  TBitmap32 bitmap(2, 20, 0xFF808080u);
  TLinearGradientPolygonFiller gradient(2, 0xFFFFFFFFu, 18, 0xFF000000u);
  fill_polygon(bitmap, {{0, 2}, {2, 2}, {2, 18}, {0, 18}}, gradient);
  EXPECT_EQ(bitmap.pixel(0, 2), 0xFFF7F7F7u);  // the first row's centre, 1/32 of the way
  EXPECT_EQ(bitmap.pixel(1, 17), 0xFF080808u);
  EXPECT_EQ(bitmap.pixel(0, 1), 0xFF808080u);
  EXPECT_EQ(gradient.color_at_row(-5), 0xFFFFFFFFu);
  EXPECT_EQ(gradient.color_at_row(50), 0xFF000000u);
  for (int y = 3; y < 18; ++y) {
    EXPECT_LT(bitmap.pixel(0, y) & 0xFF, bitmap.pixel(0, y - 1) & 0xFF);
  }
}

TEST(Fillers, InvertTurnsPixelsIntoTheirInverseByCoverage) {
  TBitmap32 bitmap(4, 4, 0xFF204080u);
  TInvertPolygonFiller invert;
  fill_polygon(bitmap, {{0, 0}, {2, 0}, {2, 4}, {0, 4}}, invert);
  fill_polygon(bitmap, {{2, 0}, {2.5f, 0}, {2.5f, 4}, {2, 4}}, invert);
  EXPECT_EQ(bitmap.pixel(0, 0), 0xFFDFBF7Fu);
  EXPECT_EQ(bitmap.pixel(1, 3), 0xFFDFBF7Fu);
  EXPECT_EQ(bitmap.pixel(2, 0), blend_color(0xFFDFBF7Fu, 0xFF204080u, 128));
  EXPECT_EQ(bitmap.pixel(3, 0), 0xFF204080u);
}

TEST(Stroke, ButtEndsStopAtTheEndPoints) {
  const CoverageMap map = rasterize(stroke_outline({{2, 5}, {8, 5}}, false, 2), 12, 10);
  for (int x = 0; x < 12; ++x) {
    const bool inside = x >= 2 && x < 8;
    EXPECT_EQ(map.at(x, 4), inside ? 255 : 0) << x;
    EXPECT_EQ(map.at(x, 5), inside ? 255 : 0) << x;
    EXPECT_EQ(map.at(x, 3), 0) << x;
    EXPECT_EQ(map.at(x, 6), 0) << x;
  }
}

TEST(Stroke, ClosedOutlineLeavesTheInsideEmpty) {
  const TArrayOfFloatPoint square = {{2, 2}, {10, 2}, {10, 10}, {2, 10}};
  const CoverageMap map = rasterize(stroke_outline(square, true, 2), 12, 12);
  EXPECT_EQ(map.at(6, 6), 0);
  EXPECT_EQ(map.at(6, 1), 255);
  EXPECT_EQ(map.at(6, 2), 255);
  EXPECT_EQ(map.at(1, 1), 255) << "the mitred corner";
  EXPECT_EQ(map.at(0, 0), 0);
  EXPECT_NEAR(map.total(), 10.0 * 10.0 - 6.0 * 6.0, 0.01) << "outer 10x10 minus inner 6x6";
}

// Two segments meeting at a sharp corner pointing right, at (20, 10). The mitre of an angle
// theta between the segments is 1 / sin(theta / 2) widths long: 4 at about 29 degrees.
TArrayOfFloatPoint corner(double degrees) {
  const double half = degrees / 2 * std::numbers::pi / 180;
  const double length = 15;
  return {{static_cast<float>(20 - length * std::cos(half)),
           static_cast<float>(10 - length * std::sin(half))},
          {20, 10},
          {static_cast<float>(20 - length * std::cos(half)),
           static_cast<float>(10 + length * std::sin(half))}};
}

TEST(Stroke, MitreJoinsFallBackToBevelBeyondTheLimit) {
  // The last column the stroke reaches near the corner's row.
  const auto tip_reach = [](double degrees) {
    const CoverageMap map = rasterize(stroke_outline(corner(degrees), false, 2), 40, 20);
    int last = 0;
    for (int x = 0; x < 40; ++x) {
      if (map.at(x, 9) > 0 || map.at(x, 10) > 0) {
        last = x;
      }
    }
    return last;
  };
  // Half width 1: a mitre reaches 1 / sin(theta / 2) beyond the corner, a bevel only
  // sin(theta / 2).
  EXPECT_EQ(tip_reach(40), 22) << "mitre to x = 22.9";
  EXPECT_EQ(tip_reach(20), 20) << "bevel to x = 20.2; a mitre would reach 25.8";
  const double limit = 2 * std::asin(0.25) * 180 / std::numbers::pi;
  EXPECT_EQ(tip_reach(limit + 0.5), 23) << "a mitre of almost 4 widths";
  EXPECT_EQ(tip_reach(limit - 0.5), 20) << "a bevel";
}

TEST(Stroke, DegenerateInputDrawsNothing) {
  EXPECT_TRUE(stroke_outline({}, false, 2).empty());
  EXPECT_TRUE(stroke_outline({{1, 1}}, true, 2).empty());
  EXPECT_TRUE(stroke_outline({{1, 1}, {1, 1}}, false, 2).empty());
  EXPECT_TRUE(stroke_outline({{1, 1}, {4, 1}}, false, 0).empty());
  EXPECT_TRUE(stroke_outline({{1, 1}, {NAN, 1}}, false, 2).empty());
  // A line that turns back on itself strokes without harm.
  const CoverageMap back = rasterize(stroke_outline({{2, 5}, {8, 5}, {2, 5}}, false, 2), 12, 10);
  EXPECT_EQ(back.at(5, 4), 255);
}

}  // namespace
}  // namespace kb
