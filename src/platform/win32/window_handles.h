#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/window_handle.h"

namespace kb::win32 {

// The portable number of a window and the system's handle are the same value.
inline HWND to_hwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

inline WindowHandle from_hwnd(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}

}  // namespace kb::win32
