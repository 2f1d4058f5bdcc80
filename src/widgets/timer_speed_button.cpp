#include "widgets/timer_speed_button.h"

#include <utility>

namespace kb {

TTimerSpeedButton::TTimerSpeedButton(MessageTimerFactory& timers, bool down_button,
                                     std::u16string name)
    : Control(u"TTimerSpeedButton", std::move(name), false),
      timers_(timers),
      FDownButton(down_button) {}

TTimerSpeedButton::~TTimerSpeedButton() = default;

bool TTimerSpeedButton::ContainsParentPoint(int x, int y) const {
  return x >= Left() && x < Left() + Width() && y >= Top() && y < Top() + Height();
}

void TTimerSpeedButton::SetTimeBtnState(TTimeBtnState value) {
  if (FTimeBtnState != value) {
    FTimeBtnState = value;
    Invalidate();
  }
}

TTimerSpeedButton::Face TTimerSpeedButton::ButtonFace() const {
  if (!Enabled()) {
    return Face::disabled;
  }
  if (state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive) {
    return Face::pressed;
  }
  return mouse_in_control_ ? Face::hot : Face::normal;
}

void TTimerSpeedButton::Click() {
  if (on_click_) {
    auto handler = on_click_;  // the handler may destroy the button with its edit
    handler(*this);
  }
}

void TTimerSpeedButton::RepeatTick() {
  FRepeatTimer->start(kRepeatPause);
  if (state_ == TButtonState::bsDown && MouseCapture()) {
    try {
      Click();
    } catch (...) {
      FRepeatTimer->stop();
      throw;
    }
  }
}

void TTimerSpeedButton::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (button == MouseButton::left) {
    SetMouseCapture(true);
  }
  if (on_mouse_down_) {
    on_mouse_down_(*this, button, shift, x, y);
  }
  if (button == MouseButton::left && Enabled()) {
    set_state(TButtonState::bsDown);
    dragging_ = true;
  }
  if (FTimeBtnState.contains(TTimeBtnStateItem::tbAllowTimer)) {
    if (!FRepeatTimer) {
      FRepeatTimer = timers_.create_timer([this] { RepeatTick(); });
    }
    FRepeatTimer->start(kInitRepeatPause);
  }
}

void TTimerSpeedButton::MouseMove(ShiftState, int x, int y) {
  if (dragging_) {
    set_state(inside(x, y) ? TButtonState::bsDown : TButtonState::bsUp);
  }
}

void TTimerSpeedButton::MouseUp(MouseButton button, ShiftState, int x, int y) {
  if (button == MouseButton::left) {
    SetMouseCapture(false);
  }
  // The timer stops even when the click's handler fails.
  struct StopTimer {
    TTimerSpeedButton& button;
    ~StopTimer() {
      if (button.FRepeatTimer) {
        button.FRepeatTimer->stop();
      }
    }
  } stop_timer{*this};
  if (dragging_) {
    dragging_ = false;
    set_state(TButtonState::bsUp);
    if (inside(x, y)) {
      Click();
    }
  }
}

void TTimerSpeedButton::MouseEnter() {
  if (!mouse_in_control_) {
    mouse_in_control_ = true;
    Invalidate();
  }
}

void TTimerSpeedButton::MouseLeave() {
  if (mouse_in_control_) {
    mouse_in_control_ = false;
    Invalidate();
  }
}

void TTimerSpeedButton::CaptureLost() {
  Control::CaptureLost();
  dragging_ = false;
  set_state(TButtonState::bsUp);
  if (FRepeatTimer) {
    FRepeatTimer->stop();
  }
}

void TTimerSpeedButton::set_state(TButtonState state) {
  if (state_ != state) {
    state_ = state;
    Invalidate();
  }
}

}  // namespace kb
