#include "toolkit/form.h"

namespace kb {
namespace {

constexpr PropertyInfo kFormProperties[] = {
    kCaptionProperty,
    {.name = u"AutoSize",
     .kind = PropertyKind::enumeration,
     .get_ordinal = [](const Component&) { return std::int32_t{0}; },
     .names = kBooleanNames},
};

}  // namespace

const PropertyInfo* Form::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kFormProperties, name);
  return info != nullptr ? info : Control::find_property(name);
}

}  // namespace kb
