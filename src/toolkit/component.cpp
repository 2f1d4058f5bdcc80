#include "toolkit/component.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/text.h"

namespace kb {
namespace {

// Component and property names are identifiers of the form's design: plain ASCII.
bool same_name(std::u16string_view a, std::u16string_view b) {
  return equal_ignoring_ascii_case(a, b);
}

std::u16string quoted(std::u16string_view text) {
  return u"\"" + std::u16string(text) + u"\"";
}

const char16_t* kind_name(PropertyKind kind) {
  switch (kind) {
    case PropertyKind::text:
      return u"text";
    case PropertyKind::integer:
      return u"an integer";
    case PropertyKind::enumeration:
      return u"an enumeration";
  }
  return u"";
}

const PropertyInfo kComponentProperties[] = {
    {.name = u"Name",
     .kind = PropertyKind::text,
     .get_text = [](const Component& c) { return c.Name(); }},
    {.name = u"Tag",
     .kind = PropertyKind::integer,
     .get_ordinal = [](const Component& c) { return c.Tag(); }},
};

}  // namespace

Component::Component(std::u16string class_name, std::u16string name)
    : class_name_(std::move(class_name)), name_(std::move(name)) {}

// The last created goes first, so that nothing outlives what it was created after.
Component::~Component() {
  while (!components_.empty()) {
    std::unique_ptr<Component> last = std::move(components_.back());
    components_.pop_back();
    last.reset();
  }
}

Component* Component::FindComponent(std::u16string_view name) const {
  for (const auto& component : components_) {
    if (!name.empty() && same_name(component->Name(), name)) {
      return component.get();
    }
  }
  return nullptr;
}

void Component::adopt(std::unique_ptr<Component> component) {
  if (FindComponent(component->Name()) != nullptr) {
    throw Error(u"A component named " + quoted(component->Name()) + u" already exists in " +
                quoted(name_) + u".");
  }
  component->owner_ = this;
  Component& adopted_one = *component;
  components_.push_back(std::move(component));
  adopted_one.adopted(*this);
}

void Component::destroy(Component& owned) {
  const auto found = std::find_if(components_.begin(), components_.end(),
                                  [&owned](const auto& c) { return c.get() == &owned; });
  if (found == components_.end()) {
    throw Error(quoted(name_) + u" does not own " + quoted(owned.Name()) + u".");
  }
  std::unique_ptr<Component> gone = std::move(*found);
  components_.erase(found);
  gone.reset();
}

const PropertyInfo* Component::find_in(std::span<const PropertyInfo> table,
                                       std::u16string_view name) {
  for (const PropertyInfo& info : table) {
    if (same_name(info.name, name)) {
      return &info;
    }
  }
  return nullptr;
}

const PropertyInfo* Component::find_property(std::u16string_view name) const {
  return find_in(kComponentProperties, name);
}

std::optional<PropertyKind> Component::property_kind(std::u16string_view name) const {
  const PropertyInfo* info = find_property(name);
  if (info == nullptr) {
    return std::nullopt;
  }
  return info->kind;
}

const PropertyInfo& Component::property(std::u16string_view name) const {
  const PropertyInfo* info = find_property(name);
  if (info == nullptr) {
    throw Error(quoted(name_) + u" (" + class_name_ + u") has no property " + quoted(name) + u".");
  }
  return *info;
}

const PropertyInfo& Component::property(std::u16string_view name, PropertyKind kind) const {
  const PropertyInfo& info = property(name);
  if (info.kind != kind) {
    throw Error(u"The property " + quoted(info.name) + u" of " + quoted(name_) + u" is not " +
                kind_name(kind) + u".");
  }
  return info;
}

std::u16string Component::property_text(std::u16string_view name) const {
  return property(name, PropertyKind::text).get_text(*this);
}

std::u16string Component::property_enumeration(std::u16string_view name) const {
  const PropertyInfo& info = property(name, PropertyKind::enumeration);
  const std::int32_t ordinal = info.get_ordinal(*this);
  if (ordinal < 0 || static_cast<std::size_t>(ordinal) >= info.names.size()) {
    return {};
  }
  return std::u16string(info.names[static_cast<std::size_t>(ordinal)]);
}

std::int32_t Component::property_integer(std::u16string_view name) const {
  const PropertyInfo& info = property(name);
  if (info.kind == PropertyKind::text) {
    throw Error(u"The property " + quoted(info.name) + u" of " + quoted(name_) +
                u" is not an integer.");
  }
  return info.get_ordinal(*this);
}

void Component::set_property_text(std::u16string_view name, std::u16string_view text) {
  const PropertyInfo& info = property(name, PropertyKind::text);
  if (info.set_text == nullptr) {
    throw Error(u"The property " + quoted(info.name) + u" of " + quoted(name_) + u" is read-only.");
  }
  info.set_text(*this, text);
}

}  // namespace kb
