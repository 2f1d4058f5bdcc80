#include "toolkit/control.h"

#include <algorithm>

#include "platform/error.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/ui_platform.h"

namespace kb {
namespace {

constexpr PropertyInfo kControlProperties[] = {
    integer_property<Control, &Control::Left>(u"Left"),
    integer_property<Control, &Control::Top>(u"Top"),
    integer_property<Control, &Control::Width>(u"Width"),
    integer_property<Control, &Control::Height>(u"Height"),
    boolean_property<Control, &Control::Visible>(u"Visible"),
    boolean_property<Control, &Control::Enabled>(u"Enabled"),
    integer_property<Control, &Control::TabOrder>(u"TabOrder"),
};

}  // namespace

Control::Control(std::u16string class_name, std::u16string name, bool windowed)
    : Component(std::move(class_name), std::move(name)), windowed_(windowed) {}

Control::~Control() {
  DestroyPeers();
  for (Control* control : controls_) {
    control->parent_ = nullptr;
  }
  if (parent_ != nullptr) {
    forget_focus();
    parent_->remove_control(*this);
  }
}

const PropertyInfo* Control::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kControlProperties, name);
  return info != nullptr ? info : Component::find_property(name);
}

void Control::adopted(Component& owner) {
  if (parent_ == nullptr) {
    if (auto* control = dynamic_cast<Control*>(&owner)) {
      SetParent(control);
    }
  }
}

void Control::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                        std::int32_t height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) {
    return;
  }
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  changed(ControlChange::bounds);
}

void Control::SetParent(Control* parent) {
  if (parent == parent_) {
    return;
  }
  for (const Control* p = parent; p != nullptr; p = p->parent_) {
    if (p == this) {
      throw Error(u"A control cannot be shown inside itself.");
    }
  }
  if (parent_ != nullptr) {
    DestroyPeers();  // its window lives inside the old parent's
    forget_focus();
    parent_->remove_control(*this);
  }
  parent_ = parent;
  if (parent_ == nullptr) {
    return;
  }
  parent_->controls_.push_back(this);
  if (windowed_) {
    parent_->tab_list_.push_back(this);
  }
  if (parent_->HandleAllocated()) {
    if (Form* form = ParentForm()) {
      form->application().ui().create_peers(*this);
    }
  }
}

void Control::remove_control(Control& control) {
  std::erase(controls_, &control);
  std::erase(tab_list_, &control);
}

Form* Control::ParentForm() {
  for (Control* c = this; c != nullptr; c = c->parent_) {
    if (auto* form = dynamic_cast<Form*>(c)) {
      return form;
    }
  }
  return nullptr;
}

void Control::forget_focus() {
  if (Form* form = ParentForm(); form != nullptr && form != this) {
    form->control_leaving(*this);
  }
}

void Control::SetVisible(bool value) {
  if (value != visible_) {
    visible_ = value;
    changed(ControlChange::visible);
  }
}

bool Control::Showing() const {
  return visible_ && (parent_ == nullptr || parent_->Showing());
}

void Control::SetEnabled(bool value) {
  if (value != enabled_) {
    enabled_ = value;
    changed(ControlChange::enabled);
  }
}

void Control::SetCaption(std::u16string_view value) {
  if (value != caption_) {
    caption_.assign(value);
    changed(ControlChange::text);
  }
}

std::int32_t Control::TabOrder() const {
  if (!windowed_ || parent_ == nullptr) {
    return -1;
  }
  const auto& list = parent_->tab_list_;
  return static_cast<std::int32_t>(std::find(list.begin(), list.end(), this) - list.begin());
}

void Control::SetTabOrder(std::int32_t value) {
  if (!windowed_ || parent_ == nullptr) {
    return;
  }
  auto& list = parent_->tab_list_;
  const auto last = static_cast<std::int32_t>(list.size()) - 1;
  const std::int32_t wanted = std::clamp(value, 0, last);
  if (wanted == TabOrder()) {
    return;
  }
  std::erase(list, this);
  list.insert(list.begin() + wanted, this);
  changed(ControlChange::tab_order);
}

bool Control::CanFocus() const {
  if (!windowed_) {
    return false;
  }
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_ || !c->enabled_) {
      return false;
    }
  }
  return true;
}

void Control::SetFocus() {
  if (peer_ != nullptr && CanFocus()) {
    peer_->set_focus();
  }
}

void Control::SetMouseCapture(bool value) {
  if (value != capture_) {
    capture_ = value;
    if (peer_ != nullptr) {
      peer_->set_capture(value);
    }
  }
}

void Control::Invalidate() {
  if (peer_ != nullptr) {
    peer_->invalidate();
  } else if (!windowed_ && parent_ != nullptr) {
    parent_->Invalidate();
  }
}

void Control::FocusEnter(bool) {
  focused_ = true;
  if (Form* form = ParentForm(); form != nullptr && form != this) {
    form->control_focused(*this);
  }
}

void Control::FocusLeave() {
  focused_ = false;
}

void Control::KeyDown(std::uint16_t, ShiftState) {}

void Control::KeyPress(char16_t) {}

void Control::MouseDown(MouseButton, ShiftState, int, int) {}

void Control::MouseMove(ShiftState, int, int) {}

void Control::MouseUp(MouseButton, ShiftState, int, int) {}

void Control::CaptureLost() {
  capture_ = false;
}

void Control::Click() {
  if (on_click_) {
    auto handler = on_click_;  // the handler may destroy the control
    handler(*this);
  }
}

void Control::AttachPeer(std::unique_ptr<ControlPeer> peer) {
  peer_.reset();
  peer_ = std::move(peer);
}

void Control::DestroyPeers() {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    (*it)->DestroyPeers();
  }
  if (peer_ != nullptr) {
    peer_.reset();
    focused_ = false;
    capture_ = false;
  }
}

void Control::changed(ControlChange change) {
  if (peer_ != nullptr) {
    peer_->changed(change);
  } else if (!windowed_ && parent_ != nullptr) {
    parent_->Invalidate();  // a graphic control is drawn by its parent
  }
}

}  // namespace kb
