#pragma once

#include <cstdint>

namespace kb {

// The system's tick count: milliseconds since the system started, wrapping at 2^32.
class TickClock {
 public:
  virtual ~TickClock() = default;
  virtual std::uint32_t tick_count() = 0;
};

}  // namespace kb
