#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "toolkit/ui_platform.h"

namespace kb {
class Form;
}

namespace kb::win32 {

class NativePeer;

// The toolkit's window system on Windows: a native window (peer) for every control, modal
// loops, popup menus and the error box. Exceptions that the program's windows catch go to
// the application's handler from the moment this exists. Main thread only.
class NativeUi final : public UiPlatform {
 public:
  NativeUi();
  ~NativeUi() override;

  NativeUi(const NativeUi&) = delete;
  NativeUi& operator=(const NativeUi&) = delete;

  void create_peers(Control& control) override;
  // Other visible windows of the thread are disabled meanwhile. Dialog keys (Tab, Shift+Tab,
  // Return, Escape) go to the form's dialog handling; every other message is dispatched, the
  // application window's wake-ups included. WM_QUIT ends the loop and the program.
  void run_modal(Form& form) override;
  MenuItem* track_popup_menu(PopupMenu& menu, int x, int y) override;
  void show_error(std::u16string_view caption, std::u16string_view text) override;
  int form_frame_width() override;
  int form_frame_height() override;

  // Runs whenever a modal loop has no message waiting, before it waits for the next one.
  void set_idle_handler(std::function<void()> handler) { idle_ = std::move(handler); }
  // The owner of the error box when no window of the program is active: the application's
  // hidden window.
  void set_owner_window(HWND window) { owner_ = window; }

  // --- For the peers ---
  UINT next_control_id() { return next_id_++; }
  // Gives the peer's window the font of its form.
  void give_font(NativePeer& peer);
  // Gives every window on the form the form's font again.
  void give_fonts(Control& control);
  // Puts the peer's window after the window of the control before it in the tab order.
  void place_in_tab_order(NativePeer& peer);

 private:
  class MenuOwner;

  void create_peer(Control& control);

  std::unique_ptr<MenuOwner> menu_owner_;
  std::function<void()> idle_;
  HWND owner_ = nullptr;
  UINT next_id_ = 100;
};

}  // namespace kb::win32
