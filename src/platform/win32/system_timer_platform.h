#pragma once

#include "platform/timer_platform.h"

namespace kb::win32 {

// timeGetTime, Sleep and a worker thread of the given priority.
class SystemTimerPlatform final : public TimerPlatform {
 public:
  std::uint32_t now_ms() override;
  void sleep_ms(std::uint32_t ms) override;
  void start_thread(TThreadPriority priority, std::function<void()> body) override;
};

}  // namespace kb::win32
