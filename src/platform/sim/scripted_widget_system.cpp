#include "platform/sim/scripted_widget_system.h"

#include <algorithm>
#include <utility>

namespace kb::sim {

class ScriptedWidgetSystem::Timer final : public MessageTimer {
 public:
  Timer(std::shared_ptr<Slot> slot, std::shared_ptr<std::uint64_t> clock)
      : slot_(std::move(slot)), clock_(std::move(clock)) {
    slot_->timer = this;
  }
  ~Timer() override {
    slot_->timer = nullptr;
    slot_->running = false;
  }

  void start(std::uint32_t interval_ms) override {
    slot_->running = true;
    slot_->interval = std::max<std::uint32_t>(interval_ms, 1);
    slot_->due = *clock_ + slot_->interval;
  }
  void stop() override { slot_->running = false; }
  bool running() const override { return slot_->running; }

 private:
  std::shared_ptr<Slot> slot_;
  std::shared_ptr<std::uint64_t> clock_;
};

ScriptedWidgetSystem::ScriptedWidgetSystem()
    : slots_(std::make_shared<std::vector<std::shared_ptr<Slot>>>()),
      clock_(std::make_shared<std::uint64_t>(0)) {
  // The standard Windows 10 colours of the indices the widgets use; every other one grey.
  colors_.fill(0x00C0C0C0);
  colors_[5] = 0x00FFFFFF;   // window
  colors_[8] = 0x00000000;   // window text
  colors_[15] = 0x00F0F0F0;  // button face
}

ScriptedWidgetSystem::~ScriptedWidgetSystem() = default;

std::uint32_t ScriptedWidgetSystem::system_color(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= colors_.size()) {
    return 0;  // what the system answers for an index it does not know
  }
  return colors_[static_cast<std::size_t>(index)];
}

void ScriptedWidgetSystem::set_system_color(int index, std::uint32_t bgr) {
  if (index >= 0 && static_cast<std::size_t>(index) < colors_.size()) {
    colors_[static_cast<std::size_t>(index)] = bgr & 0x00FFFFFFu;
  }
}

void ScriptedWidgetSystem::set_metrics(int system_font_text_height, int border_height,
                                       int edge_size) {
  system_font_text_height_ = system_font_text_height;
  border_height_ = border_height;
  edge_size_ = edge_size;
}

std::unique_ptr<MessageTimer> ScriptedWidgetSystem::create_timer(std::function<void()> on_tick) {
  auto slot = std::make_shared<Slot>();
  slot->on_tick = std::move(on_tick);
  slots_->push_back(slot);
  ++created_;
  return std::make_unique<Timer>(std::move(slot), clock_);
}

void ScriptedWidgetSystem::advance(std::uint32_t ms) {
  const std::uint64_t end = *clock_ + ms;
  for (;;) {
    // The earliest due tick not after the end; ties go to the older timer.
    std::shared_ptr<Slot> next;
    for (const auto& slot : *slots_) {
      if (slot->timer != nullptr && slot->running && slot->due <= end &&
          (!next || slot->due < next->due)) {
        next = slot;
      }
    }
    if (!next) {
      break;
    }
    *clock_ = next->due;
    next->due = *clock_ + next->interval;
    auto handler = next->on_tick;  // the handler may destroy its timer
    handler();
  }
  *clock_ = end;
  std::erase_if(*slots_, [](const auto& slot) { return slot->timer == nullptr; });
}

}  // namespace kb::sim
