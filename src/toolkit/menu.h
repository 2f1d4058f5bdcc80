#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/component.h"

namespace kb {

class Application;
class ImageList;
class PopupMenu;

// An entry of a menu ("TMenuItem"), or the root of one. Which menu an item appears in (its
// parent) is apart from who owns it: the form owns the items of its menus, and an item may own
// the entries of its own submenu. A caption of "-" makes the item a separator. Publishes
// "Caption", "Checked", "AutoCheck", "RadioItem", "Enabled", "Visible", "GroupIndex",
// "HelpContext" and "ImageIndex".
class MenuItem : public Component {
 public:
  using ClickHandler = std::function<void(MenuItem& sender)>;

  explicit MenuItem(std::u16string name) : Component(u"TMenuItem", std::move(name)) {}
  // Leaves its parent's submenu; its own entries are left without a parent.
  ~MenuItem() override;

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string_view value) { caption_.assign(value); }
  bool IsSeparator() const { return caption_ == u"-"; }

  // Checking a radio item clears the other radio items of its group in the same submenu.
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  // Choosing the item inverts its check mark before its handler runs.
  bool AutoCheck() const { return auto_check_; }
  void SetAutoCheck(bool value) { auto_check_ = value; }
  bool RadioItem() const { return radio_item_; }
  void SetRadioItem(bool value) { radio_item_ = value; }
  std::int32_t GroupIndex() const { return group_index_; }
  void SetGroupIndex(std::int32_t value) { group_index_ = value; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  std::int32_t HelpContext() const { return help_context_; }
  void SetHelpContext(std::int32_t value) { help_context_ = value; }
  // A picture of the item's image list, or -1 for none.
  std::int32_t ImageIndex() const { return image_index_; }
  void SetImageIndex(std::int32_t value) { image_index_ = value; }
  // The pictures of this item's submenu; without them its entries use those of the menus
  // above, up to the popup menu's Images.
  ImageList* SubMenuImages() const { return sub_menu_images_.get(); }
  void SetSubMenuImages(ImageList* images);
  // Where this item's ImageIndex points: its parent's submenu images, or those further up.
  const ImageList* ImageListOfItem() const;

  const ClickHandler& OnClick() const { return on_click_; }
  void SetOnClick(ClickHandler handler) { on_click_ = std::move(handler); }

  // The submenu: items in menu order.
  MenuItem* Parent() const { return parent_; }
  std::size_t Count() const { return items_.size(); }
  MenuItem& Items(std::size_t index) const { return *items_.at(index); }
  // Appends `item` to this submenu, taking it out of the one it was in.
  void Add(MenuItem& item);
  void Remove(MenuItem& item);
  // The popup menu whose tree holds this item, or null.
  PopupMenu* Menu() const;

  // The user chose the item: its check mark is inverted when it has AutoCheck, then a copy of
  // its handler runs, so that the handler may destroy the item.
  void Click();

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override;

 private:
  friend class PopupMenu;

  std::u16string caption_;
  bool checked_ = false;
  bool auto_check_ = false;
  bool radio_item_ = false;
  std::int32_t group_index_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  std::int32_t help_context_ = 0;
  std::int32_t image_index_ = -1;
  ComponentRef<ImageList> sub_menu_images_;
  ClickHandler on_click_;
  MenuItem* parent_ = nullptr;
  std::vector<MenuItem*> items_;
  PopupMenu* menu_ = nullptr;  // set on a popup menu's root only
};

// A menu that opens at a point of the screen ("TPopupMenu"). It shows no text of its own.
class PopupMenu : public Component {
 public:
  using NotifyEvent = std::function<void(PopupMenu& sender)>;

  explicit PopupMenu(std::u16string name);

  // The root whose submenu is the menu.
  MenuItem& Items() const { return *items_; }

  // The pictures of the items' ImageIndex.
  ImageList* Images() const { return images_.get(); }
  void SetImages(ImageList* images);
  // Whether the menu opens by itself on a right click of the control it belongs to.
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool value) { auto_popup_ = value; }
  // The component whose menu it was opened as, for the handlers to ask.
  Component* PopupComponent() const { return popup_component_.get(); }
  void SetPopupComponent(Component* component) { popup_component_ = component; }
  void SetOnPopup(NotifyEvent handler) { on_popup_ = std::move(handler); }

  // Opens the menu with its top left corner at the screen point (x, y) and waits until it
  // closes; then the chosen item's Click() runs.
  void Popup(int x, int y);

 private:
  Application& application() const;

  std::unique_ptr<MenuItem> items_;
  ComponentRef<ImageList> images_;
  bool auto_popup_ = true;
  ComponentRef<Component> popup_component_;
  NotifyEvent on_popup_;
};

}  // namespace kb
