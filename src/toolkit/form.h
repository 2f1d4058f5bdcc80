#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/control.h"

namespace kb {

class Application;

// What ShowModal returns: how the modal form was closed.
inline constexpr std::int32_t mrNone = 0;
inline constexpr std::int32_t mrOk = 1;
inline constexpr std::int32_t mrCancel = 2;

// A top-level window of the program, of a class of its own (such as "TForm_ZEVO"); it owns
// everything on it. It is hidden until shown, has a single, non-resizable border with a caption
// and a close box, and appears centred on the desktop. Width and Height are the outer size,
// frame included; the client area is what the controls are placed in, in pixels that are not
// scaled with the display's DPI. Publishes "Caption" (the title) and "AutoSize", which a form
// never has.
class Form : public Control {
 public:
  using NotifyEvent = std::function<void(Form& sender)>;

  Form(Application& application, std::u16string class_name, std::u16string name);
  ~Form() override;

  Application& application() const { return application_; }

  std::int32_t ClientWidth() const override;
  std::int32_t ClientHeight() const override;
  void SetClientSize(std::int32_t width, std::int32_t height);

  // The font of the form and its controls.
  const std::u16string& FontName() const { return font_name_; }
  // Negative: the height of the characters in pixels, without the internal leading.
  std::int32_t FontHeight() const { return font_height_; }
  void SetFont(std::u16string_view name, std::int32_t height);

  // Raised once, by whoever creates the form, when its controls are all there (DoCreate); an
  // exception from it goes to the application, and the form is made all the same.
  void SetOnCreate(NotifyEvent handler) { on_create_ = std::move(handler); }
  void DoCreate();
  // Raised each time the form is shown, after it counts as visible.
  void SetOnShow(NotifyEvent handler) { on_show_ = std::move(handler); }

  // Gives the form its window when it has none, shows it and focuses its active control, or
  // else the first control of the tab order that can take the focus.
  void Show();
  void Hide() { SetVisible(false); }
  // Brings the form's window in front of the others, with the focus; nothing else changes.
  void BringToFront();

  // Shows the form and runs a modal loop until it is closed; returns the modal result. The
  // program's other windows take no input meanwhile. Throws kb::Error when the form is
  // visible already.
  std::int32_t ShowModal();
  bool Modal() const { return modal_; }
  std::int32_t ModalResult() const { return modal_result_; }
  void SetModalResult(std::int32_t value) { modal_result_ = value; }

  // The user or the program closes the form: a modal form ends its loop with mrCancel;
  // another is hidden, and closing the main form ends the program.
  void Close();

  // The control that has the focus when the form is active.
  Control* ActiveControl() const { return active_control_; }
  // Focuses `control`, which must be on this form.
  void SetActiveControl(Control* control);
  // The control after (or before) `current` in the tab order of the whole form, one that
  // can take the focus and is a tab stop, going round at the end; null when there is none.
  Control* FindNextControl(Control* current, bool forward) const;
  void SelectNext(Control* current, bool forward);
  void SelectFirst();

  // Keys the form handles itself: Tab and Shift+Tab move the focus; Return clicks the
  // default button and Escape the cancel button, when the form has them.
  void DialogKey(std::uint16_t key, ShiftState shift);
  Control* DefaultButton() const;
  Control* CancelButton() const;

  // --- For the controls on the form ---
  void control_focused(Control& control) { active_control_ = &control; }
  void control_leaving(Control& control);

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override;

 private:
  Application& application_;
  std::u16string font_name_ = u"Tahoma";
  std::int32_t font_height_ = -11;
  bool modal_ = false;
  std::int32_t modal_result_ = mrNone;
  Control* active_control_ = nullptr;
  NotifyEvent on_create_;
  NotifyEvent on_show_;
};

}  // namespace kb
