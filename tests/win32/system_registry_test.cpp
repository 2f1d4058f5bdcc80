#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "platform/text.h"
#include "platform/win32/system_registry_backend.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_system_info.h"
#include "runtime/registry.h"
#include "support/registry_cases.h"

namespace kb::win32 {
namespace {

constexpr auto kUser = RegistryRoot::current_user;

// A name of the test's own: ctest runs cases of the same binary side by side.
std::u16string unique_name() {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  return from_utf8(std::string(test->name()) + "-" + std::to_string(GetCurrentProcessId()));
}

// A key of the test's own under HKEY_CURRENT_USER, removed with everything below it at the end.
class SystemRegistry : public testing::Test {
 protected:
  static constexpr std::u16string_view kParent = u"Software\\KorvalenBarlumeTests";

  ~SystemRegistry() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, wide(path));
    RegDeleteKeyW(HKEY_CURRENT_USER, wide(std::u16string(kParent)));  // only once it is empty
  }

  // The value as the system has it, read without the program's code.
  std::optional<std::pair<DWORD, std::u16string>> raw(const std::u16string& key,
                                                      const wchar_t* name) const {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(key), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    DWORD type = 0;
    wchar_t data[64] = {};
    DWORD size = sizeof(data);
    const LSTATUS status =
        RegQueryValueExW(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return std::pair{size, std::u16string(from_wide(data, size / sizeof(wchar_t)))};
  }

  bool key_exists(const std::u16string& key) const {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(key), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(handle);
    return true;
  }

  const std::u16string path = std::u16string(kParent) + u"\\" + unique_name();
  std::shared_ptr<SystemRegistryBackend> backend = std::make_shared<SystemRegistryBackend>();
  Registry registry{backend, IsWow64()};
};

TEST_F(SystemRegistry, StoredValuesReadAsTextAndAsInteger) {
  test::expect_stored_values_read_back(*backend, registry, kUser, path);
}

TEST_F(SystemRegistry, WritersCreateTheWholePathAndStoreWhatTheReadersGiveBack) {
  const std::u16string options = path + u"\\Korvalen Barlume\\Options";
  ASSERT_FALSE(key_exists(path));
  EXPECT_TRUE(registry.REG_WriteInteger(kUser, options, u"Option_R", -1));
  EXPECT_EQ(registry.REG_ReadInteger(kUser, options, u"Option_R"), -1);
  EXPECT_EQ(registry.REG_ReadString(kUser, options, u"Option_R"), u"4294967295");

  registry.REG_WriteString(kUser, options, u"Empty", u"");
  EXPECT_EQ(raw(options, L"Empty"), (std::pair<DWORD, std::u16string>{0, u""}));
  EXPECT_TRUE(registry.REG_ValueExists(kUser, options, u"Empty"));

  registry.REG_WriteString(kUser, options, u"ForceLanguage_LCID", u"abc");
  EXPECT_EQ(raw(options, L"ForceLanguage_LCID"),
            (std::pair<DWORD, std::u16string>{8, std::u16string(u"abc\0", 4)}));
  EXPECT_EQ(registry.REG_ReadString(kUser, options, u"FORCELANGUAGE_LCID"), u"abc")
      << "names ignore letter case";
  EXPECT_EQ(registry.REG_ReadString(kUser, path + u"\\\\korvalen barlume\\Options\\",
                                    u"ForceLanguage_LCID"),
            u"abc")
      << "doubled and trailing separators are passed over, as the in-memory registry does";
  EXPECT_EQ(registry.REG_ReadString(kUser, u"\\" + options, u"ForceLanguage_LCID"), u"");
}

TEST_F(SystemRegistry, DeletingRemovesOnlyAValueThatIsThere) {
  registry.REG_WriteString(kUser, path, u"Korvalen Barlume", u"C:\\app.exe");
  EXPECT_TRUE(registry.REG_DeleteValue(kUser, path, u"Korvalen Barlume"));
  EXPECT_FALSE(raw(path, L"Korvalen Barlume"));
  EXPECT_FALSE(registry.REG_DeleteValue(kUser, path, u"Korvalen Barlume"));
  EXPECT_FALSE(registry.REG_ValueExists(kUser, path, u"Korvalen Barlume"));
  EXPECT_EQ(registry.REG_ReadString(kUser, path, u"Korvalen Barlume"), u"");

  const std::u16string missing = path + u"\\Missing";
  EXPECT_FALSE(registry.REG_DeleteValue(kUser, missing, u"Korvalen Barlume"));
  EXPECT_FALSE(key_exists(missing)) << "deleting creates nothing";
}

TEST_F(SystemRegistry, RegDeleteKeyExWIsLookedUp) {
  EXPECT_TRUE(backend->reg_delete_key_ex_found());
}

// The registry's view by the bitness of the process: a 32-bit process on 64-bit Windows must
// reach the keys 64-bit programs see; a 64-bit process sees them anyway.
class SystemRegistryView : public testing::Test {
 protected:
  SystemRegistryView() { init_registry(std::make_shared<SystemRegistryBackend>(), system_); }
  ~SystemRegistryView() override { init_registry(nullptr, system_); }

  static bool native_64bit() {
    SYSTEM_INFO native{};
    GetNativeSystemInfo(&native);
    return native.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           native.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64;
  }

  WindowsSystemInfo system_;
};

TEST_F(SystemRegistryView, IsTheWow64ViewExactlyFor32BitProcessesOn64BitWindows) {
  if constexpr (sizeof(void*) == 8) {
    EXPECT_FALSE(REG_IS_WOW64());
  } else if (native_64bit()) {
    EXPECT_TRUE(REG_IS_WOW64());
  } else {
    EXPECT_FALSE(REG_IS_WOW64()) << "32-bit Windows has one view only";
  }
}

TEST_F(SystemRegistryView, LocalMachineIsReadInThe64BitView) {
  if (!native_64bit()) {
    GTEST_SKIP() << "32-bit Windows has one view only";
  }
  // The product name as 64-bit programs see it.
  wchar_t expected[256] = {};
  DWORD size = sizeof(expected);
  ASSERT_EQ(
      RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                   L"ProductName", RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr, expected, &size),
      ERROR_SUCCESS);
  EXPECT_EQ(REG_ReadString(RegistryRoot::local_machine,
                           u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"ProductName"),
            from_wide(expected));

  // A key with different values in the two views tells them apart; writing it needs the
  // rights of an administrator (which Wine's user has).
  const std::u16string key = u"SOFTWARE\\KorvalenBarlumeTest-" + unique_name();
  auto store = [&](REGSAM view, const wchar_t* text) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide(key), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const auto bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
    const bool stored = RegSetValueExW(handle, L"View", 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(text), bytes) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return stored;
  };
  const bool stored = store(KEY_WOW64_32KEY, L"32-bit") && store(KEY_WOW64_64KEY, L"64-bit");
  const std::u16string read = REG_ReadString(RegistryRoot::local_machine, key, u"View");
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, wide(key), KEY_WOW64_64KEY, 0);
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, wide(key), KEY_WOW64_32KEY, 0);
  if (!stored) {
    GTEST_SKIP() << "no right to write under HKEY_LOCAL_MACHINE; the product name agreed";
  }
  EXPECT_EQ(read, u"64-bit");
}

}  // namespace
}  // namespace kb::win32
