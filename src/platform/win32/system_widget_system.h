#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/widget_system.h"
#include "platform/win32/window.h"

namespace kb::win32 {

// The widgets' system on Windows: GetSysColor, the user locale's LOCALE_SDECIMAL,
// MessageBeep(0), GetSystemMetrics, the text metrics of a screen DC's default font, the
// clipboard's Unicode text, and SetTimer timers on a hidden message-only window. Create, use
// and destroy it on the user-interface thread; its timers must not outlive it.
class SystemWidgetSystem final : public WidgetSystem {
 public:
  SystemWidgetSystem();
  ~SystemWidgetSystem() override;

  SystemWidgetSystem(const SystemWidgetSystem&) = delete;
  SystemWidgetSystem& operator=(const SystemWidgetSystem&) = delete;

  std::uint32_t system_color(int index) override;
  char16_t decimal_separator() override;
  void beep() override;
  int system_font_text_height() override;
  int border_height() override;
  int edge_size() override;
  std::u16string clipboard_text() override;
  void set_clipboard_text(const std::u16string& text) override;
  std::unique_ptr<MessageTimer> create_timer(std::function<void()> on_tick) override;

 private:
  class Timer;
  class TimerWindow;
  HWND timer_window();
  void tick(UINT_PTR id);

  std::unique_ptr<TimerWindow> window_;
  UINT_PTR next_id_ = 1;
  struct Entry {
    std::function<void()> on_tick;
    bool running = false;
  };
  std::map<UINT_PTR, Entry> timers_;
};

}  // namespace kb::win32
