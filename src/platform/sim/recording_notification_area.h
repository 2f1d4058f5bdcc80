#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "platform/notification_area.h"

namespace kb::sim {

// A headless notification area for tests: it records every call with the record it was
// given, keeps the icons it holds as the shell does (an icon is added once, then modified,
// then removed; a modify or a remove of an icon it lacks, or a second add, is refused), can
// refuse calls on demand, and plays the shell's side: a mouse message over an icon, a restart
// of the panel, the session's end.
class RecordingNotificationArea final : public NotificationArea {
 public:
  struct Call {
    NotifyCommand command;
    NotifyIconRecord record;
    bool accepted;
  };

  WindowHandle create_window(NotificationAreaClient& client) override;
  void destroy_window(WindowHandle window) override;
  bool notify_icon(NotifyCommand command, const NotifyIconRecord& record) override;
  int system_major_version() override { return major_version_; }
  IconHandle make_icon(const TIcon& icon) override;
  IconHandle application_icon() override;
  void destroy_icon(IconHandle icon) override;
  void bring_application_to_front() override { ++fronts_; }
  void process_pending_messages() override;
  void cursor_position(int& x, int& y) override {
    x = cursor_x_;
    y = cursor_y_;
  }

  // --- The test's side ---
  const std::vector<Call>& calls() const { return calls_; }
  void clear_calls() { calls_.clear(); }
  // Whether the icon of this window is in the area now.
  bool shows(WindowHandle window) const { return shown_.contains(window); }
  // The picture's width behind an icon handle made here, 0 for the program's own icon, -1 for
  // a handle it never made.
  int icon_size(IconHandle icon) const;
  std::size_t live_icons() const { return live_icons_.size(); }
  std::size_t live_windows() const { return clients_.size(); }
  std::size_t fronts() const { return fronts_; }

  // The next `count` calls are refused whatever they are.
  void refuse_next(std::size_t count) { refusals_ = count; }
  // The next `count` hidden windows cannot be made: making them throws kb::Error.
  void fail_next_windows(std::size_t count) { window_failures_ = count; }
  void set_major_version(int major) { major_version_ = major; }
  void set_cursor(int x, int y) {
    cursor_x_ = x;
    cursor_y_ = y;
  }
  // Runs while the icon's owner processes pending messages before its menu.
  void set_pending(std::function<void()> work) { pending_ = std::move(work); }

  // The user over an icon; the panel restarting (every icon is gone, then every window hears
  // of it); the session asking to end and ending.
  void send(WindowHandle window, std::uint32_t event);
  void restart();
  bool query_end_session();
  void end_session(bool ending);

 private:
  std::map<WindowHandle, NotificationAreaClient*> clients_;
  std::set<WindowHandle> shown_;
  std::map<IconHandle, int> made_icons_;  // every icon made, with its picture's width
  std::set<IconHandle> live_icons_;
  std::vector<Call> calls_;
  std::size_t refusals_ = 0;
  std::size_t window_failures_ = 0;
  std::size_t fronts_ = 0;
  int major_version_ = 10;
  int cursor_x_ = 0;
  int cursor_y_ = 0;
  std::uintptr_t next_handle_ = 0x100;
  std::function<void()> pending_;
};

}  // namespace kb::sim
