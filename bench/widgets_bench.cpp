// The colour picker's drawing: a full render at the dialog's size, and the anti-aliased fill
// of the disc polygon alone beside the same fill by cairo, with how far the two coverages lie
// apart.

#include <cairo.h>

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/sim/scripted_widget_system.h"
#include "support/exact_coverage.h"
#include "widgets/color_picker_hsv.h"
#include "widgets/polygon_rasterizer.h"

namespace kb {
namespace {

constexpr int kWidth = 345;
constexpr int kHeight = 289;

// Every disc pixel drawn again: the picture is invalid at each iteration.
void BM_PickerFullRender(benchmark::State& state) {
  sim::ScriptedWidgetSystem system;
  TColorPickerHSV picker(system);
  picker.SetParented(true);
  picker.SetSize(kWidth, kHeight);
  picker.SetSelectedColor(0xFFFA8072u);
  picker.SetVisualAid(
      {TVisualAidItem::vaHueLine, TVisualAidItem::vaSaturationCircle, TVisualAidItem::vaSelection});
  for (auto _ : state) {
    picker.Invalidate();
    benchmark::DoNotOptimize(picker.Paint());
  }
}
BENCHMARK(BM_PickerFullRender)->Unit(benchmark::kMicrosecond);

TArrayOfFloatPoint disc_polygon() {
  return CirclePolygon({156.5f, 144.5f}, 143.5f, CircleSteps(143.5f));
}

void fill_with_ours(TBitmap32& bitmap, const TArrayOfFloatPoint& disc) {
  bitmap.clear(0);
  fill_polygon(bitmap, disc, 0xFFFFFFFFu);
}

void fill_with_cairo(cairo_t* cr, cairo_surface_t* surface, const TArrayOfFloatPoint& disc) {
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_new_path(cr);
  cairo_move_to(cr, static_cast<double>(disc[0].X), static_cast<double>(disc[0].Y));
  for (std::size_t i = 1; i < disc.size(); ++i) {
    cairo_line_to(cr, static_cast<double>(disc[i].X), static_cast<double>(disc[i].Y));
  }
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_surface_flush(surface);
}

struct CairoCanvas {
  CairoCanvas()
      : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight)),
        cr(cairo_create(surface)) {
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  }
  ~CairoCanvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  std::uint8_t alpha(int x, int y) const {
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::uint32_t pixel;
    std::memcpy(&pixel, data + y * stride + x * 4, 4);
    return static_cast<std::uint8_t>(pixel >> 24);
  }
  cairo_surface_t* surface;
  cairo_t* cr;
};

// The mean |difference| of the two coverages in units of 1/255, over all pixels and over the
// pixels that either fill covers only partly (the anti-aliased rim); and each one's mean
// distance on the rim from the exact share of the pixel inside the polygon.
void report_difference(benchmark::State& state) {
  const TArrayOfFloatPoint disc = disc_polygon();
  TBitmap32 ours(kWidth, kHeight);
  fill_with_ours(ours, disc);
  CairoCanvas canvas;
  fill_with_cairo(canvas.cr, canvas.surface, disc);
  double all = 0;
  double rim = 0;
  double ours_exact = 0;
  double cairo_exact = 0;
  int rim_pixels = 0;
  int max = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int a = static_cast<int>(ours.pixel(x, y) >> 24);
      const int b = canvas.alpha(x, y);
      const int d = std::abs(a - b);
      all += d;
      max = std::max(max, d);
      if ((a > 0 && a < 255) || (b > 0 && b < 255)) {
        rim += d;
        ++rim_pixels;
        const double exact = test::exact_coverage(disc, x, y) * 255;
        ours_exact += std::fabs(a - exact);
        cairo_exact += std::fabs(b - exact);
      }
    }
  }
  state.counters["mean_diff_all"] = all / (kWidth * kHeight);
  state.counters["mean_diff_rim"] = rim_pixels > 0 ? rim / rim_pixels : 0;
  state.counters["ours_vs_exact_rim"] = rim_pixels > 0 ? ours_exact / rim_pixels : 0;
  state.counters["cairo_vs_exact_rim"] = rim_pixels > 0 ? cairo_exact / rim_pixels : 0;
  state.counters["max_diff"] = max;
}

void BM_DiscFillOurs(benchmark::State& state) {
  const TArrayOfFloatPoint disc = disc_polygon();
  TBitmap32 bitmap(kWidth, kHeight);
  for (auto _ : state) {
    fill_with_ours(bitmap, disc);
    benchmark::DoNotOptimize(bitmap.row(0));
  }
  report_difference(state);
}
BENCHMARK(BM_DiscFillOurs)->Unit(benchmark::kMicrosecond);

void BM_DiscFillCairo(benchmark::State& state) {
  const TArrayOfFloatPoint disc = disc_polygon();
  CairoCanvas canvas;
  for (auto _ : state) {
    fill_with_cairo(canvas.cr, canvas.surface, disc);
    benchmark::DoNotOptimize(cairo_image_surface_get_data(canvas.surface));
  }
}
BENCHMARK(BM_DiscFillCairo)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kb
