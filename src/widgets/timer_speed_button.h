#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/message_timer.h"
#include "toolkit/control.h"
#include "widgets/enum_set.h"

namespace kb {

enum class TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = EnumSet<TTimeBtnStateItem>;

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A push button without keyboard focus of its own that repeats its click while held: 400 ms
// after the press, then every 100 ms. A graphic control: its parent's window draws it,
// forwards the mouse to it in its own coordinates and holds the pointer for it from a left
// press to the release.
class TTimerSpeedButton : public Control {
 public:
  using TNotifyEvent = std::function<void(TTimerSpeedButton& sender)>;
  using TMouseEvent =
      std::function<void(TTimerSpeedButton& sender, MouseButton, ShiftState, int x, int y)>;

  // What the face shows.
  enum class Face { normal, hot, pressed, disabled };

  static constexpr std::uint32_t kInitRepeatPause = 400;
  static constexpr std::uint32_t kRepeatPause = 100;

  TTimerSpeedButton(MessageTimerFactory& timers, bool down_button, std::u16string name = {});
  ~TTimerSpeedButton() override;

  // Whether a point of the parent's client area lies on the button.
  bool ContainsParentPoint(int x, int y) const;

  TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
  void SetTimeBtnState(TTimeBtnState value);
  bool DownButton() const { return FDownButton; }

  TButtonState State() const { return state_; }
  Face ButtonFace() const;
  bool MouseInControl() const { return mouse_in_control_; }
  const MessageTimer* RepeatTimer() const { return FRepeatTimer.get(); }

  void SetOnMouseDown(TMouseEvent handler) { on_mouse_down_ = std::move(handler); }
  void SetOnClick(TNotifyEvent handler) { on_click_ = std::move(handler); }

  // Raises the click event.
  void Click() override;
  // The repeat timer's handler.
  void RepeatTick();

  // --- Entry points, in the button's own coordinates ---
  void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
  void MouseMove(ShiftState shift, int x, int y) override;
  void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // The parent lost the pointer capture while the button was held: no click follows.
  void CaptureLost() override;

 private:
  bool inside(int x, int y) const { return x >= 0 && x < Width() && y >= 0 && y <= Height(); }
  void set_state(TButtonState state);

  MessageTimerFactory& timers_;
  std::unique_ptr<MessageTimer> FRepeatTimer;
  TTimeBtnState FTimeBtnState{TTimeBtnStateItem::tbAllowTimer};
  bool FDownButton;
  TButtonState state_ = TButtonState::bsUp;
  bool dragging_ = false;
  bool mouse_in_control_ = false;
  TMouseEvent on_mouse_down_;
  TNotifyEvent on_click_;
};

}  // namespace kb
