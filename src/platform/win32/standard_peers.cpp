#include "platform/win32/standard_peers.h"

#include "platform/win32/native_ui.h"
#include "platform/win32/pictures.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace kb::win32 {
namespace {

HBRUSH button_face_brush() {
  return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
}

// The sides of the bevel's rectangle that its shape draws as an etched line.
UINT bevel_edges(Bevel::Shape shape) {
  switch (shape) {
    case Bevel::Shape::top_line:
      return BF_TOP;
    case Bevel::Shape::bottom_line:
      return BF_BOTTOM;
    case Bevel::Shape::left_line:
      return BF_LEFT;
    case Bevel::Shape::right_line:
      return BF_RIGHT;
    case Bevel::Shape::spacer:
      return 0;
    case Bevel::Shape::box:
    case Bevel::Shape::frame:
      break;
  }
  return BF_RECT;
}

}  // namespace

ButtonPeer::ButtonPeer(NativeUi& ui, Button& button, HWND parent)
    : NativePeer(ui, button), button_(button) {
  create_child(L"BUTTON", 0, button_style(), parent);
}

DWORD ButtonPeer::button_style() const {
  return button_.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void ButtonPeer::changed(ControlChange change) {
  if (change == ControlChange::state) {
    SendMessageW(handle(), BM_SETSTYLE, button_style(), TRUE);
  } else {
    NativePeer::changed(change);
  }
}

void ButtonPeer::command(WORD code) {
  if (code == BN_CLICKED && attached()) {
    button_.Click();
  }
}

CheckBoxPeer::CheckBoxPeer(NativeUi& ui, CheckBox& box, HWND parent)
    : NativePeer(ui, box), box_(box) {
  // The plain style: the system never sets the mark itself, the control does.
  create_child(L"BUTTON", 0, BS_CHECKBOX, parent);
  changed(ControlChange::state);
}

void CheckBoxPeer::changed(ControlChange change) {
  if (change == ControlChange::state) {
    SendMessageW(handle(), BM_SETCHECK, box_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  } else {
    NativePeer::changed(change);
  }
}

void CheckBoxPeer::command(WORD code) {
  if (code == BN_CLICKED && attached()) {
    box_.Click();
  }
}

LabelPeer::LabelPeer(NativeUi& ui, Label& label, HWND parent)
    : NativePeer(ui, label), label_(label) {
  // One line, as the form lays it out; what is wider than the label is cut, never wrapped.
  create_child(L"STATIC", 0, SS_LEFTNOWORDWRAP | SS_NOPREFIX, parent);
  fit_text();
}

void LabelPeer::changed(ControlChange change) {
  NativePeer::changed(change);
  if (change == ControlChange::text || change == ControlChange::state) {
    fit_text();
  }
}

void LabelPeer::fit_text() {
  if (!label_.AutoSize() || handle() == nullptr) {
    return;
  }
  const WindowDc dc(handle());
  if (!dc) {
    return;
  }
  const auto font = reinterpret_cast<HFONT>(SendMessageW(handle(), WM_GETFONT, 0, 0));
  const SelectedObject selected(dc.get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  RECT text{0, 0, 0, 0};
  const std::u16string& caption = label_.Caption();
  DrawTextW(dc.get(), wide(caption), static_cast<int>(caption.size()), &text,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  label_.SetBounds(label_.Left(), label_.Top(), text.right - text.left, text.bottom - text.top);
  NativePeer::changed(ControlChange::bounds);  // while it is made, the label has no peer yet
}

BevelPeer::BevelPeer(NativeUi& ui, Bevel& bevel, HWND parent)
    : NativePeer(ui, bevel), bevel_(bevel) {
  create({.name = L"KorvalenBarlumeBevel", .background = button_face_brush()}, 0, child_style(),
         u"", bounds(), parent);
}

void BevelPeer::changed(ControlChange change) {
  if (change == ControlChange::state) {
    InvalidateRect(handle(), nullptr, TRUE);
  } else {
    NativePeer::changed(change);
  }
}

LRESULT BevelPeer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    const Painting painting(handle());
    RECT client;
    GetClientRect(handle(), &client);
    if (const UINT edges = bevel_edges(bevel_.BevelShape()); painting && edges != 0) {
      DrawEdge(painting.dc(), &client, EDGE_ETCHED, edges);
    }
    return 0;
  }
  return NativePeer::handle_message(message, wparam, lparam);
}

ImagePeer::ImagePeer(NativeUi& ui, Image& image, HWND parent)
    : NativePeer(ui, image), image_(image) {
  create({.name = L"KorvalenBarlumeImage", .background = button_face_brush()}, 0,
         child_style(), u"", bounds(), parent);
}

void ImagePeer::changed(ControlChange change) {
  if (change == ControlChange::state) {
    InvalidateRect(handle(), nullptr, TRUE);
  } else {
    NativePeer::changed(change);
  }
}

LRESULT ImagePeer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    const Painting painting(handle());
    if (painting) {
      draw_blended(painting.dc(), 0, 0, image_.Picture());
    }
    return 0;
  }
  return NativePeer::handle_message(message, wparam, lparam);
}

ContainerPeer::ContainerPeer(NativeUi& ui, Control& control, HWND parent)
    : NativePeer(ui, control) {
  forwards_mouse_ = true;
  create({.name = L"KorvalenBarlumeControl", .background = button_face_brush()},
         WS_EX_CONTROLPARENT, child_style() | WS_CLIPCHILDREN, control.Caption(), bounds(),
         parent);
}

}  // namespace kb::win32
