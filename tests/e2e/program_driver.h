#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "win32/shell_icons.h"

namespace kb::e2e {

using test::icon_exists;

// The user of KorvalenBarlume.exe, from outside, as the test's driver process is: it lays out
// a copy of the program's folder, starts the program, opens its menu through the icon's
// callback message, presses keys in it, finds and drives its windows, and reads the registry.
class ProgramDriver {
 public:
  // A fresh copy of build/<preset>/dist, in a folder of the test's own, with no options.
  explicit ProgramDriver(const std::wstring& test_name);
  // The program where it is, its options as they are: for showing it, not for testing.
  enum InPlace { kInPlace };
  ProgramDriver(const std::wstring& folder, InPlace);
  ~ProgramDriver();

  ProgramDriver(const ProgramDriver&) = delete;
  ProgramDriver& operator=(const ProgramDriver&) = delete;

  const std::wstring& folder() const { return folder_; }
  std::wstring exe() const { return folder_ + L"\\KorvalenBarlume.exe"; }

  // Starts the program with a command line; false when it cannot start.
  bool start(const std::wstring& arguments = L"");
  // Until its icon's window exists (the icon is in the notification area then).
  bool wait_for_icon(std::chrono::milliseconds limit = std::chrono::seconds(10));
  HWND icon_window() const { return icon_window_; }
  DWORD process_id() const { return process_.dwProcessId; }
  // The exit code once the program has ended within `limit`, serving this thread's messages
  // meanwhile (the program sends some to the driver's windows); nothing while it runs on.
  std::optional<DWORD> wait_for_exit(std::chrono::milliseconds limit = std::chrono::seconds(10));
  bool running() const;

  // A right click on the icon, then `keys` pressed in its menu; returns once the menu closed.
  bool menu(const std::vector<WORD>& keys);
  // The program's visible top-level window of that class and caption, once it shows.
  HWND wait_for_window(const wchar_t* class_name, const wchar_t* caption,
                       std::chrono::milliseconds limit = std::chrono::seconds(5)) const;
  // The text of a message box of the program, and its closing by its OK button.
  static std::wstring box_text(HWND box);

  // Serves this thread's messages for a while.
  static void pump(std::chrono::milliseconds time);

 private:
  std::wstring folder_;
  bool own_copy_ = true;
  PROCESS_INFORMATION process_{};
  HWND icon_window_ = nullptr;
};

// The values the program keeps under the current user.
std::optional<DWORD> option(const wchar_t* name);
std::optional<std::wstring> run_value();
std::optional<std::wstring> forced_language();
// The user's choice of a language, as the language menu stores it.
void force_language(const wchar_t* key);
void forget_options();

// Removes a folder with everything in it.
void remove_folder(const std::wstring& folder);

// The bytes of a file; nothing when it cannot be read.
std::optional<std::string> file_bytes(const std::wstring& path);

}  // namespace kb::e2e
