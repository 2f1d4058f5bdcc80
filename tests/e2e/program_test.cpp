// KorvalenBarlume.exe used from outside, as a user would: its menu through the icon, its
// dialog, its command line, and what it leaves in the registry and on the desktop.

#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "e2e/program_driver.h"

namespace kb::e2e {
namespace {

using namespace std::chrono_literals;

// Keys that reach the items of the icon's menu: from nothing selected, Down n + 1 times
// reaches item n (separators are passed over); Up once reaches the last, "Beenden".
std::vector<WORD> item(int index) {
  std::vector<WORD> keys(static_cast<std::size_t>(index + 1), VK_DOWN);
  keys.push_back(VK_RETURN);
  return keys;
}
constexpr int kStandard = 0;
constexpr int kTransparent = 1;
constexpr int kUser = 2;
constexpr int kSettings = 3;
constexpr int kStartWithWindows = 4;
constexpr int kLanguage = 5;
const std::vector<WORD> kQuit{VK_UP, VK_RETURN};

std::wstring test_name() {
  const char* name = testing::UnitTest::GetInstance()->current_test_info()->name();
  return std::wstring(name, name + strlen(name));
}

// A second monitor's taskbar, as the driver makes one: it counts the theme-change messages.
class SecondaryTaskbar {
 public:
  SecondaryTaskbar() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &SecondaryTaskbar::procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_SecondaryTrayWnd";
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_SecondaryTrayWnd", L"", WS_POPUP, 0, 0, 0,
                              0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    theme_changes() = 0;
  }
  ~SecondaryTaskbar() { DestroyWindow(window_); }
  int theme_changes_received() const { return theme_changes(); }

 private:
  static int& theme_changes() {
    static int count = 0;
    return count;
  }
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_THEMECHANGED) {
      ++theme_changes();
    }
    return DefWindowProcW(window, message, wparam, lparam);
  }
  HWND window_ = nullptr;
};

class ProgramTest : public testing::Test {
 protected:
  // German, the texts the cases look for, whatever the locale of the machine.
  ProgramTest() { force_language(L"de-de"); }

  void start_and_wait_for_icon(const std::wstring& arguments = L"") {
    ASSERT_TRUE(program.start(arguments));
    ASSERT_TRUE(program.wait_for_icon()) << "the icon shows in the notification area";
  }
  void quit() {
    ASSERT_TRUE(program.menu(kQuit));
    const auto code = program.wait_for_exit();
    ASSERT_TRUE(code.has_value()) << "the program ends";
    EXPECT_EQ(*code, 0u);
  }

  ProgramDriver program{test_name()};
};

TEST_F(ProgramTest, ASecondCopyEndsAtOnceAndTheFirstRunsOn) {
  start_and_wait_for_icon();
  ProgramDriver second(L"second");
  ASSERT_TRUE(second.start());
  const auto code = second.wait_for_exit(5s);
  ASSERT_TRUE(code.has_value()) << "the second copy ended by itself";
  EXPECT_EQ(*code, 0u);
  EXPECT_TRUE(program.running());
  EXPECT_TRUE(icon_exists(program.icon_window()));
  quit();
}

TEST_F(ProgramTest, TheMenusLooksAndStartWithWindowsGoToTheRegistry) {
  start_and_wait_for_icon();
  ASSERT_TRUE(program.menu(item(kStandard)));
  EXPECT_EQ(option(L"Option_Method"), 1u);
  ASSERT_TRUE(program.menu(item(kUser)));
  EXPECT_EQ(option(L"Option_Method"), 3u);
  ASSERT_TRUE(program.menu(item(kTransparent)));
  EXPECT_EQ(option(L"Option_Method"), 2u);
  EXPECT_EQ(option(L"Option_R"), 255u);
  EXPECT_EQ(option(L"Option_A"), 128u);
  EXPECT_EQ(option(L"Option_Update"), 20u);

  ASSERT_TRUE(program.menu(item(kStartWithWindows)));
  EXPECT_EQ(run_value(), L"\"" + program.exe() + L"\"") << "the path, quoted";
  ASSERT_TRUE(program.menu(item(kStartWithWindows)));
  EXPECT_FALSE(run_value().has_value());
  quit();
}

