#include "e2e/program_driver.h"

#include <fstream>
#include <iterator>
#include <thread>

namespace kb::e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr wchar_t kProductKey[] = L"SOFTWARE\\Korvalen\\Korvalen Barlume";
constexpr wchar_t kOptionsKey[] = L"SOFTWARE\\Korvalen\\Korvalen Barlume\\Options";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The folder of this driver's executable: build/<preset>/tests/e2e.
std::wstring own_folder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

void copy_folder(const std::wstring& from, const std::wstring& to) {
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    return;
  }
  do {
    const std::wstring name(entry.cFileName);
    if (name == L"." || name == L"..") {
      continue;
    }
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      copy_folder(from + L"\\" + name, to + L"\\" + name);
    } else {
      CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

struct Search {
  DWORD process;
  const wchar_t* class_name;
  const wchar_t* caption;
  bool visible_only;
  HWND found;
};

BOOL CALLBACK find_window(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process || (search.visible_only && !IsWindowVisible(window))) {
    return TRUE;
  }
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  if (std::wstring(name) != search.class_name) {
    return TRUE;
  }
  if (search.caption != nullptr) {
    wchar_t text[256] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 1000,
                        nullptr);
    if (std::wstring(text) != search.caption) {
      return TRUE;
    }
  }
  search.found = window;
  return FALSE;
}

HWND find_of_process(DWORD process, const wchar_t* class_name, const wchar_t* caption,
                     bool visible_only) {
  Search search{process, class_name, caption, visible_only, nullptr};
  EnumWindows(&find_window, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND visible_menu() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

std::optional<std::wstring> read_text(HKEY root, const wchar_t* key, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text);
}

}  // namespace

ProgramDriver::ProgramDriver(const std::wstring& test_name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  folder_ = std::wstring(temp) + L"kb_e2e_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            test_name;
  remove_folder(folder_);
  copy_folder(own_folder() + L"\\..\\..\\dist", folder_);
  forget_options();
}

ProgramDriver::ProgramDriver(const std::wstring& folder, InPlace) : folder_(folder), own_copy_(false) {}

ProgramDriver::~ProgramDriver() {
  if (running()) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  if (process_.hProcess != nullptr) {
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  if (own_copy_) {
    remove_folder(folder_);
    forget_options();
  }
}

bool ProgramDriver::start(const std::wstring& arguments) {
  std::wstring command = L"\"" + exe() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (process_.hProcess != nullptr) {
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
  }
  icon_window_ = nullptr;
  return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_) != FALSE;
}

bool ProgramDriver::running() const {
  return process_.hProcess != nullptr &&
         WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool ProgramDriver::wait_for_icon(std::chrono::milliseconds limit) {
  const auto until = Clock::now() + limit;
  while (Clock::now() < until) {
    icon_window_ = find_of_process(process_.dwProcessId, L"KorvalenBarlumeTrayIcon", nullptr, false);
    if (icon_window_ != nullptr && icon_exists(icon_window_)) {
      return true;
    }
    pump(std::chrono::milliseconds(20));
  }
  return false;
}

std::optional<DWORD> ProgramDriver::wait_for_exit(std::chrono::milliseconds limit) {
  const auto until = Clock::now() + limit;
  while (Clock::now() < until) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    const DWORD woke = MsgWaitForMultipleObjects(1, &process_.hProcess, FALSE,
                                                 static_cast<DWORD>(left.count()), QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process_.hProcess, &code);
      return code;
    }
    pump(std::chrono::milliseconds(0));
  }
  return std::nullopt;
}

bool ProgramDriver::menu(const std::vector<WORD>& keys) {
  PostMessageW(icon_window_, WM_USER + 1, 0, WM_RBUTTONUP);
  const auto until = Clock::now() + std::chrono::seconds(5);
  HWND shown = nullptr;
  while ((shown = visible_menu()) == nullptr) {
    if (Clock::now() > until) {
      return false;
    }
    pump(std::chrono::milliseconds(10));
  }
  for (WORD key : keys) {
    // The open menu, or its submenu once one opened: the last one shown is on top.
    HWND target = visible_menu();
    PostMessageW(target, WM_KEYDOWN, key, 0);
    PostMessageW(target, WM_KEYUP, key, 0);
    pump(std::chrono::milliseconds(60));
  }
  while (visible_menu() != nullptr) {
    if (Clock::now() > until) {
      return false;
    }
    pump(std::chrono::milliseconds(10));
  }
  pump(std::chrono::milliseconds(100));  // the chosen item's handler runs now
  return true;
}

HWND ProgramDriver::wait_for_window(const wchar_t* class_name, const wchar_t* caption,
                                    std::chrono::milliseconds limit) const {
  const auto until = Clock::now() + limit;
  while (Clock::now() < until) {
    if (HWND found = find_of_process(process_.dwProcessId, class_name, caption, true)) {
      return found;
    }
    pump(std::chrono::milliseconds(20));
  }
  return nullptr;
}

std::wstring ProgramDriver::box_text(HWND box) {
  std::wstring text;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    wchar_t content[512] = {};
    SendMessageW(child, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(content));
    if (std::wstring(name) == L"Static" && content[0] != L'\0') {
      text = content;
    }
  }
  return text;
}

void ProgramDriver::pump(std::chrono::milliseconds time) {
  const auto until = Clock::now() + time;
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (Clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  } while (Clock::now() < until);
}

std::optional<DWORD> option(const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, kProductKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::wstring> run_value() {
  return read_text(HKEY_CURRENT_USER, kRunKey, L"Korvalen Barlume");
}

std::optional<std::wstring> forced_language() {
  return read_text(HKEY_CURRENT_USER, kOptionsKey, L"ForceLanguage_LCID");
}

void remove_folder(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name(entry.cFileName);
      if (name == L"." || name == L"..") {
        continue;
      }
      const std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        remove_folder(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

void force_language(const wchar_t* key) {
  const auto bytes = static_cast<DWORD>((wcslen(key) + 1) * sizeof(wchar_t));
  RegSetKeyValueW(HKEY_CURRENT_USER, kOptionsKey, L"ForceLanguage_LCID", REG_SZ, key, bytes);
}

void forget_options() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey);
  RegDeleteKeyW(HKEY_CURRENT_USER, kProductKey);
  HKEY run = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
    RegDeleteValueW(run, L"Korvalen Barlume");
    RegCloseKey(run);
  }
}

std::optional<std::string> file_bytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  CloseHandle(file);
  return bytes;
}

}  // namespace kb::e2e
