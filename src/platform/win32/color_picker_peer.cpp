#include "platform/win32/color_picker_peer.h"

#include "platform/win32/pictures.h"
#include "platform/win32/unique_handle.h"

namespace kb::win32 {

ColorPickerPeer::ColorPickerPeer(NativeUi& ui, TCustomColorPicker& picker, HWND parent)
    : NativePeer(ui, picker), picker_(picker) {
  forwards_mouse_ = true;
  create({.name = L"KorvalenBarlumeColorPicker"}, 0, child_style(), u"", bounds(), parent);
}

LRESULT ColorPickerPeer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      const Painting painting(handle());
      if (painting && attached()) {
        if (const TBitmap32* picture = picker_.Paint()) {
          draw_opaque(painting.dc(), 0, 0, *picture);
        }
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return !attached() || picker_.EraseBackground() ? 1 : 0;
    default:
      return NativePeer::handle_message(message, wparam, lparam);
  }
}

}  // namespace kb::win32
