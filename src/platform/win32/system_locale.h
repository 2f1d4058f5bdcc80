#pragma once

#include "platform/locale.h"

namespace kb::win32 {

// The system's locale data through kernel32.
class SystemLocale final : public Locale {
 public:
  std::optional<std::u16string> locale_info(std::uint32_t locale, LocaleField field,
                                            std::size_t capacity) override;
  std::uint32_t user_default_locale() override;
  std::uint16_t system_default_language() override;
  std::u16string language_name(std::uint32_t language, std::size_t capacity) override;
};

}  // namespace kb::win32
