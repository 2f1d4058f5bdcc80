#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/locale.h"

namespace kb::sim {

// Locale data the test writes: by default a German user on a German system, with the names of
// German (Germany) and German (Switzerland). A field that is not given cannot be read.
class ScriptedLocale final : public Locale {
 public:
  struct Entry {
    std::optional<std::u16string> iso639;       // "de"
    std::optional<std::u16string> iso3166;      // "DE"
    std::optional<std::u16string> abbrev_lang;  // "DEU"
    std::optional<std::u16string> abbrev_ctry;  // "DEU"
  };

  std::uint32_t user_locale = 1031;
  std::uint16_t system_language = 1031;
  std::map<std::uint32_t, Entry> locales{
      {1031, {u"de", u"DE", u"DEU", u"DEU"}},
      {2055, {u"de", u"CH", u"DES", u"CHE"}},
  };
  std::map<std::uint32_t, std::u16string> language_names{
      {1031, u"Deutsch (Deutschland)"},
      {2055, u"Deutsch (Schweiz)"},
  };

  std::optional<std::u16string> locale_info(std::uint32_t locale, LocaleField field,
                                            std::size_t capacity) override;
  std::uint32_t user_default_locale() override { return user_locale; }
  std::uint16_t system_default_language() override { return system_language; }
  std::u16string language_name(std::uint32_t language, std::size_t capacity) override;
};

}  // namespace kb::sim
