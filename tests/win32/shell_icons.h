#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstdint>

namespace kb::test {

// Whether the notification area holds the icon of this window (the program's id is the
// window's handle): a modify that changes nothing succeeds exactly while it does.
inline bool icon_exists(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(window));
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace kb::test
