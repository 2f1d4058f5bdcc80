#pragma once

#include <windows.h>

#include "platform/win32/window.h"
#include "toolkit/control.h"
#include "toolkit/control_peer.h"

namespace kb::win32 {

class NativeUi;

// The native window of a control: it mirrors what the control tells it and forwards the
// user's input to the control's entry points. Each kind of control has a peer of its own
// below or in a file of its own; this base places, shows, enables and focuses the window,
// and forwards the keyboard and the focus (and, for the windows of the program's own classes,
// the mouse).
class NativePeer : public ControlPeer, public Window {
 public:
  ~NativePeer() override;

  Control& control() const { return control_; }
  // The window that the controls inside this one are placed in.
  virtual HWND inner_window() const { return handle(); }
  // The peer of a window of the program, or null.
  static NativePeer* from_handle(HWND window);

  void changed(ControlChange change) override;
  void invalidate() override;
  void set_focus() override;
  void set_capture(bool capture) override;

  // A notification this peer's window sent its parent (WM_COMMAND), handed on by the parent.
  virtual void command(WORD code) { static_cast<void>(code); }

 protected:
  NativePeer(NativeUi& ui, Control& control) : ui_(ui), control_(control) {}

  NativeUi& ui() const { return ui_; }
  // The control's bounds in its parent's client area.
  RECT bounds() const;
  // The style bits every child window of a control takes from it.
  DWORD child_style() const;
  // Creates a system control for the control, in `parent`.
  void create_child(const wchar_t* system_class, DWORD ex_style, DWORD style, HWND parent);

  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
  // Whether the control still hears of its window.
  bool attached() const { return attached_; }
  // Forwards the mouse to the control: only windows that draw themselves do.
  bool forwards_mouse_ = false;

 private:
  LRESULT forward_mouse(UINT message, WPARAM wparam, LPARAM lparam);

  NativeUi& ui_;
  Control& control_;
  bool attached_ = true;  // false while the peer is destroyed: the control hears nothing more
  bool left_press_ = false;  // a left press is being handled: the focus comes with it
  bool tracking_leave_ = false;
};

// The modifier keys and mouse buttons now, or as a mouse message's flags give them.
ShiftState key_shift_state();
ShiftState mouse_shift_state(WPARAM flags);

}  // namespace kb::win32
