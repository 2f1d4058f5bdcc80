#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>

namespace kb::test {

// Dispatches the calling thread's messages until `done()` holds or `timeout_ms` has passed;
// returns done().
inline bool pump_messages_until(const std::function<bool()>& done, DWORD timeout_ms = 5000) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) {
      return false;
    }
    // Wakes at least every 10 ms, for conditions that no message announces.
    MsgWaitForMultipleObjectsEx(0, nullptr,
                                static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message;
    while (!done() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

}  // namespace kb::test
