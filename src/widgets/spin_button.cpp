#include "widgets/spin_button.h"

#include <algorithm>
#include <utility>

#include "widgets/spin_glyphs.h"

namespace kb {

TSpinButton::TSpinButton(MessageTimerFactory& timers, std::u16string name)
    : Control(u"TSpinButton", std::move(name)),
      FUpButton(&create<TTimerSpeedButton>(timers, false)),
      FDownButton(&create<TTimerSpeedButton>(timers, true)),
      FFocusedButton(FUpButton) {
  for (TTimerSpeedButton* button : {FUpButton, FDownButton}) {
    button->SetOnMouseDown([this](TTimerSpeedButton& sender, MouseButton mouse_button, ShiftState,
                                  int, int) { ButtonPressed(sender, mouse_button); });
    button->SetOnClick([this](TTimerSpeedButton& sender) { ButtonClicked(sender); });
  }
  SetBounds(0, 0, 20, 25);
  SetUpGlyph(std::nullopt);
  SetDownGlyph(std::nullopt);
}

TSpinButton::~TSpinButton() = default;

void TSpinButton::SetUpGlyph(std::optional<TBitmap32> glyph) {
  up_glyph_ = glyph ? std::move(*glyph) : spin_glyph(false);
  if (!glyph) {
    up_num_glyphs_ = 1;
  }
}

void TSpinButton::SetDownGlyph(std::optional<TBitmap32> glyph) {
  down_glyph_ = glyph ? std::move(*glyph) : spin_glyph(true);
  if (!glyph) {
    down_num_glyphs_ = 1;
  }
}

void TSpinButton::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                            std::int32_t height) {
  LayoutButtons(width, height);
  Control::SetBounds(left, top, width, height);
}

void TSpinButton::LayoutButtons(int& width, int& height) {
  width = std::max(width, 15);
  const int up_height = height / 2;
  FUpButton->SetBounds(0, 0, width, up_height);
  FDownButton->SetBounds(0, up_height - 1, width, height - up_height + 1);
}

void TSpinButton::ButtonPressed(TTimerSpeedButton& button, MouseButton mouse_button) {
  if (mouse_button != MouseButton::left) {
    return;
  }
  MoveFocusMark(button);
  Control* control = FocusControl();
  if (control != nullptr && control->TabStop() && control->CanFocus() && !control->Focused()) {
    control->SetFocus();
  } else if (TabStop() && !Focused() && CanFocus()) {
    SetFocus();
  }
}

void TSpinButton::ButtonClicked(TTimerSpeedButton& button) {
  if (&button == FUpButton) {
    if (FOnUpClick) {
      FOnUpClick(*this);
    }
  } else if (FOnDownClick) {
    FOnDownClick(*this);
  }
}

void TSpinButton::MoveFocusMark(TTimerSpeedButton& button) {
  if (!TabStop() || !CanFocus() || &button == FFocusedButton) {
    return;
  }
  TTimeBtnState old_state = FFocusedButton->TimeBtnState();
  old_state.exclude(TTimeBtnStateItem::tbFocusRect);
  FFocusedButton->SetTimeBtnState(old_state);
  FFocusedButton = &button;
  if (Focused()) {
    TTimeBtnState state = button.TimeBtnState();
    state.include(TTimeBtnStateItem::tbFocusRect);
    button.SetTimeBtnState(state);
  }
}

void TSpinButton::FocusEnter(bool by_left_press) {
  Control::FocusEnter(by_left_press);
  TTimeBtnState state = FFocusedButton->TimeBtnState();
  state.include(TTimeBtnStateItem::tbFocusRect);
  FFocusedButton->SetTimeBtnState(state);
}

void TSpinButton::FocusLeave() {
  Control::FocusLeave();
  TTimeBtnState state = FFocusedButton->TimeBtnState();
  state.exclude(TTimeBtnStateItem::tbFocusRect);
  FFocusedButton->SetTimeBtnState(state);
}

TTimerSpeedButton* TSpinButton::button_at(int x, int y) {
  // The upper button lies over the lower one where they overlap; disabled ones take nothing.
  for (TTimerSpeedButton* button : {FUpButton, FDownButton}) {
    if (button->Enabled() && button->ContainsParentPoint(x, y)) {
      return button;
    }
  }
  return nullptr;
}

void TSpinButton::track_hot(int x, int y) {
  TTimerSpeedButton* under = button_at(x, y);
  if (under != hot_) {
    if (hot_ != nullptr) {
      hot_->MouseLeave();
    }
    hot_ = under;
    if (hot_ != nullptr) {
      hot_->MouseEnter();
    }
  }
}

void TSpinButton::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
  TTimerSpeedButton* target = captured_ != nullptr ? captured_ : button_at(x, y);
  if (target == nullptr) {
    return;
  }
  if (button == MouseButton::left) {
    captured_ = target;
    SetMouseCapture(true);
  }
  target->MouseDown(button, shift, x - target->Left(), y - target->Top());
}

void TSpinButton::MouseMove(ShiftState shift, int x, int y) {
  if (captured_ != nullptr) {
    captured_->MouseMove(shift, x - captured_->Left(), y - captured_->Top());
    return;
  }
  track_hot(x, y);
  if (hot_ != nullptr) {
    hot_->MouseMove(shift, x - hot_->Left(), y - hot_->Top());
  }
}

void TSpinButton::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
  TTimerSpeedButton* target = captured_ != nullptr ? captured_ : button_at(x, y);
  if (button == MouseButton::left) {
    captured_ = nullptr;
    SetMouseCapture(false);
  }
  if (target != nullptr) {
    target->MouseUp(button, shift, x - target->Left(), y - target->Top());
  }
  if (captured_ == nullptr) {
    track_hot(x, y);
  }
}

void TSpinButton::MouseLeave() {
  if (hot_ != nullptr && captured_ == nullptr) {
    hot_->MouseLeave();
    hot_ = nullptr;
  }
}

void TSpinButton::CaptureLost() {
  Control::CaptureLost();
  if (captured_ != nullptr) {
    TTimerSpeedButton* button = captured_;
    captured_ = nullptr;
    button->CaptureLost();
  }
}

void TSpinButton::KeyDown(std::uint16_t key, ShiftState) {
  if (key == kVkUp) {
    MoveFocusMark(*FUpButton);
    FUpButton->Click();
  } else if (key == kVkDown) {
    MoveFocusMark(*FDownButton);
    FDownButton->Click();
  } else if (key == kVkSpace) {
    FFocusedButton->Click();
  }
}

}  // namespace kb
