#include "platform/win32/app_window.h"

#include "platform/error.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace kb::win32 {
namespace {

constexpr wchar_t kClassName[] = L"KorvalenBarlumeApp";

ATOM register_class(WNDPROC window_proc) {
  static const ATOM atom = [window_proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc);
  }();
  return atom;
}

}  // namespace

void WindowMessageWaker::wake() {
  if (HWND window = window_.load()) {
    PostMessageW(window, AppWindow::kRunQueuedCalls, 0, 0);
  }
}

AppWindow::AppWindow(const std::u16string& title) {
  if (register_class(&AppWindow::window_proc) == 0) {
    throw Error(u"Cannot register the application window: " + system_error_text(GetLastError()));
  }
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, wide(title), WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (window_ == nullptr) {
    throw Error(u"Cannot create the application window: " + system_error_text(GetLastError()));
  }
  waker_->set_window(window_);
}

AppWindow::~AppWindow() {
  waker_->set_window(nullptr);
  if (window_ != nullptr) {
    DestroyWindow(window_);
  }
}

LRESULT CALLBACK AppWindow::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* self = static_cast<AppWindow*>(create->lpCreateParams);
    self->window_ = window;  // messages arrive before CreateWindowExW returns
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<AppWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return self->handle_message(message, wparam, lparam);
}

LRESULT AppWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kRunQueuedCalls:
      if (wake_handler_) {
        wake_handler_();
      }
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

}  // namespace kb::win32
