#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

namespace kb::test {

namespace later_detail {

inline std::map<UINT_PTR, std::function<void()>>& pending() {
  static std::map<UINT_PTR, std::function<void()>> actions;
  return actions;
}

inline void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const auto found = pending().find(timer);
  if (found != pending().end()) {
    auto run = std::move(found->second);
    pending().erase(found);
    run();
  }
}

}  // namespace later_detail

// Runs `action` once, about `ms` from now, from whatever message loop the calling thread is in
// then: a modal form, a popup menu, a message box. A thread timer, so it needs no window.
inline void later(UINT ms, std::function<void()> action) {
  later_detail::pending()[SetTimer(nullptr, 0, ms, &later_detail::tick)] = std::move(action);
}

// Runs `rescue` on a thread of its own if the test has not ended `timeout` after it began, so
// that a failing test cannot hang on a window that stays open; cancelled and joined when the
// test ends in time.
class Watchdog {
 public:
  Watchdog(std::chrono::milliseconds timeout, std::function<void()> rescue)
      : thread_([this, timeout, rescue = std::move(rescue)] {
          std::unique_lock lock(mutex_);
          if (!cancelled_.wait_for(lock, timeout, [this] { return done_; })) {
            lock.unlock();
            rescue();
          }
        }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    cancelled_.notify_all();
    thread_.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable cancelled_;
  bool done_ = false;
  std::thread thread_;  // last: it starts once the rest is there
};

}  // namespace kb::test
