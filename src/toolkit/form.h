#pragma once

#include <string>

#include "toolkit/control.h"

namespace kb {

// A top-level window of the program, of a class of its own (such as "TForm_ZEVO"); it owns
// everything on it. Its width and height are the outer ones, frame included. Publishes
// "Caption" (the title) and "AutoSize", which a form never has.
class Form : public Control {
 public:
  Form(std::u16string class_name, std::u16string name)
      : Control(std::move(class_name), std::move(name)) {}

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override;
};

}  // namespace kb
