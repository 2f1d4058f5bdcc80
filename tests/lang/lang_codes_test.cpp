#include "lang/lang_codes.h"

#include <gtest/gtest.h>
#include <set>

#include "platform/sim/scripted_locale.h"
#include "platform/text.h"

namespace kb {
namespace {

TEST(LangCodeTable, Holds129EntriesFor128Codes) {
  const auto table = lang_code_table();
  ASSERT_EQ(table.size(), 129u);
  std::set<std::u16string_view> codes;
  int no = 0;
  for (const LangCodeEntry& entry : table) {
    codes.insert(entry.code);
    if (entry.code == u"no") {
      ++no;
      EXPECT_EQ(entry.id, 1044);
    }
    for (const char16_t c : entry.code) {
      EXPECT_TRUE((c >= u'a' && c <= u'z') || c == u'-') << to_utf8(entry.code);
    }
  }
  EXPECT_EQ(codes.size(), 128u);
  EXPECT_EQ(no, 2);
  EXPECT_EQ(table.front().code, u"af");
  EXPECT_EQ(table.back().code, u"kk-kz");
}

TEST(LangCodeToID, LooksTheCodeUpInTheTable) {
  struct Case {
    std::u16string_view code;
    std::int32_t id;
  };
  const Case cases[] = {
      {u"de-ch", 2055}, {u"de", 1031},      {u"en", 9},       {u"en-us", 1033}, {u"DE-AT", 3079},
      {u"De-Ch", 2055}, {u"es-c", 13322},   {u"es-cl", 0},    {u"s", 1060},     {u"sl", 1060},
      {u"sl-si", 1060}, {u"pt", 2070},      {u"pt-br", 1046}, {u"nl", 1043},    {u"nl-nl", 1043},
      {u"ge", 1079},    {u"ka-ge", 1079},   {u"no", 1044},    {u"af", 1078},    {u"kk-kz", 1087},
      {u"de-de", 0},    {u"", 0},           {u"xx", 0},       {u" de", 0},      {u"de ", 0},
      {u"d", 0},        {u"\u212Ak-kz", 0},  // KELVIN SIGN is no K
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(to_utf8(c.code));
    EXPECT_EQ(LangCodeToID(c.code), c.id);
  }
}

TEST(LangIDToCode, JoinsTheSystemsIsoNamesInLowerCase) {
  sim::ScriptedLocale locale;
  locale.locales[1036] = {u"fr", std::nullopt, u"FRA", u"FRA"};
  EXPECT_EQ(LangIDToCode(locale, 1031), u"de-de");
  EXPECT_EQ(LangIDToCode(locale, 2055), u"de-ch");
  EXPECT_EQ(LangIDToCode(locale, 1036), u"fr-") << "the hyphen stays when the country fails";
  EXPECT_EQ(LangIDToCode(locale, 4242), u"-");
}

TEST(UserLocale, IsoNamesAsTheSystemGivesThem) {
  sim::ScriptedLocale locale;
  EXPECT_EQ(UserLanguageISO(locale), u"de");
  EXPECT_EQ(UserCountryISO(locale), u"DE") << "the caller lower-cases";
  locale.user_locale = 2055;
  EXPECT_EQ(UserCountryISO(locale), u"CH");
}

TEST(UserLocale, FallsBackToTheAbbreviatedNames) {
  sim::ScriptedLocale locale;
  locale.locales[1031].iso639.reset();
  locale.locales[1031].iso3166.reset();
  EXPECT_EQ(UserLanguageISO(locale), u"DE");
  EXPECT_EQ(UserCountryISO(locale), u"DE");

  // An ISO name too long for the 32-character buffer cannot be read either.
  locale.locales[1031].iso639 = std::u16string(32, u'x');
  locale.locales[1031].abbrev_lang = u"DEU";
  EXPECT_EQ(UserLanguageISO(locale), u"DE");
  locale.locales[1031].iso639 = std::u16string(31, u'x');
  EXPECT_EQ(UserLanguageISO(locale), std::u16string(31, u'x'));

  locale.locales[1031].iso639.reset();
  locale.locales[1031].abbrev_lang.reset();
  EXPECT_EQ(UserLanguageISO(locale), u"");
  locale.user_locale = 4242;
  EXPECT_EQ(UserCountryISO(locale), u"");
}

TEST(LangIDToName, IsTheSystemsDisplayNameCutTo255Characters) {
  sim::ScriptedLocale locale;
  EXPECT_EQ(LangIDToName(locale, 2055), u"Deutsch (Schweiz)");
  EXPECT_EQ(LangIDToName(locale, 4242), u"");
  locale.language_names[4242] = std::u16string(300, u'n');
  EXPECT_EQ(LangIDToName(locale, 4242), std::u16string(255, u'n'));
}

}  // namespace
}  // namespace kb
