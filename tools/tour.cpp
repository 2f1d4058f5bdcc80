// tour: walks through KorvalenBarlume.exe as a user would, one step at a time, for
// scripts/run to take a screenshot at each: the program starts from its folder (the one
// given, or the current one), then its menu opens, then the language submenu, then the
// dialog, and at last the program quits. At each step the tour prints a line "<step> <left>
// <top> <right> <bottom>" (the screen rectangle of what it shows) and waits for a line on its
// standard input before it goes on.

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "e2e/program_driver.h"

namespace {

using kb::e2e::ProgramDriver;
using namespace std::chrono_literals;

// The visible menus, the submenu last.
std::vector<HWND> shown_menus() {
  std::vector<HWND> menus;
  for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu != nullptr;
       menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) {
    if (IsWindowVisible(menu)) {
      menus.insert(menus.begin(), menu);
    }
  }
  return menus;
}

void step(const char* name, RECT r) {
  std::printf("%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
  std::fflush(stdout);
  std::string line;
  std::getline(std::cin, line);
}

RECT bounds_of(const std::vector<HWND>& windows) {
  RECT all{};
  for (HWND window : windows) {
    RECT r;
    GetWindowRect(window, &r);
    UnionRect(&all, &all, &r);
  }
  return all;
}

void keys(HWND target, std::initializer_list<WORD> pressed) {
  for (WORD key : pressed) {
    PostMessageW(target, WM_KEYDOWN, key, 0);
    PostMessageW(target, WM_KEYUP, key, 0);
    ProgramDriver::pump(80ms);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ProgramDriver program(argc > 1 ? argv[1] : L".", ProgramDriver::kInPlace);
  if (!program.start() || !program.wait_for_icon()) {
    std::puts("failed: the program did not start");
    return 1;
  }
  ProgramDriver::pump(500ms);
  // The menu, its items at rest.
  PostMessageW(program.icon_window(), WM_USER + 1, 0, WM_RBUTTONUP);
  ProgramDriver::pump(500ms);
  if (shown_menus().empty()) {
    std::puts("failed: no menu");
    return 1;
  }
  step("menu", bounds_of(shown_menus()));
  // Down to "Language" and into its submenu.
  keys(shown_menus().front(), {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
  ProgramDriver::pump(300ms);
  step("languages", bounds_of(shown_menus()));
  keys(shown_menus().back(), {VK_ESCAPE});
  keys(shown_menus().back(), {VK_ESCAPE});
  ProgramDriver::pump(300ms);
  // The dialog, from its menu item.
  program.menu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  const HWND dialog = program.wait_for_window(L"KorvalenBarlumeForm", nullptr);
  if (dialog == nullptr) {
    std::puts("failed: no dialog");
    return 1;
  }
  ProgramDriver::pump(500ms);
  RECT r;
  GetWindowRect(dialog, &r);
  step("dialog", r);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ProgramDriver::pump(300ms);
  program.menu({VK_UP, VK_RETURN});
  const auto code = program.wait_for_exit();
  std::printf("exit %lu\n", code ? *code : 99ul);
  return code == 0ul ? 0 : 1;
}
