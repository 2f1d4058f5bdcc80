#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/icon.h"
#include "platform/notification_area.h"
#include "toolkit/component.h"
#include "toolkit/input.h"

namespace kb {

class PopupMenu;

// One icon in the notification area ("TTrayIcon"), owned by a form. It puts the icon there
// when made visible, puts it back when the panel that hosts it restarts, removes it when it is
// destroyed or the session ends, and opens its popup menu at the pointer when the right
// button is released over it. Balloons and animation are not built beyond what the program's
// settings touch: the balloon's end clears its flag, and the animation settings are kept.
class TTrayIcon final : public Component, private NotificationAreaClient {
 public:
  using TNotifyEvent = std::function<void(TTrayIcon& sender)>;
  using TMouseEvent =
      std::function<void(TTrayIcon& sender, MouseButton button, ShiftState shift, int x, int y)>;

  static constexpr std::size_t kMaxTip = 127;

  // Fills the record and makes the hidden window; nothing is shown yet. `title`, the
  // application's title, is the tooltip.
  TTrayIcon(NotificationArea& area, std::u16string_view title, std::u16string name = {});
  // Removes the icon (whatever the shell answers) and destroys the hidden window.
  ~TTrayIcon() override;

  // The icon is meant to be in the notification area. Showing it adds it with the current
  // icon; hiding it removes it and throws kb::Error when the shell refuses.
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // The picture shown: a copy of what is set; the program's own icon while none is.
  const TIcon& Icon() const { return icon_; }
  void SetIcon(const TIcon& icon);

  // The tooltip when set explicitly, at most 127 characters; empty means none.
  const std::u16string& Hint() const { return hint_; }
  void SetHint(std::u16string_view value);

  std::int32_t IconIndex() const { return icon_index_; }
  void SetIconIndex(std::int32_t value);
  bool Animate() const { return animate_; }
  void SetAnimate(bool value);
  std::uint32_t AnimateInterval() const { return animate_interval_; }
  void SetAnimateInterval(std::uint32_t value) { animate_interval_ = value; }

  // The menu the right button opens; forgotten when the menu is destroyed.
  PopupMenu* GetPopupMenu() const { return popup_menu_.get(); }
  void SetPopupMenu(PopupMenu* menu);

  void SetOnClick(TNotifyEvent handler) { on_click_ = std::move(handler); }
  void SetOnDblClick(TNotifyEvent handler) { on_dbl_click_ = std::move(handler); }
  void SetOnMouseDown(TMouseEvent handler) { on_mouse_down_ = std::move(handler); }
  void SetOnMouseUp(TMouseEvent handler) { on_mouse_up_ = std::move(handler); }
  void SetOnBalloonClick(TNotifyEvent handler) { on_balloon_click_ = std::move(handler); }

  // The record handed to the shell, for tests.
  const NotifyIconRecord& Record() const { return record_; }

 private:
  // NotificationAreaClient: the hidden window's messages.
  void icon_message(std::uint32_t event) override;
  void taskbar_created() override;
  bool query_end_session() override;
  void end_session(bool ending) override;

  // The current icon becomes the icon set (or the program's own), and the shell is told.
  void refresh_current_icon();
  void modify();
  void mouse_event(const TMouseEvent& handler, MouseButton button);
  void open_menu();

  NotificationArea& area_;
  NotifyIconRecord record_;
  bool visible_ = false;
  TIcon icon_;
  IconHandle current_icon_ = IconHandle::none;
  std::u16string hint_;
  std::int32_t icon_index_ = 0;
  bool animate_ = false;
  std::uint32_t animate_interval_ = 1000;
  ComponentRef<PopupMenu> popup_menu_;
  TNotifyEvent on_click_;
  TNotifyEvent on_dbl_click_;
  TMouseEvent on_mouse_down_;
  TMouseEvent on_mouse_up_;
  TNotifyEvent on_balloon_click_;
};

}  // namespace kb
