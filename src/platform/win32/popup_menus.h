#pragma once

#include <windows.h>

namespace kb {
class MenuItem;
class PopupMenu;
}  // namespace kb

namespace kb::win32 {

// Shows `menu` as the system's popup menu, built anew from the menu tree: captions,
// separators, check marks and radio bullets, disabled and hidden items, submenus, and the
// pictures of the items' image lists with their transparent pixels. `owner` is brought to
// the foreground first and gets a WM_NULL after, so that the menu closes when the user clicks
// elsewhere. Returns the chosen item once the menu has closed, or null.
MenuItem* track_popup_menu(PopupMenu& menu, int x, int y, HWND owner);

}  // namespace kb::win32
