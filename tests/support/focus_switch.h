#pragma once

#include "widgets/focus_target.h"

namespace kb::test {

// The window system's focus, for tests: one control at a time holds it; a control's
// SetFocus moves it there, as a press inside a control or a Tab would.
class FocusSwitch {
 public:
  void attach(FocusTarget& target) {
    target.SetFocusRequester([this, &target] { focus(target, false); });
  }
  void focus(FocusTarget& target, bool by_left_press) {
    if (focused_ == &target) {
      return;
    }
    leave();
    focused_ = &target;
    target.FocusEnter(by_left_press);
  }
  void leave() {
    if (FocusTarget* old = focused_) {
      focused_ = nullptr;
      old->FocusLeave();
    }
  }
  FocusTarget* focused() const { return focused_; }

 private:
  FocusTarget* focused_ = nullptr;
};

}  // namespace kb::test
