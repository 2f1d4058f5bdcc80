// The shipped translations and flags of the repository on the real system's locale data: which
// translation a user of each locale starts in, and the language menu they are offered.

#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "lang/language_choice.h"
#include "platform/sim/memory_registry.h"
#include "platform/sim/scripted_system_info.h"
#include "platform/text.h"
#include "platform/win32/system_file_system.h"
#include "platform/win32/system_locale.h"
#include "runtime/registry.h"
#include "toolkit/image_list.h"
#include "toolkit/menu.h"
#include "win32/source_tree.h"

namespace kb::win32 {
namespace {

// The system's locale data, as seen by a user of another locale on a system of that language.
class LocaleOfUser final : public Locale {
 public:
  explicit LocaleOfUser(std::uint32_t user) : user_(user) {}
  std::optional<std::u16string> locale_info(std::uint32_t locale, LocaleField field,
                                            std::size_t capacity) override {
    return system_.locale_info(locale, field, capacity);
  }
  std::uint32_t user_default_locale() override { return user_; }
  std::uint16_t system_default_language() override { return LANGIDFROMLCID(user_); }
  std::u16string language_name(std::uint32_t language, std::size_t capacity) override {
    return system_.language_name(language, capacity);
  }

 private:
  SystemLocale system_;
  std::uint32_t user_;
};

class ShippedLanguages : public testing::Test {
 protected:
  ShippedLanguages() { init_registry(std::make_shared<sim::MemoryRegistry>(), system); }
  ~ShippedLanguages() override {
    init_registry(nullptr, system);
    SetCurrentLanguage(u"", 0);
  }

  sim::ScriptedSystemInfo system;
  SystemFileSystem files;
};

TEST_F(ShippedLanguages, EachLocaleStartsInItsTranslationOrElseInEnglish) {
  const struct {
    const char* locale;
    std::uint32_t id;
    const char16_t* key;
  } cases[] = {
      {"de-DE", 1031, u"de-de"}, {"de-CH", 2055, u"de-de"}, {"de-AT", 3079, u"de-de"},
      {"en-US", 1033, u"en"},    {"en-GB", 2057, u"en"},    {"fr-FR", 1036, u"fr"},
      {"fr-CA", 3084, u"fr"},    {"es-ES", 3082, u"es"},    {"es-MX", 2058, u"es"},
      {"it-IT", 1040, u"it"},    {"pt-BR", 1046, u"pt-br"}, {"nl-NL", 1043, u"nl"},
      {"nl-BE", 2067, u"nl"},    {"pl-PL", 1045, u"pl"},    {"ru-RU", 1049, u"ru"},
      {"zh-CN", 2052, u"zh-cn"}, {"ja-JP", 1041, u"ja"},
      // No translation of theirs: English.
      {"pt-PT", 2070, u"en"},    {"zh-TW", 1028, u"en"},    {"sv-SE", 1053, u"en"},
  };
  for (const auto& c : cases) {
    LocaleOfUser locale(c.id);
    SetCurrentLanguage(u"", 0);
    ChooseStartLanguage(files, locale, test::source_tree());
    EXPECT_EQ(CurrentLangCode, c.key) << c.locale;
  }
}

TEST_F(ShippedLanguages, EveryEntryOfTheMenuHasItsLanguagesNameAndAFlag) {
  LocaleOfUser locale(1033);
  ScanTranslationFolder(files, locale, test::source_tree() + u"\\translation");
  ASSERT_EQ(LangKeys.size(), 11u);
  MenuItem parent(u"Tray_Lang");
  ImageList flags(u"ImageList_Flags");
  BuildLanguageMenu(parent, flags, files, locale, test::source_tree());
  ASSERT_EQ(parent.Count(), 11u);
  for (std::size_t i = 0; i < parent.Count(); ++i) {
    const MenuItem& entry = parent.Items(i);
    SCOPED_TRACE(to_utf8(LangKeys[i]));
    EXPECT_FALSE(entry.Caption().empty());
    ASSERT_GE(entry.ImageIndex(), 0);
    const TBitmap32& flag = flags.Picture(static_cast<std::size_t>(entry.ImageIndex()));
    EXPECT_EQ(flag.width(), 16);
    EXPECT_EQ(flag.height(), 16);
  }
  // Each its own name: no two entries alike.
  for (std::size_t i = 0; i < parent.Count(); ++i) {
    for (std::size_t j = i + 1; j < parent.Count(); ++j) {
      EXPECT_NE(parent.Items(i).Caption(), parent.Items(j).Caption()) << i << " " << j;
    }
  }
}

}  // namespace
}  // namespace kb::win32
