#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/component.h"
#include "toolkit/control_peer.h"
#include "toolkit/input.h"

namespace kb {

class Form;

// A component that is shown: its place in its parent (in the parent's client pixels), whether
// it is visible and takes input, its text, its place in the tab order and the keyboard focus.
// All behaviour and state live here; a peer (its native window) mirrors what changed and
// feeds the user's input back through the entry points below. Setters store only a real
// change and tell the peer before they return.
//
// A windowed control can hold the focus and has a place in its parent's tab order; a graphic
// one (a label, a bevel, an arrow button) is drawn inside its parent and has neither.
//
// Publishes "Left", "Top", "Width", "Height", "Visible", "Enabled" and "TabOrder"; each class
// that shows its text publishes it as "Caption".
class Control : public Component {
 public:
  using NotifyEvent = std::function<void(Control& sender)>;

  ~Control() override;

  // --- Place and size ---
  std::int32_t Left() const { return left_; }
  std::int32_t Top() const { return top_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  void SetLeft(std::int32_t value) { SetBounds(value, top_, width_, height_); }
  void SetTop(std::int32_t value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(std::int32_t value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(std::int32_t value) { SetBounds(left_, top_, width_, value); }
  virtual void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height);
  // The area inside the control's frame, where its children lie.
  virtual std::int32_t ClientWidth() const { return width_; }
  virtual std::int32_t ClientHeight() const { return height_; }

  // --- Parent: the control this one is shown in ---
  // A control created by another control is shown in it until told otherwise.
  Control* Parent() const { return parent_; }
  void SetParent(Control* parent);
  // The controls shown in this one, in the order they joined it.
  std::size_t ControlCount() const { return controls_.size(); }
  Control& Controls(std::size_t index) const { return *controls_.at(index); }
  // The form this control is on (a form is on itself), or null.
  Form* ParentForm();

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  // Visible, and so is every parent.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string_view value);

  // --- Keyboard focus and tab order ---
  bool Windowed() const { return windowed_; }
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool value) { tab_stop_ = value; }
  // The place among the parent's windowed controls, from 0; -1 for a graphic control or one
  // without a parent. Setting it moves the control there and the others after it.
  std::int32_t TabOrder() const;
  void SetTabOrder(std::int32_t value);
  // The parent's windowed controls in tab order.
  const std::vector<Control*>& TabList() const { return tab_list_; }
  // Windowed, and enabled and visible up to its form.
  bool CanFocus() const;
  bool Focused() const { return focused_; }
  // Asks the window system for the focus; it arrives through FocusEnter.
  void SetFocus();

  // --- Pointer ---
  // Holds the pointer, so that moves and the release arrive wherever it goes.
  bool MouseCapture() const { return capture_; }
  void SetMouseCapture(bool value);

  // Draws the control anew: its own window, or its parent's where it is drawn.
  virtual void Invalidate();

  const NotifyEvent& OnClick() const { return on_click_; }
  void SetOnClick(NotifyEvent handler) { on_click_ = std::move(handler); }

  // --- Entry points for the peer: the user's input ---
  // The focus arrived (`by_left_press`: through a left-button press inside the control) or left.
  virtual void FocusEnter(bool by_left_press);
  virtual void FocusLeave();
  virtual void KeyDown(std::uint16_t key, ShiftState shift);
  virtual void KeyPress(char16_t ch);
  virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y);
  virtual void MouseMove(ShiftState shift, int x, int y);
  virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // The window lost the pointer it held (another window took it).
  virtual void CaptureLost();
  // The user clicked the control (a button pressed, a check box toggled): OnClick.
  virtual void Click();

  // --- The peer ---
  ControlPeer* Peer() const { return peer_.get(); }
  bool HandleAllocated() const { return peer_ != nullptr; }
  void AttachPeer(std::unique_ptr<ControlPeer> peer);
  // Destroys the peers of the controls inside this one, then its own.
  void DestroyPeers();

 protected:
  Control(std::u16string class_name, std::u16string name, bool windowed = true);

  void adopted(Component& owner) override;
  const PropertyInfo* find_property(std::u16string_view name) const override;

  // Tells the peer; a graphic control has its parent drawn anew.
  void changed(ControlChange change);

 private:
  void remove_control(Control& control);
  void forget_focus();

  std::int32_t left_ = 0;
  std::int32_t top_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool windowed_;
  bool tab_stop_ = false;
  bool focused_ = false;
  bool capture_ = false;
  std::u16string caption_;
  Control* parent_ = nullptr;
  std::vector<Control*> controls_;
  std::vector<Control*> tab_list_;
  NotifyEvent on_click_;
  std::unique_ptr<ControlPeer> peer_;
};

// The "Caption" entry for the tables of the classes that publish it.
inline constexpr PropertyInfo kCaptionProperty = {
    .name = u"Caption",
    .kind = PropertyKind::text,
    .get_text = [](const Component& c) { return static_cast<const Control&>(c).Caption(); },
    .set_text = [](Component& c,
                   std::u16string_view text) { static_cast<Control&>(c).SetCaption(text); }};

}  // namespace kb
