#pragma once

#include <string_view>
#include <vector>

#include "platform/accent_policy.h"
#include "platform/window_handle.h"

namespace kb {

// The three operations the accent engine needs of the desktop shell.
class TaskbarShell {
 public:
  virtual ~TaskbarShell() = default;

  // Replaces `found` with the top-level windows of the class, in the order the system lists
  // them (the first is the one a plain lookup by class returns). Empty when there is none.
  virtual void find_windows(std::u16string_view class_name, std::vector<WindowHandle>& found) = 0;

  // Hands the accent record to the window manager for `window`. Failures are ignored: the
  // engine tries again on its next call.
  virtual void apply_accent(WindowHandle window, const AccentPolicy& accent) = 0;

  // Sends `window` the theme-change message (both parameters 0) and returns once it has been
  // handled. Failures are ignored.
  virtual void send_theme_changed(WindowHandle window) = 0;
};

}  // namespace kb
