#include "runtime/registry.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "platform/sim/memory_registry.h"
#include "platform/sim/scripted_system_info.h"
#include "platform/text.h"
#include "support/registry_cases.h"

namespace kb {
namespace {

using Op = sim::MemoryRegistry::Op;
using test::utf16_bytes;

constexpr auto kUser = RegistryRoot::current_user;
constexpr std::u16string_view kKey = u"SOFTWARE\\Korvalen\\Korvalen Barlume";

// Every operation must have closed every key it opened, exactly once, whatever happened.
class RegistryOnSim : public testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(backend->open_handles(), 0u) << "a key was left open";
    EXPECT_EQ(backend->bad_closes(), 0u) << "a key was closed twice";
  }

  void put(std::u16string_view name, RegistryType type, std::vector<std::uint8_t> data) {
    backend->put(kUser, kKey, name, type, data);
  }
  std::optional<sim::MemoryRegistry::Value> stored(std::u16string_view name) const {
    return backend->value(kUser, kKey, name);
  }

  std::shared_ptr<sim::MemoryRegistry> backend = std::make_shared<sim::MemoryRegistry>();
  Registry registry{backend, false};
};

TEST_F(RegistryOnSim, StoredValuesReadAsTextAndAsInteger) {
  test::expect_stored_values_read_back(*backend, registry, kUser, kKey);
}

