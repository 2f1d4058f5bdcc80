#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kb {

// The two hives the program uses.
enum class RegistryRoot : std::uint8_t { current_user, local_machine };

// A value's type by its registry number. Any number may occur in a stored value; these are
// the ones the program tells apart.
enum class RegistryType : std::uint32_t {
  none = 0,
  sz = 1,
  expand_sz = 2,
  binary = 3,
  dword = 4,
  multi_sz = 7,
  qword = 11,
};

// An open key, as the system numbers it. `none` is the absent key.
enum class RegistryKey : std::uintptr_t { none = 0 };

// Access rights as the system defines them; a key is opened with a combination of these.
constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
// Addresses the 64-bit view from a 32-bit process on 64-bit Windows.
constexpr std::uint32_t kKeyWow64_64Key = 0x0100;

struct RegistryValueInfo {
  RegistryType type = RegistryType::none;
  std::uint32_t size = 0;  // bytes of data

  friend bool operator==(const RegistryValueInfo&, const RegistryValueInfo&) = default;
};

// Typed bytes under hierarchical keys. Paths are relative to the root with "\" between
// levels; key and value names compare without regard to letter case. Every failure gives
// the neutral result; nothing is raised.
class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  // Opens an existing key with the access mask; none when it cannot be opened.
  virtual RegistryKey open_key(RegistryRoot root, std::u16string_view path,
                               std::uint32_t access) = 0;

  // Opens the key, creating it and every missing level above it first; none on failure.
  virtual RegistryKey create_key(RegistryRoot root, std::u16string_view path,
                                 std::uint32_t access) = 0;

  // The value's type and data size, without its data; nothing when it cannot be queried.
  virtual std::optional<RegistryValueInfo> query_value(RegistryKey key,
                                                       std::u16string_view name) = 0;

  // Copies the value's data into `buffer` and gives the number of bytes copied; nothing
  // when the value cannot be read or its data does not fit into `buffer`.
  virtual std::optional<std::uint32_t> read_value(RegistryKey key, std::u16string_view name,
                                                  std::span<std::uint8_t> buffer) = 0;

  // Stores the value, replacing one of the same name; false on failure.
  virtual bool set_value(RegistryKey key, std::u16string_view name, RegistryType type,
                         std::span<const std::uint8_t> data) = 0;

  virtual bool delete_value(RegistryKey key, std::u16string_view name) = 0;

  virtual void close_key(RegistryKey key) = 0;
};

}  // namespace kb
