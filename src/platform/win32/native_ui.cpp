#include "platform/win32/native_ui.h"

#include <vector>

#include "platform/error.h"
#include "platform/win32/app_window.h"
#include "platform/win32/color_picker_peer.h"
#include "platform/win32/form_peer.h"
#include "platform/win32/popup_menus.h"
#include "platform/win32/spin_edit_peers.h"
#include "platform/win32/standard_peers.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace kb::win32 {

// The hidden window that owns the popup menus, as the menus of a program need one.
class NativeUi::MenuOwner final : public Window {
 public:
  MenuOwner() {
    create({.name = L"KorvalenBarlumeMenus"}, WS_EX_TOOLWINDOW, WS_POPUP, u"", RECT{}, nullptr);
  }
};

namespace {

RECT form_frame() {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, FormPeer::kStyle, FALSE, FormPeer::kExStyle);
  return frame;
}

// The thread's visible, enabled top-level windows but one, disabled until the end of scope.
class DisabledWindows {
 public:
  explicit DisabledWindows(HWND except) : except_(except) {
    EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::visit,
                      reinterpret_cast<LPARAM>(this));
  }
  ~DisabledWindows() {
    for (HWND window : disabled_) {
      if (IsWindow(window)) {
        EnableWindow(window, TRUE);
      }
    }
  }
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;

 private:
  static BOOL CALLBACK visit(HWND window, LPARAM self) {
    auto& windows = *reinterpret_cast<DisabledWindows*>(self);
    if (window != windows.except_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      windows.disabled_.push_back(window);
    }
    return TRUE;
  }

  HWND except_;
  std::vector<HWND> disabled_;
};

}  // namespace

NativeUi::NativeUi() : menu_owner_(std::make_unique<MenuOwner>()) {
  set_exception_reporter([](const std::exception_ptr& failure) {
    if (Application* application = Application::Current()) {
      application->HandleException(failure);
    } else {
      MessageBoxW(nullptr, wide(exception_text(failure)), L"Error", MB_OK | MB_ICONERROR);
    }
  });
}

NativeUi::~NativeUi() {
  set_exception_reporter(nullptr);
}

void NativeUi::create_peers(Control& control) {
  if (!control.HandleAllocated()) {
    create_peer(control);
  }
  // The windowed controls in their tab order, so that the windows' order is the same; the
  // graphic ones after them.
  for (Control* child : std::vector<Control*>(control.TabList())) {
    create_peers(*child);
  }
  for (std::size_t i = 0; i < control.ControlCount(); ++i) {
    if (!control.Controls(i).Windowed()) {
      create_peers(control.Controls(i));
    }
  }
}

void NativeUi::create_peer(Control& control) {
  if (auto* form = dynamic_cast<Form*>(&control)) {
    form->AttachPeer(std::make_unique<FormPeer>(*this, *form));
    RECT placed;
    GetWindowRect(static_cast<NativePeer*>(form->Peer())->handle(), &placed);
    form->SetBounds(placed.left, placed.top, placed.right - placed.left,
                    placed.bottom - placed.top);
    return;
  }
  if (dynamic_cast<TTimerSpeedButton*>(&control) != nullptr) {
    return;  // drawn by the window of its pair
  }
  Control* parent = control.Parent();
  auto* parent_peer = parent != nullptr ? dynamic_cast<NativePeer*>(parent->Peer()) : nullptr;
  if (parent_peer == nullptr) {
    throw Error(u"The control \"" + control.Name() + u"\" has no window to be shown in.");
  }
  const HWND inside = parent_peer->inner_window();
  std::unique_ptr<NativePeer> peer;
  if (auto* edit = dynamic_cast<TSpinEdit*>(&control)) {
    peer = std::make_unique<SpinEditPeer>(*this, *edit, inside);
  } else if (auto* pair = dynamic_cast<TSpinButton*>(&control)) {
    peer = std::make_unique<SpinButtonPeer>(*this, *pair, inside);
  } else if (auto* picker = dynamic_cast<TCustomColorPicker*>(&control)) {
    peer = std::make_unique<ColorPickerPeer>(*this, *picker, inside);
  } else if (auto* button = dynamic_cast<Button*>(&control)) {
    peer = std::make_unique<ButtonPeer>(*this, *button, inside);
  } else if (auto* box = dynamic_cast<CheckBox*>(&control)) {
    peer = std::make_unique<CheckBoxPeer>(*this, *box, inside);
  } else if (auto* label = dynamic_cast<Label*>(&control)) {
    peer = std::make_unique<LabelPeer>(*this, *label, inside);
  } else if (auto* bevel = dynamic_cast<Bevel*>(&control)) {
    peer = std::make_unique<BevelPeer>(*this, *bevel, inside);
  } else if (auto* image = dynamic_cast<Image*>(&control)) {
    peer = std::make_unique<ImagePeer>(*this, *image, inside);
  } else if (control.Windowed()) {
    peer = std::make_unique<ContainerPeer>(*this, control, inside);
  } else {
    return;  // a graphic control of a kind nothing here draws
  }
  control.AttachPeer(std::move(peer));
}

