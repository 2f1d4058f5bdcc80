#include "platform/win32/spin_edit_peers.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

#include "platform/win32/native_ui.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace kb::win32 {

SpinEditPeer::SpinEditPeer(NativeUi& ui, TSpinEdit& edit, HWND parent)
    : NativePeer(ui, edit), edit_(edit) {
  DWORD style = ES_MULTILINE | ES_AUTOHSCROLL | WS_CLIPCHILDREN;
  if (edit.ReadOnly()) {
    style |= ES_READONLY;
  }
  create_child(L"EDIT", edit.Ctl3D() ? WS_EX_CLIENTEDGE : WS_EX_LEFT, style, parent);
  apply_layout();
  show_selection();
}

void SpinEditPeer::changed(ControlChange change) {
  switch (change) {
    case ControlChange::text:
      show_text();
      break;
    case ControlChange::selection:
      show_selection();
      break;
    case ControlChange::state:
      SendMessageW(handle(), EM_SETREADONLY, edit_.ReadOnly() ? TRUE : FALSE, 0);
      apply_layout();
      break;
    default:
      NativePeer::changed(change);
      break;
  }
}

void SpinEditPeer::show_text() {
  showing_ = true;
  SetWindowTextW(handle(), wide(edit_.Text()));
  showing_ = false;
  show_selection();
}

void SpinEditPeer::show_selection() {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto wanted_start = static_cast<DWORD>(edit_.SelStart());
  const auto wanted_end = static_cast<DWORD>(edit_.SelStart() + edit_.SelLength());
  // The same range from the other end is left alone: it keeps the user's anchor.
  if (std::min(start, end) != wanted_start || std::max(start, end) != wanted_end) {
    SendMessageW(handle(), EM_SETSEL, wanted_start, static_cast<LPARAM>(wanted_end));
  }
}

void SpinEditPeer::apply_layout() {
  const TRect r = edit_.EditRect();
  RECT format{r.Left, r.Top, r.Right, r.Bottom};
  SendMessageW(handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&format));
}

void SpinEditPeer::take_selection() {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto first = static_cast<int>(std::min(start, end));
  const auto length = static_cast<int>(std::max(start, end) - std::min(start, end));
  edit_.SetSelection(first, length);
}

void SpinEditPeer::command(WORD code) {
  if (code == EN_CHANGE) {
    take_text();
  }
}

