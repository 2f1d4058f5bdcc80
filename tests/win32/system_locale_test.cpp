#include "platform/win32/system_locale.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "lang/lang_codes.h"
#include "platform/text.h"

namespace kb::win32 {
namespace {

TEST(SystemLocale, CultureCodesAndNamesOfLanguages) {
  SystemLocale locale;
  EXPECT_EQ(LangIDToCode(locale, 1031), u"de-de");
  EXPECT_EQ(LangIDToCode(locale, 2055), u"de-ch");
  EXPECT_EQ(LangIDToCode(locale, 1046), u"pt-br");
  EXPECT_FALSE(LangIDToName(locale, 1031).empty());
  EXPECT_NE(LangIDToName(locale, 1031), LangIDToName(locale, 1036));
}

TEST(SystemLocale, TheUsersLanguageAndCountry) {
  SystemLocale locale;
  const std::u16string language = UserLanguageISO(locale);
  const std::u16string country = UserCountryISO(locale);
  EXPECT_GE(language.size(), 2u) << to_utf8(language);
  EXPECT_EQ(country.size(), 2u) << to_utf8(country);
  // The same names as the culture code of the user's locale, there in lower case.
  const std::u16string code = LangIDToCode(locale, static_cast<std::int32_t>(GetUserDefaultLCID()));
  EXPECT_EQ(code.size(), language.size() + 1 + country.size()) << to_utf8(code);
  EXPECT_EQ(code.substr(0, language.size()), language);
}

// What the scripted locale of the native tests relies on: a text that does not fit is not
// given at all, and a display name is cut to the buffer.
TEST(SystemLocale, BuffersBehaveAsTheScriptedLocaleAssumes) {
  SystemLocale locale;
  EXPECT_EQ(locale.locale_info(1031, LocaleField::iso639_language_name, 3), u"de");
  EXPECT_EQ(locale.locale_info(1031, LocaleField::iso639_language_name, 2), std::nullopt);
  EXPECT_EQ(locale.locale_info(1031, LocaleField::abbreviated_language_name, 32), u"DEU");
  const std::u16string full = locale.language_name(1031, 256);
  ASSERT_GT(full.size(), 4u);
  EXPECT_EQ(locale.language_name(1031, 5), full.substr(0, 4));
}

}  // namespace
}  // namespace kb::win32
