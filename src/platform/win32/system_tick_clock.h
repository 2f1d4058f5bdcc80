#pragma once

#include "platform/tick_clock.h"

namespace kb::win32 {

// GetTickCount.
class SystemTickClock final : public TickClock {
 public:
  std::uint32_t tick_count() override;
};

}  // namespace kb::win32
