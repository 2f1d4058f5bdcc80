#include "platform/win32/native_peer.h"

#include <windowsx.h>

#include "platform/win32/native_ui.h"
#include "platform/win32/wide_text.h"

namespace kb::win32 {

ShiftState key_shift_state() {
  ShiftState shift = 0;
  const auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  if (down(VK_SHIFT)) {
    shift |= kShiftKey;
  }
  if (down(VK_MENU)) {
    shift |= kAltKey;
  }
  if (down(VK_CONTROL)) {
    shift |= kCtrlKey;
  }
  return shift;
}

ShiftState mouse_shift_state(WPARAM flags) {
  ShiftState shift = 0;
  if ((flags & MK_SHIFT) != 0) {
    shift |= kShiftKey;
  }
  if ((flags & MK_CONTROL) != 0) {
    shift |= kCtrlKey;
  }
  if ((GetKeyState(VK_MENU) & 0x8000) != 0) {
    shift |= kAltKey;
  }
  if ((flags & MK_LBUTTON) != 0) {
    shift |= kLeftButtonDown;
  }
  if ((flags & MK_RBUTTON) != 0) {
    shift |= kRightButtonDown;
  }
  if ((flags & MK_MBUTTON) != 0) {
    shift |= kMiddleButtonDown;
  }
  return shift;
}

NativePeer::~NativePeer() {
  attached_ = false;
  destroy();
}

NativePeer* NativePeer::from_handle(HWND window) {
  return dynamic_cast<NativePeer*>(Window::from_handle(window));
}

RECT NativePeer::bounds() const {
  return {control_.Left(), control_.Top(), control_.Left() + control_.Width(),
          control_.Top() + control_.Height()};
}

DWORD NativePeer::child_style() const {
  DWORD style = WS_CHILD;
  if (control_.Visible()) {
    style |= WS_VISIBLE;
  }
  if (!control_.Enabled()) {
    style |= WS_DISABLED;
  }
  if (control_.TabStop()) {
    style |= WS_TABSTOP;
  }
  return style;
}

void NativePeer::create_child(const wchar_t* system_class, DWORD ex_style, DWORD style,
                              HWND parent) {
  create_control(system_class, ex_style, child_style() | style, control_.Caption(), bounds(),
                 parent, ui_.next_control_id());
  ui_.give_font(*this);
}

void NativePeer::changed(ControlChange change) {
  const HWND window = handle();
  if (window == nullptr) {
    return;
  }
  switch (change) {
    case ControlChange::text:
      SetWindowTextW(window, wide(control_.Caption()));
      break;
    case ControlChange::bounds: {
      const RECT r = bounds();
      SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case ControlChange::visible:
      ShowWindow(window, control_.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case ControlChange::enabled:
      EnableWindow(window, control_.Enabled() ? TRUE : FALSE);
      break;
    case ControlChange::tab_order:
      ui_.place_in_tab_order(*this);
      break;
    case ControlChange::selection:
    case ControlChange::state:
      break;
  }
}

void NativePeer::invalidate() {
  if (handle() != nullptr) {
    InvalidateRect(handle(), nullptr, FALSE);
  }
}

void NativePeer::set_focus() {
  if (handle() != nullptr) {
    SetFocus(handle());
  }
}

void NativePeer::set_capture(bool capture) {
  if (handle() == nullptr) {
    return;
  }
  if (capture) {
    SetCapture(handle());
  } else if (GetCapture() == handle()) {
    ReleaseCapture();
  }
}

LRESULT NativePeer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!attached_) {
    return default_message(message, wparam, lparam);
  }
  switch (message) {
    case WM_SETFOCUS: {
      const LRESULT result = default_message(message, wparam, lparam);
      control_.FocusEnter(left_press_);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = default_message(message, wparam, lparam);
      control_.FocusLeave();
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      left_press_ = true;
      struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
      } clear{left_press_};
      if (forwards_mouse_) {
        if (GetFocus() != handle() && control_.CanFocus()) {
          SetFocus(handle());
        }
        return forward_mouse(message, wparam, lparam);
      }
      return default_message(message, wparam, lparam);
    }
    case WM_COMMAND:
      // A control's notification comes to its parent's window; its own peer acts on it.
      if (const auto child = reinterpret_cast<HWND>(lparam)) {
        if (NativePeer* peer = NativePeer::from_handle(child)) {
          peer->command(HIWORD(wparam));
        }
        return 0;
      }
      return default_message(message, wparam, lparam);
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != handle() && control_.MouseCapture()) {
        control_.CaptureLost();
      }
      return default_message(message, wparam, lparam);
    default:
      break;
  }
  if (forwards_mouse_) {
    switch (message) {
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
      case WM_MOUSEMOVE:
      case WM_MOUSELEAVE:
        return forward_mouse(message, wparam, lparam);
      case WM_KEYDOWN:
        control_.KeyDown(static_cast<std::uint16_t>(wparam), key_shift_state());
        return 0;
      case WM_CHAR:
        control_.KeyPress(static_cast<char16_t>(wparam));
        return 0;
      default:
        break;
    }
  }
  return default_message(message, wparam, lparam);
}

LRESULT NativePeer::forward_mouse(UINT message, WPARAM wparam, LPARAM lparam) {
  const int x = GET_X_LPARAM(lparam);
  const int y = GET_Y_LPARAM(lparam);
  const ShiftState shift = mouse_shift_state(wparam);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      control_.MouseDown(MouseButton::left, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
      control_.MouseDown(MouseButton::right, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
      control_.MouseDown(MouseButton::middle, shift, x, y);
      break;
    case WM_LBUTTONUP:
      control_.MouseUp(MouseButton::left, shift, x, y);
      break;
    case WM_RBUTTONUP:
      control_.MouseUp(MouseButton::right, shift, x, y);
      break;
    case WM_MBUTTONUP:
      control_.MouseUp(MouseButton::middle, shift, x, y);
      break;
    case WM_MOUSEMOVE:
      if (!tracking_leave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle(), 0};
        tracking_leave_ = TrackMouseEvent(&track) != FALSE;
        control_.MouseEnter();
      }
      control_.MouseMove(shift, x, y);
      break;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      control_.MouseLeave();
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace kb::win32
