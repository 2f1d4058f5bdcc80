#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/widget_system.h"

namespace kb::sim {

// The widgets' system for tests: colours, separator and metrics as a test sets them (standard
// Windows settings to begin with), counted beeps, an in-memory clipboard, and message timers
// on a clock that moves only when the test advances it.
class ScriptedWidgetSystem final : public WidgetSystem {
 public:
  ScriptedWidgetSystem();
  ~ScriptedWidgetSystem() override;

  std::uint32_t system_color(int index) override;
  char16_t decimal_separator() override { return decimal_separator_; }
  void beep() override { ++beeps_; }
  int system_font_text_height() override { return system_font_text_height_; }
  int border_height() override { return border_height_; }
  int edge_size() override { return edge_size_; }
  std::u16string clipboard_text() override { return clipboard_; }
  void set_clipboard_text(const std::u16string& text) override { clipboard_ = text; }
  std::unique_ptr<MessageTimer> create_timer(std::function<void()> on_tick) override;

  void set_system_color(int index, std::uint32_t bgr);
  void set_decimal_separator(char16_t separator) { decimal_separator_ = separator; }
  void set_metrics(int system_font_text_height, int border_height, int edge_size);
  std::size_t beeps() const { return beeps_; }

  // Moves the clock on by `ms`, delivering every tick that falls due on the way in time
  // order, each with the clock at its due time.
  void advance(std::uint32_t ms);
  std::uint64_t now_ms() const { return *clock_; }
  std::size_t timers_created() const { return created_; }

 private:
  class Timer;
  struct Slot {
    Timer* timer = nullptr;  // null once the timer is destroyed
    std::function<void()> on_tick;
    bool running = false;
    std::uint32_t interval = 0;
    std::uint64_t due = 0;
  };

  std::array<std::uint32_t, 31> colors_{};
  char16_t decimal_separator_ = u'.';
  int system_font_text_height_ = 16;
  int border_height_ = 1;
  int edge_size_ = 2;
  std::size_t beeps_ = 0;
  std::u16string clipboard_;
  std::size_t created_ = 0;
  // Shared with the timers, which may outlive the system in a careless test.
  std::shared_ptr<std::vector<std::shared_ptr<Slot>>> slots_;
  std::shared_ptr<std::uint64_t> clock_;
};

}  // namespace kb::sim
