#pragma once

#include "platform/text_codec.h"

namespace kb::win32 {

// The user's locale for upper-casing (LCMapStringW) and the ANSI code page (CP_ACP).
class SystemTextCodec final : public TextCodec {
 public:
  void upper_case(std::u16string_view text, std::u16string& upper) const override;
  std::u16string ansi_to_text(std::string_view bytes) const override;
  std::string text_to_ansi(std::u16string_view text) const override;
};

}  // namespace kb::win32
