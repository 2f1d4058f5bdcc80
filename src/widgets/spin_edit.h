#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "widgets/color32.h"
#include "widgets/focus_target.h"
#include "widgets/spin_button.h"
#include "widgets/widget_input.h"

namespace kb {

class WidgetSystem;

// The whole text as a signed 32-bit number: optional leading blanks, an optional sign, then
// decimal digits or hexadecimal ones after "$", "x", "X", "0x" or "0X", and nothing after.
// Empty when the text is no such number.
std::optional<std::int32_t> ParseSpinValue(std::u16string_view text);

// A one-line numeric edit with a pair of arrow buttons inside its right edge. The number lives
// only in the text. The edit's window forwards typed characters, keys, focus changes, cut and
// paste to the entry points below, keeps its selection told through SetSelection, and shows
// Text() and the selection after each of them (the display handler says when).
class TSpinEdit : public FocusTarget {
 public:
  using TNotifyEvent = std::function<void(TSpinEdit& sender)>;
  using TKeyEvent = std::function<void(TSpinEdit& sender, std::uint16_t& key, ShiftState)>;
  using TKeyPressEvent = std::function<void(TSpinEdit& sender, char16_t& key)>;

  explicit TSpinEdit(WidgetSystem& system);
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

  const std::u16string& Text() const { return text_; }
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
  // Told after every change of the text or the selection, for the window to show them.
  void SetDisplayHandler(std::function<void()> handler) { display_ = std::move(handler); }

  virtual bool IsAcceptedChar(char16_t ch) const;
  virtual void StepUp();
  virtual void StepDown();
  std::int32_t ClampValue(std::int32_t value) const;

  TSpinButton& Button() { return *FButton; }

  // --- Layout ---
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // A height below MinEditHeight is raised to it; then the arrow pair is placed.
  void SetBounds(int left, int top, int width, int height);
  // The usual three-dimensional border (on by default) or a flat one.
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool value);
  int ClientWidth() const;
  int ClientHeight() const;
  // The text height of the edit's font in pixels (Tahoma 8 points: 13).
  int FontTextHeight() const { return font_text_height_; }
  void SetFontTextHeight(int value);
  int MinEditHeight() const;
  // The text is kept clear of the arrow pair: its formatting rectangle, in client pixels.
  TRect EditRect() const { return edit_rect_; }
  void UpdateEditRect();

  // --- Entry points for the window ---
  void KeyDown(std::uint16_t key, ShiftState shift);
  void KeyPress(char16_t ch);
  void Cut();
  void Copy();
  void Paste();
  void FocusEnter(bool by_left_press) override;
  void FocusLeave() override;
  // The answer to the dialog's question: the edit does not claim Tab, Return and Escape.
  bool ClaimsAllKeys() const { return false; }

 private:
  bool can_edit_clipboard() const { return FEditorEnabled && !read_only_; }
  void replace_selection(std::u16string_view text);
  void set_text_and_caret(std::u16string text, int caret);
  void changed();
  void display();
  void layout();

  WidgetSystem& system_;
  std::int32_t FMinValue = 0;
  std::int32_t FMaxValue = 0;
  std::int32_t FIncrement = 1;
  std::unique_ptr<TSpinButton> FButton;
  bool FEditorEnabled = true;
  bool read_only_ = false;
  bool auto_select_ = true;
  int max_length_ = 0;
  std::u16string text_ = u"0";
  int sel_start_ = 0;
  int sel_length_ = 0;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool ctl3d_ = true;
  int font_text_height_ = 13;
  TRect edit_rect_;
  TNotifyEvent FOnChange;
  TKeyEvent on_key_down_;
  TKeyPressEvent on_key_press_;
  TNotifyEvent on_enter_;
  TNotifyEvent on_exit_;
  std::function<void()> display_;
};

}  // namespace kb
