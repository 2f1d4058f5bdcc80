#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/bitmap32.h"
#include "toolkit/control.h"
#include "widgets/timer_speed_button.h"

namespace kb {

// A windowed pair of arrow buttons, the upper one over the lower one, overlapping by a pixel.
// Its window draws both and forwards the mouse in the pair's client coordinates; the pair
// routes it to the button under the pointer, or to the button that holds the pointer, and
// holds the pointer itself (MouseCapture) from a left press on a button to the release.
class TSpinButton : public Control {
 public:
  using TNotifyEvent = std::function<void(TSpinButton& sender)>;

  explicit TSpinButton(MessageTimerFactory& timers, std::u16string name = {});
  ~TSpinButton() override;

  TTimerSpeedButton& UpButton() { return *FUpButton; }
  TTimerSpeedButton& DownButton() { return *FDownButton; }
  TTimerSpeedButton& FocusedButton() { return *FFocusedButton; }

  // The control that takes the focus when a button is pressed; not owned, and forgotten when
  // it is destroyed.
  Control* FocusControl() const { return FFocusControl.get(); }
  void SetFocusControl(Control* control) { FFocusControl = control; }

  void SetOnUpClick(TNotifyEvent handler) { FOnUpClick = std::move(handler); }
  void SetOnDownClick(TNotifyEvent handler) { FOnDownClick = std::move(handler); }

  // The glyphs; none given means the built-in "SpinUp" or "SpinDown".
  const TBitmap32& UpGlyph() const { return up_glyph_; }
  void SetUpGlyph(std::optional<TBitmap32> glyph);
  const TBitmap32& DownGlyph() const { return down_glyph_; }
  void SetDownGlyph(std::optional<TBitmap32> glyph);
  int UpNumGlyphs() const { return up_num_glyphs_; }
  void SetUpNumGlyphs(int value) { up_num_glyphs_ = value; }
  int DownNumGlyphs() const { return down_num_glyphs_; }
  void SetDownNumGlyphs(int value) { down_num_glyphs_ = value; }

  // Lays the buttons out for the size, which may widen it (LayoutButtons), and takes it.
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;
  // Places the buttons for a size, raising the width to at least 15.
  void LayoutButtons(int& width, int& height);

  // Attached to the buttons' mouse-down and click events.
  void ButtonPressed(TTimerSpeedButton& button, MouseButton mouse_button);
  void ButtonClicked(TTimerSpeedButton& button);
  void MoveFocusMark(TTimerSpeedButton& button);

  // --- Entry points for the pair's window ---
  void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
  void MouseMove(ShiftState shift, int x, int y) override;
  void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
  // The pointer left the pair's window.
  void MouseLeave() override;
  void CaptureLost() override;
  // Keys while the pair has the focus; it asks its dialog for the arrow keys.
  void KeyDown(std::uint16_t key, ShiftState shift) override;
  bool WantsArrowKeys() const { return true; }
  void FocusEnter(bool by_left_press) override;
  void FocusLeave() override;

 private:
  TTimerSpeedButton* button_at(int x, int y);
  void track_hot(int x, int y);

  TTimerSpeedButton* FUpButton;
  TTimerSpeedButton* FDownButton;
  TTimerSpeedButton* FFocusedButton;
  ComponentRef<Control> FFocusControl;
  TNotifyEvent FOnUpClick;
  TNotifyEvent FOnDownClick;
  TBitmap32 up_glyph_;
  TBitmap32 down_glyph_;
  int up_num_glyphs_ = 1;
  int down_num_glyphs_ = 1;
  TTimerSpeedButton* captured_ = nullptr;
  TTimerSpeedButton* hot_ = nullptr;
};

}  // namespace kb
