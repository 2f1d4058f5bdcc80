#include "platform/win32/system_widget_system.h"

#include <windows.h>

#include <cstring>
#include <utility>

#include "platform/win32/wide_text.h"

namespace kb::win32 {

// A message-only window whose WM_TIMER messages are the timers' ticks.
class SystemWidgetSystem::TimerWindow final : public Window {
 public:
  explicit TimerWindow(SystemWidgetSystem& owner) : owner_(owner) {
    create({.name = L"KorvalenBarlumeWidgetTimers"}, 0, 0, u"", RECT{}, HWND_MESSAGE);
  }

 private:
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_TIMER) {
      owner_.tick(static_cast<UINT_PTR>(wparam));
      return 0;
    }
    return default_message(message, wparam, lparam);
  }

  SystemWidgetSystem& owner_;
};

class SystemWidgetSystem::Timer final : public MessageTimer {
 public:
  Timer(SystemWidgetSystem& owner, UINT_PTR id) : owner_(owner), id_(id) {}
  ~Timer() override {
    stop();
    owner_.timers_.erase(id_);
  }

  void start(std::uint32_t interval_ms) override {
    // SetTimer with an existing id replaces that timer: a restart with the new interval.
    entry().running = SetTimer(owner_.timer_window(), id_, interval_ms, nullptr) != 0;
  }
  void stop() override {
    if (entry().running) {
      KillTimer(owner_.timer_window(), id_);
      entry().running = false;
    }
  }
  bool running() const override { return owner_.timers_.at(id_).running; }

 private:
  Entry& entry() { return owner_.timers_.at(id_); }

  SystemWidgetSystem& owner_;
  UINT_PTR id_;
};

SystemWidgetSystem::SystemWidgetSystem() = default;

SystemWidgetSystem::~SystemWidgetSystem() = default;

std::uint32_t SystemWidgetSystem::system_color(int index) {
  return GetSysColor(index);
}

char16_t SystemWidgetSystem::decimal_separator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) {
    return u'.';
  }
  return static_cast<char16_t>(separator[0]);
}

void SystemWidgetSystem::beep() {
  MessageBeep(0);
}

int SystemWidgetSystem::system_font_text_height() {
  HDC dc = GetDC(nullptr);
  if (dc == nullptr) {
    return 16;
  }
  TEXTMETRICW metrics{};
  const BOOL measured = GetTextMetricsW(dc, &metrics);
  ReleaseDC(nullptr, dc);
  return measured ? static_cast<int>(metrics.tmHeight) : 16;
}

int SystemWidgetSystem::border_height() {
  return GetSystemMetrics(SM_CYBORDER);
}

int SystemWidgetSystem::edge_size() {
  return GetSystemMetrics(SM_CXEDGE);
}

std::u16string SystemWidgetSystem::clipboard_text() {
  std::u16string text;
  if (!OpenClipboard(nullptr)) {
    return text;
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      // The block may be larger than its text; stop at the terminator or at its end.
      const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
      std::size_t length = 0;
      while (length < capacity && chars[length] != L'\0') {
        ++length;
      }
      text.assign(from_wide(chars, length));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void SystemWidgetSystem::set_clipboard_text(const std::u16string& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (block == nullptr) {
    return;
  }
  if (void* target = GlobalLock(block)) {
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(block);
  }
  if (!OpenClipboard(nullptr)) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
    GlobalFree(block);  // still ours when the clipboard did not take it
  }
  CloseClipboard();
}

std::unique_ptr<MessageTimer> SystemWidgetSystem::create_timer(std::function<void()> on_tick) {
  const UINT_PTR id = next_id_++;
  timers_.emplace(id, Entry{std::move(on_tick), false});
  return std::make_unique<Timer>(*this, id);
}

HWND SystemWidgetSystem::timer_window() {
  if (!window_) {
    window_ = std::make_unique<TimerWindow>(*this);
  }
  return window_->handle();
}

void SystemWidgetSystem::tick(UINT_PTR id) {
  // A tick posted before its timer was stopped is dropped.
  const auto found = timers_.find(id);
  if (found != timers_.end() && found->second.running) {
    auto handler = found->second.on_tick;  // the handler may destroy its own timer
    handler();
  }
}

}  // namespace kb::win32
