#include "platform/win32/window.h"

#include <commctrl.h>

#include <set>
#include <string>

#include "platform/error.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace kb::win32 {
namespace {

// The object of a subclassed system control, where from_handle finds it.
constexpr wchar_t kObjectProperty[] = L"KorvalenBarlume.Window";

ExceptionReporter& reporter() {
  static ExceptionReporter instance;
  return instance;
}

// Main thread only, as every window of the program.
bool register_once(const wchar_t* name, UINT style, HBRUSH background, WNDPROC procedure) {
  static std::set<std::wstring> registered;
  if (registered.contains(name)) {
    return true;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }
  registered.insert(name);
  return true;
}

}  // namespace

void set_exception_reporter(ExceptionReporter handler) {
  reporter() = std::move(handler);
}

void report_exception(const std::exception_ptr& failure) noexcept {
  try {
    if (reporter()) {
      reporter()(failure);
    } else {
      MessageBoxW(nullptr, wide(exception_text(failure)), L"Error", MB_OK | MB_ICONERROR);
    }
  } catch (...) {
    // Reporting failed as well; the window carries on.
  }
}

Window::~Window() {
  destroy();
}

void Window::destroy() {
  if (window_ != nullptr) {
    const HWND window = window_;
    DestroyWindow(window);  // WM_NCDESTROY forgets this object
    window_ = nullptr;
  }
}

Window* Window::from_handle(HWND window) {
  if (window == nullptr) {
    return nullptr;
  }
  if (HANDLE object = GetPropW(window, kObjectProperty)) {
    return static_cast<Window*>(object);
  }
  // Another class may keep its own data where ours keep the object: ask for the procedure.
  if (GetWindowLongPtrW(window, GWLP_WNDPROC) ==
      reinterpret_cast<LONG_PTR>(&Window::class_procedure)) {
    return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  return nullptr;
}

void Window::create(const Class& window_class, DWORD ex_style, DWORD style,
                    const std::u16string& title, RECT bounds, HWND parent, HMENU menu_or_id) {
  if (!register_once(window_class.name, window_class.style, window_class.background,
                     &Window::class_procedure)) {
    throw Error(u"Cannot register a window class: " + system_error_text(GetLastError()));
  }
  const HWND created = CreateWindowExW(ex_style, window_class.name, wide(title), style,
                                       bounds.left, bounds.top, bounds.right - bounds.left,
                                       bounds.bottom - bounds.top, parent, menu_or_id,
                                       GetModuleHandleW(nullptr), this);
  if (created == nullptr) {
    throw Error(u"Cannot create a window: " + system_error_text(GetLastError()));
  }
}

void Window::create_control(const wchar_t* system_class, DWORD ex_style, DWORD style,
                            const std::u16string& text, RECT bounds, HWND parent, UINT id) {
  const HWND created = CreateWindowExW(
      ex_style, system_class, wide(text), style, bounds.left, bounds.top,
      bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (created == nullptr) {
    throw Error(u"Cannot create a control window: " + system_error_text(GetLastError()));
  }
  if (!SetWindowSubclass(created, &Window::subclass_procedure, 0,
                         reinterpret_cast<DWORD_PTR>(this))) {
    DestroyWindow(created);
    throw Error(u"Cannot subclass a control window.");
  }
  SetPropW(created, kObjectProperty, this);
  window_ = created;
  subclassed_ = true;
}

LRESULT Window::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  return default_message(message, wparam, lparam);
}

LRESULT Window::default_message(UINT message, WPARAM wparam, LPARAM lparam) {
  return subclassed_ ? DefSubclassProc(window_, message, wparam, lparam)
                     : DefWindowProcW(window_, message, wparam, lparam);
}

void Window::handle_exception(const std::exception_ptr& failure) noexcept {
  report_exception(failure);
}

LRESULT Window::dispatch(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  const HWND window = window_;
  LRESULT result = 0;
  try {
    result = handle_message(message, wparam, lparam);
  } catch (...) {
    handle_exception(std::current_exception());
  }
  if (message == WM_NCDESTROY) {
    if (subclassed_) {
      RemoveWindowSubclass(window, &Window::subclass_procedure, 0);
      RemovePropW(window, kObjectProperty);
    } else {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    if (window_ == window) {
      window_ = nullptr;
    }
  }
  return result;
}

LRESULT CALLBACK Window::class_procedure(HWND window, UINT message, WPARAM wparam,
                                         LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    auto* self = static_cast<Window*>(create->lpCreateParams);
    self->window_ = window;  // messages arrive before CreateWindowExW returns
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return self->dispatch(message, wparam, lparam);
}

LRESULT CALLBACK Window::subclass_procedure(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<Window*>(data);
  if (self == nullptr || self->window_ != window) {
    return DefSubclassProc(window, message, wparam, lparam);
  }
  return self->dispatch(message, wparam, lparam);
}

}  // namespace kb::win32
