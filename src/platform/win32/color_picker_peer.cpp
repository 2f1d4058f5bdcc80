#include "platform/win32/color_picker_peer.h"

#include "platform/win32/pictures.h"

namespace kb::win32 {

ColorPickerPeer::ColorPickerPeer(NativeUi& ui, TCustomColorPicker& picker, HWND parent)
    : NativePeer(ui, picker), picker_(picker) {
  forwards_mouse_ = true;
  create({.name = L"KorvalenBarlumeColorPicker"}, 0, child_style(), u"", bounds(), parent);
}

LRESULT ColorPickerPeer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(handle(), &ps)) {
        struct End {
          HWND window;
          PAINTSTRUCT& ps;
          ~End() { EndPaint(window, &ps); }
        } end{handle(), ps};
        if (attached()) {
          if (const TBitmap32* picture = picker_.Paint()) {
            draw_opaque(dc, 0, 0, *picture);
          }
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
