#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/control.h"
#include "platform/graphics.h"
#include "widgets/spin_button.h"

namespace kb {

class WidgetSystem;

// The whole text as a signed 32-bit number: optional leading blanks, an optional sign, then
// decimal digits or hexadecimal ones after "$", "x", "X", "0x" or "0X", and nothing after.
// Empty when the text is no such number.
std::optional<std::int32_t> parse_spin_value(std::u16string_view text);

// A one-line numeric edit with a pair of arrow buttons inside its right edge. The number lives
// only in the text (the control's caption). The edit's window forwards typed characters,
// keys, focus changes, cut and paste to the entry points below, tells the selection the user
// makes through SetSelection, and shows the text and the selection whenever the peer hears
// they changed.
class TSpinEdit : public Control {
 public:
  using TNotifyEvent = std::function<void(TSpinEdit& sender)>;
  using TKeyEvent = std::function<void(TSpinEdit& sender, std::uint16_t& key, ShiftState)>;
  using TKeyPressEvent = std::function<void(TSpinEdit& sender, char16_t& key)>;

  explicit TSpinEdit(WidgetSystem& system, std::u16string name = {});
  ~TSpinEdit() override;

  // Read: the text parsed, or MinValue when it is not a number; never clamped.
  std::int32_t Value() const;
  // Write: the clamped number as text; OnChange fires once if the text changes.
  void SetValue(std::int32_t value);
  std::int32_t MinValue() const { return FMinValue; }
  void SetMinValue(std::int32_t value) { FMinValue = value; }
  std::int32_t MaxValue() const { return FMaxValue; }
  void SetMaxValue(std::int32_t value) { FMaxValue = value; }
  std::int32_t Increment() const { return FIncrement; }
  void SetIncrement(std::int32_t value) { FIncrement = value; }
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool value) { FEditorEnabled = value; }

  // The ordinary edit properties the behaviour depends on.
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value) { read_only_ = value; }
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool value) { auto_select_ = value; }
  // 0: no limit on typed and pasted text.
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int value) { max_length_ = value; }

  const std::u16string& Text() const { return Caption(); }
  void SetText(std::u16string text);
  int SelStart() const { return sel_start_; }
  int SelLength() const { return sel_length_; }
  void SetSelection(int start, int length);
  void SelectAll();

  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  void SetOnKeyDown(TKeyEvent handler) { on_key_down_ = std::move(handler); }
  void SetOnKeyPress(TKeyPressEvent handler) { on_key_press_ = std::move(handler); }
  void SetOnEnter(TNotifyEvent handler) { on_enter_ = std::move(handler); }
  void SetOnExit(TNotifyEvent handler) { on_exit_ = std::move(handler); }

  virtual bool IsAcceptedChar(char16_t ch) const;
  virtual void StepUp();
  virtual void StepDown();
  std::int32_t ClampValue(std::int32_t value) const;

  TSpinButton& Button() { return *FButton; }

  // --- Layout ---
  // A height below MinEditHeight is raised to it; then the arrow pair is placed.
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;
  // The usual three-dimensional border (on by default) or a flat one.
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool value);
  std::int32_t ClientWidth() const override;
  std::int32_t ClientHeight() const override;
  // The text height of the edit's font in pixels (Tahoma 8 points: 13).
  int FontTextHeight() const { return font_text_height_; }
  void SetFontTextHeight(int value);
  int MinEditHeight() const;
  // The text is kept clear of the arrow pair: its formatting rectangle, in client pixels.
  TRect EditRect() const { return edit_rect_; }
  void UpdateEditRect();

  // --- Entry points for the window ---
  void KeyDown(std::uint16_t key, ShiftState shift) override;
  void KeyPress(char16_t ch) override;
  void Cut();
  void Copy();
  void Paste();
  void FocusEnter(bool by_left_press) override;
  void FocusLeave() override;
  // The answer to the dialog's question: the edit does not claim Tab, Return and Escape.
  bool ClaimsAllKeys() const { return false; }

 protected:
  // "Text", "Value", "MinValue", "MaxValue" and "Increment" beside a control's.
  const PropertyInfo* find_property(std::u16string_view name) const override;

 private:
  bool can_edit_clipboard() const { return FEditorEnabled && !read_only_; }
  void replace_selection(std::u16string_view text);
  void set_text_and_caret(std::u16string text, int caret);
  void layout();

  WidgetSystem& system_;
  std::int32_t FMinValue = 0;
  std::int32_t FMaxValue = 0;
  std::int32_t FIncrement = 1;
  TSpinButton* FButton;
  bool FEditorEnabled = true;
  bool read_only_ = false;
  bool auto_select_ = true;
  int max_length_ = 0;
  int sel_start_ = 0;
  int sel_length_ = 0;
  bool ctl3d_ = true;
  int font_text_height_ = 13;
  TRect edit_rect_;
  TNotifyEvent FOnChange;
  TKeyEvent on_key_down_;
  TKeyPressEvent on_key_press_;
  TNotifyEvent on_enter_;
  TNotifyEvent on_exit_;
};

}  // namespace kb
