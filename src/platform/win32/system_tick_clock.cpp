#include "platform/win32/system_tick_clock.h"

#include <windows.h>

namespace kb::win32 {

std::uint32_t SystemTickClock::tick_count() {
  return GetTickCount();
}

}  // namespace kb::win32
