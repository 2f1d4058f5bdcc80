#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/system_info.h"

namespace kb::sim {

// A system whose answers the test sets; by default a 64-bit Windows 10 running the program from
// C:\Program Files\Korvalen Barlume. An absent answer is a failed query.
class ScriptedSystemInfo final : public SystemInfo {
 public:
  std::optional<WindowsVersion> reported = WindowsVersion{10, 0};
  std::optional<WindowsVersion> kernel32 = WindowsVersion{10, 0};
  std::optional<WindowsVersion> workstation = WindowsVersion{10, 0};
  std::u16string module_path = u"C:\\Program Files\\Korvalen Barlume\\KorvalenBarlume.exe";
  std::u16string windows = u"C:\\Windows";
  std::u16string system = u"C:\\Windows\\system32";
  std::map<std::int32_t, std::u16string> special_folders{{28, u"C:\\Users\\Anna\\AppData\\Local"}};
  bool wow64 = false;

  // How often the WOW64 probe was asked, and the working set trimmed.
  std::size_t wow64_probes = 0;
  std::size_t trims = 0;

  std::optional<WindowsVersion> reported_version() override { return reported; }
  std::optional<WindowsVersion> kernel32_version() override { return kernel32; }
  std::optional<WindowsVersion> workstation_version() override { return workstation; }
  std::u16string module_file_name() override { return module_path; }
  std::u16string windows_folder() override { return windows; }
  std::u16string system_folder() override { return system; }
  std::u16string special_folder(std::int32_t folder) override {
    const auto it = special_folders.find(folder);
    return it == special_folders.end() ? std::u16string() : it->second;
  }
  bool is_wow64() override {
    ++wow64_probes;
    return wow64;
  }
  void trim_working_set() override { ++trims; }
};

}  // namespace kb::sim
