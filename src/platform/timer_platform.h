#pragma once

#include <cstdint>
#include <functional>

namespace kb {

// Priorities a worker thread can be given, from the system's idle to its time-critical level.
enum class TThreadPriority {
  tpIdle,
  tpLowest,
  tpLower,
  tpNormal,
  tpHigher,
  tpHighest,
  tpTimeCritical
};

// What a thread timer needs of the system: a millisecond clock, a pause and a worker thread.
class TimerPlatform {
 public:
  virtual ~TimerPlatform() = default;

  // Milliseconds since a fixed point in the past; wraps around at 2^32.
  virtual std::uint32_t now_ms() = 0;

  // Suspends the calling thread for `ms` milliseconds.
  virtual void sleep_ms(std::uint32_t ms) = 0;

  // Runs `body` on a new thread of the given priority. The thread owns `body`, frees it when
  // it returns, and nothing ever waits for it. Throws kb::Error with the system's reason when
  // the thread cannot be created.
  virtual void start_thread(TThreadPriority priority, std::function<void()> body) = 0;
};

}  // namespace kb
