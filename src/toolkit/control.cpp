#include "toolkit/control.h"

namespace kb {
namespace {

const Control& as_control(const Component& c) {
  return static_cast<const Control&>(c);
}

const PropertyInfo kControlProperties[] = {
    {.name = u"Left",
     .kind = PropertyKind::integer,
     .get_ordinal = [](const Component& c) { return as_control(c).Left(); }},
    {.name = u"Top",
     .kind = PropertyKind::integer,
     .get_ordinal = [](const Component& c) { return as_control(c).Top(); }},
    {.name = u"Width",
     .kind = PropertyKind::integer,
     .get_ordinal = [](const Component& c) { return as_control(c).Width(); }},
    {.name = u"Height",
     .kind = PropertyKind::integer,
     .get_ordinal = [](const Component& c) { return as_control(c).Height(); }},
    {.name = u"Visible",
     .kind = PropertyKind::enumeration,
     .get_ordinal = [](const Component& c) { return std::int32_t{as_control(c).Visible()}; },
     .names = kBooleanNames},
    {.name = u"Enabled",
     .kind = PropertyKind::enumeration,
     .get_ordinal = [](const Component& c) { return std::int32_t{as_control(c).Enabled()}; },
     .names = kBooleanNames},
};

}  // namespace

Control::Control(std::u16string class_name, std::u16string name)
    : Component(std::move(class_name), std::move(name)) {}

const PropertyInfo* Control::find_property(std::u16string_view name) const {
  if (const PropertyInfo* info = find_in(kControlProperties, name)) {
    return info;
  }
  return Component::find_property(name);
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
