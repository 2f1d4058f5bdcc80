#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>

#include "platform/main_thread_waker.h"

namespace kb::sim {

// The main thread's event loop for tests: wake-ups from other threads are collected, and the
// test's thread serves them by running the loop for a while.
class EventLoop final : public MainThreadWaker {
 public:
  void wake() override;

  // What serving one wake-up does (on the thread that runs the loop).
  void set_wake_handler(std::function<void()> handler);

  // Serves wake-ups until `done()` holds or `timeout` has passed; returns done(). `done` is
  // tested after every wake-up and at least every millisecond.
  bool run_until(const std::function<bool()>& done,
                 std::chrono::milliseconds timeout = std::chrono::seconds(5));

  // Serves wake-ups for the whole of `duration`.
  void run_for(std::chrono::milliseconds duration);

  // Whether a wake-up has arrived that the loop has not served yet, and how many arrived.
  bool wake_pending();
  std::size_t wake_count();

 private:
  bool serve_one(std::chrono::steady_clock::time_point until);

  std::mutex mutex_;
  std::condition_variable woken_;
  bool pending_ = false;
  std::size_t wakes_ = 0;
  std::function<void()> handler_;
};

}  // namespace kb::sim
