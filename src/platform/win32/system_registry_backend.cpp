#include "platform/win32/system_registry_backend.h"

#include <algorithm>
#include <limits>
#include <string>

#include "platform/win32/wide_text.h"

namespace kb::win32 {
namespace {

HKEY to_hkey(RegistryRoot root) {
  return root == RegistryRoot::current_user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

HKEY to_hkey(RegistryKey key) {
  return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
}

RegistryKey from_hkey(HKEY key) {
  return static_cast<RegistryKey>(reinterpret_cast<std::uintptr_t>(key));
}

DWORD byte_count(std::size_t size) {
  return static_cast<DWORD>(std::min<std::size_t>(size, std::numeric_limits<DWORD>::max()));
}

}  // namespace

SystemRegistryBackend::SystemRegistryBackend() {
  // advapi32 stays loaded after FreeLibrary: the program links to it.
  if (HMODULE advapi32 = LoadLibraryW(L"advapi32.dll")) {
    FARPROC entry = GetProcAddress(advapi32, "RegDeleteKeyExW");
    reg_delete_key_ex_ = reinterpret_cast<RegDeleteKeyExWFn>(reinterpret_cast<void (*)()>(entry));
    FreeLibrary(advapi32);
  }
}

RegistryKey SystemRegistryBackend::open_key(RegistryRoot root, std::u16string_view path,
                                            std::uint32_t access) {
  const std::u16string subkey(path);
  HKEY key = nullptr;
  if (RegOpenKeyExW(to_hkey(root), wide(subkey), 0, access, &key) != ERROR_SUCCESS ||
      key == nullptr) {
    return RegistryKey::none;
  }
  return from_hkey(key);
}

RegistryKey SystemRegistryBackend::create_key(RegistryRoot root, std::u16string_view path,
                                              std::uint32_t access) {
  const std::u16string subkey(path);
  HKEY key = nullptr;
  if (RegCreateKeyExW(to_hkey(root), wide(subkey), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                      nullptr, &key, nullptr) != ERROR_SUCCESS ||
      key == nullptr) {
    return RegistryKey::none;
  }
  return from_hkey(key);
}

std::optional<RegistryValueInfo> SystemRegistryBackend::query_value(RegistryKey key,
                                                                    std::u16string_view name) {
  const std::u16string value(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(to_hkey(key), wide(value), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return RegistryValueInfo{static_cast<RegistryType>(type), size};
}

std::optional<std::uint32_t> SystemRegistryBackend::read_value(RegistryKey key,
                                                               std::u16string_view name,
                                                               std::span<std::uint8_t> buffer) {
  if (buffer.empty()) {
    return std::nullopt;  // a null buffer would make the call a size query
  }
  const std::u16string value(name);
  DWORD size = byte_count(buffer.size());
  if (RegQueryValueExW(to_hkey(key), wide(value), nullptr, nullptr, buffer.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::min<std::uint32_t>(size, byte_count(buffer.size()));
}

bool SystemRegistryBackend::set_value(RegistryKey key, std::u16string_view name, RegistryType type,
                                      std::span<const std::uint8_t> data) {
  if (data.size() > std::numeric_limits<DWORD>::max()) {
    return false;
  }
  const std::u16string value(name);
  return RegSetValueExW(to_hkey(key), wide(value), 0, static_cast<DWORD>(type),
                        data.empty() ? nullptr : data.data(),
                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool SystemRegistryBackend::delete_value(RegistryKey key, std::u16string_view name) {
  const std::u16string value(name);
  return RegDeleteValueW(to_hkey(key), wide(value)) == ERROR_SUCCESS;
}

void SystemRegistryBackend::close_key(RegistryKey key) {
  RegCloseKey(to_hkey(key));
}

}  // namespace kb::win32
