#pragma once

#include "platform/text_codec.h"

namespace kb::sim {

// The text rules of a Western European Windows system: Windows-1252 as the ANSI code page, and
// the upper-casing of the Latin, Greek and Cyrillic letters, one code unit for one.
class Windows1252Codec final : public TextCodec {
 public:
  void upper_case(std::u16string_view text, std::u16string& upper) const override;
  std::u16string ansi_to_text(std::string_view bytes) const override;
  std::string text_to_ansi(std::u16string_view text) const override;
};

}  // namespace kb::sim
