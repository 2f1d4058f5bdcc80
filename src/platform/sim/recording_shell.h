#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/taskbar_shell.h"

namespace kb::sim {

// A desktop of made-up top-level windows that records every call the engine makes.
// Main thread only, like the engine.
class RecordingShell final : public TaskbarShell {
 public:
  enum class Op { find, apply_accent, theme_changed };

  struct Call {
    Op op;
    std::u16string class_name;                 // find
    WindowHandle window = WindowHandle::none;  // apply_accent, theme_changed
    AccentPolicy accent;                       // apply_accent

    friend bool operator==(const Call&, const Call&) = default;
  };

  // Adds a window of the class behind the existing ones and returns its handle.
  WindowHandle add_window(std::u16string class_name);
  // Closes the window; calls on its handle are still recorded, as the system would reject them.
  void remove_window(WindowHandle window);

  const std::vector<Call>& calls() const { return calls_; }
  std::size_t count(Op op) const;
  void clear_calls() { calls_.clear(); }

  void find_windows(std::u16string_view class_name, std::vector<WindowHandle>& found) override;
  void apply_accent(WindowHandle window, const AccentPolicy& accent) override;
  void send_theme_changed(WindowHandle window) override;

 private:
  struct Window {
    WindowHandle handle;
    std::u16string class_name;
  };

  std::vector<Window> windows_;
  std::vector<Call> calls_;
  std::uintptr_t next_handle_ = 0x10010;
};

}  // namespace kb::sim
