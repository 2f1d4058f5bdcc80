#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kb {

class Component;

// How a published property's value is read and written.
enum class PropertyKind {
  text,        // read and written as text
  integer,     // a 32-bit integer
  enumeration  // one of named values, such as a Boolean's "False" and "True"
};

// One published property of a component class: its name and how to reach its value.
struct PropertyInfo {
  std::u16string_view name;
  PropertyKind kind;
  // text: the value.
  std::u16string (*get_text)(const Component&) = nullptr;
  // integer: the value; enumeration: the position of the value among `names`.
  std::int32_t (*get_ordinal)(const Component&) = nullptr;
  // text; null when the property is read-only.
  void (*set_text)(Component&, std::u16string_view) = nullptr;
  // enumeration: the names of the values, in order.
  std::span<const std::u16string_view> names = {};
};

// The names of a Boolean property's values.
inline constexpr std::u16string_view kBooleanNames[] = {u"False", u"True"};

// Table entries for read-only properties of class C, read through its getter.
template <typename C, bool (C::*Get)() const>
constexpr PropertyInfo boolean_property(std::u16string_view name) {
  return {.name = name,
          .kind = PropertyKind::enumeration,
          .get_ordinal = [](const Component& c) -> std::int32_t {
            return (static_cast<const C&>(c).*Get)() ? 1 : 0;
          },
          .names = kBooleanNames};
}
template <typename C, std::int32_t (C::*Get)() const>
constexpr PropertyInfo integer_property(std::u16string_view name) {
  return {.name = name, .kind = PropertyKind::integer, .get_ordinal = [](const Component& c) {
            return (static_cast<const C&>(c).*Get)();
          }};
}

// A part of a form: named, of a class, marked by an integer `Tag`, owned by another component
// (or by no one, as a form is) and owning components of its own, which it destroys with
// itself. Its published properties are reachable by name, as a form's translation needs them.
class Component {
 public:
  virtual ~Component();

  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::u16string& Name() const { return name_; }
  // The class name as the form's design knows it, such as "TButton".
  const std::u16string& ClassName() const { return class_name_; }

  std::int32_t Tag() const { return tag_; }
  void SetTag(std::int32_t value) { tag_ = value; }

  Component* Owner() const { return owner_; }
  // The components this one owns, in the order they were created.
  std::size_t ComponentCount() const { return components_.size(); }
  Component& Components(std::size_t index) const { return *components_.at(index); }
  // The owned component of that name (letter case ignored), or null.
  Component* FindComponent(std::u16string_view name) const;

  // Creates a component owned by this one, after the ones it owns already. Throws kb::Error
  // when this one already owns a component of the same name.
  template <typename T, typename... Args>
  T& create(Args&&... args) {
    auto component = std::make_unique<T>(std::forward<Args>(args)...);
    T& created = *component;
    adopt(std::move(component));
    return created;
  }
  // Destroys a component this one owns.
  void destroy(Component& owned);

  // Expires when the component is destroyed, for those that refer to it without owning it.
  std::weak_ptr<const void> Lifetime() const { return lifetime_; }

  // Published properties; names are matched without regard to letter case. Every accessor but
  // the first two throws kb::Error when the property is missing or of another kind.
  bool has_property(std::u16string_view name) const { return find_property(name) != nullptr; }
  std::optional<PropertyKind> property_kind(std::u16string_view name) const;
  std::u16string property_text(std::u16string_view name) const;
  // The name of an enumeration's value.
  std::u16string property_enumeration(std::u16string_view name) const;
  // An integer, or the position of an enumeration's value.
  std::int32_t property_integer(std::u16string_view name) const;
  void set_property_text(std::u16string_view name, std::u16string_view text);

 protected:
  Component(std::u16string class_name, std::u16string name);

  // Told once this component has an owner.
  virtual void adopted(Component& owner) { static_cast<void>(owner); }

  // The class's own property of that name, else its base class's; null when there is none.
  // Each class that publishes properties overrides it.
  virtual const PropertyInfo* find_property(std::u16string_view name) const;
  // Finds `name` in one class's table.
  static const PropertyInfo* find_in(std::span<const PropertyInfo> table, std::u16string_view name);

 private:
  void adopt(std::unique_ptr<Component> component);
  const PropertyInfo& property(std::u16string_view name, PropertyKind kind) const;
  const PropertyInfo& property(std::u16string_view name) const;

  std::u16string class_name_;
  std::u16string name_;
  std::int32_t tag_ = 0;
  Component* owner_ = nullptr;
  std::vector<std::unique_ptr<Component>> components_;
  std::shared_ptr<const void> lifetime_ = std::make_shared<int>(0);
};

// A component referred to but not owned: reads as null once the component is destroyed.
template <typename T>
class ComponentRef {
 public:
  ComponentRef() = default;
  // NOLINTNEXTLINE(google-explicit-constructor): it stands for the pointer it holds
  ComponentRef(T* component)
      : component_(component),
        lifetime_(component != nullptr ? component->Lifetime() : std::weak_ptr<const void>()) {}

  T* get() const { return lifetime_.expired() ? nullptr : component_; }

 private:
  T* component_ = nullptr;
  std::weak_ptr<const void> lifetime_;
};

}  // namespace kb
