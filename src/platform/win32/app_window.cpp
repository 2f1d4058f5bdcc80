#include "platform/win32/app_window.h"

namespace kb::win32 {

void WindowMessageWaker::wake() {
  if (HWND window = window_.load()) {
    PostMessageW(window, AppWindow::kRunQueuedCalls, 0, 0);
  }
}

AppWindow::AppWindow(const std::u16string& title) {
  create({.name = L"KorvalenBarlumeApp"}, WS_EX_TOOLWINDOW, WS_POPUP, title, RECT{}, nullptr);
  waker_->set_window(handle());
}

AppWindow::~AppWindow() {
  waker_->set_window(nullptr);
}

void wait_for_message() {
  constexpr DWORD kIdleLook = 1000;
  MsgWaitForMultipleObjectsEx(0, nullptr, kIdleLook, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

LRESULT AppWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kRunQueuedCalls) {
    if (wake_handler_) {
      wake_handler_();
    }
    return 0;
  }
  return default_message(message, wparam, lparam);
}

}  // namespace kb::win32
