#include "runtime/thread_timer.h"

#include <utility>

#include "platform/error.h"

namespace kb {

TVoskThreadTimer::TVoskThreadTimer(std::shared_ptr<TimerPlatform> platform,
                                   std::shared_ptr<MainThreadQueue> queue)
    : state_(std::make_shared<ThreadTimerState>()) {
  state_->sender = this;
  auto worker = std::make_shared<TVoskTimerThread>(state_, platform, std::move(queue));
  try {
    platform->start_thread(FPriority, [worker] { worker->Execute(); });
  } catch (const Error& e) {
    throw Error(u"Fehler beim Erzeugen des Thread: " + e.message());
  }
}

TVoskThreadTimer::~TVoskThreadTimer() {
  state_->bStop.store(true, std::memory_order_relaxed);
  // The handler belongs to the main thread: release it here rather than in the worker.
  state_->FOnTimer = nullptr;
  state_->sender = nullptr;
}

TVoskTimerThread::TVoskTimerThread(std::shared_ptr<ThreadTimerState> state,
                                   std::shared_ptr<TimerPlatform> platform,
                                   std::shared_ptr<MainThreadQueue> queue)
    : tt(std::move(state)), platform_(std::move(platform)), queue_(std::move(queue)) {}

std::uint32_t TVoskTimerThread::pause_after(std::int32_t interval, std::uint32_t t0,
                                            std::uint32_t t1) {
  const std::uint32_t elapsed = t1 - t0;
  // Signed 32-bit difference, computed in unsigned arithmetic so that it wraps instead of
  // overflowing.
  const auto delay = static_cast<std::int32_t>(static_cast<std::uint32_t>(interval) - elapsed);
  return delay < 10 ? 10u : static_cast<std::uint32_t>(delay);
}

void TVoskTimerThread::Execute() {
  try {
    while (!tt->bStop.load(std::memory_order_relaxed)) {
      const std::uint32_t t0 = platform_->now_ms();
      if (tt->FEnabled.load(std::memory_order_relaxed)) {
        queue_->call_sync([this] { DeliverTick(); });
      }
      const std::uint32_t t1 = platform_->now_ms();
      platform_->sleep_ms(pause_after(tt->FInterval.load(std::memory_order_relaxed), t0, t1));
    }
  } catch (...) {
    // A failed tick ends this timer's ticks for good; nothing is reported.
  }
}

void TVoskTimerThread::DeliverTick() {
  // Enabled is not tested again: a tick requested while enabled runs even if the timer was
  // disabled after the request was queued.
  if (!tt->FOnTimer || tt->bStop.load(std::memory_order_relaxed)) {
    return;
  }
  // A copy, so that a handler that destroys its own timer does not destroy itself mid-call.
  const auto handler = tt->FOnTimer;
  handler(*tt->sender);
}

}  // namespace kb
