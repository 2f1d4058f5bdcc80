#pragma once

#include "platform/win32/native_peer.h"
#include "toolkit/standard_controls.h"

namespace kb::win32 {

// A push button: the system's "BUTTON"; its click clicks the control.
class ButtonPeer final : public NativePeer {
 public:
  ButtonPeer(NativeUi& ui, Button& button, HWND parent);
  void changed(ControlChange change) override;
  void command(WORD code) override;

 private:
  DWORD button_style() const;
  Button& button_;
};

// A check box whose mark the control keeps: a click toggles the control, which shows the mark.
class CheckBoxPeer final : public NativePeer {
 public:
  CheckBoxPeer(NativeUi& ui, CheckBox& box, HWND parent);
  void changed(ControlChange change) override;
  void command(WORD code) override;

 private:
  CheckBox& box_;
};

// A line of text; with AutoSize it gives the label the size of its text in the form's font.
class LabelPeer final : public NativePeer {
 public:
  LabelPeer(NativeUi& ui, Label& label, HWND parent);
  void changed(ControlChange change) override;

 private:
  void fit_text();
  Label& label_;
};

// An etched line or frame.
class BevelPeer final : public NativePeer {
 public:
  BevelPeer(NativeUi& ui, Bevel& bevel, HWND parent);
  void changed(ControlChange change) override;

 private:
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
  Bevel& bevel_;
};

// A picture blended onto the button face.
class ImagePeer final : public NativePeer {
 public:
  ImagePeer(NativeUi& ui, Image& image, HWND parent);
  void changed(ControlChange change) override;

 private:
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
  Image& image_;
};

// Any other windowed control: a plain window on the button face that other controls can sit
// in, and that passes the mouse and keyboard to its control.
class ContainerPeer final : public NativePeer {
 public:
  ContainerPeer(NativeUi& ui, Control& control, HWND parent);
};

}  // namespace kb::win32
