#include "toolkit/control.h"

namespace kb {
namespace {

constexpr PropertyInfo kControlProperties[] = {
    integer_property<Control, &Control::Left>(u"Left"),
    integer_property<Control, &Control::Top>(u"Top"),
    integer_property<Control, &Control::Width>(u"Width"),
    integer_property<Control, &Control::Height>(u"Height"),
    boolean_property<Control, &Control::Visible>(u"Visible"),
    boolean_property<Control, &Control::Enabled>(u"Enabled"),
};

}  // namespace

Control::Control(std::u16string class_name, std::u16string name)
    : Component(std::move(class_name), std::move(name)) {}

const PropertyInfo* Control::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kControlProperties, name);
  return info != nullptr ? info : Component::find_property(name);
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
  notify(ControlChange::bounds);
}

void Control::SetVisible(bool value) {
  if (value != visible_) {
    visible_ = value;
    notify(ControlChange::visible);
  }
}

void Control::SetEnabled(bool value) {
  if (value != enabled_) {
    enabled_ = value;
    notify(ControlChange::enabled);
  }
}

void Control::SetCaption(std::u16string_view value) {
  if (value != caption_) {
    caption_.assign(value);
    notify(ControlChange::text);
  }
}

void Control::notify(ControlChange change) {
  if (observer_ != nullptr) {
    observer_->control_changed(*this, change);
  }
}

}  // namespace kb
