#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kb {

class Locale;

// A language code of the program's table and the Windows language identifier it stands for.
struct LangCodeEntry {
  std::u16string_view code;
  std::int32_t id;
};

// The table in lookup order: 129 entries, 128 distinct codes ("no" comes twice).
std::span<const LangCodeEntry> lang_code_table();

// The identifier of a code, letter case ignored; 0 for a code the table does not hold.
std::int32_t LangCodeToID(std::u16string_view code);

// The culture code the system gives a language identifier, lower case: language, "-",
// country ("de-ch" for 2055). Either part is empty when the system has no name for it; the
// hyphen is always there.
std::u16string LangIDToCode(Locale& locale, std::int32_t id);

// The two-letter language and country names of the user's default locale, falling back to the
// first two letters of the system's abbreviated names; empty when neither can be read.
std::u16string UserLanguageISO(Locale& locale);
std::u16string UserCountryISO(Locale& locale);

// The system's display name of a language, at most 255 characters; empty when it has none.
std::u16string LangIDToName(Locale& locale, std::int32_t id);

}  // namespace kb
