#include "toolkit/menu.h"

#include <algorithm>

namespace kb {
namespace {

const MenuItem& as_item(const Component& c) {
  return static_cast<const MenuItem&>(c);
}

std::int32_t ordinal(bool value) {
  return value ? 1 : 0;
}

constexpr PropertyInfo kMenuItemProperties[] = {
    {.name = u"Caption",
     .kind = PropertyKind::text,
     .get_text = [](const Component& c) { return as_item(c).Caption(); },
     .set_text = [](Component& c,
                    std::u16string_view text) { static_cast<MenuItem&>(c).SetCaption(text); }},
    {.name = u"Checked",
     .kind = PropertyKind::enumeration,
     .get_ordinal = [](const Component& c) { return ordinal(as_item(c).Checked()); },
     .names = kBooleanNames},
    {.name = u"AutoCheck",
     .kind = PropertyKind::enumeration,
     .get_ordinal = [](const Component& c) { return ordinal(as_item(c).AutoCheck()); },
     .names = kBooleanNames},
    {.name = u"RadioItem",
     .kind = PropertyKind::enumeration,
     .get_ordinal = [](const Component& c) { return ordinal(as_item(c).RadioItem()); },
     .names = kBooleanNames},
    {.name = u"Enabled",
     .kind = PropertyKind::enumeration,
     .get_ordinal = [](const Component& c) { return ordinal(as_item(c).Enabled()); },
     .names = kBooleanNames},
    {.name = u"Visible",
     .kind = PropertyKind::enumeration,
     .get_ordinal = [](const Component& c) { return ordinal(as_item(c).Visible()); },
     .names = kBooleanNames},
    {.name = u"GroupIndex",
     .kind = PropertyKind::integer,
     .get_ordinal = [](const Component& c) { return as_item(c).GroupIndex(); }},
    {.name = u"HelpContext",
     .kind = PropertyKind::integer,
     .get_ordinal = [](const Component& c) { return as_item(c).HelpContext(); }},
    {.name = u"ImageIndex",
     .kind = PropertyKind::integer,
     .get_ordinal = [](const Component& c) { return as_item(c).ImageIndex(); }},
};

}  // namespace

MenuItem::~MenuItem() {
  for (MenuItem* item : items_) {
    item->parent_ = nullptr;
  }
  if (parent_ != nullptr) {
    parent_->Remove(*this);
  }
}

const PropertyInfo* MenuItem::find_property(std::u16string_view name) const {
  if (const PropertyInfo* info = find_in(kMenuItemProperties, name)) {
    return info;
  }
  return Component::find_property(name);
}

void MenuItem::SetChecked(bool value) {
  checked_ = value;
  if (value && radio_item_ && parent_ != nullptr) {
    for (MenuItem* other : parent_->items_) {
      if (other != this && other->radio_item_ && other->group_index_ == group_index_) {
        other->checked_ = false;
      }
    }
  }
}

void MenuItem::Add(MenuItem& item) {
  if (item.parent_ != nullptr) {
    item.parent_->Remove(item);
  }
  item.parent_ = this;
  items_.push_back(&item);
}

void MenuItem::Remove(MenuItem& item) {
  if (item.parent_ == this) {
    std::erase(items_, &item);
    item.parent_ = nullptr;
  }
}

void MenuItem::Click() {
  if (auto_check_) {
    SetChecked(!checked_);
  }
  if (on_click_) {
    on_click_(*this);
  }
}

PopupMenu::PopupMenu(std::u16string name)
    : Component(u"TPopupMenu", std::move(name)), items_(std::make_unique<MenuItem>(u"")) {}

}  // namespace kb
