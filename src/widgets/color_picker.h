#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/bitmap32.h"
#include "toolkit/control.h"
#include "widgets/color32.h"
#include "widgets/enum_set.h"

namespace kb {

class WidgetSystem;
class TCustomColorPicker;

enum class TVisualAidRenderType { vatSolid, vatInvert, vatBW };

enum class TPreserveComponentItem { pcHue, pcSaturation, pcLuminance, pcValue };
using TPreserveComponent = EnumSet<TPreserveComponentItem>;

// The Windows colour value of the system's button-face colour (a system colour reference).
inline constexpr std::int32_t kClBtnFace = static_cast<std::int32_t>(0xFF00000Fu);

// How the picker's overlay marks are drawn.
class TVisualAidOptions {
 public:
  // `owner` receives the repaint requests; it may be null.
  explicit TVisualAidOptions(TCustomColorPicker* owner) : FOwner(owner) {}

  TVisualAidRenderType RenderType() const { return FRenderType; }
  void SetRenderType(TVisualAidRenderType value);
  // The marks' colour under vatSolid.
  TColor32 Color() const { return FColor; }
  void SetColor(TColor32 value);
  float LineWidth() const { return FLineWidth; }
  void SetLineWidth(float value);

 private:
  void Changed();

  TCustomColorPicker* FOwner;
  TVisualAidRenderType FRenderType = TVisualAidRenderType::vatInvert;
  TColor32 FColor = 0xAF000000u;
  float FLineWidth = 2.0f;
};

// A custom-drawn control that holds one colour and draws its picture into an off-screen ARGB
// buffer. Its window (peer) forwards the mouse and paint requests to the entry points below
// and copies Paint()'s buffer to the screen; the control holds the pointer (MouseCapture)
// while a drag runs.
class TCustomColorPicker : public Control {
 public:
  using TNotifyEvent = std::function<void(TCustomColorPicker& sender)>;
  using TMouseEvent =
      std::function<void(TCustomColorPicker& sender, MouseButton, ShiftState, int x, int y)>;
  using TMouseMoveEvent = std::function<void(TCustomColorPicker& sender, ShiftState, int x, int y)>;

  TCustomColorPicker(WidgetSystem& system, std::u16string class_name, std::u16string name);
  ~TCustomColorPicker() override;

  TColor32 SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor32 value);
  bool WebSafe() const { return FWebSafe; }
  void SetWebSafe(bool value);
  bool Border() const { return FBorder; }
  void SetBorder(bool value);
  TVisualAidOptions& VisualAidOptions() { return *FVisualAidOptions; }
  const TVisualAidOptions& VisualAidOptions() const { return *FVisualAidOptions; }

  // Raised on every colour change, before the new picture is drawn.
  const TNotifyEvent& OnChanged() const { return FOnChanged; }
  void SetOnChanged(TNotifyEvent handler) { FOnChanged = std::move(handler); }
  // Raised after the picker's own handling of the mouse.
  void SetOnMouseDown(TMouseEvent handler) { on_mouse_down_ = std::move(handler); }
  void SetOnMouseMove(TMouseMoveEvent handler) { on_mouse_move_ = std::move(handler); }
  void SetOnMouseUp(TMouseEvent handler) { on_mouse_up_ = std::move(handler); }

  // The background: a Windows colour value, negative for a system colour. The button face
  // unless the owner passes on another.
  std::int32_t Color() const { return color_; }
  void SetColor(std::int32_t value);

  // A change of the size resizes the buffer and applies the geometry.
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;
  void SetSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

  // Marks the picture out of date and asks the window to repaint, without erasing.
  void Invalidate() override;
  bool BufferValid() const { return FBufferValid; }
  const TBitmap32& Buffer() const { return FBuffer; }

  // --- Entry points for the window ---
  // The picture to copy to the screen at (0, 0), drawn first if out of date; null while the
  // control sits in no parent.
  const TBitmap32* Paint();
  // The system's background erase: answered as done, nothing drawn.
  bool EraseBackground() const { return true; }
  void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
  void MouseMove(ShiftState shift, int x, int y) override;
  void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
  // The window lost the pointer in a drag (another window took it).
  void CaptureLost() override;
  // A drag routine is active; the control holds the pointer meanwhile.
  bool Dragging() const { return static_cast<bool>(FAdjustCalc); }

 protected:
  // Draws the whole picture into FBuffer.
  virtual void RenderBuffer() = 0;
  // Processes a change of SelectedColor: raises OnChanged, then asks for a repaint.
  virtual void ColorChanged();
  // After a size change: the buffer takes the client size and is out of date.
  virtual void Resize();
  // The drag routine of a left press, or none: the control holds the pointer while one runs.
  void set_drag(std::function<void(float X, float Y)> routine);

  WidgetSystem& system() { return system_; }

  TBitmap32 FBuffer;
  std::function<void(float X, float Y)> FAdjustCalc;
  TColor32 FSelectedColor = 0xFFFA8072u;
  bool FBufferValid = false;
  TPreserveComponent FPreserveComponent;
  std::unique_ptr<TVisualAidOptions> FVisualAidOptions;
  bool FWebSafe = false;
  bool FBorder = false;
  TNotifyEvent FOnChanged;

 private:
  WidgetSystem& system_;
  std::int32_t color_ = kClBtnFace;
  TMouseEvent on_mouse_down_;
  TMouseMoveEvent on_mouse_move_;
  TMouseEvent on_mouse_up_;
};

}  // namespace kb
