#include "platform/win32/form_peer.h"

#include "platform/win32/native_ui.h"
#include "platform/win32/wide_text.h"

namespace kb::win32 {
namespace {

// The form's outer size, centred in the work area of the primary monitor.
RECT centred(const Form& form) {
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + (work.right - work.left - form.Width()) / 2;
  const int top = work.top + (work.bottom - work.top - form.Height()) / 2;
  return {left, top, left + form.Width(), top + form.Height()};
}

}  // namespace

FormPeer::FormPeer(NativeUi& ui, Form& form) : NativePeer(ui, form), form_(form) {
  make_font();
  create({.name = L"KorvalenBarlumeForm",
          .background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1))},
         kExStyle, kStyle, form.Caption(), centred(form), nullptr);
}

void FormPeer::make_font() {
  font_.reset(CreateFontW(form_.FontHeight(), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, wide(form_.FontName())));
}

void FormPeer::changed(ControlChange change) {
  const HWND window = handle();
  if (window == nullptr) {
    return;
  }
  switch (change) {
    case ControlChange::visible:
      if (form_.Visible()) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
      } else {
        ShowWindow(window, SW_HIDE);
      }
      break;
    case ControlChange::bounds:
      SetWindowPos(window, nullptr, form_.Left(), form_.Top(), form_.Width(), form_.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case ControlChange::state:
      make_font();
      ui().give_fonts(form_);
      break;
    default:
      NativePeer::changed(change);
      break;
  }
}

void FormPeer::set_focus() {
  if (handle() == nullptr) {
    return;
  }
  if (IsIconic(handle())) {
    ShowWindow(handle(), SW_RESTORE);
  }
  SetForegroundWindow(handle());
  if (Control* active = form_.ActiveControl(); active != nullptr && active->CanFocus()) {
    active->SetFocus();
  }
}

LRESULT FormPeer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!attached()) {
    return default_message(message, wparam, lparam);
  }
  switch (message) {
    case WM_COMMAND:
      if (lparam == 0 && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        // Return or Escape, from the dialog keys of the modal loop.
        form_.DialogKey(LOWORD(wparam) == IDOK ? kVkReturn : kVkEscape, 0);
        return 0;
      }
      return NativePeer::handle_message(message, wparam, lparam);
    case DM_GETDEFID:
      if (Control* button = form_.DefaultButton()) {
        if (auto* peer = dynamic_cast<NativePeer*>(button->Peer())) {
          return MAKELRESULT(GetDlgCtrlID(peer->handle()), DC_HASDEFID);
        }
      }
      return 0;
    case WM_CLOSE:
      form_.Close();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) {
        if (Control* active = form_.ActiveControl(); active != nullptr && active->CanFocus()) {
          active->SetFocus();
          return 0;
        }
      }
      return default_message(message, wparam, lparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return default_message(message, wparam, lparam);  // the form's controls hold the focus
    default:
      return NativePeer::handle_message(message, wparam, lparam);
  }
}

}  // namespace kb::win32