// Text put into the window from outside, by WM_SETTEXT or EM_REPLACESEL.
void SpinEditPeer::take_text() {
  if (showing_ || !attached()) {
    return;
  }
  const int length = GetWindowTextLengthW(handle());
  std::u16string text(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
  const int got = GetWindowTextW(handle(), reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  if (text != edit_.Text()) {
    edit_.SetText(text);
  }
  take_selection();
}

LRESULT SpinEditPeer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!attached()) {
    return default_message(message, wparam, lparam);
  }
  switch (message) {
    case WM_CHAR:
      edit_.KeyPress(static_cast<char16_t>(wparam));
      return 0;
    case WM_KEYDOWN: {
      const auto key = static_cast<std::uint16_t>(wparam);
      edit_.KeyDown(key, key_shift_state());
      if (key == VK_UP || key == VK_DOWN || key == VK_DELETE) {
        return 0;  // the control has acted on them
      }
      const LRESULT result = default_message(message, wparam, lparam);
      take_selection();
      return result;
    }
    case WM_PAINT: {
      // The edit can paint over the arrow pair although it clips its children (Wine's does
      // when its selection changes): the pair draws itself again after each of its paints.
      const LRESULT result = default_message(message, wparam, lparam);
      if (auto* pair = dynamic_cast<NativePeer*>(edit_.Button().Peer())) {
        RedrawWindow(pair->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      }
      return result;
    }
    case WM_SETTEXT: {
      // A multi-line edit sends no EN_CHANGE for it.
      const LRESULT result = default_message(message, wparam, lparam);
      take_text();
      return result;
    }
    case WM_CUT:
      edit_.Cut();
      return 0;
    case WM_COPY:
      edit_.Copy();
      return 0;
    case WM_PASTE:
      edit_.Paste();
      return 0;
    case WM_CLEAR:
      edit_.KeyDown(kVkDelete, 0);
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      return 0;  // the control keeps no history
    case WM_GETDLGCODE: {
      LRESULT code = default_message(message, wparam, lparam);
      if (!edit_.ClaimsAllKeys()) {
        // Tab, Return and Escape stay the dialog's.
        code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
      }
      return code;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_KEYUP:
    case EM_SETSEL: {
      const LRESULT result = NativePeer::handle_message(message, wparam, lparam);
      if (message != WM_MOUSEMOVE || (wparam & MK_LBUTTON) != 0) {
        take_selection();
      }
      return result;
    }
    default:
      return NativePeer::handle_message(message, wparam, lparam);
  }
}

namespace {

constexpr wchar_t kSpinButtonClass[] = L"KorvalenBarlumeSpinButton";

}  // namespace

SpinButtonPeer::SpinButtonPeer(NativeUi& ui, TSpinButton& pair, HWND parent)
    : NativePeer(ui, pair), pair_(pair) {
  forwards_mouse_ = true;
  create({.name = kSpinButtonClass, .style = CS_DBLCLKS}, 0, child_style(), u"", bounds(), parent);
  theme_ = OpenThemeData(handle(), L"BUTTON");
}

SpinButtonPeer::~SpinButtonPeer() {
  if (theme_ != nullptr) {
    CloseThemeData(theme_);
  }
}

void SpinButtonPeer::changed(ControlChange change) {
  NativePeer::changed(change);
  if (change == ControlChange::state || change == ControlChange::bounds) {
    invalidate();
  }
}

LRESULT SpinButtonPeer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      const Painting painting(handle());
      if (painting) {
        paint(painting.dc());
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return pair_.WantsArrowKeys() ? DLGC_WANTARROWS : 0;
    case WM_THEMECHANGED:
      if (theme_ != nullptr) {
        CloseThemeData(theme_);
      }
      theme_ = OpenThemeData(handle(), L"BUTTON");
      invalidate();
      return 0;
    default:
      return NativePeer::handle_message(message, wparam, lparam);
  }
}

// Drawn off screen and copied in one piece, so that a held button never flickers.
void SpinButtonPeer::paint(HDC dc) {
  RECT client;
  GetClientRect(handle(), &client);
  const UniqueDc memory(CreateCompatibleDC(dc));
  const UniqueBitmap canvas(CreateCompatibleBitmap(dc, client.right, client.bottom));
  if (!memory || !canvas) {
    return;
  }
  {
    const SelectedObject selected(memory.get(), canvas.get());
    FillRect(memory.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    // The upper button lies over the lower one where they overlap: it is drawn last.
    paint_button(memory.get(), pair_.DownButton(), pair_.DownGlyph());
    paint_button(memory.get(), pair_.UpButton(), pair_.UpGlyph());
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
  }
}

void SpinButtonPeer::paint_button(HDC dc, TTimerSpeedButton& button, const TBitmap32& glyph) {
  RECT face{button.Left(), button.Top(), button.Left() + button.Width(),
            button.Top() + button.Height()};
  const TTimerSpeedButton::Face look = button.ButtonFace();
  const bool pressed = look == TTimerSpeedButton::Face::pressed;
  if (theme_ != nullptr) {
    int state = PBS_NORMAL;
    switch (look) {
      case TTimerSpeedButton::Face::hot:
        state = PBS_HOT;
        break;
      case TTimerSpeedButton::Face::pressed:
        state = PBS_PRESSED;
        break;
      case TTimerSpeedButton::Face::disabled:
        state = PBS_DISABLED;
        break;
      case TTimerSpeedButton::Face::normal:
        break;
    }
    DrawThemeBackground(theme_, dc, BP_PUSHBUTTON, state, &face, nullptr);
  } else {
    UINT state = DFCS_BUTTONPUSH;
    if (pressed) {
      state |= DFCS_PUSHED;
    }
    if (look == TTimerSpeedButton::Face::disabled) {
      state |= DFCS_INACTIVE;
    }
    if (look == TTimerSpeedButton::Face::hot) {
      state |= DFCS_HOT;
    }
    DrawFrameControl(dc, &face, DFC_BUTTON, state);
  }
  // The glyph, centred, one pixel down and right while pressed; grey when disabled.
  const int shift = pressed ? 1 : 0;
  const int left = face.left + (button.Width() - glyph.width()) / 2 + shift;
  const int top = face.top + (button.Height() - glyph.height()) / 2 + shift;
  const COLORREF ink = GetSysColor(look == TTimerSpeedButton::Face::disabled ? COLOR_GRAYTEXT
                                                                             : COLOR_BTNTEXT);
  for (int y = 0; y < glyph.height(); ++y) {
    for (int x = 0; x < glyph.width(); ++x) {
      if ((glyph.pixel(x, y) >> 24) >= 128) {
        SetPixelV(dc, left + x, top + y, ink);
      }
    }
  }
  if (button.TimeBtnState().contains(TTimeBtnStateItem::tbFocusRect)) {
    RECT focus = face;
    InflateRect(&focus, -3, -3);
    OffsetRect(&focus, shift, shift);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace kb::win32
