#include "platform/sim/event_loop.h"

#include <algorithm>
#include <utility>

namespace kb::sim {

void EventLoop::wake() {
  std::lock_guard lock(mutex_);
  pending_ = true;
  ++wakes_;
  woken_.notify_all();
}

bool EventLoop::wake_pending() {
  std::lock_guard lock(mutex_);
  return pending_;
}

std::size_t EventLoop::wake_count() {
  std::lock_guard lock(mutex_);
  return wakes_;
}

void EventLoop::set_wake_handler(std::function<void()> handler) {
  handler_ = std::move(handler);
}

bool EventLoop::serve_one(std::chrono::steady_clock::time_point until) {
  {
    std::unique_lock lock(mutex_);
    if (!woken_.wait_until(lock, until, [this] { return pending_; })) {
      return false;
    }
    pending_ = false;
  }
  if (handler_) {
    handler_();
  }
  return true;
}

bool EventLoop::run_until(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      return false;
    }
    serve_one(std::min(deadline, now + std::chrono::milliseconds(1)));
  }
  return true;
}

void EventLoop::run_for(std::chrono::milliseconds duration) {
  const auto deadline = std::chrono::steady_clock::now() + duration;
  while (std::chrono::steady_clock::now() < deadline) {
    serve_one(deadline);
  }
}

}  // namespace kb::sim
