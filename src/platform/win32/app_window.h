#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "platform/main_thread_waker.h"
#include "platform/win32/window.h"

namespace kb::win32 {

// Wakes the main thread by posting to the application's hidden window. Every message loop of
// the main thread dispatches that message, nested modal loops included.
class WindowMessageWaker final : public MainThreadWaker {
 public:
  void wake() override;
  void set_window(HWND window) { window_.store(window); }

 private:
  std::atomic<HWND> window_{nullptr};
};

// The application's hidden top-level window: owner of the program's message boxes, and the
// window through which worker threads wake the main thread. Create and destroy it on the main
// thread.
class AppWindow final : public Window {
 public:
  // The message that asks the main thread to run its queued calls.
  static constexpr UINT kRunQueuedCalls = WM_APP + 0x4B;

  // Throws kb::Error when the window cannot be created.
  explicit AppWindow(const std::u16string& title);
  ~AppWindow() override;

  std::shared_ptr<MainThreadWaker> waker() const { return waker_; }

  // What the window does when woken: run the main-thread queue.
  void set_wake_handler(std::function<void()> handler) { wake_handler_ = std::move(handler); }

 private:
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

  std::shared_ptr<WindowMessageWaker> waker_ = std::make_shared<WindowMessageWaker>();
  std::function<void()> wake_handler_;
};

// Waits until a message arrives, or a second at most. The main thread's loops run the queued
// calls after each wait, so a worker whose wake-up was lost (a full message queue) waits a
// second, not for good; not more often, as the program runs all day and every wake-up costs.
void wait_for_message();

}  // namespace kb::win32
