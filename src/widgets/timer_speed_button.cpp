#include "widgets/timer_speed_button.h"

#include <utility>

namespace kb {

TTimerSpeedButton::TTimerSpeedButton(MessageTimerFactory& timers, bool down_button)
    : timers_(timers), FDownButton(down_button) {}

TTimerSpeedButton::~TTimerSpeedButton() = default;

void TTimerSpeedButton::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  repaint();
}

bool TTimerSpeedButton::ContainsParentPoint(int x, int y) const {
  return x >= left_ && x < left_ + width_ && y >= top_ && y < top_ + height_;
}

void TTimerSpeedButton::SetEnabled(bool value) {
  if (enabled_ != value) {
    enabled_ = value;
    repaint();
  }
}

void TTimerSpeedButton::SetTimeBtnState(TTimeBtnState value) {
  if (FTimeBtnState != value) {
    FTimeBtnState = value;
    repaint();
  }
}

TTimerSpeedButton::Face TTimerSpeedButton::ButtonFace() const {
  if (!enabled_) {
    return Face::disabled;
  }
  if (state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive) {
    return Face::pressed;
  }
  return mouse_in_control_ ? Face::hot : Face::normal;
}

void TTimerSpeedButton::Click() {
  if (on_click_) {
    on_click_(*this);
  }
}

void TTimerSpeedButton::RepeatTick() {
  FRepeatTimer->start(kRepeatPause);
  if (state_ == TButtonState::bsDown && capture_) {
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
    capture_ = true;
  }
  if (on_mouse_down_) {
    on_mouse_down_(*this, button, shift, x, y);
  }
  if (button == MouseButton::left && enabled_) {
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
    capture_ = false;
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
    repaint();
  }
}

void TTimerSpeedButton::MouseLeave() {
  if (mouse_in_control_) {
    mouse_in_control_ = false;
    repaint();
  }
}

void TTimerSpeedButton::CaptureLost() {
  capture_ = false;
  dragging_ = false;
  set_state(TButtonState::bsUp);
  if (FRepeatTimer) {
    FRepeatTimer->stop();
  }
}

void TTimerSpeedButton::set_state(TButtonState state) {
  if (state_ != state) {
    state_ = state;
    repaint();
  }
}

void TTimerSpeedButton::repaint() {
  if (repaint_) {
    repaint_();
  }
}

}  // namespace kb
