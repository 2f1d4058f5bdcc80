#include "toolkit/form.h"

#include <algorithm>
#include <vector>

#include "platform/error.h"
#include "toolkit/application.h"
#include "toolkit/standard_controls.h"
#include "toolkit/ui_platform.h"

namespace kb {
namespace {

constexpr PropertyInfo kFormProperties[] = {
    kCaptionProperty,
    {.name = u"AutoSize",
     .kind = PropertyKind::enumeration,
     .get_ordinal = [](const Component&) { return std::int32_t{0}; },
     .names = kBooleanNames},
};

// The windowed controls inside `parent`, depth first, each level in its tab order.
void collect_tab_order(const Control& parent, std::vector<Control*>& out) {
  for (Control* control : parent.TabList()) {
    out.push_back(control);
    collect_tab_order(*control, out);
  }
}

Button* find_button(const Control& parent, bool (Button::*flag)() const) {
  for (std::size_t i = 0; i < parent.ControlCount(); ++i) {
    Control& control = parent.Controls(i);
    if (auto* button = dynamic_cast<Button*>(&control); button != nullptr && (button->*flag)()) {
      return button;
    }
    if (Button* inner = find_button(control, flag)) {
      return inner;
    }
  }
  return nullptr;
}

}  // namespace

Form::Form(Application& application, std::u16string class_name, std::u16string name)
    : Control(std::move(class_name), std::move(name)), application_(application) {
  SetVisible(false);
}

// The window goes while the form is whole, before the controls are destroyed one by one.
Form::~Form() {
  DestroyPeers();
  if (application_.MainForm() == this) {
    application_.SetMainForm(nullptr);
  }
}

const PropertyInfo* Form::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kFormProperties, name);
  return info != nullptr ? info : Control::find_property(name);
}

std::int32_t Form::ClientWidth() const {
  return std::max(Width() - application_.ui().form_frame_width(), 0);
}

std::int32_t Form::ClientHeight() const {
  return std::max(Height() - application_.ui().form_frame_height(), 0);
}

void Form::SetClientSize(std::int32_t width, std::int32_t height) {
  SetBounds(Left(), Top(), width + application_.ui().form_frame_width(),
            height + application_.ui().form_frame_height());
}

void Form::SetFont(std::u16string_view name, std::int32_t height) {
  if (name != font_name_ || height != font_height_) {
    font_name_.assign(name);
    font_height_ = height;
    changed(ControlChange::state);
  }
}

// What goes wrong in the handler is shown, and the form is made all the same.
void Form::DoCreate() {
  if (on_create_) {
    application_.Guarded([this] { on_create_(*this); });
  }
}

void Form::Show() {
  if (!HandleAllocated()) {
    application_.ui().create_peers(*this);
  }
  SetVisible(true);
  if (on_show_) {
    on_show_(*this);
  }
  if (Visible()) {
    if (active_control_ != nullptr && active_control_->CanFocus()) {
      active_control_->SetFocus();
    } else {
      SelectFirst();
    }
  }
}

void Form::BringToFront() {
  if (Peer() != nullptr && Visible()) {
    Peer()->set_focus();
  }
}

std::int32_t Form::ShowModal() {
  if (Visible() || modal_) {
    throw Error(u"The window \"" + Caption() + u"\" is open already.");
  }
  modal_result_ = mrNone;
  modal_ = true;
  struct EndModal {
    Form& form;
    ~EndModal() {
      form.modal_ = false;
      form.Hide();
    }
  } end_modal{*this};
  Show();
  application_.ui().run_modal(*this);
  if (modal_result_ == mrNone) {
    modal_result_ = mrCancel;  // hidden, or the program is ending
  }
  return modal_result_;
}

void Form::Close() {
  if (modal_) {
    modal_result_ = mrCancel;
    return;
  }
  Hide();
  if (application_.MainForm() == this) {
    application_.Terminate();
  }
}

void Form::SetActiveControl(Control* control) {
  if (control == nullptr) {
    active_control_ = nullptr;
    return;
  }
  if (control->ParentForm() != this) {
    throw Error(u"The control \"" + control->Name() + u"\" is not on \"" + Name() + u"\".");
  }
  active_control_ = control;
  control->SetFocus();
}

void Form::control_leaving(Control& control) {
  if (active_control_ == &control) {
    active_control_ = nullptr;
  }
}

Control* Form::FindNextControl(Control* current, bool forward) const {
  std::vector<Control*> order;
  collect_tab_order(*this, order);
  if (order.empty()) {
    return nullptr;
  }
  const auto n = static_cast<std::ptrdiff_t>(order.size());
  const auto found = std::find(order.begin(), order.end(), current);
  // From nowhere, forward starts at the first control and backward at the last.
  std::ptrdiff_t at = found == order.end() ? (forward ? -1 : n) : found - order.begin();
  for (std::ptrdiff_t step = 0; step < n; ++step) {
    at = forward ? (at + 1) % n : (at - 1 + n) % n;
    Control* candidate = order[static_cast<std::size_t>(at)];
    if (candidate->TabStop() && candidate->CanFocus()) {
      return candidate;
    }
  }
  return nullptr;
}

void Form::SelectNext(Control* current, bool forward) {
  if (Control* next = FindNextControl(current, forward)) {
    SetActiveControl(next);
  }
}

void Form::SelectFirst() {
  SelectNext(nullptr, true);
}

Control* Form::DefaultButton() const {
  return find_button(*this, &Button::Default);
}

Control* Form::CancelButton() const {
  return find_button(*this, &Button::Cancel);
}

void Form::DialogKey(std::uint16_t key, ShiftState shift) {
  if (key == kVkTab) {
    SelectNext(active_control_, (shift & kShiftKey) == 0);
  } else if (key == kVkReturn) {
    if (Control* button = DefaultButton(); button != nullptr && button->CanFocus()) {
      button->Click();
    }
  } else if (key == kVkEscape) {
    if (Control* button = CancelButton(); button != nullptr && button->CanFocus()) {
      button->Click();
    }
  }
}

}  // namespace kb
