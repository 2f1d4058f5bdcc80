#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/registry_backend.h"

namespace kb {

class SystemInfo;

// The program's one-shot registry operations. Each opens the key, does its one thing and
// closes the key again, on every path; every failure gives false, empty text or 0.
class Registry {
 public:
  // Without a backend every operation fails.
  Registry() = default;
  // `is_wow64`: the process is a 32-bit one on 64-bit Windows, so that every key is opened
  // in the 64-bit view, the one 64-bit programs see.
  Registry(std::shared_ptr<RegistryBackend> backend, bool is_wow64);

  bool REG_IS_WOW64() const { return wow64_; }

  // True when the key opens for reading and the value's type and size can be queried.
  bool REG_ValueExists(RegistryRoot root, std::u16string_view key_path,
                       std::u16string_view value_name) const;
  bool REG_DeleteValue(RegistryRoot root, std::u16string_view key_path,
                       std::u16string_view value_name) const;

  // Text types give their first string (unexpanded), up to the first zero character or the
  // end of the data; REG_DWORD its unsigned decimal form, REG_QWORD its signed one;
  // REG_BINARY and REG_NONE their bytes as UTF-16. Any other type gives empty text.
  std::u16string REG_ReadString(RegistryRoot root, std::u16string_view key_path,
                                std::u16string_view value_name) const;

  // Text types give the number they hold (0 unless the whole text is one); REG_DWORD and
  // REG_BINARY or REG_NONE of at most 4 bytes their bytes, low first; REG_QWORD its low 32
  // bits. Anything else gives 0.
  std::int32_t REG_ReadInteger(RegistryRoot root, std::u16string_view key_path,
                               std::u16string_view value_name) const;

  // A REG_SZ with its terminating zero; the empty text is stored with no data at all.
  void REG_WriteString(RegistryRoot root, std::u16string_view key_path,
                       std::u16string_view value_name, std::u16string_view text) const;
  // A REG_DWORD.
  bool REG_WriteInteger(RegistryRoot root, std::u16string_view key_path,
                        std::u16string_view value_name, std::int32_t value) const;
  // Creates the key and every missing level above it when needed; true when the value was set.
  bool REG_WriteData(RegistryRoot root, std::u16string_view key_path,
                     std::u16string_view value_name, RegistryType type,
                     std::span<const std::uint8_t> data) const;

 private:
  std::uint32_t mask(std::uint32_t access) const {
    return wow64_ ? access | kKeyWow64_64Key : access;
  }

  std::shared_ptr<RegistryBackend> backend_;
  bool wow64_ = false;
};

// The process's registry. Start-up calls init_registry once, first of all modules and before
// anything reads or writes a registry value; the view it decides on never changes afterwards.
// Until then the operations below fail.
void init_registry(std::shared_ptr<RegistryBackend> backend, SystemInfo& system);
const Registry& process_registry();

// The operations on the process's registry.
bool REG_IS_WOW64();
bool REG_ValueExists(RegistryRoot root, std::u16string_view key_path,
                     std::u16string_view value_name);
bool REG_DeleteValue(RegistryRoot root, std::u16string_view key_path,
                     std::u16string_view value_name);
std::u16string REG_ReadString(RegistryRoot root, std::u16string_view key_path,
                              std::u16string_view value_name);
std::int32_t REG_ReadInteger(RegistryRoot root, std::u16string_view key_path,
                             std::u16string_view value_name);
void REG_WriteString(RegistryRoot root, std::u16string_view key_path,
                     std::u16string_view value_name, std::u16string_view text);
bool REG_WriteInteger(RegistryRoot root, std::u16string_view key_path,
                      std::u16string_view value_name, std::int32_t value);
bool REG_WriteData(RegistryRoot root, std::u16string_view key_path, std::u16string_view value_name,
                   RegistryType type, std::span<const std::uint8_t> data);

}  // namespace kb
