#pragma once

#include <cstdint>
#include <string>

#include "toolkit/component.h"

namespace kb {

class Control;

// What changed in a control.
enum class ControlChange { text, bounds, visible, enabled, repaint };

// Learns of a control's changes, as the native window that shows the control does.
class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void control_changed(Control& control, ControlChange change) = 0;
};

// A component that is shown: position and size in pixels, visibility, whether it takes input,
// and its text. Setters store only a real change and tell the observer of it before they
// return. Publishes "Left", "Top", "Width", "Height", "Visible" and "Enabled"; each class
// that shows its text publishes it as "Caption".
class Control : public Component {
 public:
  std::int32_t Left() const { return left_; }
  std::int32_t Top() const { return top_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  void SetLeft(std::int32_t value) { SetBounds(value, top_, width_, height_); }
  void SetTop(std::int32_t value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(std::int32_t value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(std::int32_t value) { SetBounds(left_, top_, width_, value); }
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string_view value);

  // Draws the control anew.
  void repaint() { notify(ControlChange::repaint); }

  void set_observer(ControlObserver* observer) { observer_ = observer; }

 protected:
  Control(std::u16string class_name, std::u16string name);

  const PropertyInfo* find_property(std::u16string_view name) const override;

 private:
  void notify(ControlChange change);

  std::int32_t left_ = 0;
  std::int32_t top_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::u16string caption_;
  ControlObserver* observer_ = nullptr;
};

// The "Caption" entry for the tables of the classes that publish it.
inline constexpr PropertyInfo kCaptionProperty = {
    .name = u"Caption",
    .kind = PropertyKind::text,
    .get_text = [](const Component& c) { return static_cast<const Control&>(c).Caption(); },
    .set_text = [](Component& c,
                   std::u16string_view text) { static_cast<Control&>(c).SetCaption(text); }};

}  // namespace kb
