#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kb {

// The facts about a locale the program asks for, by the system's numbers for them.
enum class LocaleField : std::uint32_t {
  abbreviated_language_name = 0x03,  // three letters, e.g. DEU
  abbreviated_country_name = 0x07,   // e.g. DEU
  iso639_language_name = 0x59,       // e.g. de
  iso3166_country_name = 0x5A,       // e.g. DE
};

// The system's locale data. A locale or language identifier is the system's 32-bit number
// (a language identifier with sort bits 0 serves as a locale identifier).
class Locale {
 public:
  virtual ~Locale() = default;

  // The field's text for the locale, fetched into a buffer of `capacity` characters with its
  // terminating zero; nothing when the locale or field is unknown or the text does not fit.
  virtual std::optional<std::u16string> locale_info(std::uint32_t locale, LocaleField field,
                                                    std::size_t capacity) = 0;

  // The current user's default locale.
  virtual std::uint32_t user_default_locale() = 0;

  // The system's default language.
  virtual std::uint16_t system_default_language() = 0;

  // The display name of a language in the language of the system's user interface, cut to
  // `capacity` - 1 characters; empty when the system has none.
  virtual std::u16string language_name(std::uint32_t language, std::size_t capacity) = 0;
};

}  // namespace kb
