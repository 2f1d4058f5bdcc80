#include "runtime/registry.h"

#include <algorithm>
#include <array>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/integer_text.h"
#include "platform/system_info.h"

namespace kb {
namespace {

// Holds an opened key and closes it when the operation ends, on whatever path.
class OpenKey {
 public:
  OpenKey(RegistryBackend& backend, RegistryKey key) : backend_(backend), key_(key) {}
  ~OpenKey() {
    if (key_ != RegistryKey::none) {
      backend_.close_key(key_);
    }
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  explicit operator bool() const { return key_ != RegistryKey::none; }
  RegistryKey get() const { return key_; }

 private:
  RegistryBackend& backend_;
  RegistryKey key_;
};

bool is_text_type(RegistryType type) {
  return type == RegistryType::sz || type == RegistryType::expand_sz ||
         type == RegistryType::multi_sz;
}

bool is_byte_type(RegistryType type) {
  return type == RegistryType::binary || type == RegistryType::none;
}

// The characters the data holds, two bytes each with the low byte first, up to the first zero
// character or the end of the data. An odd last byte is half a character and is dropped. A text
// stored without its terminating zero thus keeps its last character, and REG_MULTI_SZ gives its
// first string.
std::u16string characters_of(std::span<const std::uint8_t> data) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const auto c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (c == u'\0') {
      break;
    }
    text.push_back(c);
  }
  return text;
}

// The whole data of a value whose size was just queried; nothing when the read fails, also
// when the value has grown in between. A value that has shrunk gives what it holds now.
std::optional<std::vector<std::uint8_t>> read_data(RegistryBackend& backend, RegistryKey key,
                                                   std::u16string_view name, std::uint32_t size) {
  std::vector<std::uint8_t> buffer;
  try {
    buffer.resize(size);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  const std::optional<std::uint32_t> read = backend.read_value(key, name, buffer);
  if (!read) {
    return std::nullopt;
  }
  buffer.resize(std::min<std::size_t>(*read, buffer.size()));
  return buffer;
}

// A number value read into a zeroed buffer of `width` bytes, low byte first; nothing when its
// data does not fit or the read fails.
std::optional<std::uint64_t> read_number(RegistryBackend& backend, RegistryKey key,
                                         std::u16string_view name, std::size_t width) {
  std::array<std::uint8_t, 8> buffer{};
  const auto room = std::span(buffer).first(width);
  const std::optional<std::uint32_t> read = backend.read_value(key, name, room);
  if (!read) {
    return std::nullopt;
  }
  std::uint64_t number = 0;
  for (std::size_t i = std::min<std::size_t>(*read, width); i > 0; --i) {
    number = (number << 8) | buffer[i - 1];
  }
  return number;
}

std::int32_t low_32_bits(std::uint64_t number) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

}  // namespace

Registry::Registry(std::shared_ptr<RegistryBackend> backend, bool is_wow64)
    : backend_(std::move(backend)), wow64_(is_wow64) {}

bool Registry::REG_ValueExists(RegistryRoot root, std::u16string_view key_path,
                               std::u16string_view value_name) const {
  if (!backend_) {
    return false;
  }
  const OpenKey key(*backend_, backend_->open_key(root, key_path, mask(kKeyRead)));
  return key && backend_->query_value(key.get(), value_name).has_value();
}

bool Registry::REG_DeleteValue(RegistryRoot root, std::u16string_view key_path,
                               std::u16string_view value_name) const {
  if (!backend_) {
    return false;
  }
  const OpenKey key(*backend_, backend_->open_key(root, key_path, mask(kKeyAllAccess)));
  return key && backend_->delete_value(key.get(), value_name);
}

std::u16string Registry::REG_ReadString(RegistryRoot root, std::u16string_view key_path,
                                        std::u16string_view value_name) const {
  if (!backend_) {
    return {};
  }
  const OpenKey key(*backend_, backend_->open_key(root, key_path, mask(kKeyRead)));
  if (!key) {
    return {};
  }
  const std::optional<RegistryValueInfo> info = backend_->query_value(key.get(), value_name);
  if (!info || info->size == 0) {
    return {};
  }
  if (is_text_type(info->type) || is_byte_type(info->type)) {
    // A text type of one byte holds no whole character, so it is not even read.
    if (is_text_type(info->type) && info->size < 2) {
      return {};
    }
    const auto data = read_data(*backend_, key.get(), value_name, info->size);
    return data ? characters_of(*data) : std::u16string();
  }
  if (info->type == RegistryType::dword && info->size <= 4) {
    const auto number = read_number(*backend_, key.get(), value_name, 4);
    return number ? decimal_text(std::uint64_t{static_cast<std::uint32_t>(*number)})
                  : std::u16string();
  }
  if (info->type == RegistryType::qword && info->size <= 8) {
    const auto number = read_number(*backend_, key.get(), value_name, 8);
    return number ? decimal_text(static_cast<std::int64_t>(*number)) : std::u16string();
  }
  return {};
}

std::int32_t Registry::REG_ReadInteger(RegistryRoot root, std::u16string_view key_path,
                                       std::u16string_view value_name) const {
  if (!backend_) {
    return 0;
  }
  const OpenKey key(*backend_, backend_->open_key(root, key_path, mask(kKeyRead)));
  if (!key) {
    return 0;
  }
  const std::optional<RegistryValueInfo> info = backend_->query_value(key.get(), value_name);
  if (!info || info->size == 0) {
    return 0;
  }
  if (is_text_type(info->type) && info->size >= 2) {
    const auto data = read_data(*backend_, key.get(), value_name, info->size);
    return data ? parse_int32_or(characters_of(*data), 0) : 0;
  }
  std::size_t width = 0;
  if ((info->type == RegistryType::dword || is_byte_type(info->type)) && info->size <= 4) {
    width = 4;
  } else if (info->type == RegistryType::qword && info->size <= 8) {
    width = 8;
  } else {
    return 0;
  }
  return low_32_bits(read_number(*backend_, key.get(), value_name, width).value_or(0));
}

void Registry::REG_WriteString(RegistryRoot root, std::u16string_view key_path,
                               std::u16string_view value_name, std::u16string_view text) const {
  if (text.size() > (std::numeric_limits<std::uint32_t>::max() - 2) / 2) {
    return;  // more than a value can hold
  }
  std::vector<std::uint8_t> bytes;
  if (!text.empty()) {
    bytes.reserve(2 * text.size() + 2);
    for (const char16_t c : text) {
      bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
  }
  REG_WriteData(root, key_path, value_name, RegistryType::sz, bytes);
}

bool Registry::REG_WriteInteger(RegistryRoot root, std::u16string_view key_path,
                                std::u16string_view value_name, std::int32_t value) const {
  const auto bits = static_cast<std::uint32_t>(value);
  const std::array<std::uint8_t, 4> bytes{
      static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
      static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
  return REG_WriteData(root, key_path, value_name, RegistryType::dword, bytes);
}

bool Registry::REG_WriteData(RegistryRoot root, std::u16string_view key_path,
                             std::u16string_view value_name, RegistryType type,
                             std::span<const std::uint8_t> data) const {
  if (!backend_ || data.size() > std::numeric_limits<std::uint32_t>::max()) {
    return false;
  }
  RegistryKey opened = backend_->open_key(root, key_path, mask(kKeyAllAccess));
  if (opened == RegistryKey::none) {
    opened = backend_->create_key(root, key_path, mask(kKeyAllAccess));
  }
  const OpenKey key(*backend_, opened);
  return key && backend_->set_value(key.get(), value_name, type, data);
}

namespace {

Registry& registry_of_process() {
  static Registry registry;
  return registry;
}

}  // namespace

void init_registry(std::shared_ptr<RegistryBackend> backend, SystemInfo& system) {
  registry_of_process() = Registry(std::move(backend), system.is_wow64());
}

const Registry& process_registry() {
  return registry_of_process();
}

bool REG_IS_WOW64() {
  return process_registry().REG_IS_WOW64();
}

bool REG_ValueExists(RegistryRoot root, std::u16string_view key_path,
                     std::u16string_view value_name) {
  return process_registry().REG_ValueExists(root, key_path, value_name);
}

bool REG_DeleteValue(RegistryRoot root, std::u16string_view key_path,
                     std::u16string_view value_name) {
  return process_registry().REG_DeleteValue(root, key_path, value_name);
}

std::u16string REG_ReadString(RegistryRoot root, std::u16string_view key_path,
                              std::u16string_view value_name) {
  return process_registry().REG_ReadString(root, key_path, value_name);
}

std::int32_t REG_ReadInteger(RegistryRoot root, std::u16string_view key_path,
                             std::u16string_view value_name) {
  return process_registry().REG_ReadInteger(root, key_path, value_name);
}

void REG_WriteString(RegistryRoot root, std::u16string_view key_path,
                     std::u16string_view value_name, std::u16string_view text) {
  process_registry().REG_WriteString(root, key_path, value_name, text);
}

bool REG_WriteInteger(RegistryRoot root, std::u16string_view key_path,
                      std::u16string_view value_name, std::int32_t value) {
  return process_registry().REG_WriteInteger(root, key_path, value_name, value);
}

bool REG_WriteData(RegistryRoot root, std::u16string_view key_path, std::u16string_view value_name,
                   RegistryType type, std::span<const std::uint8_t> data) {
  return process_registry().REG_WriteData(root, key_path, value_name, type, data);
}

}  // namespace kb
