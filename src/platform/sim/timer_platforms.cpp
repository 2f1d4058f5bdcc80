#include "platform/sim/timer_platforms.h"

#include <thread>
#include <utility>

#include "platform/error.h"

namespace kb::sim {

void SimThreads::start_thread(TThreadPriority priority, std::function<void()> body) {
  {
    std::lock_guard lock(tracker_->mutex);
    if (tracker_->start_failure) {
      auto reason = std::move(*tracker_->start_failure);
      tracker_->start_failure.reset();
      throw Error(std::move(reason));
    }
    tracker_->priorities.push_back(priority);
    ++tracker_->running;
  }
  std::thread([tracker = tracker_, body = std::move(body)]() mutable {
    body();
    body = nullptr;  // free what the body owns before the thread counts as ended
    std::lock_guard lock(tracker->mutex);
    --tracker->running;
    tracker->ended.notify_all();
  }).detach();
}

void SimThreads::fail_thread_start(std::u16string reason) {
  std::lock_guard lock(tracker_->mutex);
  tracker_->start_failure = std::move(reason);
}

std::vector<TThreadPriority> SimThreads::started_priorities() const {
  std::lock_guard lock(tracker_->mutex);
  return tracker_->priorities;
}

std::size_t SimThreads::running_threads() const {
  std::lock_guard lock(tracker_->mutex);
  return tracker_->running;
}

bool SimThreads::wait_until_threads_ended(std::chrono::milliseconds timeout) {
  std::unique_lock lock(tracker_->mutex);
  return tracker_->ended.wait_for(lock, timeout, [this] { return tracker_->running == 0; });
}

std::uint32_t RealTimeTimerPlatform::now_ms() {
  const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
}

void RealTimeTimerPlatform::sleep_ms(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint32_t ManualTimerPlatform::now_ms() {
  std::lock_guard lock(mutex_);
  return now_;
}

void ManualTimerPlatform::sleep_ms(std::uint32_t ms) {
  std::unique_lock lock(mutex_);
  pauses_.push_back(ms);
  now_ += ms;
  changed_.notify_all();
  changed_.wait(lock, [this] { return released_ || permits_ > 0; });
  if (!released_) {
    --permits_;
  }
}

void ManualTimerPlatform::advance(std::uint32_t ms) {
  std::lock_guard lock(mutex_);
  now_ += ms;
}

void ManualTimerPlatform::allow_pauses(std::size_t count) {
  std::lock_guard lock(mutex_);
  permits_ += count;
  changed_.notify_all();
}

void ManualTimerPlatform::release() {
  std::lock_guard lock(mutex_);
  released_ = true;
  changed_.notify_all();
}

bool ManualTimerPlatform::wait_for_pauses(std::size_t count, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return pauses_.size() >= count; });
}

std::vector<std::uint32_t> ManualTimerPlatform::pauses() const {
  std::lock_guard lock(mutex_);
  return pauses_;
}

}  // namespace kb::sim
