#include "lang/language_choice.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/memory_file_system.h"
#include "platform/sim/memory_registry.h"
#include "platform/sim/scripted_locale.h"
#include "platform/sim/scripted_system_info.h"
#include "runtime/registry.h"
#include "toolkit/bmp_file.h"
#include "toolkit/image_list.h"
#include "toolkit/menu.h"

namespace kb {
namespace {

using Lines = std::vector<std::u16string>;

constexpr char16_t kProgram[] = u"C:\\KB";
constexpr char16_t kTranslation[] = u"C:\\KB\\translation\\";
constexpr char16_t kFlags[] = u"C:\\KB\\Flags\\";
constexpr RegistryRoot kUser = RegistryRoot::current_user;

class LanguageChoiceTest : public testing::Test {
 protected:
  LanguageChoiceTest() {
    init_registry(registry, system);
    SetCurrentLanguage(u"", 0);
    locale.locales[1033] = {u"en", u"US", u"ENU", u"USA"};
    locale.locales[1036] = {u"fr", u"FR", u"FRA", u"FRA"};
    locale.locales[1046] = {u"pt", u"BR", u"PTB", u"BRA"};
    locale.language_names[9] = u"English";
    locale.language_names[1046] = u"Portugu\u00EAs (Brasil)";
    files.add_folder(kFlags);
  }

  void install(std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) {
      files.set_file(std::u16string(kTranslation) + name, "");
    }
  }
  void user(std::uint32_t lcid, std::uint16_t system_language = 1031) {
    locale.user_locale = lcid;
    locale.system_language = system_language;
  }
  void choose() { ChooseStartLanguage(files, locale, kProgram); }
  std::u16string forced() { return REG_ReadString(kUser, kOptionsKey, kForcedLanguageValue); }
  bool forced_exists() { return REG_ValueExists(kUser, kOptionsKey, kForcedLanguageValue); }

