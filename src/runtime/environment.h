#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system_info.h"

namespace kb {

class DebugOutput;
class Registry;

// The facts about the running system that start-up works out once; read-only afterwards.
struct Environment {
  bool IS_WIN10 = false;
  // Folder of the running executable, without a trailing "\".
  std::u16string PROGRAM_FOLDER;

  // Worked out as well, read by nothing.
  bool IS_WIN7_OR_LATER = false;
  bool IS_WIN8_OR_LATER = false;
  std::u16string WINDOWS_NAME = u"Windows";
  bool APP_IS_WOW64 = false;
  std::u16string WINDOWS_FOLDER;
  std::u16string SYSTEM_FOLDER;
  std::u16string WINDOWS_TEMP_FOLDER;
  std::u16string USER_TEMP_FOLDER;
  std::int32_t IE_VERSION = 6;
};

// The rules, each on its own.

// The system's real version: the plain query's answer, except that where it says later than
// 6.1 (where a compatibility setting may make the system claim an older version) the
// product version of kernel32.dll decides, failing that the workstation service's. 0.0 when
// nothing answers.
WindowsVersion real_windows_version(SystemInfo& system);

// Whether a product name as stored under "Windows NT\CurrentVersion" names Windows 10.
bool product_name_is_windows10(std::u16string_view product_name);

// The folder of a file: everything before its last "\". C:\app.exe gives C:; a path without
// any "\" gives empty text.
std::u16string folder_of(std::u16string_view path);

std::u16string windows_name_of(WindowsVersion version);

// Internet Explorer's major version from its "Version" value: the number before the first
// "." (6 when that is no number), or `current` when there is no ".".
std::int32_t ie_version_of(std::u16string_view version, std::int32_t current);

// Works out every value, reading the registry through `registry` and sending the line
// "WindowsVersion=<major>.<minor>" to `debug`.
Environment detect_environment(SystemInfo& system, const Registry& registry, DebugOutput& debug);

// The process's environment. Start-up calls init_environment once, right after init_registry
// (the registry's view must be settled first); until then every value has its value before
// detection and TrimWorkingSet does nothing.
void init_environment(std::shared_ptr<SystemInfo> system, DebugOutput& debug);
const Environment& process_environment();
bool IS_WIN10();
const std::u16string& PROGRAM_FOLDER();

// Hands as many of the process's pages back to the system as it will take, after a user
// action, so that the idle tray program stays small. Failures are ignored.
void TrimWorkingSet();

}  // namespace kb
