#include "platform/win32/popup_menus.h"

#include <vector>

#include "platform/error.h"
#include "platform/win32/pictures.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "toolkit/image_list.h"
#include "toolkit/menu.h"

namespace kb::win32 {
namespace {

// What one presentation of a menu holds until the menu closes.
struct Presentation {
  std::vector<MenuItem*> commands;  // command id n is commands[n - 1]
  std::vector<UniqueBitmap> pictures;
};

HBITMAP picture_of(const MenuItem& item, Presentation& shown) {
  const ImageList* images = item.ImageListOfItem();
  const std::int32_t index = item.ImageIndex();
  if (images == nullptr || index < 0 || static_cast<std::size_t>(index) >= images->Count()) {
    return nullptr;
  }
  shown.pictures.push_back(premultiplied_bitmap(images->Picture(static_cast<std::size_t>(index))));
  return shown.pictures.back().get();
}

void fill(HMENU target, const MenuItem& parent, Presentation& shown) {
  UINT position = 0;
  for (std::size_t i = 0; i < parent.Count(); ++i) {
    MenuItem& item = parent.Items(i);
    if (!item.Visible()) {
      continue;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    if (item.IsSeparator()) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
      info.fType = item.RadioItem() ? MFT_RADIOCHECK : MFT_STRING;
      info.fState = (item.Checked() ? MFS_CHECKED : MFS_UNCHECKED) |
                    (item.Enabled() ? MFS_ENABLED : MFS_DISABLED);
      shown.commands.push_back(&item);
      info.wID = static_cast<UINT>(shown.commands.size());
      info.dwTypeData = const_cast<wchar_t*>(wide(item.Caption()));
      if (HBITMAP picture = picture_of(item, shown)) {
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = picture;
      }
      if (item.Count() > 0) {
        UniqueMenu submenu(CreatePopupMenu());
        if (!submenu) {
          throw Error(u"Cannot make a menu.");
        }
        fill(submenu.get(), item, shown);
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = submenu.get();
        if (!InsertMenuItemW(target, position, TRUE, &info)) {
          throw Error(u"Cannot make a menu.");
        }
        submenu.release();  // the parent menu destroys it now
        ++position;
        continue;
      }
    }
    if (!InsertMenuItemW(target, position, TRUE, &info)) {
      throw Error(u"Cannot make a menu.");
    }
    ++position;
  }
}

}  // namespace

MenuItem* track_popup_menu(PopupMenu& menu, int x, int y, HWND owner) {
  Presentation shown;
  const UniqueMenu popup(CreatePopupMenu());
  if (!popup) {
    throw Error(u"Cannot make a menu.");
  }
  fill(popup.get(), menu.Items(), shown);
  SetForegroundWindow(owner);
  const BOOL chosen =
      TrackPopupMenuEx(popup.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       x, y, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  if (chosen <= 0 || static_cast<std::size_t>(chosen) > shown.commands.size()) {
    return nullptr;
  }
  return shown.commands[static_cast<std::size_t>(chosen) - 1];
}

}  // namespace kb::win32
