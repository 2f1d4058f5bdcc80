#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lang/lang.h"
#include "platform/error.h"
#include "platform/sim/recorded_debug_output.h"
#include "platform/sim/scripted_tick_clock.h"
#include "platform/text.h"
#include "platform/win32/system_file_system.h"
#include "platform/win32/system_text_codec.h"
#include "platform/win32/wide_text.h"

namespace kb::win32 {
namespace {

class SystemFileSystemTest : public testing::Test {
 protected:
  SystemFileSystemTest() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    folder_ = std::u16string(from_wide(temp)) +
              from_utf8("kb_files_" + std::to_string(GetCurrentProcessId()) + "_" +
                        testing::UnitTest::GetInstance()->current_test_info()->name());
    CreateDirectoryW(wide(folder_), nullptr);
  }
  ~SystemFileSystemTest() override {
    for (const std::u16string& name : entries()) {
      const std::u16string file = folder_ + u"\\" + name;
      SetFileAttributesW(wide(file), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(wide(file));
      RemoveDirectoryW(wide(file));
    }
    RemoveDirectoryW(wide(folder_));
  }

  std::u16string path(const char16_t* name) const { return folder_ + u"\\" + name; }

  void put(const char16_t* name, const std::string& bytes) {
    HANDLE file = CreateFileW(wide(path(name)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD wrote = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    CloseHandle(file);
  }

  // The names in the test's folder.
  std::vector<std::u16string> entries() const {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found;
    const std::u16string pattern = folder_ + u"\\*";
    HANDLE search = FindFirstFileW(wide(pattern), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::u16string name(from_wide(found.cFileName));
        if (name != u"." && name != u"..") {
          names.push_back(name);
        }
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    return names;
  }

  std::u16string folder_;
  SystemFileSystem files;
};

TEST_F(SystemFileSystemTest, TellsAMissingFileFromOneThatCannotBeRead) {
  CreateDirectoryW(wide(path(u"sub")), nullptr);
  EXPECT_FALSE(files.file_exists(path(u"none")));
  EXPECT_FALSE(files.file_exists(path(u"sub")));
  EXPECT_EQ(files.read_file(path(u"none")), std::nullopt);
  EXPECT_EQ(files.read_file(path(u"sub")), std::nullopt);
  EXPECT_EQ(files.read_file(path(u"no folder\\index.txt")), std::nullopt);

  put(u"en.nlang3", std::string("\xFF\xFE"
                                "a\0",
                                4));
  EXPECT_TRUE(files.file_exists(path(u"en.nlang3")));
  EXPECT_EQ(files.read_file(path(u"en.nlang3")), std::string("\xFF\xFE"
                                                             "a\0",
                                                             4));

  HANDLE locked = CreateFileW(wide(path(u"en.nlang3")), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  try {
    files.read_file(path(u"en.nlang3"));
    ADD_FAILURE() << "a file held without sharing is read";
  } catch (const Error& e) {
    EXPECT_EQ(e.message().rfind(u"Cannot read \"" + path(u"en.nlang3") + u"\": ", 0), 0u)
        << e.what();
  }
  CloseHandle(locked);
}

TEST_F(SystemFileSystemTest, ReplacesThroughATemporaryFileThatDoesNotRemain) {
  files.replace_file(path(u"index.txt"), "first");
  EXPECT_EQ(files.read_file(path(u"index.txt")), "first");
  files.replace_file(path(u"index.txt"), "");
  EXPECT_EQ(files.read_file(path(u"index.txt")), "");
  EXPECT_EQ(entries().size(), 1u);
}

TEST_F(SystemFileSystemTest, AFailedReplaceKeepsTheOldBytes) {
  put(u"readonly.txt", "old");
  SetFileAttributesW(wide(path(u"readonly.txt")), FILE_ATTRIBUTE_READONLY);
  EXPECT_THROW(files.replace_file(path(u"readonly.txt"), "new"), Error);
  EXPECT_EQ(files.read_file(path(u"readonly.txt")), "old");

  put(u"in use.txt", "old");
  HANDLE locked = CreateFileW(wide(path(u"in use.txt")), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  EXPECT_THROW(files.replace_file(path(u"in use.txt"), "new"), Error);
  CloseHandle(locked);
  EXPECT_EQ(files.read_file(path(u"in use.txt")), "old");

  EXPECT_THROW(files.replace_file(path(u"no folder\\index.txt"), "new"), Error);
  EXPECT_EQ(entries().size(), 2u) << "no temporary file is left";
}

TEST_F(SystemFileSystemTest, ASaveThatFailsOnTheIndexLeavesBothFilesAsTheyWere) {
  SystemTextCodec codec;
  sim::RecordedDebugOutput debug;
  sim::ScriptedTickClock clock;
  const LangPlatform platform{codec, files, debug, clock};
  const std::string translation = "\xFF\xFE" + std::string("S\0.\0A\0=\0o\0l\0d\0\r\0\n\0", 18);
  put(u"en.nlang3", translation);
  put(u"index.txt", "S.A=TEXT,0,01.00.00\r\n");
  SetFileAttributesW(wide(path(u"index.txt")), FILE_ATTRIBUTE_READONLY);

  TLang lang(platform);
  lang.Load_Translation(path(u"en.nlang3"), path(u"index.txt"));
  lang.Add_StringW(u"S", u"A", u"new");
  lang.Save_ToIndex(u"S", u"A", false, 5, u"02.00.00");
  EXPECT_THROW(lang.Save_Translation(path(u"en.nlang3"), path(u"index.txt")), Error);
  EXPECT_EQ(files.read_file(path(u"en.nlang3")), translation);
  EXPECT_EQ(files.read_file(path(u"index.txt")), "S.A=TEXT,0,01.00.00\r\n");

  SetFileAttributesW(wide(path(u"index.txt")), FILE_ATTRIBUTE_NORMAL);
  lang.Save_Translation(path(u"en.nlang3"), path(u"index.txt"));
  EXPECT_EQ(files.read_file(path(u"index.txt")), "S.A=TEXT,5,02.00.00\r\n");
  EXPECT_EQ(entries().size(), 2u);
}

}  // namespace
}  // namespace kb::win32
