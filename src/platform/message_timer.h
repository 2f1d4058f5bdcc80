#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace kb {

// A timer of the user-interface thread: its ticks arrive as messages between other messages,
// never on another thread.
class MessageTimer {
 public:
  virtual ~MessageTimer() = default;

  // Starts the timer, or restarts it when it runs: the next tick comes `interval_ms` from now
  // and then every `interval_ms`.
  virtual void start(std::uint32_t interval_ms) = 0;
  // No more ticks until the next start; a tick that is due but not yet delivered is dropped.
  virtual void stop() = 0;
  virtual bool running() const = 0;
};

// Makes message timers whose ticks call `on_tick` on the user-interface thread. The handler
// may start or stop its own timer.
class MessageTimerFactory {
 public:
  virtual ~MessageTimerFactory() = default;
  virtual std::unique_ptr<MessageTimer> create_timer(std::function<void()> on_tick) = 0;
};

}  // namespace kb
