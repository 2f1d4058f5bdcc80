#include "app/accent_engine.h"

namespace kb {

AccentEngine::AccentEngine(TaskbarShell& shell, const AccentInputs& inputs)
    : shell_(shell), inputs_(inputs) {}

AccentPolicy AccentEngine::user_accent(std::int32_t r, std::int32_t g, std::int32_t b,
                                       std::int32_t a) {
  auto low_byte = [](std::int32_t v) { return static_cast<std::uint32_t>(v) & 0xFFu; };
  // Red lowest: the window manager's byte order, not the colour picker's.
  const std::uint32_t colour =
      low_byte(r) | (low_byte(g) << 8) | (low_byte(b) << 16) | (low_byte(a) << 24);
  return {2, 0x1E0, colour, 0};
}

void AccentEngine::look_up_windows() {
  shell_.find_windows(u"Shell_TrayWnd", primary_);
  state_.Taskbar = primary_.empty() ? WindowHandle::none : primary_.front();
  state_.Taskbar_CountDown = kLookupEvery;
  shell_.find_windows(u"Shell_SecondaryTrayWnd", state_.Taskbar_Monitor2);
}

void AccentEngine::apply_to_all(const AccentPolicy& accent) {
  shell_.apply_accent(state_.Taskbar, accent);
  for (const WindowHandle secondary : state_.Taskbar_Monitor2) {
    shell_.apply_accent(secondary, accent);
  }
  state_.TB_IS_NORMAL = false;
}

void AccentEngine::CustomizeTB() {
  --state_.Taskbar_CountDown;
  if (state_.Taskbar == WindowHandle::none || state_.Taskbar_CountDown <= 0) {
    look_up_windows();
  }
  if (state_.Taskbar == WindowHandle::none) {
    return;
  }

  // While the dialog is open with the preview ticked, the user colour shows whatever look is
  // checked in the menu.
  if (inputs_.user_checked() || (inputs_.dialog_visible() && inputs_.preview_ticked())) {
    const std::int32_t r = inputs_.red();
    const std::int32_t g = inputs_.green();
    const std::int32_t b = inputs_.blue();
    const std::int32_t a = inputs_.alpha();
    apply_to_all(user_accent(r, g, b, a));
    return;
  }

  if (inputs_.transparent_checked()) {
    apply_to_all(kTransparentAccent);
  }
  // The theme-change message goes out once per switch to the standard look, not every tick.
  if (inputs_.standard_checked() && !state_.TB_IS_NORMAL) {
    shell_.send_theme_changed(state_.Taskbar);
    for (const WindowHandle secondary : state_.Taskbar_Monitor2) {
      shell_.send_theme_changed(secondary);
    }
    state_.TB_IS_NORMAL = true;
  }
}

}  // namespace kb