  sim::ScriptedSystemInfo system;
  std::shared_ptr<sim::MemoryRegistry> registry = std::make_shared<sim::MemoryRegistry>();
  sim::ScriptedLocale locale;
  sim::MemoryFileSystem files;
};

TEST_F(LanguageChoiceTest, TheScanListsKnownLanguagesInTheOrderOfTheirNames) {
  install({u"en.nlang3", u"De-DE.nlang3", u"1031.nlang3", u"Custom_PT-BR.nlang3", u"xx.nlang3",
           u"index.txt", u"es.nlang3.bak"});
  files.add_folder(std::u16string(kTranslation) + u"folder.nlang3");
  ScanTranslationFolder(files, locale, u"C:\\KB\\translation");
  EXPECT_EQ(LangKeys, (Lines{u"1031", u"custom_pt-br", u"de-de", u"en"}))
      << "no unknown language, no folder, nothing but *.nlang3";
  EXPECT_EQ(LangCodes, (Lines{u"de-de", u"pt-br", u"de-de", u"en"}));
  EXPECT_EQ(LangIDs, (Lines{u"1031", u"1046", u"1031", u"9"}))
      << "de-de, not in the code table, falls back to de";
}

struct ChoiceCase {
  const char* what;
  std::uint32_t user_locale;
  std::uint16_t system_language;
  std::u16string chosen;
  std::int32_t id;
};

TEST_F(LanguageChoiceTest, TheUsersLocaleDecidesThenSwissAndAustrianGermanThenEnglish) {
  install({u"de-de.nlang3", u"en.nlang3"});
  const ChoiceCase cases[] = {
      {"English (United States): en-us is not there, en is", 1033, 1033, u"en", 9},
      {"German (Germany)", 1031, 1031, u"de-de", 1031},
      {"German (Switzerland) on a Swiss system", 2055, 2055, u"de-de", 1031},
      {"French: the first English file stays", 1036, 1036, u"en", 9},
  };
  for (const ChoiceCase& c : cases) {
    user(c.user_locale, c.system_language);
    SetCurrentLanguage(u"", 0);
    choose();
    EXPECT_EQ(CurrentLangCode, c.chosen) << c.what;
    EXPECT_EQ(CurrentLangID, c.id) << c.what;
    EXPECT_EQ(CurrentLangID2, c.id) << c.what;
  }
}

TEST_F(LanguageChoiceTest, WithoutTranslationsTheLanguageStaysAsItWas) {
  choose();
  EXPECT_EQ(CurrentLangCode, u"");
  EXPECT_EQ(CurrentLangID, 0);
  EXPECT_TRUE(LangKeys.empty());
}

TEST_F(LanguageChoiceTest, AForcedLanguageWinsWhileItsFileIsThereAndIsForgottenOtherwise) {
  install({u"de-de.nlang3", u"en.nlang3"});
  SetForcedLanguage(u"EN");
  choose();
  EXPECT_EQ(CurrentLangCode, u"en") << "letter case is ignored";
  SetForcedLanguage(u"fr");
  choose();
  EXPECT_EQ(CurrentLangCode, u"de-de") << "the locale's choice";
  EXPECT_FALSE(forced_exists()) << "the choice of a file that is gone is forgotten";
}

TEST_F(LanguageChoiceTest, TheMenuHasAnEntryPerLanguageWithTheFlagOfItsCountry) {
  install({u"de-ch.nlang3", u"en.nlang3", u"pt-br.nlang3", u"fr.nlang3"});
  locale.language_names[2055] = u"Deutsch (Schweiz)";
  locale.language_names[1036] = u"Fran\u00E7ais";
  TBitmap32 red(16, 16, 0xFFFF0000u);
  TBitmap32 blue(16, 16, 0xFF0000FFu);
  files.set_file(std::u16string(kFlags) + u"de-de.bmp",
                 std::string(reinterpret_cast<const char*>(encode_bmp(red).data()),
                             encode_bmp(red).size()));
  files.set_file(std::u16string(kFlags) + u"en-au.bmp",
                 std::string(reinterpret_cast<const char*>(encode_bmp(blue).data()),
                             encode_bmp(blue).size()));
  files.set_file(std::u16string(kFlags) + u"pt-br.bmp", "BM not really a bitmap");
  ScanTranslationFolder(files, locale, u"C:\\KB\\translation");

  MenuItem parent(u"Tray_Lang");
  std::vector<std::int32_t> clicked;
  parent.SetOnClick([&](MenuItem& sender) { clicked.push_back(sender.HelpContext()); });
  ImageList flags(u"ImageList_Flags");
  BuildLanguageMenu(parent, flags, files, locale, kProgram);

  ASSERT_EQ(parent.Count(), 4u);
  EXPECT_EQ(parent.Items(0).Caption(), u"Deutsch (Schweiz)");
  EXPECT_EQ(parent.Items(1).Caption(), u"English");
  EXPECT_EQ(parent.Items(2).Caption(), u"Fran\u00E7ais");
  EXPECT_EQ(parent.Items(0).ImageIndex(), 0) << "no de-ch.bmp: the de-de one";
  EXPECT_EQ(parent.Items(1).ImageIndex(), 1) << "no en.bmp nor en-en.bmp: the first en-*";
  EXPECT_EQ(parent.Items(2).ImageIndex(), -1) << "no flag at all";
  EXPECT_EQ(parent.Items(3).ImageIndex(), -1) << "a damaged flag costs only its picture";
  EXPECT_EQ(flags.Picture(1).pixel(3, 3), 0xFF0000FFu);
  for (std::size_t i = 0; i < parent.Count(); ++i) {
    EXPECT_EQ(parent.Items(i).HelpContext(), static_cast<std::int32_t>(i + 1));
    EXPECT_FALSE(parent.Items(i).RadioItem() || parent.Items(i).Checked());
    EXPECT_EQ(parent.Items(i).Owner(), &parent);
  }
  parent.Items(2).Click();
  EXPECT_EQ(clicked, std::vector<std::int32_t>{3}) << "the parent's handler";
}

TEST(FilePatterns, StarsAndQuestionMarksIgnoringCase) {
  EXPECT_TRUE(matches_pattern(u"*.nlang3", u"de-de.NLANG3"));
  EXPECT_TRUE(matches_pattern(u"de-*.bmp", u"de-at.bmp"));
  EXPECT_TRUE(matches_pattern(u"?n.nlang3", u"en.nlang3"));
  EXPECT_TRUE(matches_pattern(u"*", u""));
  EXPECT_FALSE(matches_pattern(u"*.nlang3", u"de.nlang3.bak"));
  EXPECT_FALSE(matches_pattern(u"de-*.bmp", u"dex-at.bmp"));
  EXPECT_FALSE(matches_pattern(u"?", u""));
}

}  // namespace
}  // namespace kb
