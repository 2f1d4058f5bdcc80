#include "runtime/main_thread_queue.h"

#include <utility>

namespace kb {

MainThreadQueue::MainThreadQueue(std::shared_ptr<MainThreadWaker> waker)
    : waker_(std::move(waker)), main_thread_(std::this_thread::get_id()) {}

void MainThreadQueue::call_sync(std::function<void()> call) {
  if (std::this_thread::get_id() == main_thread_) {
    call();
    return;
  }
  // The caller stays blocked until the call has run, so the record can live on its stack.
  Pending pending{std::move(call), nullptr, false};
  {
    std::lock_guard lock(mutex_);
    if (closed_) {
      return;
    }
    queue_.push_back(&pending);
  }
  waker_->wake();
  std::unique_lock lock(mutex_);
  finished_.wait(lock, [&pending] { return pending.done; });
  if (pending.failure) {
    std::rethrow_exception(pending.failure);
  }
}

void MainThreadQueue::run_pending() {
  for (;;) {
    Pending* next = nullptr;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) {
        return;
      }
      next = queue_.front();
      queue_.pop_front();
    }
    try {
      next->call();
    } catch (...) {
      next->failure = std::current_exception();
    }
    std::lock_guard lock(mutex_);
    next->done = true;
    finished_.notify_all();
  }
}

void MainThreadQueue::close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  for (Pending* waiting : queue_) {
    waiting->done = true;
  }
  queue_.clear();
  finished_.notify_all();
}

}  // namespace kb
