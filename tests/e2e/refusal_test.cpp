// KorvalenBarlume.exe on a system that is not Windows 10: run by refusal_before_windows10.sh,
// in a copy of the tests' Wine prefix set to Windows 7.

#include <windows.h>

#include <gtest/gtest.h>

#include "e2e/program_driver.h"

namespace kb::e2e {
namespace {

using namespace std::chrono_literals;

TEST(RefusalBeforeWindows10, TheBoxSaysSoAndNothingElseHappens) {
  ProgramDriver program(L"refusal");
  ASSERT_TRUE(program.start());
  const HWND box = program.wait_for_window(L"#32770", L"Korvalen Barlume", 10s);
  ASSERT_NE(box, nullptr) << "the refusal box";
  EXPECT_EQ(ProgramDriver::box_text(box), L"This software requires Windows 10!");
  EXPECT_FALSE(program.wait_for_icon(500ms)) << "no icon";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.wait_for_exit(), 0u);
  EXPECT_FALSE(option(L"Option_Method").has_value()) << "no options touched";
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Zevolux");
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "no owner remains";
  CloseHandle(mutex);
}

}  // namespace
}  // namespace kb::e2e
