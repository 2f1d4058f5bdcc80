#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/registry_backend.h"
#include "platform/text.h"
#include "runtime/registry.h"

namespace kb::test {

// UTF-16 bytes, low byte first, with or without a terminating zero character.
inline std::vector<std::uint8_t> utf16_bytes(std::u16string_view text, bool terminated = true) {
  std::vector<std::uint8_t> bytes;
  for (const char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  if (terminated) {
    bytes.insert(bytes.end(), {0, 0});
  }
  return bytes;
}

// A value as another program may have stored it, and what the two readers make of it.
struct StoredValueCase {
  const char* name;
  RegistryType type;
  std::vector<std::uint8_t> data;
  std::u16string as_string;
  std::int32_t as_integer;
};

inline std::vector<StoredValueCase> stored_value_cases() {
  using T = RegistryType;
  auto sz = [](std::u16string_view text) { return utf16_bytes(text); };
  std::vector<std::uint8_t> odd = utf16_bytes(u"abc", false);
  odd.pop_back();
  std::vector<std::uint8_t> binary_odd = utf16_bytes(u"hi", false);
  binary_odd.push_back(0x41);
  return {
      {"empty text of size 0", T::sz, {}, u"", 0},
      {"abc with its zero", T::sz, sz(u"abc"), u"abc", 0},
      {"abc without its zero", T::sz, utf16_bytes(u"abc", false), u"abc", 0},
      {"forced language without its zero", T::sz, utf16_bytes(u"en", false), u"en", 0},
      {"odd size: the half character is dropped", T::sz, odd, u"ab", 0},
      {"text type of one byte", T::sz, {0x41}, u"", 0},
      {"text ends at its first zero", T::sz, sz(std::u16string(u"ab\0cd", 5)), u"ab", 0},
      {"non-ASCII text", T::sz, sz(u"Z\u00FCrich \u20AC"), u"Z\u00FCrich \u20AC", 0},
      {"multi-string gives its first", T::multi_sz, sz(std::u16string(u"one\0two\0", 8)), u"one",
       0},
      {"expandable text stays unexpanded", T::expand_sz, sz(u"%TEMP%\\x"), u"%TEMP%\\x", 0},
      {"blank and 42", T::sz, sz(u" 42"), u" 42", 42},
      {"42abc", T::sz, sz(u"42abc"), u"42abc", 0},
      {"$1F", T::sz, sz(u"$1F"), u"$1F", 31},
      {"text number beyond 32 bits", T::sz, sz(u"4294967295"), u"4294967295", 0},
      {"expandable text number", T::expand_sz, sz(u"-7"), u"-7", -7},
      {"DWORD all ones", T::dword, {0xFF, 0xFF, 0xFF, 0xFF}, u"4294967295", -1},
      {"DWORD 20", T::dword, {20, 0, 0, 0}, u"20", 20},
      {"DWORD of 2 bytes", T::dword, {0x34, 0x12}, u"4660", 4660},
      {"DWORD of 5 bytes", T::dword, {1, 0, 0, 0, 0}, u"", 0},
      {"QWORD all ones", T::qword, std::vector<std::uint8_t>(8, 0xFF), u"-1", -1},
      {"QWORD 2^32 + 5", T::qword, {5, 0, 0, 0, 1, 0, 0, 0}, u"4294967301", 5},
      {"QWORD of 9 bytes", T::qword, std::vector<std::uint8_t>(9, 1), u"", 0},
      {"binary of 2 bytes", T::binary, {0x34, 0x12}, u"\u1234", 4660},
      {"binary of 5 bytes", T::binary, binary_odd, u"hi", 0},
      {"binary ends at its first zero unit", T::binary, {'a', 0, 0, 0, 'b', 0}, u"a", 0},
      {"REG_NONE of 4 bytes", T::none, {'A', 0, 0, 0}, u"A", 65},
      {"big-endian DWORD is not read", static_cast<T>(5), {0, 0, 0, 1}, u"", 0},
      {"unknown type", static_cast<T>(0x4B42), {'x', 0, 0, 0}, u"", 0},
  };
}

// Stores every case under `path` through the backend itself (the readers must cope with
// whatever another program stored) and reads it back through `registry`.
inline void expect_stored_values_read_back(RegistryBackend& backend, const Registry& registry,
                                           RegistryRoot root, std::u16string_view path) {
  const RegistryKey key = backend.create_key(root, path, kKeyAllAccess | kKeyWow64_64Key);
  ASSERT_NE(key, RegistryKey::none);
  const auto cases = stored_value_cases();
  for (const StoredValueCase& c : cases) {
    // A non-zero byte after the data: the system adds a forgotten terminator to a text
    // value when one follows the data in memory, and these cases must be stored as written.
    std::vector<std::uint8_t> padded = c.data;
    padded.insert(padded.end(), {0xFF, 0xFF});
    ASSERT_TRUE(
        backend.set_value(key, from_utf8(c.name), c.type, std::span(padded).first(c.data.size())))
        << c.name;
  }
  for (const StoredValueCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::u16string name = from_utf8(c.name);
    const auto info = backend.query_value(key, name);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->size, c.data.size()) << "stored as written";
    EXPECT_TRUE(registry.REG_ValueExists(root, path, name));
    EXPECT_EQ(to_utf8(registry.REG_ReadString(root, path, name)), to_utf8(c.as_string));
    EXPECT_EQ(registry.REG_ReadInteger(root, path, name), c.as_integer);
  }
  backend.close_key(key);
}

}  // namespace kb::test
