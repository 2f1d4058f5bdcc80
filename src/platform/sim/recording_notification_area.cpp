#include "platform/sim/recording_notification_area.h"

#include "platform/error.h"

namespace kb::sim {
namespace {

// The size of the notification area's icons at 96 dots per inch.
constexpr int kSmallIcon = 16;

}  // namespace

WindowHandle RecordingNotificationArea::create_window(NotificationAreaClient& client) {
  if (window_failures_ > 0) {
    --window_failures_;
    throw Error(u"Cannot create a window: the test said so.");
  }
  const auto window = static_cast<WindowHandle>(next_handle_++);
  clients_[window] = &client;
  return window;
}

void RecordingNotificationArea::destroy_window(WindowHandle window) {
  clients_.erase(window);
}

bool RecordingNotificationArea::notify_icon(NotifyCommand command, const NotifyIconRecord& record) {
  bool accepted = false;
  if (refusals_ > 0) {
    --refusals_;
  } else {
    switch (command) {
      case NotifyCommand::add:
        accepted = shown_.insert(record.window).second;
        break;
      case NotifyCommand::modify:
        accepted = shown_.contains(record.window);
        break;
      case NotifyCommand::remove:
        accepted = shown_.erase(record.window) > 0;
        break;
    }
  }
  calls_.push_back({command, record, accepted});
  return accepted;
}

IconHandle RecordingNotificationArea::make_icon(const TIcon& icon) {
  const auto handle = static_cast<IconHandle>(next_handle_++);
  const TBitmap32* picture = icon.picture_for(kSmallIcon);
  made_icons_[handle] = picture != nullptr ? picture->width() : 0;
  live_icons_.insert(handle);
  return handle;
}

IconHandle RecordingNotificationArea::application_icon() {
  const auto handle = static_cast<IconHandle>(next_handle_++);
  made_icons_[handle] = 0;
  live_icons_.insert(handle);
  return handle;
}

void RecordingNotificationArea::destroy_icon(IconHandle icon) {
  live_icons_.erase(icon);
}

int RecordingNotificationArea::icon_size(IconHandle icon) const {
  const auto found = made_icons_.find(icon);
  return found == made_icons_.end() ? -1 : found->second;
}

void RecordingNotificationArea::process_pending_messages() {
  if (auto work = std::move(pending_)) {
    pending_ = nullptr;
    work();
  }
}

void RecordingNotificationArea::send(WindowHandle window, std::uint32_t event) {
  if (const auto found = clients_.find(window); found != clients_.end()) {
    found->second->icon_message(event);
  }
}

void RecordingNotificationArea::restart() {
  shown_.clear();
  for (const auto& [window, client] : std::map(clients_)) {
    client->taskbar_created();
  }
}

bool RecordingNotificationArea::query_end_session() {
  bool all_agree = true;
  for (const auto& [window, client] : std::map(clients_)) {
    all_agree = client->query_end_session() && all_agree;
  }
  return all_agree;
}

void RecordingNotificationArea::end_session(bool ending) {
  for (const auto& [window, client] : std::map(clients_)) {
    client->end_session(ending);
  }
}

}  // namespace kb::sim
