#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kb {

// Texts that some component classes keep apart from their published text properties. A class
// that has such a part implements the interface beside Component; the form translation finds
// it by asking the component for it.

// A row of captioned items: the columns of a list view, the tabs of a tab set, the header
// columns of a tree.
class TextItems {
 public:
  virtual ~TextItems() = default;
  virtual std::size_t item_count() const = 0;
  virtual std::u16string item_text(std::size_t index) const = 0;
  virtual void set_item_text(std::size_t index, std::u16string_view text) = 0;
};

// Text kept as a list of lines, such as the markup of an HTML label.
class TextLines {
 public:
  virtual ~TextLines() = default;
  virtual std::vector<std::u16string> text_lines() const = 0;
  virtual void set_text_lines(std::vector<std::u16string> lines) = 0;
};

// A caption held by an object of its own inside the component, as a smooth label has.
class CaptionObject {
 public:
  virtual ~CaptionObject() = default;
  virtual std::u16string caption_object_text() const = 0;
  virtual void set_caption_object_text(std::u16string_view text) = 0;
};

// A column header drawn in a font of its own, as a tree has.
class HeaderFont {
 public:
  virtual ~HeaderFont() = default;
  virtual void set_header_font_name(std::u16string_view name) = 0;
};

}  // namespace kb
