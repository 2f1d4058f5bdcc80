#include "platform/sim/recording_shell.h"

#include <algorithm>
#include <utility>

namespace kb::sim {

WindowHandle RecordingShell::add_window(std::u16string class_name) {
  const auto handle = static_cast<WindowHandle>(next_handle_);
  next_handle_ += 0x10;
  windows_.push_back({handle, std::move(class_name)});
  return handle;
}

void RecordingShell::remove_window(WindowHandle window) {
  std::erase_if(windows_, [window](const Window& w) { return w.handle == window; });
}

std::size_t RecordingShell::count(Op op) const {
  return static_cast<std::size_t>(
      std::count_if(calls_.begin(), calls_.end(), [op](const Call& c) { return c.op == op; }));
}

void RecordingShell::find_windows(std::u16string_view class_name,
                                  std::vector<WindowHandle>& found) {
  calls_.push_back({Op::find, std::u16string(class_name), WindowHandle::none, {}});
  found.clear();
  for (const Window& w : windows_) {
    if (w.class_name == class_name) {
      found.push_back(w.handle);
    }
  }
}

void RecordingShell::apply_accent(WindowHandle window, const AccentPolicy& accent) {
  calls_.push_back({Op::apply_accent, {}, window, accent});
}

void RecordingShell::send_theme_changed(WindowHandle window) {
  calls_.push_back({Op::theme_changed, {}, window, {}});
}

}  // namespace kb::sim
