#pragma once

#include <string_view>

namespace kb {

class Control;
class Form;
class MenuItem;
class PopupMenu;

// What the component model needs of the window system: native windows for its controls, a
// modal loop, popup menus and an error box. The Win32 side puts them on screen; the headless
// side of the tests stands in for the user.
class UiPlatform {
 public:
  virtual ~UiPlatform() = default;

  // Gives `control` and every control inside it a peer (a native window). Called when a form
  // is first shown, and for a control that joins a parent that has its window already.
  virtual void create_peers(Control& control) = 0;

  // Runs a nested event loop while `form` is shown modally: until `form.ModalResult()` is set
  // or the form is hidden. The program's other windows take no input meanwhile, and calls
  // queued for the main thread (thread-timer ticks) keep being served.
  virtual void run_modal(Form& form) = 0;

  // Shows `menu` with its top left corner at the screen point (x, y) and returns the item
  // the user chose once the menu has closed, or null.
  virtual MenuItem* track_popup_menu(PopupMenu& menu, int x, int y) = 0;

  // An error box with one OK button; returns when the user has closed it.
  virtual void show_error(std::u16string_view caption, std::u16string_view text) = 0;

  // How much wider and taller a form's window is than its client area: the single,
  // non-resizable border with a caption and a close box.
  virtual int form_frame_width() = 0;
  virtual int form_frame_height() = 0;
};

}  // namespace kb
