#include "widgets/color_picker_hsv.h"

#include <algorithm>
#include <cmath>

#include "widgets/extended_math.h"
#include "widgets/hue_fillers.h"
#include "widgets/polygon_rasterizer.h"
#include "widgets/polyline_stroke.h"

namespace kb {

using extended::ext;
using extended::to_single;

namespace {

constexpr TColor32 kBlack = 0xFF000000u;
constexpr TColor32 kWhite = 0xFFFFFFFFu;

// The point at hue h and distance r from the centre: hue 0 lies to the left.
TFloatPoint point_at(TFloatPoint centre, float hue, long double distance) {
  const long double angle = 2 * extended::kPi * ext(hue);
  return {to_single(ext(centre.X) - std::cos(angle) * distance),
          to_single(ext(centre.Y) - std::sin(angle) * distance)};
}

}  // namespace

TCustomColorPickerHSV::TCustomColorPickerHSV(WidgetSystem& system, std::u16string name,
                                             std::u16string class_name)
    : TCustomColorPicker(system, std::move(class_name), std::move(name)) {
  VisualAidOptions().SetLineWidth(1.5f);
  Color32ToHsv(FSelectedColor, FHue, FSaturation, FValue);
  SetSize(256, 192);
}

void TCustomColorPickerHSV::SetHue(float value) {
  SetComponent(FHue, value, TPreserveComponentItem::pcHue);
}

void TCustomColorPickerHSV::SetSaturation(float value) {
  SetComponent(FSaturation, value, TPreserveComponentItem::pcSaturation);
}

void TCustomColorPickerHSV::SetValue(float value) {
  SetComponent(FValue, value, TPreserveComponentItem::pcValue);
}

void TCustomColorPickerHSV::SetComponent(float& field, float value, TPreserveComponentItem item) {
  if (field == value) {
    return;
  }
  field = value;
  FPreserveComponent.include(item);
  SetColorKeepingAlpha(HsvToColor32(FHue, FSaturation, FValue));
}

void TCustomColorPickerHSV::SetColorKeepingAlpha(TColor32 color) {
  SetSelectedColor((color & 0x00FFFFFFu) | (FSelectedColor & 0xFF000000u));
}

void TCustomColorPickerHSV::SetVisualAid(TVisualAid value) {
  if (FVisualAid != value) {
    FVisualAid = value;
    Invalidate();
  }
}

void TCustomColorPickerHSV::ColorChanged() {
  float h;
  float s;
  float v;
  Color32ToHsv(FSelectedColor, h, s, v);
  if (!FPreserveComponent.contains(TPreserveComponentItem::pcHue)) {
    FHue = h;
  }
  if (!FPreserveComponent.contains(TPreserveComponentItem::pcSaturation)) {
    FSaturation = s;
  }
  if (!FPreserveComponent.contains(TPreserveComponentItem::pcValue)) {
    FValue = v;
  }
  FPreserveComponent.clear();
  TCustomColorPicker::ColorChanged();
}

void TCustomColorPickerHSV::Resize() {
  TCustomColorPicker::Resize();
  const float w = static_cast<float>(Width());
  const float h = static_cast<float>(Height());
  if (Width() > Height()) {
    FRadius = std::min(w / 2 - 17, h / 2 - 1);
    FCenter = {w / 2 - 16, h / 2};
  } else {
    // Portrait: room below the disc; the bar stays at the right edge.
    FRadius = std::min(w / 2 - 1, h / 2 - 17);
    FCenter = {w / 2, h / 2 - 16};
  }
  FCircleSteps = kb::CircleSteps(FRadius);
}

TRect TCustomColorPickerHSV::ValueBar() const {
  return {Width() - 24, 8, Width() - 8, Height() - 8};
}

TFloatPoint TCustomColorPickerHSV::SelectionPoint() const {
  return point_at(FCenter, FHue, ext(FSaturation) * ext(FRadius));
}

float TCustomColorPickerHSV::ValueMarkerY() const {
  return to_single((1.0L - ext(FValue)) * (Height() - 16) + 8);
}

void TCustomColorPickerHSV::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (button == MouseButton::left) {
    if (x > StripEdge()) {
      set_drag([this](float X, float Y) { AdjustValue(X, Y); });
    } else {
      set_drag([this](float X, float Y) { AdjustHueSaturation(X, Y); });
    }
  }
  if (FAdjustCalc) {
    auto adjust = FAdjustCalc;
    adjust(static_cast<float>(x), static_cast<float>(y));
  }
  TCustomColorPicker::MouseDown(button, shift, x, y);
}

