#include "toolkit/standard_controls.h"

#include <utility>

namespace kb {
namespace {

constexpr PropertyInfo kLabelProperties[] = {
    kCaptionProperty,
    boolean_property<Label, &Label::AutoSize>(u"AutoSize"),
};

constexpr PropertyInfo kButtonProperties[] = {kCaptionProperty};

constexpr PropertyInfo kCheckBoxProperties[] = {
    kCaptionProperty,
    boolean_property<CheckBox, &CheckBox::Checked>(u"Checked"),
};

}  // namespace

const PropertyInfo* Label::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kLabelProperties, name);
  return info != nullptr ? info : Control::find_property(name);
}

void Label::SetAutoSize(bool value) {
  if (value != auto_size_) {
    auto_size_ = value;
    changed(ControlChange::state);
  }
}

Button::Button(std::u16string name) : Control(u"TButton", std::move(name)) {
  SetTabStop(true);
}

const PropertyInfo* Button::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kButtonProperties, name);
  return info != nullptr ? info : Control::find_property(name);
}

void Button::SetDefault(bool value) {
  if (value != default_) {
    default_ = value;
    changed(ControlChange::state);
  }
}

CheckBox::CheckBox(std::u16string name) : Control(u"TCheckBox", std::move(name)) {
  SetTabStop(true);
}

const PropertyInfo* CheckBox::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kCheckBoxProperties, name);
  return info != nullptr ? info : Control::find_property(name);
}

void CheckBox::SetChecked(bool value) {
  if (value != checked_) {
    checked_ = value;
    changed(ControlChange::state);
    Control::Click();
  }
}

void CheckBox::Click() {
  SetChecked(!checked_);
}

void Bevel::SetShape(Shape value) {
  if (value != shape_) {
    shape_ = value;
    changed(ControlChange::state);
  }
}

void Image::SetPicture(TBitmap32 picture) {
  picture_ = std::move(picture);
  icon_ = TIcon();
  changed(ControlChange::state);
  fit_picture();
}

void Image::SetIcon(TIcon icon) {
  const TBitmap32* shown = icon.picture_for(Width() > 0 ? Width() : 16);
  picture_ = shown != nullptr ? *shown : TBitmap32();
  icon_ = std::move(icon);
  changed(ControlChange::state);
  fit_picture();
}

void Image::SetAutoSize(bool value) {
  auto_size_ = value;
  fit_picture();
}

void Image::fit_picture() {
  if (auto_size_ && !picture_.empty()) {
    SetBounds(Left(), Top(), picture_.width(), picture_.height());
  }
}

}  // namespace kb
