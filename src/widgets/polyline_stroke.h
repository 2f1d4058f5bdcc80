#pragma once

#include <vector>

#include "platform/bitmap32.h"
#include "widgets/color32.h"
#include "widgets/polygon_filler.h"

namespace kb {

// The area of a stroke of `width` along the points, as contours for a non-zero fill: mitre
// joins that fall back to a bevel where the mitre would be longer than `miter_limit` times the
// width, and butt ends (nothing beyond the end points of an open line).
std::vector<TArrayOfFloatPoint> stroke_outline(const TArrayOfFloatPoint& points, bool closed,
                                               float width, float miter_limit = 4.0f);

void stroke_polyline(TBitmap32& bitmap, const TArrayOfFloatPoint& points, bool closed, float width,
                     TColor32 color);
void stroke_polyline(TBitmap32& bitmap, const TArrayOfFloatPoint& points, bool closed, float width,
                     TCustomPolygonFiller& filler);

}  // namespace kb
