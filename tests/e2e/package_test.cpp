// A release as a user unpacks it: run by package_in_locales.sh, which unpacks the zip into the
// folder named by KB_UNPACKED and runs this test once in a German and once in an English locale.

#include <windows.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <string>

#include "e2e/program_driver.h"

namespace kb::e2e {
namespace {

using namespace std::chrono_literals;

std::wstring text_of(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

TEST(UnpackedRelease, StartsInTheLanguageOfTheLocale) {
  const wchar_t* unpacked = _wgetenv(L"KB_UNPACKED");
  ASSERT_NE(unpacked, nullptr) << "KB_UNPACKED names the unpacked folder";
  struct Texts {
    const wchar_t* caption;
    const wchar_t* alpha_hint;
  };
  Texts expected{};
  switch (PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID()))) {
    case LANG_GERMAN:
      expected = {L"Benutzerdefiniert", L"Transparenz (0=komplett transparent)"};
      break;
    case LANG_ENGLISH:
      expected = {L"Custom color", L"Opacity (0 = fully transparent)"};
      break;
    default:
      FAIL() << "the locale is neither German nor English: " << GetUserDefaultLCID();
  }
  forget_options();
  ProgramDriver program(std::wstring(unpacked) + L"\\KorvalenBarlume", ProgramDriver::kInPlace);
  ASSERT_TRUE(program.start());
  ASSERT_TRUE(program.wait_for_icon());
  // The dialog, from the settings item, in the locale's language.
  ASSERT_TRUE(program.menu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
  const HWND dialog = program.wait_for_window(L"KorvalenBarlumeForm", expected.caption);
  ASSERT_NE(dialog, nullptr) << "a dialog captioned in the locale's language";
  bool hint_found = false;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    hint_found = hint_found || text_of(child) == expected.alpha_hint;
  }
  EXPECT_TRUE(hint_found);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ProgramDriver::pump(300ms);
  ASSERT_TRUE(program.menu({VK_UP, VK_RETURN}));
  EXPECT_EQ(program.wait_for_exit(), 0u);
  forget_options();
}

}  // namespace
}  // namespace kb::e2e
