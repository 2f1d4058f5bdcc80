#pragma once

#include <cstdint>
#include <string>

#include "platform/icon.h"
#include "platform/window_handle.h"

namespace kb {

// An icon made for the notification area; `none` is no icon.
enum class IconHandle : std::uintptr_t { none = 0 };

enum class NotifyCommand { add, modify, remove };

// Which parts of the record an add or a modify sets.
inline constexpr std::uint32_t kNifMessage = 0x01;
inline constexpr std::uint32_t kNifIcon = 0x02;
inline constexpr std::uint32_t kNifTip = 0x04;
inline constexpr std::uint32_t kNifInfo = 0x10;

// The message the shell sends an icon's window about the icon (WM_USER + 1).
inline constexpr std::uint32_t kIconCallbackMessage = 0x0400 + 1;

// What the icon's callback message reports: the mouse messages over the icon and the balloon's.
inline constexpr std::uint32_t kIconMouseMove = 0x0200;
inline constexpr std::uint32_t kIconLeftDown = 0x0201;
inline constexpr std::uint32_t kIconLeftUp = 0x0202;
inline constexpr std::uint32_t kIconLeftDouble = 0x0203;
inline constexpr std::uint32_t kIconRightDown = 0x0204;
inline constexpr std::uint32_t kIconRightUp = 0x0205;
inline constexpr std::uint32_t kIconRightDouble = 0x0206;
inline constexpr std::uint32_t kIconMiddleDown = 0x0207;
inline constexpr std::uint32_t kIconMiddleUp = 0x0208;
inline constexpr std::uint32_t kIconMiddleDouble = 0x0209;
inline constexpr std::uint32_t kBalloonHidden = 1027;
inline constexpr std::uint32_t kBalloonTimedOut = 1028;
inline constexpr std::uint32_t kBalloonClicked = 1029;

// The record of one icon, as the shell takes it.
struct NotifyIconRecord {
  // The whole record, or its older, shorter form for systems before version 6.
  bool full_size = true;
  WindowHandle window = WindowHandle::none;  // receives the callback messages
  std::uintptr_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callback_message = 0;
  IconHandle icon = IconHandle::none;
  std::u16string tip;  // at most 127 characters
  std::uint32_t timeout = 0;
};

// What the hidden window of an icon hears, handed to the object that owns the icon. Main
// thread only.
class NotificationAreaClient {
 public:
  virtual ~NotificationAreaClient() = default;
  // The icon's callback message: a mouse message over it, or the balloon's notification.
  virtual void icon_message(std::uint32_t event) = 0;
  // The panel that hosts the icons has (re)started: icons must be added again.
  virtual void taskbar_created() = 0;
  // The session may end (log-off or shutdown): the answer is whether that is all right.
  virtual bool query_end_session() = 0;
  // The session ends now, when `ending`.
  virtual void end_session(bool ending) = 0;
};

// The notification area of the taskbar: icons with a picture and a tooltip, added, changed and
// removed; a hidden window per icon that hears the mouse over it, the panel's restart and the
// session's end; and what the right-click menu needs.
class NotificationArea {
 public:
  virtual ~NotificationArea() = default;

  // A hidden window for one icon; its messages go to `client` until it is destroyed.
  virtual WindowHandle create_window(NotificationAreaClient& client) = 0;
  virtual void destroy_window(WindowHandle window) = 0;

  // Hands the record to the shell; false when the shell refuses.
  virtual bool notify_icon(NotifyCommand command, const NotifyIconRecord& record) = 0;

  // The system's major version number (the record's form depends on it).
  virtual int system_major_version() = 0;

  // An icon the shell can show, at the notification area's size for the display (the
  // picture of that size, or the nearest); destroy it when done.
  virtual IconHandle make_icon(const TIcon& icon) = 0;
  // The program's own icon, at the same size.
  virtual IconHandle application_icon() = 0;
  virtual void destroy_icon(IconHandle icon) = 0;

  // Before a menu at the icon: the program's hidden main window comes to the foreground, so
  // that the menu closes when the user clicks elsewhere, and what is pending is handled.
  virtual void bring_application_to_front() = 0;
  virtual void process_pending_messages() = 0;
  // The pointer's position on the screen.
  virtual void cursor_position(int& x, int& y) = 0;
};

}  // namespace kb