void TCustomColorPickerHSV::AdjustHueSaturation(float X, float Y) {
  const long double dx = ext(X) - ext(FCenter.X);
  const long double dy = ext(Y) - ext(FCenter.Y);
  const long double distance = std::sqrt(dx * dx + dy * dy);
  FHue = hue_at(FCenter, ext(X), ext(Y));
  // Outside the disc the saturation is full; a radius of 0 (a degenerate size) has no inside.
  FSaturation = FRadius > 0 ? to_single(std::min(distance / ext(FRadius), 1.0L))
                            : (distance > 0 ? 1.0f : 0.0f);
  FPreserveComponent.include(TPreserveComponentItem::pcHue);
  FPreserveComponent.include(TPreserveComponentItem::pcSaturation);
  SetColorKeepingAlpha(HsvToColor32(FHue, FSaturation, FValue));
}

void TCustomColorPickerHSV::AdjustValue(float, float Y) {
  const long double span = Height() - 16;
  long double t;
  if (span > 0) {
    t = std::clamp((static_cast<long double>(Y) - 8) / span, 0.0L, 1.0L);
  } else {
    t = Y > 8 ? 1 : 0;  // a bar of no height: above or below its one row
  }
  SetValue(to_single(1.0L - t));
}

TColor32 TCustomColorPickerHSV::MarkColor() const {
  if (VisualAidOptions().RenderType() == TVisualAidRenderType::vatSolid) {
    return VisualAidOptions().Color();
  }
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;
  SplitColor32(FSelectedColor, r, g, b);
  const int luminance = (61 * r + 174 * g + 21 * b) >> 8;
  return luminance >= 127 ? kBlack : kWhite;
}

void TCustomColorPickerHSV::StrokeMark(const TArrayOfFloatPoint& points, bool closed) {
  const float width = VisualAidOptions().LineWidth();
  if (VisualAidOptions().RenderType() == TVisualAidRenderType::vatInvert) {
    TInvertPolygonFiller filler;
    stroke_polyline(FBuffer, points, closed, width, filler);
  } else {
    stroke_polyline(FBuffer, points, closed, width, MarkColor());
  }
}

void TCustomColorPickerHSV::FillMark(const TArrayOfFloatPoint& points) {
  if (VisualAidOptions().RenderType() == TVisualAidRenderType::vatInvert) {
    TInvertPolygonFiller filler;
    fill_polygon(FBuffer, points, filler);
  } else {
    fill_polygon(FBuffer, points, MarkColor());
  }
}

void TCustomColorPickerHSV::RenderBuffer() {
  FBuffer.clear(SystemColorToColor32(system(), Color()));

  const TArrayOfFloatPoint disc = CirclePolygon(FCenter, FRadius, FCircleSteps);
  THueSaturationCirclePolygonFiller disc_filler(FCenter, FRadius, FValue, FWebSafe);
  fill_polygon(FBuffer, disc, disc_filler);
  if (FBorder) {
    stroke_polyline(FBuffer, disc, true, 1.0f, kBlack);
  }

  if (FVisualAid.contains(TVisualAidItem::vaSaturationCircle)) {
    StrokeMark(CirclePolygon(FCenter, to_single(ext(FSaturation) * ext(FRadius)), -1), true);
  }
  if (FVisualAid.contains(TVisualAidItem::vaHueLine)) {
    StrokeMark({FCenter, point_at(FCenter, FHue, ext(FRadius))}, false);
  }
  if (FVisualAid.contains(TVisualAidItem::vaSelection)) {
    const TArrayOfFloatPoint octagon = CirclePolygon(SelectionPoint(), 4, 8);
    fill_polygon(FBuffer, octagon, FSelectedColor);
    StrokeMark(octagon, true);
  }

  const TRect bar = ValueBar();
  const auto left = static_cast<float>(bar.Left);
  const auto top = static_cast<float>(bar.Top);
  const auto right = static_cast<float>(bar.Right);
  const auto bottom = static_cast<float>(bar.Bottom);
  TLinearGradientPolygonFiller gradient(top, kWhite, bottom, kBlack);
  fill_polygon(FBuffer, {{left, top}, {right, top}, {right, bottom}, {left, bottom}}, gradient);

  const float y = ValueMarkerY();
  const auto w = static_cast<float>(Width());
  FillMark({{w - 8, y}, {w - 1, y - 4}, {w - 1, y + 4}});

  if (FBorder) {
    DrawBarBorder();
  }
}

void TCustomColorPickerHSV::DrawBarBorder() {
  const TRect bar = ValueBar();
  const int l = bar.Left;
  const int t = bar.Top;
  const int r = bar.Right;
  const int b = bar.Bottom;
  FBuffer.blend_frame_rect(l, t, r, b, 0xDF000000u);
  // A raised edge of contrast 20 one pixel further in.
  const TColor32 light = static_cast<TColor32>(20 * 512 / 100) << 24 | 0x00FFFFFFu;
  const TColor32 dark = static_cast<TColor32>(20 * 255 / 100) << 24;
  FBuffer.blend_horz_line(l + 1, t + 1, r - 2, light);
  FBuffer.blend_vert_line(l + 1, t + 2, b - 3, light);
  FBuffer.blend_horz_line(l + 1, b - 2, r - 2, dark);
  FBuffer.blend_vert_line(r - 2, t + 2, b - 3, dark);
}

}  // namespace kb
