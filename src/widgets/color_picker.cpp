#include "widgets/color_picker.h"

#include <algorithm>
#include <utility>

namespace kb {

void TVisualAidOptions::SetRenderType(TVisualAidRenderType value) {
  if (FRenderType != value) {
    FRenderType = value;
    Changed();
  }
}

void TVisualAidOptions::SetColor(TColor32 value) {
  if (FColor != value) {
    FColor = value;
    if (FRenderType == TVisualAidRenderType::vatSolid) {
      Changed();
    }
  }
}

void TVisualAidOptions::SetLineWidth(float value) {
  if (FLineWidth != value) {
    FLineWidth = value;
    Changed();
  }
}

void TVisualAidOptions::Changed() {
  if (FOwner != nullptr) {
    FOwner->Invalidate();
  }
}

TCustomColorPicker::TCustomColorPicker(WidgetSystem& system, std::u16string class_name,
                                       std::u16string name)
    : Control(std::move(class_name), std::move(name)),
      FVisualAidOptions(std::make_unique<TVisualAidOptions>(this)),
      system_(system) {}

TCustomColorPicker::~TCustomColorPicker() = default;

void TCustomColorPicker::SetSelectedColor(TColor32 value) {
  if (FSelectedColor != value) {
    FSelectedColor = value;
    ColorChanged();
  }
}

void TCustomColorPicker::SetWebSafe(bool value) {
  if (FWebSafe != value) {
    FWebSafe = value;
    Invalidate();
  }
}

void TCustomColorPicker::SetBorder(bool value) {
  if (FBorder != value) {
    FBorder = value;
    Invalidate();
  }
}

void TCustomColorPicker::SetColor(std::int32_t value) {
  if (color_ != value) {
    color_ = value;
    Invalidate();
  }
}

void TCustomColorPicker::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                                   std::int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const bool resized = width != Width() || height != Height();
  Control::SetBounds(left, top, width, height);
  if (resized) {
    Resize();
    Invalidate();
  }
}

void TCustomColorPicker::Resize() {
  FBuffer.set_size(Width(), Height());
  FBufferValid = false;
}

void TCustomColorPicker::Invalidate() {
  FBufferValid = false;
  Control::Invalidate();
}

void TCustomColorPicker::ColorChanged() {
  if (FOnChanged) {
    FOnChanged(*this);
  }
  Invalidate();
}

const TBitmap32* TCustomColorPicker::Paint() {
  if (Parent() == nullptr) {
    return nullptr;
  }
  if (!FBufferValid) {
    RenderBuffer();
    FBufferValid = true;
  }
  return &FBuffer;
}

void TCustomColorPicker::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (on_mouse_down_) {
    on_mouse_down_(*this, button, shift, x, y);
  }
}

void TCustomColorPicker::MouseMove(ShiftState shift, int x, int y) {
  // Only while the left button is held: a drag whose release never arrived ends here.
  if (FAdjustCalc) {
    if ((shift & kLeftButtonDown) != 0) {
      auto adjust = FAdjustCalc;  // the routine may end the drag through an event
      adjust(static_cast<float>(x), static_cast<float>(y));
    } else {
      set_drag(nullptr);
    }
  }
  if (on_mouse_move_) {
    on_mouse_move_(*this, shift, x, y);
  }
}

void TCustomColorPicker::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
  set_drag(nullptr);
  if (on_mouse_up_) {
    on_mouse_up_(*this, button, shift, x, y);
  }
}

void TCustomColorPicker::CaptureLost() {
  Control::CaptureLost();
  FAdjustCalc = nullptr;
}

void TCustomColorPicker::set_drag(std::function<void(float X, float Y)> routine) {
  FAdjustCalc = std::move(routine);
  SetMouseCapture(static_cast<bool>(FAdjustCalc));
}

}  // namespace kb
