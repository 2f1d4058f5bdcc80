#include <windows.h>

#include <stdlib.h>

#include <gtest/gtest.h>
#include <memory>

#include "platform/sim/recorded_debug_output.h"
#include "platform/text.h"
#include "platform/win32/system_registry_backend.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_system_info.h"
#include "runtime/environment.h"
#include "runtime/registry.h"

namespace kb::win32 {
namespace {

// The tests' Wine prefix is set to Windows 10; so is any Windows these tests run on.
TEST(WindowsSystemInfo, TheManifestLetsThePlainQueryReportWindows10) {
  WindowsSystemInfo system;
  const auto reported = system.reported_version();
  ASSERT_TRUE(reported.has_value());
  EXPECT_GE(reported->major, 10u) << "without the manifest's Windows 10 entry this is 6.2";
  const auto kernel32 = system.kernel32_version();
  ASSERT_TRUE(kernel32.has_value());
  EXPECT_GE(kernel32->major, 10u);
  EXPECT_EQ(real_windows_version(system), *kernel32);
}

TEST(WindowsSystemInfo, AnswersTheOtherQueries) {
  WindowsSystemInfo system;
  const auto windows = system.windows_folder();
  EXPECT_EQ(system.system_folder().substr(0, windows.size()), windows);
  EXPECT_FALSE(windows.empty());
  EXPECT_FALSE(system.special_folder(28).empty()) << "the user's local application data";
  EXPECT_EQ(system.special_folder(0x7FFF), u"") << "no such shell folder";
}

class ProcessEnvironmentOnWindows : public testing::Test {
 protected:
  ProcessEnvironmentOnWindows() {
    init_registry(std::make_shared<SystemRegistryBackend>(), *system);
    init_environment(system, debug);
  }
  ~ProcessEnvironmentOnWindows() override {
    init_environment(nullptr, debug);
    init_registry(nullptr, *system);
  }

  std::shared_ptr<WindowsSystemInfo> system = std::make_shared<WindowsSystemInfo>();
  sim::RecordedDebugOutput debug;
};

TEST_F(ProcessEnvironmentOnWindows, KnowsWindows10AndTheProgramsFolder) {
  EXPECT_TRUE(IS_WIN10());
  const auto version = real_windows_version(*system);
  EXPECT_EQ(debug.lines(), std::vector<std::u16string>{
                               from_utf8("WindowsVersion=" + std::to_string(version.major) + "." +
                                         std::to_string(version.minor))});

  // The folder as the C runtime splits the module's path.
  wchar_t module[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameW(nullptr, module, MAX_PATH), 0u);
  wchar_t drive[_MAX_DRIVE] = {};
  wchar_t folder[_MAX_DIR] = {};
  ASSERT_EQ(_wsplitpath_s(module, drive, _MAX_DRIVE, folder, _MAX_DIR, nullptr, 0, nullptr, 0), 0);
  EXPECT_EQ(PROGRAM_FOLDER() + u"\\",
            std::u16string(from_wide(drive)) + std::u16string(from_wide(folder)));
  const DWORD attributes = GetFileAttributesW(wide(PROGRAM_FOLDER()));
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(ProcessEnvironmentOnWindows, WorksOutTheValuesNothingReads) {
  const Environment& env = process_environment();
  EXPECT_TRUE(env.IS_WIN7_OR_LATER);
  EXPECT_TRUE(env.IS_WIN8_OR_LATER);
  EXPECT_EQ(env.WINDOWS_NAME, u"Windows 10");
  EXPECT_EQ(env.APP_IS_WOW64, IsWow64());
  EXPECT_EQ(env.WINDOWS_TEMP_FOLDER, env.WINDOWS_FOLDER + u"\\TEMP");
  // The profile's AppData\Local\Temp: the system's own temporary folder on Windows, though
  // not on Wine, which keeps its own elsewhere.
  std::u16string temp = env.USER_TEMP_FOLDER;
  for (char16_t& c : temp) {
    c = ascii_upper(c);
  }
  constexpr std::u16string_view kTail = u"\\APPDATA\\LOCAL\\TEMP";
  ASSERT_GT(temp.size(), kTail.size()) << to_utf8(env.USER_TEMP_FOLDER);
  EXPECT_EQ(temp.substr(temp.size() - kTail.size()), kTail) << to_utf8(env.USER_TEMP_FOLDER);
  EXPECT_GE(env.IE_VERSION, 6);
}

TEST_F(ProcessEnvironmentOnWindows, TrimmingTheWorkingSetLeavesNoHandleBehind) {
  DWORD before = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
  for (int i = 0; i < 50; ++i) {
    TrimWorkingSet();
  }
  DWORD after = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
  EXPECT_LE(after, before + 2) << "each trim closes the process handle it opened";
}

}  // namespace
}  // namespace kb::win32
