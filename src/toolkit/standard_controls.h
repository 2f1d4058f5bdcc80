#pragma once

#include <cstdint>
#include <string>

#include "platform/bitmap32.h"
#include "platform/icon.h"
#include "toolkit/control.h"

namespace kb {

// A text on a form ("TLabel"), drawn by its parent; it never takes the focus. With `AutoSize`
// its window gives it the size of its text; without, it keeps the size the form gives it.
// Publishes "Caption" and "AutoSize".
class Label : public Control {
 public:
  explicit Label(std::u16string name) : Control(u"TLabel", std::move(name), false) {}

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override;

 private:
  bool auto_size_ = true;
};

// A push button ("TButton"): Click() raises OnClick. The default button is clicked by Return
// anywhere on its form, the cancel button by Escape. Publishes "Caption".
class Button : public Control {
 public:
  explicit Button(std::u16string name);

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override;

 private:
  bool default_ = false;
  bool cancel_ = false;
};

// A check box ("TCheckBox"). Setting Checked to another value stores it, shows it and raises
// OnClick; a click toggles it. Publishes "Caption" and "Checked".
class CheckBox : public Control {
 public:
  explicit CheckBox(std::u16string name);

  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  void Click() override;

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override;

 private:
  bool checked_ = false;
};

// A sunken line or frame that groups controls ("TBevel"), drawn by its parent.
class Bevel : public Control {
 public:
  enum class Shape { box, frame, top_line, bottom_line, left_line, right_line, spacer };

  explicit Bevel(std::u16string name) : Control(u"TBevel", std::move(name), false) {}

  Shape BevelShape() const { return shape_; }
  void SetShape(Shape value);

 private:
  Shape shape_ = Shape::box;
};

// A picture on a form ("TImage"), drawn by its parent, its transparent pixels letting the
// form show through. With `AutoSize` it takes the picture's size. It may hold an icon, whose
// picture of the control's size it shows.
class Image : public Control {
 public:
  explicit Image(std::u16string name) : Control(u"TImage", std::move(name), false) {}

  const TBitmap32& Picture() const { return picture_; }
  void SetPicture(TBitmap32 picture);
  // The icon it holds, all its sizes; empty when it holds a plain picture.
  const TIcon& Icon() const { return icon_; }
  void SetIcon(TIcon icon);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);

 private:
  void fit_picture();

  TBitmap32 picture_;
  TIcon icon_;
  bool auto_size_ = false;
};

}  // namespace kb
