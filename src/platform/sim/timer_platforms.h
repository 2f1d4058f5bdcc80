#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/timer_platform.h"

namespace kb::sim {

// Starts real threads for the timer platforms below and keeps count of them, so that a test
// can make thread creation fail and can wait until every worker has ended.
class SimThreads : public TimerPlatform {
 public:
  void start_thread(TThreadPriority priority, std::function<void()> body) override;

  // The next thread starts fail with this reason.
  void fail_thread_start(std::u16string reason);
  std::vector<TThreadPriority> started_priorities() const;
  std::size_t running_threads() const;
  bool wait_until_threads_ended(std::chrono::milliseconds timeout);

 private:
  // Shared with the threads, which may outlive the platform object.
  struct Tracker {
    std::mutex mutex;
    std::condition_variable ended;
    std::optional<std::u16string> start_failure;
    std::vector<TThreadPriority> priorities;
    std::size_t running = 0;
  };
  std::shared_ptr<Tracker> tracker_ = std::make_shared<Tracker>();
};

// The real clock and the real pause, for tests of concurrency.
class RealTimeTimerPlatform final : public SimThreads {
 public:
  std::uint32_t now_ms() override;
  void sleep_ms(std::uint32_t ms) override;
};

// A clock that moves only when told to, for exact tests of pacing. Every pause is recorded,
// moves the clock on by its length, and then waits for a permit from the test.
class ManualTimerPlatform final : public SimThreads {
 public:
  explicit ManualTimerPlatform(std::uint32_t start_ms = 0) : now_(start_ms) {}

  std::uint32_t now_ms() override;
  void sleep_ms(std::uint32_t ms) override;

  // Moves the clock on, e.g. from a tick handler to stand for the time the handler takes.
  void advance(std::uint32_t ms);
  // Lets `count` more pauses return.
  void allow_pauses(std::size_t count);
  // Lets every pause return, now and from now on (for the end of a test).
  void release();
  // Waits until at least `count` pauses have begun.
  bool wait_for_pauses(std::size_t count, std::chrono::milliseconds timeout);
  std::vector<std::uint32_t> pauses() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::uint32_t now_;
  std::vector<std::uint32_t> pauses_;
  std::size_t permits_ = 0;
  bool released_ = false;
};

}  // namespace kb::sim
