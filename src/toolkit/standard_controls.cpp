#include "toolkit/standard_controls.h"

namespace kb {
namespace {

constexpr PropertyInfo kLabelProperties[] = {
    kCaptionProperty,
    {.name = u"AutoSize",
     .kind = PropertyKind::enumeration,
     .get_ordinal =
         [](const Component& c) { return std::int32_t{static_cast<const Label&>(c).AutoSize()}; },
     .names = kBooleanNames},
};

constexpr PropertyInfo kButtonProperties[] = {kCaptionProperty};

constexpr PropertyInfo kCheckBoxProperties[] = {
    kCaptionProperty,
    {.name = u"Checked",
     .kind = PropertyKind::enumeration,
     .get_ordinal =
         [](const Component& c) { return std::int32_t{static_cast<const CheckBox&>(c).Checked()}; },
     .names = kBooleanNames},
};

}  // namespace

const PropertyInfo* Label::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kLabelProperties, name);
  return info != nullptr ? info : Control::find_property(name);
}

const PropertyInfo* Button::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kButtonProperties, name);
  return info != nullptr ? info : Control::find_property(name);
}

const PropertyInfo* CheckBox::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kCheckBoxProperties, name);
  return info != nullptr ? info : Control::find_property(name);
}

}  // namespace kb
