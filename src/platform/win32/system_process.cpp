#include "platform/win32/system_process.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace kb::win32 {

SystemProcess::SystemProcess(const std::u16string& title) : window_(title) {
  window_.set_wake_handler([this] { run_queued_calls(); });
}

SystemProcess::~SystemProcess() {
  window_.set_wake_handler(nullptr);
}

bool SystemProcess::take_single_instance(std::u16string_view name) {
  const std::u16string mutex_name(name);
  mutex_.reset(CreateMutexW(nullptr, TRUE, wide(mutex_name)));
  // Read at once: the next call may change it.
  const DWORD error = GetLastError();
  return !(mutex_ && error == ERROR_ALREADY_EXISTS);
}

void SystemProcess::message_box(std::u16string_view text, std::u16string_view caption,
                                MessageIcon icon) {
  const std::u16string message(text);
  const std::u16string title(caption);
  const UINT style =
      static_cast<UINT>(MB_OK | (icon == MessageIcon::error ? MB_ICONERROR : MB_ICONINFORMATION));
  MessageBoxExW(window_.handle(), wide(message), wide(title), style, 0);
}

void SystemProcess::set_queued_calls_handler(std::function<void()> handler) {
  queued_calls_ = std::move(handler);
}

void SystemProcess::run_queued_calls() {
  if (queued_calls_) {
    auto run = queued_calls_;  // a call may replace the handler
    run();
  }
}

void SystemProcess::run_message_loop(const std::function<bool()>& done) {
  while (!done()) {
    // One message at a time, then straight to the wait, which returns at once while more are
    // queued: a look at an empty queue after every message would cost a call to the system.
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        break;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
      if (done()) {
        break;
      }
    }
    run_queued_calls();
    if (!done()) {
      wait_for_message();
    }
  }
}

}  // namespace kb::win32
