#pragma once

#include "platform/win32/native_peer.h"
#include "widgets/spin_button.h"
#include "widgets/spin_edit.h"

namespace kb::win32 {

// The spin edit: a multi-line "EDIT" that clips its children (the arrow pair lies inside it)
// and whose formatting rectangle keeps the text clear of the pair. The control holds the text
// and the selection: typed characters, the keys it acts on, cut, copy, paste and the focus go
// to it, and the window shows what it holds. Text set from outside (WM_SETTEXT) and the
// selection the user makes with the mouse or the cursor keys are told to the control.
class SpinEditPeer final : public NativePeer {
 public:
  SpinEditPeer(NativeUi& ui, TSpinEdit& edit, HWND parent);
  void changed(ControlChange change) override;
  void command(WORD code) override;

 private:
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
  void show_text();
  void show_selection();
  void apply_layout();
  // Tells the control the text and the selection the window shows.
  void take_text();
  void take_selection();

  TSpinEdit& edit_;
  bool showing_ = false;  // the peer itself is writing the window's text
};

// The arrow pair: a window of its own inside the edit that draws both buttons with their
// glyphs and the system's push-button face, and gives the pair the mouse.
class SpinButtonPeer final : public NativePeer {
 public:
  SpinButtonPeer(NativeUi& ui, TSpinButton& pair, HWND parent);
  ~SpinButtonPeer() override;
  void changed(ControlChange change) override;

 private:
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
  void paint(HDC dc);
  void paint_button(HDC dc, TTimerSpeedButton& button, const TBitmap32& glyph);

  TSpinButton& pair_;
  HANDLE theme_ = nullptr;
};

}  // namespace kb::win32