TEST_F(ProgramTest, TheDialogIsDrivenAndClosedAndKeepsItsValues) {
  start_and_wait_for_icon();
  ASSERT_TRUE(program.menu(item(kSettings)));
  const HWND dialog = program.wait_for_window(L"KorvalenBarlumeForm", L"Benutzerdefiniert");
  ASSERT_NE(dialog, nullptr) << "the dialog shows";
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 645);
  EXPECT_EQ(client.bottom, 346);

  // Its edits in tab order: red, green, blue, opacity, the hidden interval.
  std::vector<HWND> edits;
  for (HWND child = FindWindowExW(dialog, nullptr, L"Edit", nullptr); child != nullptr;
       child = FindWindowExW(dialog, child, L"Edit", nullptr)) {
    edits.push_back(child);
  }
  ASSERT_EQ(edits.size(), 5u);
  EXPECT_FALSE(IsWindowVisible(edits[4]));
  const HWND reset = FindWindowExW(dialog, nullptr, L"Button", L"Zur\u00FCcksetzen");
  ASSERT_NE(reset, nullptr);

  SendMessageW(reset, BM_CLICK, 0, 0);
  SendMessageW(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"100"));

  // Return and Escape leave it open.
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
  PostMessageW(gui.hwndFocus, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(gui.hwndFocus, WM_KEYDOWN, VK_ESCAPE, 0);
  ProgramDriver::pump(300ms);
  EXPECT_TRUE(IsWindowVisible(dialog));

  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  ProgramDriver::pump(500ms);
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_EQ(option(L"Option_R"), 100u);
  EXPECT_EQ(option(L"Option_G"), 255u);
  EXPECT_EQ(option(L"Option_A"), 64u) << "Reset";
  EXPECT_EQ(option(L"Option_Method"), 2u) << "the settings item checks no look";
  quit();
}

TEST_F(ProgramTest, AChosenLanguageTranslatesTheProgramAndIsKept) {
  // An English translation beside the German one: the menu lists both.
  const std::string english =
      std::string("\xFF\xFE", 2) +
      [] {
        const std::u16string text = u"Form_ZEVO.Form_ZEVO=Custom colour\r\n";
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
      }();
  HANDLE file = CreateFileW((program.folder() + L"\\translation\\en.nlang3").c_str(),
                            GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD wrote = 0;
  WriteFile(file, english.data(), static_cast<DWORD>(english.size()), &wrote, nullptr);
  CloseHandle(file);
  start_and_wait_for_icon();

  // Language, into its submenu (de-de, en: in the order of their names), the second entry.
  std::vector<WORD> keys(kLanguage + 1, VK_DOWN);
  keys.insert(keys.end(), {VK_RIGHT, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(program.menu(keys));
  EXPECT_EQ(forced_language(), L"en");
  ASSERT_TRUE(program.menu(item(kSettings)));
  const HWND dialog = program.wait_for_window(L"KorvalenBarlumeForm", L"Custom colour");
  ASSERT_NE(dialog, nullptr) << "the dialog in English";
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ProgramDriver::pump(300ms);
  quit();
}

TEST_F(ProgramTest, QuittingRestoresTheSystemsLookRemovesTheIconAndFreesTheGuard) {
  const SecondaryTaskbar secondary;  // found by the program at its next look-up
  start_and_wait_for_icon();
  ProgramDriver::pump(800ms);
  const HWND icon = program.icon_window();
  quit();
  EXPECT_EQ(secondary.theme_changes_received(), 1) << "the system's look, once";
  EXPECT_FALSE(icon_exists(icon)) << "the icon went";
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Zevolux");
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "the guard is free";
  CloseHandle(mutex);
  EXPECT_EQ(option(L"Option_Method"), 2u) << "the look it had";
}

TEST_F(ProgramTest, SaveWritesTheGermanExportAndSaysSo) {
  const std::wstring translation = program.folder() + L"\\translation";
  const auto shipped_texts = file_bytes(translation + L"\\de-de.nlang3");
  const auto shipped_index = file_bytes(translation + L"\\index.txt");
  DeleteFileW((translation + L"\\de-de.nlang3").c_str());
  DeleteFileW((translation + L"\\index.txt").c_str());
  ASSERT_TRUE(program.start(L"-save"));
  const HWND box = program.wait_for_window(L"#32770", L"Korvalen Barlume", 10s);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ProgramDriver::box_text(box), L"Translation saved...");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.wait_for_exit(), 0u);
  EXPECT_EQ(file_bytes(translation + L"\\de-de.nlang3"), shipped_texts)
      << "the export is what the program ships";
  EXPECT_EQ(file_bytes(translation + L"\\index.txt"), shipped_index);
}

TEST_F(ProgramTest, AFailedExportShowsWhyAndEndsWithAnErrorCode) {
  remove_folder(program.folder() + L"\\translation");
  ASSERT_TRUE(program.start(L"-SaVe"));
  const HWND box = program.wait_for_window(L"#32770", L"Korvalen Barlume", 10s);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(ProgramDriver::box_text(box).find(L"index.txt"), std::wstring::npos)
      << "the box names the file";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.wait_for_exit(), 1u);
}

}  // namespace
}  // namespace kb::e2e
