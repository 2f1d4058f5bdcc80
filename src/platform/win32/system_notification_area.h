#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "platform/notification_area.h"

namespace kb::win32 {

// The notification area through Shell_NotifyIconW. Each icon's hidden window is a zero-size,
// top-level tool window, not a message-only one: message-only windows hear no broadcasts, and
// "TaskbarCreated" is one. Icons are made at the small-icon size of the system's DPI.
// Main thread only.
class SystemNotificationArea final : public NotificationArea {
 public:
  // `application_window`: the program's hidden main window, brought to the foreground before
  // a menu; null for none.
  explicit SystemNotificationArea(HWND application_window = nullptr);
  ~SystemNotificationArea() override;

  SystemNotificationArea(const SystemNotificationArea&) = delete;
  SystemNotificationArea& operator=(const SystemNotificationArea&) = delete;

  WindowHandle create_window(NotificationAreaClient& client) override;
  void destroy_window(WindowHandle window) override;
  bool notify_icon(NotifyCommand command, const NotifyIconRecord& record) override;
  int system_major_version() override;
  IconHandle make_icon(const TIcon& icon) override;
  IconHandle application_icon() override;
  void destroy_icon(IconHandle icon) override;
  void bring_application_to_front() override;
  void process_pending_messages() override;
  void cursor_position(int& x, int& y) override;

  // The size of the notification area's icons on this display.
  static int small_icon_size();

 private:
  class IconWindow;

  HWND application_window_;
  std::map<WindowHandle, std::unique_ptr<IconWindow>> windows_;
};

}  // namespace kb::win32
