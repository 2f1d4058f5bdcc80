#pragma once

namespace kb {

// Wakes the main thread's event loop so that it runs the calls queued for it. Called from any
// thread; the loop may be the main one or a nested modal loop (dialog, menu, message box).
class MainThreadWaker {
 public:
  virtual ~MainThreadWaker() = default;
  virtual void wake() = 0;
};

}  // namespace kb