TEST_F(RegistryOnSim, WritersStoreWhatTheReadersGiveBack) {
  registry.REG_WriteString(kUser, kKey, u"Empty", u"");
  ASSERT_TRUE(stored(u"Empty"));
  EXPECT_EQ(stored(u"Empty")->type, RegistryType::sz);
  EXPECT_TRUE(stored(u"Empty")->data.empty()) << "the empty text is stored with size 0";
  EXPECT_TRUE(registry.REG_ValueExists(kUser, kKey, u"Empty"));
  EXPECT_EQ(registry.REG_ReadString(kUser, kKey, u"Empty"), u"");

  registry.REG_WriteString(kUser, kKey, u"Text", u"abc");
  EXPECT_EQ(stored(u"Text")->type, RegistryType::sz);
  EXPECT_EQ(stored(u"Text")->data, utf16_bytes(u"abc")) << "three characters and a zero, 8 bytes";
  EXPECT_EQ(registry.REG_ReadString(kUser, kKey, u"Text"), u"abc");

  EXPECT_TRUE(registry.REG_WriteInteger(kUser, kKey, u"Number", -1));
  EXPECT_EQ(stored(u"Number")->type, RegistryType::dword);
  EXPECT_EQ(stored(u"Number")->data, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(registry.REG_ReadInteger(kUser, kKey, u"Number"), -1);
  EXPECT_EQ(registry.REG_ReadString(kUser, kKey, u"Number"), u"4294967295");

  EXPECT_TRUE(registry.REG_WriteInteger(kUser, kKey, u"Number", 0x12345678));
  EXPECT_EQ(stored(u"Number")->data, (std::vector<std::uint8_t>{0x78, 0x56, 0x34, 0x12}));

  const std::vector<std::uint8_t> bytes{1, 2, 3};
  EXPECT_TRUE(registry.REG_WriteData(kUser, kKey, u"Raw", RegistryType::binary, bytes));
  EXPECT_EQ(stored(u"Raw")->type, RegistryType::binary);
  EXPECT_EQ(stored(u"Raw")->data, bytes);
  EXPECT_EQ(backend->value_count(kUser, kKey), 4u);
}

TEST_F(RegistryOnSim, WritingCreatesTheWholeKeyPath) {
  const std::u16string_view path = u"SOFTWARE\\Korvalen\\Korvalen Barlume\\Options";
  ASSERT_FALSE(backend->key_exists(kUser, u"SOFTWARE"));
  EXPECT_TRUE(registry.REG_WriteInteger(kUser, path, u"Option_R", 7));
  EXPECT_TRUE(backend->key_exists(kUser, u"SOFTWARE\\Korvalen"));
  EXPECT_EQ(registry.REG_ReadInteger(kUser, path, u"Option_R"), 7);

  // An open with full access first, the creation only because that failed.
  const auto& openings = backend->openings();
  ASSERT_GE(openings.size(), 3u);
  EXPECT_EQ(openings[0].op, Op::open);
  EXPECT_EQ(openings[0].access, kKeyAllAccess);
  EXPECT_EQ(openings[1].op, Op::create);
  EXPECT_EQ(openings[1].access, kKeyAllAccess);
  EXPECT_EQ(openings[2].access, kKeyRead) << "reading asks for read access only";

  EXPECT_TRUE(registry.REG_WriteInteger(kUser, path, u"Option_G", 8));
  EXPECT_EQ(backend->openings().back().op, Op::open) << "an existing key is not created again";
}

TEST_F(RegistryOnSim, PathsAndNamesAreReadAsTheSystemReadsThem) {
  registry.REG_WriteString(kUser, u"Software\\korvalen", u"ForceLanguage_LCID", u"en");
  registry.REG_WriteString(kUser, u"SOFTWARE\\KORVALEN", u"forcelanguage_lcid", u"de-de");
  EXPECT_EQ(backend->value_count(kUser, u"software\\Korvalen"), 1u);
  EXPECT_EQ(registry.REG_ReadString(kUser, u"SoftWare\\KorValen", u"FORCELANGUAGE_LCID"), u"de-de");
  EXPECT_EQ(registry.REG_ReadString(kUser, u"SOFTWARE\\\\Korvalen\\", u"ForceLanguage_LCID"),
            u"de-de")
      << "doubled and trailing separators are passed over";
  EXPECT_EQ(registry.REG_ReadString(kUser, u"\\SOFTWARE\\Korvalen", u"ForceLanguage_LCID"), u"")
      << "a path must not begin with a separator";
}

TEST_F(RegistryOnSim, DeletingRemovesOnlyAValueThatIsThere) {
  put(u"Korvalen Barlume", RegistryType::sz, utf16_bytes(u"C:\\app.exe"));
  put(u"Other", RegistryType::sz, utf16_bytes(u"x"));
  EXPECT_TRUE(registry.REG_DeleteValue(kUser, kKey, u"korvalen barlume"));
  EXPECT_FALSE(stored(u"Korvalen Barlume"));
  EXPECT_TRUE(stored(u"Other"));

  EXPECT_FALSE(registry.REG_DeleteValue(kUser, kKey, u"Korvalen Barlume")) << "already gone";
  EXPECT_FALSE(registry.REG_DeleteValue(kUser, u"SOFTWARE\\Missing", u"Other"));
  EXPECT_FALSE(backend->key_exists(kUser, u"SOFTWARE\\Missing")) << "deleting creates nothing";
  EXPECT_EQ(backend->value_count(kUser, kKey), 1u);
}

TEST_F(RegistryOnSim, MissingValuesAndKeysGiveNeutralResults) {
  put(u"Present", RegistryType::dword, {1, 0, 0, 0});
  for (const std::u16string_view path : {kKey, std::u16string_view(u"SOFTWARE\\Missing")}) {
    EXPECT_FALSE(registry.REG_ValueExists(kUser, path, u"Missing"));
    EXPECT_EQ(registry.REG_ReadString(kUser, path, u"Missing"), u"");
    EXPECT_EQ(registry.REG_ReadInteger(kUser, path, u"Missing"), 0);
  }
  EXPECT_FALSE(registry.REG_ValueExists(RegistryRoot::local_machine, kKey, u"Present"))
      << "the other root is another tree";
}

TEST_F(RegistryOnSim, AFailedOpenQueryOrReadGivesTheNeutralResult) {
  put(u"Text", RegistryType::sz, utf16_bytes(u"42"));
  put(u"Dword", RegistryType::dword, {42, 0, 0, 0});
  put(u"Qword", RegistryType::qword, {42, 0, 0, 0, 0, 0, 0, 0});
  put(u"Binary", RegistryType::binary, {42, 0});
  for (const Op fault : {Op::open, Op::query, Op::read}) {
    for (const std::u16string_view name : {u"Text", u"Dword", u"Qword", u"Binary"}) {
      SCOPED_TRACE(testing::Message()
                   << "fault " << static_cast<int>(fault) << " on " << to_utf8(name));
      backend->fail(fault);
      EXPECT_EQ(registry.REG_ReadString(kUser, kKey, name), u"");
      backend->fail(fault);
      EXPECT_EQ(registry.REG_ReadInteger(kUser, kKey, name), 0);
      backend->fail(fault);
      EXPECT_EQ(registry.REG_ValueExists(kUser, kKey, name), fault == Op::read)
          << "testing for a value reads no data";
      backend->clear_faults();
      // A fault lasts for one call only.
      EXPECT_EQ(registry.REG_ReadInteger(kUser, kKey, name), 42);
    }
  }
}

TEST_F(RegistryOnSim, AFailedWriteOrDeleteReportsFalseAndChangesNothing) {
  put(u"Option_R", RegistryType::dword, {9, 0, 0, 0});

  backend->fail(Op::set);
  EXPECT_FALSE(registry.REG_WriteInteger(kUser, kKey, u"Option_R", 1));
  backend->fail(Op::set);
  registry.REG_WriteString(kUser, kKey, u"Option_R", u"x");
  backend->fail(Op::set);
  EXPECT_FALSE(registry.REG_WriteData(kUser, kKey, u"Option_R", RegistryType::binary, {}));
  EXPECT_EQ(registry.REG_ReadInteger(kUser, kKey, u"Option_R"), 9);

  backend->fail(Op::open);
  EXPECT_FALSE(registry.REG_DeleteValue(kUser, kKey, u"Option_R"));
  backend->fail(Op::delete_value);
  EXPECT_FALSE(registry.REG_DeleteValue(kUser, kKey, u"Option_R"));
  EXPECT_TRUE(stored(u"Option_R"));

  // A key that cannot be opened is created (opened) instead; only when that fails too is the
  // write lost.
  backend->fail(Op::open);
  EXPECT_TRUE(registry.REG_WriteInteger(kUser, kKey, u"Option_R", 2));
  EXPECT_EQ(registry.REG_ReadInteger(kUser, kKey, u"Option_R"), 2);
  backend->fail(Op::create);
  EXPECT_FALSE(registry.REG_WriteInteger(kUser, u"SOFTWARE\\New", u"Option_R", 3));
  EXPECT_FALSE(backend->key_exists(kUser, u"SOFTWARE\\New"));
}

TEST_F(RegistryOnSim, TheWow64ViewAddsTheFlagToEveryOpening) {
  const Registry wow64(backend, true);
  EXPECT_TRUE(wow64.REG_IS_WOW64());
  wow64.REG_WriteInteger(kUser, kKey, u"A", 1);
  wow64.REG_ReadInteger(kUser, kKey, u"A");
  wow64.REG_ReadString(kUser, kKey, u"A");
  wow64.REG_ValueExists(kUser, kKey, u"A");
  wow64.REG_DeleteValue(kUser, kKey, u"A");
  const std::vector<std::uint32_t> expected{
      kKeyAllAccess | kKeyWow64_64Key, kKeyAllAccess | kKeyWow64_64Key,
      kKeyRead | kKeyWow64_64Key,      kKeyRead | kKeyWow64_64Key,
      kKeyRead | kKeyWow64_64Key,      kKeyAllAccess | kKeyWow64_64Key};
  std::vector<std::uint32_t> masks;
  for (const auto& opening : backend->openings()) {
    masks.push_back(opening.access);
  }
  EXPECT_EQ(masks, expected);
}

TEST_F(RegistryOnSim, A32BitProcessOn64BitWindowsReadsThe64BitView) {
  constexpr auto kMachine = RegistryRoot::local_machine;
  backend->put(kMachine, u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"ProductName",
               RegistryType::sz, utf16_bytes(u"Windows 10 Pro"));
  backend->put(kMachine, u"SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion",
               u"ProductName", RegistryType::sz, utf16_bytes(u"32-bit copy"));
  backend->set_32bit_view_redirected(true);
  const std::u16string_view path = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

  EXPECT_EQ(Registry(backend, true).REG_ReadString(kMachine, path, u"ProductName"),
            u"Windows 10 Pro");
  EXPECT_EQ(Registry(backend, false).REG_ReadString(kMachine, path, u"ProductName"),
            u"32-bit copy");
}

TEST_F(RegistryOnSim, TheProcessRegistryUsesTheViewDecidedAtStartUp) {
  sim::ScriptedSystemInfo system;
  system.wow64 = true;
  init_registry(backend, system);
  EXPECT_EQ(system.wow64_probes, 1u);
  EXPECT_TRUE(REG_IS_WOW64());

  EXPECT_TRUE(REG_WriteInteger(kUser, kKey, u"Option_A", 200));
  REG_WriteString(kUser, kKey, u"Name", u"abc");
  EXPECT_TRUE(REG_WriteData(kUser, kKey, u"Raw", RegistryType::binary, utf16_bytes(u"x", false)));
  EXPECT_TRUE(REG_ValueExists(kUser, kKey, u"Option_A"));
  EXPECT_EQ(REG_ReadInteger(kUser, kKey, u"Option_A"), 200);
  EXPECT_EQ(REG_ReadString(kUser, kKey, u"Name"), u"abc");
  EXPECT_EQ(REG_ReadString(kUser, kKey, u"Raw"), u"x");
  EXPECT_TRUE(REG_DeleteValue(kUser, kKey, u"Name"));
  for (const auto& opening : backend->openings()) {
    EXPECT_NE(opening.access & kKeyWow64_64Key, 0u);
  }

  // Without a backend every operation fails.
  init_registry(nullptr, system);
  EXPECT_FALSE(REG_ValueExists(kUser, kKey, u"Option_A"));
  EXPECT_EQ(REG_ReadInteger(kUser, kKey, u"Option_A"), 0);
  EXPECT_FALSE(REG_WriteInteger(kUser, kKey, u"Option_A", 1));
}

}  // namespace
}  // namespace kb
