#pragma once

#include "platform/system_info.h"

namespace kb::win32 {

// Looks up IsWow64Process by name in kernel32 at run time (it is missing from old systems)
// and asks it about the current process; false when it is missing or fails.
bool IsWow64();

// The running system, through kernel32, version.dll, netapi32 and shell32.
class WindowsSystemInfo final : public SystemInfo {
 public:
  std::optional<WindowsVersion> reported_version() override;
  std::optional<WindowsVersion> kernel32_version() override;
  std::optional<WindowsVersion> workstation_version() override;
  std::u16string module_file_name() override;
  std::u16string windows_folder() override;
  std::u16string system_folder() override;
  std::u16string special_folder(std::int32_t folder) override;
  bool is_wow64() override { return IsWow64(); }
  void trim_working_set() override;
};

}  // namespace kb::win32
