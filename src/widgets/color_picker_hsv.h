#pragma once

#include "widgets/color_picker.h"

namespace kb {

enum class TVisualAidItem { vaHueLine, vaSaturationCircle, vaSelection };
using TVisualAid = EnumSet<TVisualAidItem>;

// The HSV picker: a disc whose angle is the hue and whose radius the saturation, drawn at the
// current value, with a value bar and its marker on the right.
class TCustomColorPickerHSV : public TCustomColorPicker {
 public:
  explicit TCustomColorPickerHSV(WidgetSystem& system, std::u16string name = {},
                                 std::u16string class_name = u"TCustomColorPickerHSV");

  // The components; setting one keeps it exactly and derives the colour from all three. No
  // clamping: the hue wraps in the conversion, saturation and value are the caller's to keep
  // within 0..1.
  float Hue() const { return FHue; }
  void SetHue(float value);
  float Saturation() const { return FSaturation; }
  void SetSaturation(float value);
  float Value() const { return FValue; }
  void SetValue(float value);

  TVisualAid VisualAid() const { return FVisualAid; }
  void SetVisualAid(TVisualAid value);

  // The geometry of the current size.
  TFloatPoint Center() const { return FCenter; }
  float Radius() const { return FRadius; }
  std::int32_t CircleSteps() const { return FCircleSteps; }
  TRect ValueBar() const;
  // Presses at columns beyond this one set the value.
  int StripEdge() const { return Width() - 28; }
  // Where the selection mark and the value marker's tip are drawn.
  TFloatPoint SelectionPoint() const;
  float ValueMarkerY() const;

  void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;

 protected:
  void RenderBuffer() override;
  void ColorChanged() override;
  void Resize() override;

  void AdjustHueSaturation(float X, float Y);
  void AdjustValue(float X, float Y);

 private:
  void SetComponent(float& field, float value, TPreserveComponentItem item);
  void SetColorKeepingAlpha(TColor32 color);
  TColor32 MarkColor() const;
  void StrokeMark(const TArrayOfFloatPoint& points, bool closed);
  void FillMark(const TArrayOfFloatPoint& points);
  void DrawBarBorder();

  TFloatPoint FCenter;
  float FHue = 0;
  float FRadius = 0;
  std::int32_t FCircleSteps = 0;
  float FSaturation = 0;
  float FValue = 0;
  TVisualAid FVisualAid{TVisualAidItem::vaHueLine, TVisualAidItem::vaSaturationCircle,
                        TVisualAidItem::vaSelection};
};

// The picker as the forms use it.
class TColorPickerHSV final : public TCustomColorPickerHSV {
 public:
  explicit TColorPickerHSV(WidgetSystem& system, std::u16string name = {})
      : TCustomColorPickerHSV(system, std::move(name), u"TColorPickerHSV") {}
};

}  // namespace kb
