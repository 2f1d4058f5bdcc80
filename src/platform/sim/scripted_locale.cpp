#include "platform/sim/scripted_locale.h"

namespace kb::sim {

std::optional<std::u16string> ScriptedLocale::locale_info(std::uint32_t locale, LocaleField field,
                                                          std::size_t capacity) {
  const auto it = locales.find(locale);
  if (it == locales.end()) {
    return std::nullopt;
  }
  const Entry& entry = it->second;
  std::optional<std::u16string> text;
  switch (field) {
    case LocaleField::iso639_language_name:
      text = entry.iso639;
      break;
    case LocaleField::iso3166_country_name:
      text = entry.iso3166;
      break;
    case LocaleField::abbreviated_language_name:
      text = entry.abbrev_lang;
      break;
    case LocaleField::abbreviated_country_name:
      text = entry.abbrev_ctry;
      break;
  }
  // As the system does, a text that does not fit with its terminating zero is not given at all.
  if (text && text->size() + 1 > capacity) {
    return std::nullopt;
  }
  return text;
}

std::u16string ScriptedLocale::language_name(std::uint32_t language, std::size_t capacity) {
  const auto it = language_names.find(language);
  if (it == language_names.end() || capacity == 0) {
    return {};
  }
  return it->second.substr(0, capacity - 1);
}

}  // namespace kb::sim
