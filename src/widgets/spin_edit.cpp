#include "widgets/spin_edit.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/integer_text.h"
#include "platform/widget_system.h"

namespace kb {
namespace {

constexpr char16_t kCtrlA = 0x01;
constexpr char16_t kCtrlC = 0x03;
constexpr char16_t kBackspace = 0x08;
constexpr char16_t kReturn = 0x0D;
constexpr char16_t kCtrlV = 0x16;
constexpr char16_t kCtrlX = 0x18;

std::int32_t saturated(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

constexpr PropertyInfo kSpinEditProperties[] = {
    {.name = u"Text",
     .kind = PropertyKind::text,
     .get_text = [](const Component& c) { return static_cast<const TSpinEdit&>(c).Text(); }},
    integer_property<TSpinEdit, &TSpinEdit::Value>(u"Value"),
    integer_property<TSpinEdit, &TSpinEdit::MinValue>(u"MinValue"),
    integer_property<TSpinEdit, &TSpinEdit::MaxValue>(u"MaxValue"),
    integer_property<TSpinEdit, &TSpinEdit::Increment>(u"Increment"),
};

}  // namespace

std::optional<std::int32_t> parse_spin_value(std::u16string_view text) {
  return parse_int32(text, kTypedIntegerSyntax);
}

TSpinEdit::TSpinEdit(WidgetSystem& system, std::u16string name)
    : Control(u"TSpinEdit", std::move(name)),
      system_(system),
      FButton(&create<TSpinButton>(system)) {
  SetTabStop(true);
  SetCaption(u"0");
  FButton->SetBounds(0, 0, 15, 17);
  FButton->SetFocusControl(this);
  FButton->SetOnUpClick([this](TSpinButton&) { StepUp(); });
  FButton->SetOnDownClick([this](TSpinButton&) { StepDown(); });
  SetBounds(0, 0, 121, 25);
}

TSpinEdit::~TSpinEdit() = default;

const PropertyInfo* TSpinEdit::find_property(std::u16string_view name) const {
  const PropertyInfo* info = find_in(kSpinEditProperties, name);
  return info != nullptr ? info : Control::find_property(name);
}

std::int32_t TSpinEdit::Value() const {
  return parse_spin_value(Text()).value_or(FMinValue);
}

void TSpinEdit::SetValue(std::int32_t value) {
  SetText(decimal_text(std::int64_t{ClampValue(value)}));
}

std::int32_t TSpinEdit::ClampValue(std::int32_t value) const {
  if (FMinValue == FMaxValue) {
    return value;
  }
  if (value < FMinValue) {
    return FMinValue;
  }
  if (value > FMaxValue) {
    return FMaxValue;
  }
  return value;
}

void TSpinEdit::SetText(std::u16string text) {
  if (text != Text()) {
    set_text_and_caret(std::move(text), 0);
  }
}

void TSpinEdit::SetSelection(int start, int length) {
  const int size = static_cast<int>(Text().size());
  start = std::clamp(start, 0, size);
  length = std::clamp(length, 0, size - start);
  if (start != sel_start_ || length != sel_length_) {
    sel_start_ = start;
    sel_length_ = length;
    changed(ControlChange::selection);
  }
}

void TSpinEdit::SelectAll() {
  SetSelection(0, static_cast<int>(Text().size()));
}

bool TSpinEdit::IsAcceptedChar(char16_t ch) const {
  // Only a separator that is itself a Latin-1 character: the low byte of a wider one would
  // let an unrelated letter in.
  const char16_t separator = system_.decimal_separator();
  bool accepted = (ch <= 255 && (ch == u'+' || ch == u'-' || (ch >= u'0' && ch <= u'9') ||
                                 (separator <= 255 && ch == separator))) ||
                  (ch < 32 && ch != kReturn);
  if (!FEditorEnabled && (ch >= 32 || ch == kBackspace)) {
    accepted = false;
  }
  return accepted;
}

void TSpinEdit::StepUp() {
  if (read_only_) {
    system_.beep();
  } else {
    SetValue(saturated(std::int64_t{Value()} + FIncrement));
  }
}

void TSpinEdit::StepDown() {
  if (read_only_) {
    system_.beep();
  } else {
    SetValue(saturated(std::int64_t{Value()} - FIncrement));
  }
}

void TSpinEdit::KeyDown(std::uint16_t key, ShiftState shift) {
  if (key == kVkUp) {
    StepUp();
  } else if (key == kVkDown) {
    StepDown();
  }
  if (on_key_down_) {
    on_key_down_(*this, key, shift);
  }
  // The edit's own handling of the keys that change the text; a typed character is not a key.
  if (key == kVkDelete && !read_only_) {
    if (sel_length_ > 0) {
      replace_selection(u"");
    } else if (sel_start_ < static_cast<int>(Text().size())) {
      std::u16string text = Text();
      text.erase(static_cast<std::size_t>(sel_start_), 1);
      set_text_and_caret(std::move(text), sel_start_);
    }
  }
}

void TSpinEdit::KeyPress(char16_t ch) {
  if (!IsAcceptedChar(ch)) {
    system_.beep();
    return;
  }
  if (on_key_press_) {
    on_key_press_(*this, ch);
  }
  switch (ch) {
    case 0:
      return;  // the handler dropped it
    case kCtrlA:
      SelectAll();
      return;
    case kCtrlC:
      Copy();
      return;
    case kCtrlV:
      Paste();
      return;
    case kCtrlX:
      Cut();
      return;
    case kBackspace:
      if (read_only_) {
        return;
      }
      if (sel_length_ > 0) {
        replace_selection(u"");
      } else if (sel_start_ > 0) {
        std::u16string text = Text();
        text.erase(static_cast<std::size_t>(sel_start_ - 1), 1);
        set_text_and_caret(std::move(text), sel_start_ - 1);
      }
      return;
    default:
      if (ch >= 32 && !read_only_) {
        replace_selection(std::u16string(1, ch));
      }
      return;
  }
}

void TSpinEdit::Cut() {
  if (can_edit_clipboard() && sel_length_ > 0) {
    Copy();
    replace_selection(u"");
  }
}

void TSpinEdit::Copy() {
  if (sel_length_ > 0) {
    system_.set_clipboard_text(
        Text().substr(static_cast<std::size_t>(sel_start_), static_cast<std::size_t>(sel_length_)));
  }
}

void TSpinEdit::Paste() {
  if (can_edit_clipboard()) {
    const std::u16string pasted = system_.clipboard_text();
    if (!pasted.empty()) {
      replace_selection(pasted);
    }
  }
}

void TSpinEdit::FocusEnter(bool by_left_press) {
  Control::FocusEnter(by_left_press);
  if (auto_select_ && !by_left_press) {
    SelectAll();
  }
  if (on_enter_) {
    on_enter_(*this);
  }
}

void TSpinEdit::FocusLeave() {
  Control::FocusLeave();
  if (on_exit_) {
    on_exit_(*this);
  }
  const std::int32_t value = Value();
  if (ClampValue(value) != value) {
    SetValue(value);
  }
}

void TSpinEdit::replace_selection(std::u16string_view text) {
  std::size_t room = text.size();
  if (max_length_ > 0) {
    const std::size_t kept = Text().size() - static_cast<std::size_t>(sel_length_);
    const auto limit = static_cast<std::size_t>(max_length_);
    room = kept >= limit ? 0 : std::min(room, limit - kept);
  }
  std::u16string result = Text();
  result.replace(static_cast<std::size_t>(sel_start_), static_cast<std::size_t>(sel_length_),
                 text.substr(0, room));
  set_text_and_caret(std::move(result), sel_start_ + static_cast<int>(room));
}

// The selection is in place before the peer hears of the text, so that it shows both.
void TSpinEdit::set_text_and_caret(std::u16string text, int caret) {
  const bool text_changed = text != Text();
  sel_start_ = std::clamp(caret, 0, static_cast<int>(text.size()));
  sel_length_ = 0;
  if (text_changed) {
    SetCaption(text);
    if (FOnChange) {
      auto handler = FOnChange;  // the handler may destroy the edit
      handler(*this);
    }
  } else {
    changed(ControlChange::selection);
  }
}

void TSpinEdit::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                          std::int32_t height) {
  Control::SetBounds(left, top, std::max(width, 0), std::max({height, 0, MinEditHeight()}));
  layout();
}

void TSpinEdit::SetCtl3D(bool value) {
  if (ctl3d_ != value) {
    ctl3d_ = value;
    layout();
  }
}

void TSpinEdit::SetFontTextHeight(int value) {
  font_text_height_ = std::max(value, 0);
  SetBounds(Left(), Top(), Width(), Height());
}

std::int32_t TSpinEdit::ClientWidth() const {
  const int frame = ctl3d_ ? system_.edge_size() : system_.border_height();
  return std::max(Width() - 2 * frame, 0);
}

std::int32_t TSpinEdit::ClientHeight() const {
  const int frame = ctl3d_ ? system_.edge_size() : system_.border_height();
  return std::max(Height() - 2 * frame, 0);
}

int TSpinEdit::MinEditHeight() const {
  const int h = font_text_height_;
  const int hs = system_.system_font_text_height();
  return h + std::min(hs, h) / 4 + 4 * system_.border_height() + 2;
}

void TSpinEdit::layout() {
  const int bw = FButton->Width();
  if (ctl3d_) {
    FButton->SetBounds(Width() - bw - 5, 0, bw, Height() - 5);
  } else {
    FButton->SetBounds(Width() - bw, 1, bw, Height() - 3);
  }
  UpdateEditRect();
}

void TSpinEdit::UpdateEditRect() {
  edit_rect_ = {0, 0, ClientWidth() - FButton->Width() - 2, ClientHeight() + 1};
  changed(ControlChange::state);
}

}  // namespace kb
