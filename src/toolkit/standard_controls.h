#pragma once

#include <string>

#include "toolkit/control.h"

namespace kb {

// A text on a form ("TLabel"). With `AutoSize` it takes the size of its text; without, it keeps
// the size the form gives it. Publishes "Caption" and "AutoSize".
class Label : public Control {
 public:
  explicit Label(std::u16string name) : Control(u"TLabel", std::move(name)) {}

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value) { auto_size_ = value; }

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override;

 private:
  bool auto_size_ = true;
};

// A push button ("TButton"). Publishes "Caption".
class Button : public Control {
 public:
  explicit Button(std::u16string name) : Control(u"TButton", std::move(name)) {}

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override;
};

// A check box ("TCheckBox"). Publishes "Caption" and "Checked".
class CheckBox : public Control {
 public:
  explicit CheckBox(std::u16string name) : Control(u"TCheckBox", std::move(name)) {}

  bool Checked() const { return checked_; }
  void SetChecked(bool value) { checked_ = value; }

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override;

 private:
  bool checked_ = false;
};

}  // namespace kb
