#include "platform/sim/headless_ui.h"

#include <chrono>
#include <memory>
#include <utility>

#include "platform/error.h"
#include "platform/sim/event_loop.h"
#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/form.h"

namespace kb::sim {

class HeadlessUi::Peer final : public ControlPeer {
 public:
  Peer(HeadlessUi& ui, Control& control) : ui_(ui), control_(control) {}
  ~Peer() override { ui_.forget(control_); }

  void changed(ControlChange change) override { ++ui_.records_[&control_].changes[change]; }
  void invalidate() override { ++ui_.records_[&control_].invalidations; }
  void set_focus() override { ui_.focus(control_, false); }
  void set_capture(bool capture) override {
    if (capture) {
      ui_.capture_ = &control_;
    } else if (ui_.capture_ == &control_) {
      ui_.capture_ = nullptr;
    }
  }

 private:
  HeadlessUi& ui_;
  Control& control_;
};

HeadlessUi::~HeadlessUi() = default;

void HeadlessUi::create_peers(Control& control) {
  if (!control.HandleAllocated()) {
    control.AttachPeer(std::make_unique<Peer>(*this, control));
  }
  for (std::size_t i = 0; i < control.ControlCount(); ++i) {
    create_peers(control.Controls(i));
  }
}

void HeadlessUi::forget(Control& control) {
  if (focused_ == &control) {
    focused_ = nullptr;
  }
  if (capture_ == &control) {
    capture_ = nullptr;
  }
  records_.erase(&control);
}

void HeadlessUi::run_modal(Form& form) {
  const auto closed = [&form] {
    return form.ModalResult() != mrNone || !form.Visible() || form.application().Terminated();
  };
  if (!modal_scripts_.empty()) {
    auto script = std::move(modal_scripts_.front());
    modal_scripts_.pop_front();
    script(form);
  }
  if (!closed() && loop_ != nullptr) {
    loop_->run_until(closed, std::chrono::seconds(5));
  }
  if (!closed()) {
    throw Error(u"The modal window \"" + form.Caption() + u"\" was never closed.");
  }
}

MenuItem* HeadlessUi::track_popup_menu(PopupMenu& menu, int x, int y) {
  popups_.push_back({&menu, x, y});
  if (menu_choices_.empty()) {
    return nullptr;
  }
  auto choice = std::move(menu_choices_.front());
  menu_choices_.pop_front();
  return choice(menu);
}

void HeadlessUi::show_error(std::u16string_view caption, std::u16string_view text) {
  errors_.push_back({std::u16string(caption), std::u16string(text)});
}

void HeadlessUi::when_modal(std::function<void(Form&)> script) {
  modal_scripts_.push_back(std::move(script));
}

void HeadlessUi::choose_in_menu(std::function<MenuItem*(PopupMenu&)> choice) {
  menu_choices_.push_back(std::move(choice));
}

void HeadlessUi::focus(Control& control, bool by_left_press) {
  if (focused_ == &control) {
    return;
  }
  leave_focus();
  focused_ = &control;
  control.FocusEnter(by_left_press);
}

void HeadlessUi::leave_focus() {
  if (Control* old = focused_) {
    focused_ = nullptr;
    old->FocusLeave();
  }
}

void HeadlessUi::deliver(Control& target, const std::function<void()>& input) {
  if (Form* form = target.ParentForm()) {
    form->application().Guarded(input);
  } else {
    input();  // a control on no form: the test sees the exception itself
  }
}

void HeadlessUi::press_key(std::uint16_t key, ShiftState shift) {
  Control* target = focused_;
  if (target == nullptr) {
    return;
  }
  Form* form = target->ParentForm();
  if (form != nullptr && (key == kVkTab || key == kVkReturn || key == kVkEscape)) {
    deliver(*target, [&] { form->DialogKey(key, shift); });
  } else {
    deliver(*target, [&] { target->KeyDown(key, shift); });
  }
}

void HeadlessUi::type(std::u16string_view text) {
  for (char16_t ch : text) {
    if (Control* target = focused_) {
      deliver(*target, [&] { target->KeyPress(ch); });
    }
  }
}

void HeadlessUi::click(Control& control) {
  deliver(control, [&] { control.Click(); });
}

std::size_t HeadlessUi::invalidations(const Control& control) const {
  const auto found = records_.find(&control);
  return found == records_.end() ? 0 : found->second.invalidations;
}

std::size_t HeadlessUi::changes(const Control& control, ControlChange change) const {
  const auto found = records_.find(&control);
  if (found == records_.end()) {
    return 0;
  }
  const auto count = found->second.changes.find(change);
  return count == found->second.changes.end() ? 0 : count->second;
}

}  // namespace kb::sim
