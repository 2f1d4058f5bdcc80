#pragma once

#include <cmath>
#include <utility>
#include <vector>

#include "widgets/color32.h"

namespace kb::test {

// The share of pixel (x, y) inside the convex polygon, by clipping the polygon to the pixel.
inline double exact_coverage(const TArrayOfFloatPoint& polygon, int x, int y) {
  using Point = std::pair<double, double>;
  std::vector<Point> points;
  for (const TFloatPoint& p : polygon) {
    points.emplace_back(static_cast<double>(p.X), static_cast<double>(p.Y));
  }
  // Keeps the part where coordinate `axis` lies on the `keep_above` side of `edge`.
  const auto clip = [&](int axis, double edge, bool keep_above) {
    const auto value = [axis](const Point& p) { return axis == 0 ? p.first : p.second; };
    const auto inside = [&](const Point& p) { return (value(p) >= edge) == keep_above; };
    std::vector<Point> out;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const Point a = points[i];
      const Point b = points[(i + 1) % points.size()];
      if (inside(a)) {
        out.push_back(a);
      }
      if (inside(a) != inside(b)) {
        const double t = (edge - value(a)) / (value(b) - value(a));
        out.emplace_back(a.first + t * (b.first - a.first), a.second + t * (b.second - a.second));
      }
    }
    points = out;
  };
  clip(0, x, true);
  clip(0, x + 1, false);
  clip(1, y, true);
  clip(1, y + 1, false);
  double twice = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point a = points[i];
    const Point b = points[(i + 1) % points.size()];
    twice += a.first * b.second - b.first * a.second;
  }
  return std::fabs(twice) / 2;
}

}  // namespace kb::test
