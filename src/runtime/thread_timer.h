#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "platform/timer_platform.h"
#include "runtime/main_thread_queue.h"

namespace kb {

class TVoskThreadTimer;

// State that a timer shares with its worker thread and with ticks already queued. Each holds
// a share, so none of them reads freed memory whatever order they end in.
struct ThreadTimerState {
  // Written on the main thread, read by the worker without a lock.
  std::atomic<bool> FEnabled{false};
  std::atomic<std::int32_t> FInterval{0};
  std::atomic<bool> bStop{false};

  // Main thread only.
  std::function<void(TVoskThreadTimer& sender)> FOnTimer;
  TVoskThreadTimer* sender = nullptr;  // valid while bStop is false
};

// A timer whose ticks are paced by a worker thread of its own and run on the main thread.
// The tick rate is at most one per 10 ms; while a tick runs, the worker waits for it.
class TVoskThreadTimer {
 public:
  using TimerHandler = std::function<void(TVoskThreadTimer& sender)>;

  // Starts the worker. Throws kb::Error when the system refuses to create the thread.
  TVoskThreadTimer(std::shared_ptr<TimerPlatform> platform, std::shared_ptr<MainThreadQueue> queue);
  // Tells the worker to stop; it ends by itself at its next wake-up. Never waits for it.
  ~TVoskThreadTimer();

  TVoskThreadTimer(const TVoskThreadTimer&) = delete;
  TVoskThreadTimer& operator=(const TVoskThreadTimer&) = delete;

  bool Enabled() const { return state_->FEnabled.load(std::memory_order_relaxed); }
  void SetEnabled(bool value) { state_->FEnabled.store(value, std::memory_order_relaxed); }

  // Wanted time from the start of one tick to the start of the next, in milliseconds. Not
  // validated: anything below 10 gives the 10 ms minimum pause.
  std::int32_t Interval() const { return state_->FInterval.load(std::memory_order_relaxed); }
  void SetInterval(std::int32_t value) {
    state_->FInterval.store(value, std::memory_order_relaxed);
  }

  // The worker is given this priority when it starts; a later change is only stored.
  TThreadPriority ThreadPriority() const { return FPriority; }
  void SetThreadPriority(TThreadPriority value) { FPriority = value; }

  const TimerHandler& OnTimer() const { return state_->FOnTimer; }
  void SetOnTimer(TimerHandler handler) { state_->FOnTimer = std::move(handler); }

 private:
  TThreadPriority FPriority = TThreadPriority::tpNormal;
  std::shared_ptr<ThreadTimerState> state_;
};

// The worker of one timer: wakes, asks the main thread for a tick while the timer is
// enabled, and sleeps for the rest of the interval.
class TVoskTimerThread {
 public:
  TVoskTimerThread(std::shared_ptr<ThreadTimerState> tt, std::shared_ptr<TimerPlatform> platform,
                   std::shared_ptr<MainThreadQueue> queue);

  // The worker loop; returns when the timer is destroyed or a tick's handler has failed.
  void Execute();

  // The pause after a pass that began at t0 and ended at t1: the rest of the interval, but
  // never less than 10 ms. The clock's wrap-around between t0 and t1 is harmless.
  static std::uint32_t pause_after(std::int32_t interval, std::uint32_t t0, std::uint32_t t1);

 private:
  // Runs on the main thread.
  void DeliverTick();

  std::shared_ptr<ThreadTimerState> tt;
  std::shared_ptr<TimerPlatform> platform_;
  std::shared_ptr<MainThreadQueue> queue_;
};

}  // namespace kb
