#pragma once

#include "platform/win32/native_peer.h"
#include "platform/win32/unique_handle.h"
#include "toolkit/form.h"

namespace kb::win32 {

// A form's top-level window: a single, non-resizable border with a caption and a close box,
// on the button face, centred on the desktop when it is made. Its font is the form's, which
// every control on it takes. It hands its controls' notifications to their peers, closes the
// form on the close box, Alt+F4 and the system menu, and keeps the focus on the form's active
// control when it is activated again.
class FormPeer final : public NativePeer {
 public:
  static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  static constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

  FormPeer(NativeUi& ui, Form& form);

  HFONT font() const { return font_.get(); }
  void changed(ControlChange change) override;
  // The form's window comes to the front, the focus on its active control.
  void set_focus() override;

 private:
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
  void make_font();

  Form& form_;
  UniqueFont font_;
};

}  // namespace kb::win32
