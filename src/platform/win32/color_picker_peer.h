#pragma once

#include "platform/win32/native_peer.h"
#include "widgets/color_picker.h"

namespace kb::win32 {

// The colour picker's window: it copies the picker's picture to the screen in one piece
// (the system never erases its background, so nothing flickers), and gives the picker the
// mouse, held while a drag runs, the keyboard and the focus.
class ColorPickerPeer final : public NativePeer {
 public:
  ColorPickerPeer(NativeUi& ui, TCustomColorPicker& picker, HWND parent);

 private:
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

  TCustomColorPicker& picker_;
};

}  // namespace kb::win32
