#include "runtime/tray_icon.h"

#include <utility>

#include "platform/error.h"
#include "toolkit/menu.h"

namespace kb {
namespace {

constexpr std::uint32_t kBalloonTimeout = 10000;

std::u16string_view clipped(std::u16string_view tip) {
  return tip.substr(0, TTrayIcon::kMaxTip);
}

}  // namespace

TTrayIcon::TTrayIcon(NotificationArea& area, std::u16string_view title, std::u16string name)
    : Component(u"TTrayIcon", std::move(name)), area_(area) {
  record_.full_size = area_.system_major_version() >= 6;
  record_.window = area_.create_window(*this);
  record_.id = static_cast<std::uintptr_t>(record_.window);
  record_.callback_message = kIconCallbackMessage;
  record_.tip.assign(clipped(title));
  record_.flags = kNifMessage | kNifIcon | (record_.tip.empty() ? 0 : kNifTip);
  record_.timeout = kBalloonTimeout;
}

TTrayIcon::~TTrayIcon() {
  area_.notify_icon(NotifyCommand::remove, record_);
  area_.destroy_window(record_.window);
  if (current_icon_ != IconHandle::none) {
    area_.destroy_icon(current_icon_);
  }
}

void TTrayIcon::SetVisible(bool value) {
  if (value == visible_) {
    return;
  }
  visible_ = value;
  if (visible_) {
    if (!animate_) {
      refresh_current_icon();
    }
    area_.notify_icon(NotifyCommand::add, record_);
  } else if (!area_.notify_icon(NotifyCommand::remove, record_)) {
    throw Error(u"Shell-Benachrichtigungssymbol kann nicht entfernt werden");
  }
}

void TTrayIcon::SetIcon(const TIcon& icon) {
  icon_ = icon;
  if (!animate_) {
    refresh_current_icon();
  }
}

void TTrayIcon::refresh_current_icon() {
  const IconHandle old = current_icon_;
  current_icon_ = icon_.empty() ? area_.application_icon() : area_.make_icon(icon_);
  record_.icon = current_icon_;
  modify();
  // The shell keeps its own copy of what it was given.
  if (old != IconHandle::none) {
    area_.destroy_icon(old);
  }
}

void TTrayIcon::modify() {
  if (visible_) {
    area_.notify_icon(NotifyCommand::modify, record_);  // refused before the first add
  }
}

void TTrayIcon::SetHint(std::u16string_view value) {
  const std::u16string_view tip = clipped(value);
  if (tip == hint_) {
    return;
  }
  hint_.assign(tip);
  record_.tip = hint_;
  if (hint_.empty()) {
    record_.flags &= ~kNifTip;
  } else {
    record_.flags |= kNifTip;
  }
  modify();
}

void TTrayIcon::SetIconIndex(std::int32_t value) {
  icon_index_ = value;
}

void TTrayIcon::SetAnimate(bool value) {
  animate_ = value;
}

void TTrayIcon::SetPopupMenu(PopupMenu* menu) {
  popup_menu_ = menu;
}

void TTrayIcon::icon_message(std::uint32_t event) {
  switch (event) {
    case kIconLeftDown:
      mouse_event(on_mouse_down_, MouseButton::left);
      break;
    case kIconRightDown:
      mouse_event(on_mouse_down_, MouseButton::right);
      break;
    case kIconMiddleDown:
      mouse_event(on_mouse_down_, MouseButton::middle);
      break;
    case kIconLeftUp:
      mouse_event(on_mouse_up_, MouseButton::left);
      if (on_click_) {
        on_click_(*this);
      }
      break;
    case kIconMiddleUp:
      mouse_event(on_mouse_up_, MouseButton::middle);
      break;
    case kIconRightUp:
      mouse_event(on_mouse_up_, MouseButton::right);
      open_menu();
      break;
    case kIconLeftDouble:
      if (on_dbl_click_) {
        on_dbl_click_(*this);
      }
      break;
    case kBalloonHidden:
    case kBalloonTimedOut:
      record_.flags &= ~kNifInfo;
      break;
    case kBalloonClicked:
      if (on_balloon_click_) {
        on_balloon_click_(*this);
      }
      break;
    default:
      break;
  }
}

void TTrayIcon::mouse_event(const TMouseEvent& handler, MouseButton button) {
  if (handler) {
    int x = 0;
    int y = 0;
    area_.cursor_position(x, y);
    handler(*this, button, 0, x, y);
  }
}

void TTrayIcon::open_menu() {
  PopupMenu* menu = popup_menu_.get();
  if (menu == nullptr) {
    return;
  }
  const auto alive = Lifetime();
  area_.bring_application_to_front();
  area_.process_pending_messages();
  // What was pending may have destroyed the icon or its menu.
  if (alive.expired() || (menu = popup_menu_.get()) == nullptr) {
    return;
  }
  menu->SetAutoPopup(false);
  menu->SetPopupComponent(Owner());
  int x = 0;
  int y = 0;
  area_.cursor_position(x, y);
  menu->Popup(x, y);
}

void TTrayIcon::taskbar_created() {
  if (visible_) {
    area_.notify_icon(NotifyCommand::add, record_);
  }
}

bool TTrayIcon::query_end_session() {
  return true;
}

void TTrayIcon::end_session(bool ending) {
  if (ending) {
    area_.notify_icon(NotifyCommand::remove, record_);
  }
}

}  // namespace kb
