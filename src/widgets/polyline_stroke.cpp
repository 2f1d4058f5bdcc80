#include "widgets/polyline_stroke.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "widgets/extended_math.h"
#include "widgets/polygon_rasterizer.h"

namespace kb {
namespace {

// Extended precision, as x87 computes it in every x86 build: the same outlines everywhere.
using Real = long double;

struct Vec {
  Real x;
  Real y;
};
Vec operator+(Vec a, Vec b) {
  return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b) {
  return {a.x - b.x, a.y - b.y};
}
Vec operator*(Real k, Vec a) {
  return {k * a.x, k * a.y};
}
Real dot(Vec a, Vec b) {
  return a.x * b.x + a.y * b.y;
}
Real length(Vec a) {
  return std::sqrt(a.x * a.x + a.y * a.y);
}

TFloatPoint to_point(Vec v) {
  return {extended::to_single(v.x), extended::to_single(v.y)};
}

struct Segment {
  Vec direction;  // unit length
  Vec normal;     // the direction turned a quarter clockwise on screen
  Real length;
};

// The offset points at a join of two segments on one side (+1 or -1) of the line.
void add_join(std::vector<Vec>& side_points, Vec vertex, const Segment& in, const Segment& out,
              Real offset, Real miter_limit) {
  const Vec a = vertex + offset * in.normal;
  const Vec b = vertex + offset * out.normal;
  const Real turn = dot(out.direction, in.normal) * offset;  // > 0: this side is inside
  const Real normals = dot(in.normal, out.normal);
  if (std::fabs(dot(in.direction, out.direction) - 1) < 1e-12L) {
    side_points.push_back(a);  // straight on
    return;
  }
  const Real half_cos_sq = (1 + normals) / 2;  // cos^2 of half the turning angle
  const bool opposite = half_cos_sq < 1e-12L;
  const Vec miter = opposite ? a : vertex + (offset / (1 + normals)) * (in.normal + out.normal);
  if (turn > 0) {
    // Inside the turn both offset lines meet in one point, unless the segments are too short
    // to reach it; then the outline passes through the vertex, which the fill rule absorbs.
    const Real reach = opposite ? std::numeric_limits<Real>::infinity()
                                : std::fabs(offset) * std::sqrt((1 - normals) / (1 + normals));
    if (reach <= std::min(in.length, out.length)) {
      side_points.push_back(miter);
    } else {
      side_points.insert(side_points.end(), {a, vertex, b});
    }
    return;
  }
  // The mitre is 1 / cos(half the turning angle) times the width long.
  if (!opposite && 1 <= miter_limit * miter_limit * half_cos_sq) {
    side_points.push_back(miter);
  } else {
    side_points.insert(side_points.end(), {a, b});
  }
}

}  // namespace

std::vector<TArrayOfFloatPoint> stroke_outline(const TArrayOfFloatPoint& points, bool closed,
                                               float width, float miter_limit) {
  std::vector<Vec> path;
  for (const TFloatPoint& p : points) {
    const Vec v{static_cast<Real>(p.X), static_cast<Real>(p.Y)};
    if (!std::isfinite(v.x) || !std::isfinite(v.y)) {
      return {};
    }
    if (path.empty() || length(v - path.back()) > 1e-9L) {
      path.push_back(v);
    }
  }
  if (closed && path.size() > 1 && length(path.front() - path.back()) <= 1e-9L) {
    path.pop_back();
  }
  const Real half = static_cast<Real>(width) / 2;
  const auto limit = static_cast<Real>(miter_limit);
  if (path.size() < 2 || !(half > 0)) {
    return {};
  }
  const std::size_t count = path.size();
  const std::size_t segment_count = closed ? count : count - 1;
  std::vector<Segment> segments(segment_count);
  for (std::size_t i = 0; i < segment_count; ++i) {
    const Vec d = path[(i + 1) % count] - path[i];
    const Real len = length(d);
    const Vec unit = (1 / len) * d;
    segments[i] = {unit, {-unit.y, unit.x}, len};
  }

  const auto side = [&](Real offset) {
    std::vector<Vec> result;
    if (closed) {
      for (std::size_t j = 0; j < count; ++j) {
        add_join(result, path[j], segments[(j + segment_count - 1) % segment_count], segments[j],
                 offset, limit);
      }
    } else {
      result.push_back(path.front() + offset * segments.front().normal);
      for (std::size_t j = 1; j + 1 < count; ++j) {
        add_join(result, path[j], segments[j - 1], segments[j], offset, limit);
      }
      result.push_back(path.back() + offset * segments.back().normal);
    }
    return result;
  };
  const std::vector<Vec> left = side(half);
  std::vector<Vec> right = side(-half);
  std::reverse(right.begin(), right.end());

  const auto to_contour = [](const std::vector<Vec>& vs) {
    TArrayOfFloatPoint contour;
    contour.reserve(vs.size());
    for (const Vec& v : vs) {
      contour.push_back(to_point(v));
    }
    return contour;
  };
  if (closed) {
    // Opposite orientations: the inner contour cuts the hole.
    return {to_contour(left), to_contour(right)};
  }
  std::vector<Vec> outline = left;
  outline.insert(outline.end(), right.begin(), right.end());
  return {to_contour(outline)};
}

void stroke_polyline(TBitmap32& bitmap, const TArrayOfFloatPoint& points, bool closed, float width,
                     TCustomPolygonFiller& filler) {
  fill_polygons(bitmap, stroke_outline(points, closed, width), filler);
}

void stroke_polyline(TBitmap32& bitmap, const TArrayOfFloatPoint& points, bool closed, float width,
                     TColor32 color) {
  TSolidPolygonFiller filler(color);
  stroke_polyline(bitmap, points, closed, width, filler);
}

}  // namespace kb
