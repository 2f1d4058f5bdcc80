#pragma once

#include <functional>
#include <memory>

namespace kb {

// A control that can hold the keyboard focus. The window system decides where the focus is:
// SetFocus only asks it, through the focus requester, and the focus then arrives through
// FocusEnter, as it leaves through FocusLeave.
class FocusTarget {
 public:
  FocusTarget() = default;
  virtual ~FocusTarget() = default;
  FocusTarget(const FocusTarget&) = delete;
  FocusTarget& operator=(const FocusTarget&) = delete;

  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool value) { tab_stop_ = value; }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value) { enabled_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  bool CanFocus() const { return enabled_ && visible_; }
  bool Focused() const { return focused_; }

  void SetFocus() {
    if (focus_requester_) {
      focus_requester_();
    }
  }
  void SetFocusRequester(std::function<void()> requester) {
    focus_requester_ = std::move(requester);
  }

  // Entry points for the window: the focus arrived (`by_left_press`: through a left-button
  // press inside this control) or left.
  virtual void FocusEnter(bool by_left_press) {
    static_cast<void>(by_left_press);
    focused_ = true;
  }
  virtual void FocusLeave() { focused_ = false; }

  // Expires when the control is destroyed, for those that refer to it without owning it.
  std::weak_ptr<const void> Lifetime() const { return lifetime_; }

 private:
  bool tab_stop_ = true;
  bool enabled_ = true;
  bool visible_ = true;
  bool focused_ = false;
  std::function<void()> focus_requester_;
  std::shared_ptr<const void> lifetime_ = std::make_shared<int>(0);
};

}  // namespace kb
