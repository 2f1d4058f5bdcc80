#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/unique_handle.h"

namespace kb::test {

// A top-level window of any class name, created by the test, that counts the messages it
// receives. Windows of one class name share a counting window procedure.
class TestWindow {
 public:
  explicit TestWindow(const wchar_t* class_name) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TestWindow::window_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = class_name;
    RegisterClassExW(&wc);  // fails harmlessly when a window of the class existed before
    handle_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, class_name, L"", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  }
  ~TestWindow() { counts().erase(handle_.get()); }

  HWND handle() const { return handle_.get(); }
  int received(UINT message) const { return counts()[handle_.get()][message]; }

 private:
  static std::map<HWND, std::map<UINT, int>>& counts() {
    static std::map<HWND, std::map<UINT, int>> all;
    return all;
  }

  static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ++counts()[window][message];
    return DefWindowProcW(window, message, wparam, lparam);
  }

  win32::UniqueWindow handle_;
};

}  // namespace kb::test
