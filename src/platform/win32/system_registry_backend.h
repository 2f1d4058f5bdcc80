#pragma once

#include <windows.h>

#include "platform/registry_backend.h"

namespace kb::win32 {

// The system's registry through advapi32.
class SystemRegistryBackend final : public RegistryBackend {
 public:
  // Also looks up RegDeleteKeyExW (Vista and later), kept for deleting keys in either view.
  SystemRegistryBackend();

  bool reg_delete_key_ex_found() const { return reg_delete_key_ex_ != nullptr; }

  RegistryKey open_key(RegistryRoot root, std::u16string_view path, std::uint32_t access) override;
  RegistryKey create_key(RegistryRoot root, std::u16string_view path,
                         std::uint32_t access) override;
  std::optional<RegistryValueInfo> query_value(RegistryKey key, std::u16string_view name) override;
  std::optional<std::uint32_t> read_value(RegistryKey key, std::u16string_view name,
                                          std::span<std::uint8_t> buffer) override;
  bool set_value(RegistryKey key, std::u16string_view name, RegistryType type,
                 std::span<const std::uint8_t> data) override;
  bool delete_value(RegistryKey key, std::u16string_view name) override;
  void close_key(RegistryKey key) override;

 private:
  using RegDeleteKeyExWFn = LSTATUS(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  RegDeleteKeyExWFn reg_delete_key_ex_ = nullptr;
};

}  // namespace kb::win32
