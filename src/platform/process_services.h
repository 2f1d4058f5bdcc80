#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "platform/main_thread_waker.h"

namespace kb {

// The icon of a message box.
enum class MessageIcon { error, information };

// What start-up and the running program need of the process: the single-instance guard, the
// program's own message boxes, and the main thread's message loop with its wake-ups.
class ProcessServices {
 public:
  virtual ~ProcessServices() = default;

  // Creates the named mutex of the user's logon, asking to own it, and keeps it as long as
  // this object lives. False when it existed already: another copy of the program runs. When
  // it cannot be made at all, the program runs unguarded: true.
  virtual bool take_single_instance(std::u16string_view name) = 0;

  // A message box of the program, owned by its hidden main window; returns when it is closed.
  virtual void message_box(std::u16string_view text, std::u16string_view caption,
                           MessageIcon icon) = 0;

  // How worker threads wake the main thread, in whatever loop it is.
  virtual std::shared_ptr<MainThreadWaker> waker() = 0;
  // What a wake-up runs on the main thread: the calls queued for it. The loops also run it
  // whenever they find no message waiting, so that a wake-up that got lost delays nothing.
  virtual void set_queued_calls_handler(std::function<void()> handler) = 0;

  // The main message loop: runs until `done()` holds, checked after every message.
  virtual void run_message_loop(const std::function<bool()>& done) = 0;
};

}  // namespace kb
