#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/process_services.h"
#include "platform/win32/app_window.h"
#include "platform/win32/unique_handle.h"

namespace kb::win32 {

// The process on Windows: the named mutex, message boxes owned by the program's hidden main
// window (the application window, which also wakes the main thread), and the main message loop,
// which runs the queued calls on each wake-up and whenever it finds no message waiting.
class SystemProcess final : public ProcessServices {
 public:
  // Throws kb::Error when the hidden window cannot be made.
  explicit SystemProcess(const std::u16string& title);
  ~SystemProcess() override;

  bool take_single_instance(std::u16string_view name) override;
  void message_box(std::u16string_view text, std::u16string_view caption,
                   MessageIcon icon) override;
  std::shared_ptr<MainThreadWaker> waker() override { return window_.waker(); }
  void set_queued_calls_handler(std::function<void()> handler) override;
  // Ends at WM_QUIT too, which it leaves for nobody.
  void run_message_loop(const std::function<bool()>& done) override;

  // The queued calls, run now: for the other loops of the main thread when they go idle.
  void run_queued_calls();
  HWND window() const { return window_.handle(); }

 private:
  AppWindow window_;
  UniqueKernelHandle mutex_;
  std::function<void()> queued_calls_;
};

}  // namespace kb::win32
