#include "platform/win32/windows_system_info.h"

#include <windows.h>

#include <lm.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace kb::win32 {
namespace {

static_assert(PROCESS_ALL_ACCESS == 0x1FFFFF);

// The longest path the system's file functions take.
constexpr DWORD kLongestPath = 32768;

// Text from a query that fills a buffer and reports the length: 0 for failure, the length
// without the zero when it fitted, or at least the capacity when it did not (then the buffer
// grows and the query runs again).
template <typename Query>
std::u16string query_text(DWORD capacity, Query query) {
  for (;;) {
    std::vector<wchar_t> buffer(capacity, L'\0');
    const DWORD length = query(buffer.data(), capacity);
    if (length == 0) {
      return {};
    }
    if (length < capacity) {
      return std::u16string(from_wide(buffer.data(), length));
    }
    if (capacity >= kLongestPath) {
      return {};
    }
    capacity = std::max(length + 1, capacity * 2);
  }
}

}  // namespace

bool IsWow64() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel32 = GetModuleHandleW(L"kernel32");
  if (kernel32 == nullptr) {
    return false;
  }
  auto is_wow64_process = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel32, "IsWow64Process")));
  BOOL wow64 = FALSE;
  return is_wow64_process != nullptr && is_wow64_process(GetCurrentProcess(), &wow64) &&
         wow64 != FALSE;
}

std::optional<WindowsVersion> WindowsSystemInfo::reported_version() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info)) {
    return std::nullopt;
  }
  return WindowsVersion{info.dwMajorVersion, info.dwMinorVersion};
}

std::optional<WindowsVersion> WindowsSystemInfo::kernel32_version() {
  // The loaded kernel32 by its full path, so that no other file of that name is asked.
  const std::u16string path = query_text(MAX_PATH + 1, [](wchar_t* buffer, DWORD capacity) {
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    return kernel32 == nullptr ? 0 : GetModuleFileNameW(kernel32, buffer, capacity);
  });
  if (path.empty()) {
    return std::nullopt;
  }
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(wide(path), &ignored);
  if (size == 0) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> data(size);
  void* fixed = nullptr;
  UINT fixed_size = 0;
  if (!GetFileVersionInfoW(wide(path), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", &fixed, &fixed_size) || fixed == nullptr ||
      fixed_size < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  if (info->dwSignature != VS_FFI_SIGNATURE || HIWORD(info->dwProductVersionMS) == 0) {
    return std::nullopt;
  }
  return WindowsVersion{HIWORD(info->dwProductVersionMS), LOWORD(info->dwProductVersionMS)};
}

std::optional<WindowsVersion> WindowsSystemInfo::workstation_version() {
  LPBYTE buffer = nullptr;
  if (NetWkstaGetInfo(nullptr, 100, &buffer) != NERR_Success || buffer == nullptr) {
    if (buffer != nullptr) {
      NetApiBufferFree(buffer);
    }
    return std::nullopt;
  }
  const auto* info = reinterpret_cast<const WKSTA_INFO_100*>(buffer);
  const WindowsVersion version{info->wki100_ver_major, info->wki100_ver_minor};
  NetApiBufferFree(buffer);
  return version;
}

std::u16string WindowsSystemInfo::module_file_name() {
  // Starts with the classic 261 characters and grows for a longer path rather than cutting it.
  return query_text(MAX_PATH + 1, [](wchar_t* buffer, DWORD capacity) {
    return GetModuleFileNameW(nullptr, buffer, capacity);
  });
}

std::u16string WindowsSystemInfo::windows_folder() {
  return query_text(MAX_PATH, [](wchar_t* buffer, DWORD capacity) {
    return static_cast<DWORD>(GetWindowsDirectoryW(buffer, capacity));
  });
}

std::u16string WindowsSystemInfo::system_folder() {
  return query_text(MAX_PATH, [](wchar_t* buffer, DWORD capacity) {
    return static_cast<DWORD>(GetSystemDirectoryW(buffer, capacity));
  });
}

std::u16string WindowsSystemInfo::special_folder(std::int32_t folder) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, &list)) || list == nullptr) {
    return {};
  }
  wchar_t path[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListW(list, path) != FALSE;
  CoTaskMemFree(list);
  return found ? std::u16string(from_wide(path)) : std::u16string();
}

void WindowsSystemInfo::trim_working_set() {
  const UniqueKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, GetCurrentProcessId()));
  if (process) {
    SetProcessWorkingSetSize(process.get(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  }
}

}  // namespace kb::win32
