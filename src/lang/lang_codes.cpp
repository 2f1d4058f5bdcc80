#include "lang/lang_codes.h"

#include <array>
#include <optional>

#include "platform/locale.h"
#include "platform/text.h"

namespace kb {
namespace {

// Kept as the program has always had it, in lookup order: "no" twice, "s" beside "sl" for
// Slovenian, "es-c" for Chile, "en" for English without a country.
constexpr std::array<LangCodeEntry, 129> kTable{{
    {u"af", 1078},     {u"sq", 1052},     {u"ar-sa", 1025},  {u"ar-iq", 2049},  {u"ar-eg", 3073},
    {u"ar-ly", 4097},  {u"ar-dz", 5121},  {u"ar-ma", 6145},  {u"ar-tn", 7169},  {u"ar-om", 8193},
    {u"ar-ye", 9217},  {u"ar-sy", 10241}, {u"ar-jo", 11265}, {u"ar-lb", 12289}, {u"ar-kw", 13313},
    {u"ar-ae", 14337}, {u"ar-bh", 15361}, {u"ar-qa", 16385}, {u"hy", 1067},     {u"eu", 1069},
    {u"bg", 1026},     {u"be", 1059},     {u"ca", 1027},     {u"zh-tw", 1028},  {u"zh-cn", 2052},
    {u"zh-hk", 3076},  {u"zh-sg", 4100},  {u"hr", 1050},     {u"cs", 1029},     {u"da", 1030},
    {u"nl", 1043},     {u"nl-nl", 1043},  {u"nl-be", 2067},  {u"en", 9},        {u"en-us", 1033},
    {u"en-gb", 2057},  {u"en-au", 3081},  {u"en-ca", 4105},  {u"en-nz", 5129},  {u"en-ie", 6153},
    {u"en-za", 7177},  {u"en-jm", 8201},  {u"en-bz", 10249}, {u"en-tt", 11273}, {u"et", 1061},
    {u"fo", 1080},     {u"fa", 1065},     {u"fi", 1035},     {u"fr", 1036},     {u"fr-be", 2060},
    {u"fr-ca", 3084},  {u"fr-ch", 4108},  {u"fr-lu", 5132},  {u"mk", 1071},     {u"gd", 1084},
    {u"gd-ie", 2108},  {u"de", 1031},     {u"de-ch", 2055},  {u"de-at", 3079},  {u"de-lu", 4103},
    {u"de-li", 5127},  {u"el", 1032},     {u"he", 1037},     {u"hi", 1081},     {u"hu", 1038},
    {u"is", 1039},     {u"in", 1057},     {u"it", 1040},     {u"it-ch", 2064},  {u"ja", 1041},
    {u"ko", 1042},     {u"lv", 1062},     {u"lt", 1063},     {u"ms", 1086},     {u"mt", 1082},
    {u"no", 1044},     {u"no", 1044},     {u"nn-no", 2068},  {u"pl", 1045},     {u"pt-br", 1046},
    {u"pt", 2070},     {u"rm", 1047},     {u"ro", 1048},     {u"ro-mo", 2072},  {u"ru", 1049},
    {u"ru-mo", 2073},  {u"sz", 1083},     {u"sr", 3098},     {u"sk", 1051},     {u"s", 1060},
    {u"sb", 1070},     {u"es", 1034},     {u"es-mx", 2058},  {u"es-gt", 4106},  {u"es-cr", 5130},
    {u"es-pa", 6154},  {u"es-do", 7178},  {u"es-ve", 8202},  {u"es-co", 9226},  {u"es-pe", 10250},
    {u"es-ar", 11274}, {u"es-ec", 12298}, {u"es-c", 13322},  {u"es-uy", 14346}, {u"es-py", 15370},
    {u"es-bo", 16394}, {u"es-sv", 17418}, {u"es-hn", 18442}, {u"es-ni", 19466}, {u"es-pr", 20490},
    {u"sx", 1072},     {u"sv", 1053},     {u"sv-fi", 2077},  {u"th", 1054},     {u"ts", 1073},
    {u"tn", 1074},     {u"tr", 1055},     {u"uk", 1058},     {u"ur", 1056},     {u"ve", 1075},
    {u"vi", 1066},     {u"xh", 1076},     {u"ji", 1085},     {u"zu", 1077},     {u"ge", 1079},
    {u"ka-ge", 1079},  {u"sl", 1060},     {u"sl-si", 1060},  {u"kk-kz", 1087},
}};

// Each locale text is fetched into a buffer of this many characters, its zero included.
constexpr std::size_t kLocaleBuffer = 32;
constexpr std::size_t kNameBuffer = 256;

std::u16string locale_text(Locale& locale, std::uint32_t id, LocaleField field) {
  return locale.locale_info(id, field, kLocaleBuffer).value_or(u"");
}

// The ISO name of the user's locale as the system gives it, or the first two characters of the
// abbreviated name.
std::u16string user_locale_name(Locale& locale, LocaleField iso, LocaleField abbreviated) {
  const std::uint32_t user = locale.user_default_locale();
  if (auto name = locale.locale_info(user, iso, kLocaleBuffer)) {
    return *name;
  }
  if (auto name = locale.locale_info(user, abbreviated, kLocaleBuffer)) {
    return name->substr(0, 2);
  }
  return {};
}

}  // namespace

std::span<const LangCodeEntry> lang_code_table() {
  return kTable;
}

std::int32_t LangCodeToID(std::u16string_view code) {
  const std::u16string key = to_ascii_lower(code);
  for (const LangCodeEntry& entry : kTable) {
    if (entry.code == key) {
      return entry.id;
    }
  }
  return 0;
}

std::u16string LangIDToCode(Locale& locale, std::int32_t id) {
  const auto lcid = static_cast<std::uint32_t>(id);
  return to_ascii_lower(locale_text(locale, lcid, LocaleField::iso639_language_name) + u"-" +
                     locale_text(locale, lcid, LocaleField::iso3166_country_name));
}

std::u16string UserLanguageISO(Locale& locale) {
  return user_locale_name(locale, LocaleField::iso639_language_name,
                          LocaleField::abbreviated_language_name);
}

std::u16string UserCountryISO(Locale& locale) {
  return user_locale_name(locale, LocaleField::iso3166_country_name,
                          LocaleField::abbreviated_country_name);
}

std::u16string LangIDToName(Locale& locale, std::int32_t id) {
  return locale.language_name(static_cast<std::uint32_t>(id), kNameBuffer);
}

}  // namespace kb