void NativeUi::give_font(NativePeer& peer) {
  Form* form = peer.control().ParentForm();
  auto* form_peer = form != nullptr ? dynamic_cast<FormPeer*>(form->Peer()) : nullptr;
  if (form_peer != nullptr && form_peer->font() != nullptr) {
    SendMessageW(peer.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(form_peer->font()), TRUE);
  }
}

void NativeUi::give_fonts(Control& control) {
  for (std::size_t i = 0; i < control.ControlCount(); ++i) {
    Control& child = control.Controls(i);
    if (auto* peer = dynamic_cast<NativePeer*>(child.Peer())) {
      give_font(*peer);
      peer->changed(ControlChange::state);  // a label measures its text anew
    }
    give_fonts(child);
  }
}

void NativeUi::place_in_tab_order(NativePeer& peer) {
  Control& control = peer.control();
  Control* parent = control.Parent();
  if (parent == nullptr) {
    return;
  }
  HWND after = HWND_TOP;
  for (Control* sibling : parent->TabList()) {
    if (sibling == &control) {
      break;
    }
    if (auto* sibling_peer = dynamic_cast<NativePeer*>(sibling->Peer())) {
      after = sibling_peer->handle();
    }
  }
  SetWindowPos(peer.handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void NativeUi::run_modal(Form& form) {
  auto* peer = dynamic_cast<NativePeer*>(form.Peer());
  if (peer == nullptr) {
    throw Error(u"The window \"" + form.Caption() + u"\" has not been made.");
  }
  const HWND window = peer->handle();
  const DisabledWindows disabled(window);
  Application& application = form.application();
  const auto closed = [&] {
    return form.ModalResult() != mrNone || !form.Visible() || application.Terminated();
  };
  while (!closed()) {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (idle_) {
        idle_();
      }
      if (!closed()) {
        wait_for_message();
      }
      continue;
    }
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the program's own loop
      application.Terminate();
      break;
    }
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

MenuItem* NativeUi::track_popup_menu(PopupMenu& menu, int x, int y) {
  return win32::track_popup_menu(menu, x, y, menu_owner_->handle());
}

void NativeUi::show_error(std::u16string_view caption, std::u16string_view text) {
  HWND owner = GetActiveWindow();
  if (owner == nullptr) {
    owner = owner_;
  }
  const std::u16string message(text);
  const std::u16string title(caption);
  MessageBoxW(owner, wide(message), wide(title), MB_OK | MB_ICONERROR);
}

int NativeUi::form_frame_width() {
  const RECT frame = form_frame();
  return frame.right - frame.left;
}

int NativeUi::form_frame_height() {
  const RECT frame = form_frame();
  return frame.bottom - frame.top;
}

}  // namespace kb::win32
