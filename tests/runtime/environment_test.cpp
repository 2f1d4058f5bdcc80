#include "runtime/environment.h"

#include <gtest/gtest.h>
#include <memory>

#include "platform/sim/memory_registry.h"
#include "platform/sim/recorded_debug_output.h"
#include "platform/sim/scripted_system_info.h"
#include "platform/text.h"
#include "runtime/registry.h"
#include "support/registry_cases.h"

namespace kb {
namespace {

using test::utf16_bytes;

constexpr auto kMachine = RegistryRoot::local_machine;
constexpr std::u16string_view kCurrentVersion = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr std::u16string_view kInternetExplorer = u"SOFTWARE\\Microsoft\\Internet Explorer";

TEST(RealWindowsVersion, AskTheKernelWhereTheReportedVersionMayBeACompatibilityValue) {
  using V = std::optional<WindowsVersion>;
  struct Case {
    const char* what;
    V reported, kernel32, workstation;
    WindowsVersion real;
  };
  const Case cases[] = {
      {"Windows 7 reports truly",
       WindowsVersion{6, 1},
       WindowsVersion{10, 0},
       WindowsVersion{10, 0},
       {6, 1}},
      {"no manifest on Windows 10",
       WindowsVersion{6, 2},
       WindowsVersion{10, 0},
       WindowsVersion{10, 0},
       {10, 0}},
      {"manifest on Windows 10",
       WindowsVersion{10, 0},
       WindowsVersion{10, 0},
       std::nullopt,
       {10, 0}},
      {"Windows 8.1", WindowsVersion{6, 3}, WindowsVersion{6, 3}, std::nullopt, {6, 3}},
      {"no version resource", WindowsVersion{6, 2}, std::nullopt, WindowsVersion{10, 0}, {10, 0}},
      {"nothing but the plain query", WindowsVersion{6, 2}, std::nullopt, std::nullopt, {6, 2}},
      {"no answer at all", std::nullopt, WindowsVersion{10, 0}, WindowsVersion{10, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::ScriptedSystemInfo system;
    system.reported = c.reported;
    system.kernel32 = c.kernel32;
    system.workstation = c.workstation;
    EXPECT_EQ(real_windows_version(system), c.real);
  }
}

// The whole detection against a scripted system and an in-memory registry.
class DetectEnvironmentOnSim : public testing::Test {
 protected:
  void set_version(std::uint32_t major, std::uint32_t minor) {
    system.reported = system.kernel32 = WindowsVersion{major, minor};
  }
  void set_product_name(std::u16string_view name) {
    backend->put(kMachine, kCurrentVersion, u"ProductName", RegistryType::sz, utf16_bytes(name));
  }
  Environment detect() { return detect_environment(system, registry, debug); }
  bool product_name_read() const {
    for (const auto& opening : backend->openings()) {
      if (opening.path == kCurrentVersion) {
        return true;
      }
    }
    return false;
  }

  sim::ScriptedSystemInfo system;
  std::shared_ptr<sim::MemoryRegistry> backend = std::make_shared<sim::MemoryRegistry>();
  Registry registry{backend, false};
  sim::RecordedDebugOutput debug;
};

TEST_F(DetectEnvironmentOnSim, Windows10ByVersionOrByProductName) {
  struct Case {
    WindowsVersion version;
    const char16_t* product_name;  // null: no such value
    bool is_win10;
    bool name_read;
  };
  const Case cases[] = {
      {{10, 0}, nullptr, true, false},  // the product name is not even read
      {{10, 0}, u"Windows 7", true, false},
      {{6, 3}, u"Windows 10 Pro", false, false},
      {{6, 4}, u" windows 10 pro", true, true},
      {{6, 4}, u"Windows 10 Pro\t\r\n", true, true},
      {{6, 4}, u"Windows Technical Preview", false, true},
      {{6, 4}, u"Windows10", false, true},
      {{6, 4}, nullptr, false, true},
      {{7, 0}, u"Windows 10", false, false},
      {{11, 0}, nullptr, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.version.major << "." << c.version.minor << " "
                                    << (c.product_name ? to_utf8(c.product_name) : "-"));
    backend = std::make_shared<sim::MemoryRegistry>();
    registry = Registry(backend, false);
    set_version(c.version.major, c.version.minor);
    if (c.product_name != nullptr) {
      set_product_name(c.product_name);
    }
    const Environment env = detect();
    EXPECT_EQ(env.IS_WIN10, c.is_win10);
    EXPECT_EQ(product_name_read(), c.name_read);
    if (c.is_win10) {
      EXPECT_TRUE(env.IS_WIN8_OR_LATER);
    }
  }
}

TEST_F(DetectEnvironmentOnSim, AnUnreadableProductNameLeavesItFalse) {
  set_version(6, 4);
  set_product_name(u"Windows 10 Pro");
  backend->fail(sim::MemoryRegistry::Op::read);
  EXPECT_FALSE(detect().IS_WIN10);
}

TEST_F(DetectEnvironmentOnSim, NamesAndFlagsByVersion) {
  struct Case {
    WindowsVersion version;
    const char16_t* name;
    bool win7, win8;
  };
  const Case cases[] = {
      {{5, 0}, u"Windows", false, false},       {{5, 1}, u"Windows XP", false, false},
      {{6, 0}, u"Windows Vista", false, false}, {{6, 1}, u"Windows 7", true, false},
      {{6, 2}, u"Windows 8", true, true},       {{6, 3}, u"Windows 8.1", true, true},
      {{6, 4}, u"Windows 10", true, true},      {{7, 0}, u"Windows", true, true},
      {{10, 0}, u"Windows 10", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.version.major << "." << c.version.minor);
    set_version(c.version.major, c.version.minor);
    const Environment env = detect();
    EXPECT_EQ(env.WINDOWS_NAME, c.name);
    EXPECT_EQ(env.IS_WIN7_OR_LATER, c.win7);
    EXPECT_EQ(env.IS_WIN8_OR_LATER, c.win8);
  }
}

TEST_F(DetectEnvironmentOnSim, EveryValueOfAWindows10System) {
  system.wow64 = true;
  backend->put(kMachine, kInternetExplorer, u"Version", RegistryType::sz,
               utf16_bytes(u"9.11.19041.0"));
  const Environment env = detect();
  EXPECT_EQ(debug.lines(), std::vector<std::u16string>{u"WindowsVersion=10.0"});
  EXPECT_TRUE(env.IS_WIN10);
  EXPECT_EQ(env.PROGRAM_FOLDER, u"C:\\Program Files\\Korvalen Barlume");
  EXPECT_TRUE(env.IS_WIN7_OR_LATER);
  EXPECT_TRUE(env.IS_WIN8_OR_LATER);
  EXPECT_EQ(env.WINDOWS_NAME, u"Windows 10");
  EXPECT_TRUE(env.APP_IS_WOW64);
  EXPECT_EQ(env.WINDOWS_FOLDER, u"C:\\Windows");
  EXPECT_EQ(env.SYSTEM_FOLDER, u"C:\\Windows\\system32");
  EXPECT_EQ(env.WINDOWS_TEMP_FOLDER, u"C:\\Windows\\TEMP");
  EXPECT_EQ(env.USER_TEMP_FOLDER, u"C:\\Users\\Anna\\AppData\\Local\\Temp");
  EXPECT_EQ(env.IE_VERSION, 9);
}

TEST_F(DetectEnvironmentOnSim, FailedQueriesLeaveTheValuesBeforeDetection) {
  system.reported.reset();
  system.module_path.clear();
  system.windows.clear();
  system.system.clear();
  system.special_folders.clear();
  const Environment env = detect();
  EXPECT_EQ(debug.lines(), std::vector<std::u16string>{u"WindowsVersion=0.0"});
  EXPECT_FALSE(env.IS_WIN10);
  EXPECT_EQ(env.PROGRAM_FOLDER, u"");
  EXPECT_EQ(env.WINDOWS_NAME, u"Windows");
  EXPECT_EQ(env.WINDOWS_FOLDER, u"");
  EXPECT_EQ(env.WINDOWS_TEMP_FOLDER, u"");
  EXPECT_EQ(env.USER_TEMP_FOLDER, u"");
  EXPECT_EQ(env.IE_VERSION, 6);
}

TEST_F(DetectEnvironmentOnSim, TheUserTempFolderBeforeVista) {
  set_version(5, 1);
  system.special_folders[28] =
      u"C:\\Documents and Settings\\Anna\\Local Settings\\Application Data";
  EXPECT_EQ(detect().USER_TEMP_FOLDER, u"C:\\Documents and Settings\\Anna\\Local Settings\\TEMP");
}

TEST(FolderOf, IsThePathUpToItsLastBackslash) {
  struct Case {
    std::u16string_view path, folder;
  };
  const Case cases[] = {
      {u"C:\\Tools\\Bar\\app.exe", u"C:\\Tools\\Bar"},
      {u"C:\\app.exe", u"C:"},
      {u"\\\\server\\share\\app.exe", u"\\\\server\\share"},
      {u"C:\\Tools\\", u"C:"},  // the last character never counts
      {u"app.exe", u""},
      {u"\\", u""},
      {u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(to_utf8(c.path));
    EXPECT_EQ(folder_of(c.path), c.folder);
  }
}

TEST(IeVersionOf, IsTheNumberBeforeTheFirstDot) {
  struct Case {
    std::u16string_view version;
    std::int32_t major;
  };
  const Case cases[] = {
      {u"9.11.19041.0", 9},
      {u"11.0", 11},
      {u" 8.0", 8},
      {u"x.1", 6},
      {u".5", 6},
      {u"11", 42},  // no dot: unchanged
      {u"", 42},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(to_utf8(c.version));
    EXPECT_EQ(ie_version_of(c.version, 42), c.major);
  }
}

// Start-up's order: the registry decides its view first, and the environment already reads
// through it.
TEST(ProcessEnvironment, IsDetectedThroughTheRegistrysView) {
  auto backend = std::make_shared<sim::MemoryRegistry>();
  backend->put(kMachine, kCurrentVersion, u"ProductName", RegistryType::sz,
               utf16_bytes(u"Windows 10 Enterprise"));
  backend->set_32bit_view_redirected(true);  // the 32-bit copy has no product name
  auto system = std::make_shared<sim::ScriptedSystemInfo>();
  system->reported = system->kernel32 = WindowsVersion{6, 4};
  system->wow64 = true;
  system->module_path = u"C:\\Tools\\Bar\\app.exe";
  sim::RecordedDebugOutput debug;

  init_registry(backend, *system);
  init_environment(system, debug);
  EXPECT_TRUE(IS_WIN10());
  EXPECT_EQ(PROGRAM_FOLDER(), u"C:\\Tools\\Bar");
  EXPECT_EQ(process_environment().WINDOWS_NAME, u"Windows 10");
  EXPECT_EQ(debug.lines(), std::vector<std::u16string>{u"WindowsVersion=6.4"});

  EXPECT_EQ(system->trims, 0u);
  TrimWorkingSet();
  TrimWorkingSet();
  EXPECT_EQ(system->trims, 2u);

  init_environment(nullptr, debug);
  EXPECT_FALSE(IS_WIN10());
  TrimWorkingSet();
  EXPECT_EQ(system->trims, 2u);
  init_registry(nullptr, *system);
}

}  // namespace
}  // namespace kb
