#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kb {

struct WindowsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;

  friend bool operator==(const WindowsVersion&, const WindowsVersion&) = default;
};

// What the program learns about the running system at start-up, and the one request it makes
// of it afterwards. Each query answers from the system as it is; a failed query gives nothing
// or empty text.
class SystemInfo {
 public:
  virtual ~SystemInfo() = default;

  // The version the plain version query reports. Without a manifest that declares the newer
  // systems, the system may report an older version than it is.
  virtual std::optional<WindowsVersion> reported_version() = 0;

  // The product version of the system's kernel32.dll, which no compatibility setting alters.
  virtual std::optional<WindowsVersion> kernel32_version() = 0;

  // The version the workstation service reports.
  virtual std::optional<WindowsVersion> workstation_version() = 0;

  // Full path of the running executable.
  virtual std::u16string module_file_name() = 0;

  virtual std::u16string windows_folder() = 0;
  virtual std::u16string system_folder() = 0;

  // The path of a shell folder by its number (28: the user's local application data).
  virtual std::u16string special_folder(std::int32_t folder) = 0;

  // A 32-bit process on 64-bit Windows. False where the system cannot tell.
  virtual bool is_wow64() = 0;

  // Asks the system to take as many pages as it can out of the process's working set.
  // Failures are ignored.
  virtual void trim_working_set() = 0;
};

}  // namespace kb
