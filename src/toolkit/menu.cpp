#include "toolkit/menu.h"

#include <algorithm>

#include "platform/error.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/image_list.h"
#include "toolkit/ui_platform.h"

namespace kb {
namespace {

constexpr PropertyInfo kMenuItemProperties[] = {
    {.name = u"Caption",
     .kind = PropertyKind::text,
     .get_text = [](const Component& c) { return static_cast<const MenuItem&>(c).Caption(); },
     .set_text = [](Component& c,
                    std::u16string_view text) { static_cast<MenuItem&>(c).SetCaption(text); }},
    boolean_property<MenuItem, &MenuItem::Checked>(u"Checked"),
    boolean_property<MenuItem, &MenuItem::AutoCheck>(u"AutoCheck"),
    boolean_property<MenuItem, &MenuItem::RadioItem>(u"RadioItem"),
    boolean_property<MenuItem, &MenuItem::Enabled>(u"Enabled"),
    boolean_property<MenuItem, &MenuItem::Visible>(u"Visible"),
    integer_property<MenuItem, &MenuItem::GroupIndex>(u"GroupIndex"),
    integer_property<MenuItem, &MenuItem::HelpContext>(u"HelpContext"),
    integer_property<MenuItem, &MenuItem::ImageIndex>(u"ImageIndex"),
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
  const PropertyInfo* info = find_in(kMenuItemProperties, name);
  return info != nullptr ? info : Component::find_property(name);
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

void MenuItem::SetSubMenuImages(ImageList* images) {
  sub_menu_images_ = images;
}

const ImageList* MenuItem::ImageListOfItem() const {
  for (const MenuItem* level = parent_; level != nullptr; level = level->parent_) {
    if (const ImageList* images = level->SubMenuImages()) {
      return images;
    }
    if (level->menu_ != nullptr) {
      return level->menu_->Images();
    }
  }
  return nullptr;
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

PopupMenu* MenuItem::Menu() const {
  const MenuItem* root = this;
  while (root->parent_ != nullptr) {
    root = root->parent_;
  }
  return root->menu_;
}

void MenuItem::Click() {
  if (auto_check_) {
    SetChecked(!checked_);
  }
  if (on_click_) {
    auto handler = on_click_;  // the handler may destroy this item
    handler(*this);
  }
}

PopupMenu::PopupMenu(std::u16string name)
    : Component(u"TPopupMenu", std::move(name)), items_(std::make_unique<MenuItem>(u"")) {
  items_->menu_ = this;
}

void PopupMenu::SetImages(ImageList* images) {
  images_ = images;
}

Application& PopupMenu::application() const {
  for (Component* owner = Owner(); owner != nullptr; owner = owner->Owner()) {
    if (auto* form = dynamic_cast<Form*>(owner)) {
      return form->application();
    }
  }
  if (Application* current = Application::Current()) {
    return *current;
  }
  throw Error(u"The menu \"" + Name() + u"\" cannot open: the program has no user interface.");
}

void PopupMenu::Popup(int x, int y) {
  if (on_popup_) {
    on_popup_(*this);
  }
  if (MenuItem* chosen = application().ui().track_popup_menu(*this, x, y)) {
    chosen->Click();
  }
}

}  // namespace kb
