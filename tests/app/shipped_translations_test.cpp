// The translations the program ships with, as files in the repository: each must give every
// text the export asks for, under a name the language choice knows.

#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "lang/lang.h"
#include "platform/sim/memory_file_system.h"
#include "platform/sim/recorded_debug_output.h"
#include "platform/sim/scripted_tick_clock.h"
#include "platform/sim/windows1252_codec.h"
#include "platform/text.h"

namespace kb {
namespace {

constexpr char16_t kFolder[] = u"C:\\KB\\translation\\";

// The repository's translation folder, copied into memory.
class ShippedTranslations : public testing::Test {
 protected:
  ShippedTranslations() {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(KB_SOURCE_DIR) / "translation")) {
      std::ifstream file(entry.path(), std::ios::binary);
      files.set_file(kFolder + entry.path().filename().u16string(),
                     {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
    }
  }

  // The names of the translation files, without their extension.
  std::vector<std::u16string> keys() {
    std::vector<std::u16string> found;
    for (const FoundEntry& entry : files.find(std::u16string(kFolder) + u"*.nlang3")) {
      found.push_back(entry.name.substr(0, entry.name.size() - 7));
    }
    std::sort(found.begin(), found.end());
    return found;
  }
  std::u16string path(std::u16string_view name) { return kFolder + std::u16string(name); }

  sim::Windows1252Codec codec;
  sim::MemoryFileSystem files;
  sim::RecordedDebugOutput debug;
  sim::ScriptedTickClock clock;
  LangPlatform platform{codec, files, debug, clock};
};

TEST_F(ShippedTranslations, ElevenLanguages) {
  EXPECT_EQ(keys(), (std::vector<std::u16string>{u"de-de", u"en", u"es", u"fr", u"it", u"ja",
                                                 u"nl", u"pl", u"pt-br", u"ru", u"zh-cn"}));
}

TEST_F(ShippedTranslations, EachGivesATextForEveryKeyOfTheExportAndNoOther) {
  TLang index(platform);
  index.Load_Translation(path(u"none"), path(u"index.txt"));
  std::set<std::u16string> exported;
  for (const std::u16string& line : index.Index().lines()) {
    exported.emplace(TextLineList::name_of(line));
  }
  ASSERT_EQ(exported.size(), 13u);

  for (const std::u16string& key : keys()) {
    SCOPED_TRACE(to_utf8(key));
    const std::u16string file = path(key + u".nlang3");
    const std::string bytes = files.read_file(file).value_or("");
    // As the export writes it: UTF-16 LE with its mark, every line ended by CR LF.
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\r\0\n\0", 4));

    TLang lang(platform);
    lang.Load_Translation(file, path(u"none"));
    std::set<std::u16string> given;
    for (const std::u16string& line : lang.Translation().lines()) {
      const std::u16string name(TextLineList::name_of(line));
      EXPECT_TRUE(given.insert(name).second) << "twice: " << to_utf8(name);
      const std::u16string_view text = TextLineList::value_of(line);
      EXPECT_FALSE(text.empty()) << "empty: " << to_utf8(name);
      EXPECT_TRUE(text.empty() || (text.front() != u' ' && text.back() != u' '))
          << "spaces around: " << to_utf8(name);
    }
    EXPECT_EQ(given, exported);
  }
}

}  // namespace
}  // namespace kb
