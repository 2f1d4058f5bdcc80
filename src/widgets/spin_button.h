#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "widgets/bitmap32.h"
#include "widgets/focus_target.h"
#include "widgets/timer_speed_button.h"
#include "widgets/widget_input.h"

namespace kb {

// A windowed pair of arrow buttons, the upper one over the lower one, overlapping by a pixel.
// Its window forwards the mouse in the pair's client coordinates; the pair routes it to the
// button under the pointer, or to the button that holds the capture (the window captures the
// pointer while WantsCapture() holds).
class TSpinButton : public FocusTarget {
 public:
  using TNotifyEvent = std::function<void(TSpinButton& sender)>;

  explicit TSpinButton(MessageTimerFactory& timers);
  ~TSpinButton() override;

  TTimerSpeedButton& UpButton() { return *FUpButton; }
  TTimerSpeedButton& DownButton() { return *FDownButton; }
  TTimerSpeedButton& FocusedButton() { return *FFocusedButton; }

  // The control that takes the focus when a button is pressed; not owned, and forgotten when
  // it is destroyed.
  FocusTarget* FocusControl() const;
  void SetFocusControl(FocusTarget* control);

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

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Lays the buttons out for the size, which may widen it (LayoutButtons), and takes it.
  void SetBounds(int left, int top, int width, int height);
  // Places the buttons for a size, raising the width to at least 15.
  void LayoutButtons(int& width, int& height);

  // Attached to the buttons' mouse-down and click events.
  void ButtonPressed(TTimerSpeedButton& button, MouseButton mouse_button);
  void ButtonClicked(TTimerSpeedButton& button);
  void MoveFocusMark(TTimerSpeedButton& button);

  // --- Entry points for the pair's window ---
  void MouseDown(MouseButton button, ShiftState shift, int x, int y);
  void MouseMove(ShiftState shift, int x, int y);
  void MouseUp(MouseButton button, ShiftState shift, int x, int y);
  // The pointer left the pair's window.
  void MouseLeave();
  void CaptureLost();
  bool WantsCapture() const { return captured_ != nullptr; }
  // Keys while the pair has the focus; it asks its dialog for the arrow keys.
  void KeyDown(std::uint16_t key, ShiftState shift);
  bool WantsArrowKeys() const { return true; }
  void FocusEnter(bool by_left_press) override;
  void FocusLeave() override;

 private:
  TTimerSpeedButton* button_at(int x, int y);
  void track_hot(int x, int y);

  std::unique_ptr<TTimerSpeedButton> FUpButton;
  std::unique_ptr<TTimerSpeedButton> FDownButton;
  TTimerSpeedButton* FFocusedButton;
  FocusTarget* FFocusControl = nullptr;
  std::weak_ptr<const void> focus_control_lifetime_;
  TNotifyEvent FOnUpClick;
  TNotifyEvent FOnDownClick;
  TBitmap32 up_glyph_;
  TBitmap32 down_glyph_;
  int up_num_glyphs_ = 1;
  int down_num_glyphs_ = 1;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TTimerSpeedButton* captured_ = nullptr;
  TTimerSpeedButton* hot_ = nullptr;
};

}  // namespace kb
