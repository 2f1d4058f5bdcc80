#pragma once

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/main_thread_waker.h"
#include "platform/thread_sync.h"

namespace kb {

// Calls handed from worker threads to the main thread, one at a time, in the order queued.
// The main thread's event loop runs them when the waker wakes it.
class MainThreadQueue {
 public:
  // Constructed on the main thread, which it then serves.
  explicit MainThreadQueue(std::shared_ptr<MainThreadWaker> waker);

  MainThreadQueue(const MainThreadQueue&) = delete;
  MainThreadQueue& operator=(const MainThreadQueue&) = delete;

  // From any thread: runs `call` on the main thread and returns when it has run; a failure of
  // the call is raised here again. On the main thread itself the call runs at once.
  void call_sync(std::function<void()> call);

  // On the main thread: runs every call queued so far, oldest first. A call that opens a
  // nested event loop may serve later calls from there; that is what keeps timers ticking
  // while a modal dialog is open.
  void run_pending();

  // The main thread serves no more calls (the program ends): every call waiting is let go
  // without running, and so is every later one, so that no worker waits for ever.
  void close();

 private:
  struct Pending {
    std::function<void()> call;
    std::exception_ptr failure;
    bool done = false;
  };

  std::shared_ptr<MainThreadWaker> waker_;
  const std::thread::id main_thread_;
  Mutex mutex_;
  ConditionVariable finished_;
  std::deque<Pending*> queue_;
  bool closed_ = false;
};

}  // namespace kb
