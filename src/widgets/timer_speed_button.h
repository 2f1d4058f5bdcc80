#pragma once

#include <functional>
#include <memory>

#include "platform/message_timer.h"
#include "widgets/enum_set.h"
#include "widgets/widget_input.h"

namespace kb {

enum class TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = EnumSet<TTimeBtnStateItem>;

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A push button without keyboard focus of its own that repeats its click while held: 400 ms
// after the press, then every 100 ms. It lives inside a parent window, which forwards the
// mouse to it in its own coordinates and holds the pointer capture for it from a left press
// to the release.
class TTimerSpeedButton {
 public:
  using TNotifyEvent = std::function<void(TTimerSpeedButton& sender)>;
  using TMouseEvent =
      std::function<void(TTimerSpeedButton& sender, MouseButton, ShiftState, int x, int y)>;

  // What the face shows.
  enum class Face { normal, hot, pressed, disabled };

  static constexpr std::uint32_t kInitRepeatPause = 400;
  static constexpr std::uint32_t kRepeatPause = 100;

  TTimerSpeedButton(MessageTimerFactory& timers, bool down_button);
  ~TTimerSpeedButton();
  TTimerSpeedButton(const TTimerSpeedButton&) = delete;
  TTimerSpeedButton& operator=(const TTimerSpeedButton&) = delete;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  // Whether a point of the parent's client area lies on the button.
  bool ContainsParentPoint(int x, int y) const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
  void SetTimeBtnState(TTimeBtnState value);
  bool DownButton() const { return FDownButton; }

  TButtonState State() const { return state_; }
  Face ButtonFace() const;
  bool MouseInControl() const { return mouse_in_control_; }
  bool MouseCapture() const { return capture_; }
  const MessageTimer* RepeatTimer() const { return FRepeatTimer.get(); }

  void SetOnMouseDown(TMouseEvent handler) { on_mouse_down_ = std::move(handler); }
  void SetOnClick(TNotifyEvent handler) { on_click_ = std::move(handler); }
  void SetRepaintHandler(std::function<void()> handler) { repaint_ = std::move(handler); }

  // Raises the click event.
  void Click();
  // The repeat timer's handler.
  void RepeatTick();

  // --- Entry points, in the button's own coordinates ---
  void MouseDown(MouseButton button, ShiftState shift, int x, int y);
  void MouseMove(ShiftState shift, int x, int y);
  void MouseUp(MouseButton button, ShiftState shift, int x, int y);
  void MouseEnter();
  void MouseLeave();
  // The parent lost the pointer capture while the button was held: no click follows.
  void CaptureLost();

 private:
  bool inside(int x, int y) const { return x >= 0 && x < width_ && y >= 0 && y <= height_; }
  void set_state(TButtonState state);
  void repaint();

  MessageTimerFactory& timers_;
  std::unique_ptr<MessageTimer> FRepeatTimer;
  TTimeBtnState FTimeBtnState{TTimeBtnStateItem::tbAllowTimer};
  bool FDownButton;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool enabled_ = true;
  TButtonState state_ = TButtonState::bsUp;
  bool dragging_ = false;
  bool capture_ = false;
  bool mouse_in_control_ = false;
  TMouseEvent on_mouse_down_;
  TNotifyEvent on_click_;
  std::function<void()> repaint_;
};

}  // namespace kb
