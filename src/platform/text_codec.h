#pragma once

#include <string>
#include <string_view>

namespace kb {

// The system's text rules that files and lookups depend on: its upper-casing and its ANSI
// code page (the encoding of text files that carry no byte-order mark).
class TextCodec {
 public:
  virtual ~TextCodec() = default;

  // Replaces `upper` with `text` upper-cased by the rules of the user's locale.
  virtual void upper_case(std::u16string_view text, std::u16string& upper) const = 0;

  // Bytes in the ANSI code page to text. Never fails.
  virtual std::u16string ansi_to_text(std::string_view bytes) const = 0;

  // Text to the ANSI code page; a character the code page lacks becomes its default character.
  virtual std::string text_to_ansi(std::u16string_view text) const = 0;

  std::u16string to_upper(std::u16string_view text) const {
    std::u16string upper;
    upper_case(text, upper);
    return upper;
  }
};

}  // namespace kb
