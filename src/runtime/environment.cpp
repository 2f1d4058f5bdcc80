#include "runtime/environment.h"

#include <string>
#include <utility>

#include "platform/debug_output.h"
#include "platform/integer_text.h"
#include "platform/text.h"
#include "runtime/registry.h"

namespace kb {
namespace {

constexpr std::u16string_view kCurrentVersionKey =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr std::u16string_view kInternetExplorerKey = u"SOFTWARE\\Microsoft\\Internet Explorer";
constexpr std::int32_t kLocalAppDataFolder = 28;

bool at_least(WindowsVersion version, std::uint32_t major, std::uint32_t minor) {
  return version.major > major || (version.major == major && version.minor >= minor);
}

}  // namespace

WindowsVersion real_windows_version(SystemInfo& system) {
  const WindowsVersion reported = system.reported_version().value_or(WindowsVersion{});
  if (!at_least(reported, 6, 2)) {
    return reported;
  }
  if (const auto kernel32 = system.kernel32_version()) {
    return *kernel32;
  }
  return system.workstation_version().value_or(reported);
}

bool product_name_is_windows10(std::u16string_view product_name) {
  // Blanks and control characters around the name do not count.
  while (!product_name.empty() && product_name.front() <= u' ') {
    product_name.remove_prefix(1);
  }
  while (!product_name.empty() && product_name.back() <= u' ') {
    product_name.remove_suffix(1);
  }
  return to_ascii_upper(product_name).find(u"WINDOWS 10") != std::u16string::npos;
}

std::u16string folder_of(std::u16string_view path) {
  if (path.empty()) {
    return {};
  }
  // The last character never counts, so a path ending in "\" gives its parent folder.
  const std::size_t separator = path.substr(0, path.size() - 1).rfind(u'\\');
  return separator == std::u16string_view::npos ? std::u16string()
                                                : std::u16string(path.substr(0, separator));
}

std::u16string windows_name_of(WindowsVersion version) {
  if (version.major >= 10 || (version.major == 6 && version.minor >= 4)) {
    return u"Windows 10";
  }
  if (version.major == 6) {
    constexpr const char16_t* kNames[] = {u"Windows Vista", u"Windows 7", u"Windows 8",
                                          u"Windows 8.1"};
    return kNames[version.minor];
  }
  if (version.major == 5 && version.minor == 1) {
    return u"Windows XP";
  }
  return u"Windows";
}

std::int32_t ie_version_of(std::u16string_view version, std::int32_t current) {
  const std::size_t dot = version.find(u'.');
  if (dot == std::u16string_view::npos) {
    return current;
  }
  return parse_int32_or(version.substr(0, dot), 6);
}

Environment detect_environment(SystemInfo& system, const Registry& registry, DebugOutput& debug) {
  Environment env;
  const WindowsVersion version = real_windows_version(system);
  debug.write_line(u"WindowsVersion=" + decimal_text(std::uint64_t{version.major}) + u"." +
                   decimal_text(std::uint64_t{version.minor}));

  env.IS_WIN7_OR_LATER = at_least(version, 6, 1);
  env.IS_WIN8_OR_LATER = at_least(version, 6, 2);
  env.WINDOWS_NAME = windows_name_of(version);
  // Versions 6.4 to 9.x were test builds of Windows 10; their product name tells.
  if (version.major == 6 && version.minor > 3) {
    env.IS_WIN10 = product_name_is_windows10(
        registry.REG_ReadString(RegistryRoot::local_machine, kCurrentVersionKey, u"ProductName"));
  }
  if (version.major >= 10) {
    env.IS_WIN10 = true;
  }
  env.IS_WIN8_OR_LATER = env.IS_WIN8_OR_LATER || env.IS_WIN10;

  env.APP_IS_WOW64 = system.is_wow64();
  env.WINDOWS_FOLDER = system.windows_folder();
  env.SYSTEM_FOLDER = system.system_folder();
  if (!env.WINDOWS_FOLDER.empty()) {
    env.WINDOWS_TEMP_FOLDER = env.WINDOWS_FOLDER + u"\\TEMP";
  }
  const std::u16string local_app_data = system.special_folder(kLocalAppDataFolder);
  if (!local_app_data.empty()) {
    env.USER_TEMP_FOLDER =
        folder_of(local_app_data) + (version.major >= 6 ? u"\\Local\\Temp" : u"\\TEMP");
  }
  if (registry.REG_ValueExists(RegistryRoot::local_machine, kInternetExplorerKey, u"Version")) {
    env.IE_VERSION = ie_version_of(
        registry.REG_ReadString(RegistryRoot::local_machine, kInternetExplorerKey, u"Version"),
        env.IE_VERSION);
  }

  env.PROGRAM_FOLDER = folder_of(system.module_file_name());
  return env;
}

namespace {

struct ProcessEnvironmentState {
  std::shared_ptr<SystemInfo> system;
  Environment environment;
};

ProcessEnvironmentState& process_state() {
  static ProcessEnvironmentState state;
  return state;
}

}  // namespace

void init_environment(std::shared_ptr<SystemInfo> system, DebugOutput& debug) {
  ProcessEnvironmentState& state = process_state();
  state = {};
  if (system) {
    state.environment = detect_environment(*system, process_registry(), debug);
    state.system = std::move(system);
  }
}

const Environment& process_environment() {
  return process_state().environment;
}

bool IS_WIN10() {
  return process_environment().IS_WIN10;
}

const std::u16string& PROGRAM_FOLDER() {
  return process_environment().PROGRAM_FOLDER;
}

void TrimWorkingSet() {
  if (const auto& system = process_state().system) {
    system->trim_working_set();
  }
}

}  // namespace kb
