#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "app/accent_engine.h"
#include "platform/win32/system_taskbar_shell.h"
#include "platform/win32/window_handles.h"
#include "support/fake_accent_inputs.h"
#include "win32/test_window.h"

namespace kb::win32 {
namespace {

using test::FakeAccentInputs;
using test::TestWindow;
using Look = FakeAccentInputs::Look;

TEST(SystemTaskbarShell, SetWindowCompositionAttributeIsFoundAndCalledWithoutHarm) {
  bind_set_window_composition_attribute();
  EXPECT_TRUE(set_window_composition_attribute_bound());

  TestWindow window(L"KorvalenBarlumeTestAccent");
  ASSERT_NE(window.handle(), nullptr);
  const AccentPolicy accent = AccentEngine::user_accent(255, 128, 0, 64);
  ApplyAccent(window.handle(), &accent);
  ApplyAccent(nullptr, &accent);
  if (HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr)) {
    ApplyAccent(taskbar, &AccentEngine::kTransparentAccent);
  }
  EXPECT_TRUE(IsWindow(window.handle()));
}

TEST(SystemTaskbarShell, FindsEveryTopLevelWindowOfAClass) {
  std::vector<std::unique_ptr<TestWindow>> windows;
  for (int i = 0; i < 3; ++i) {
    windows.push_back(std::make_unique<TestWindow>(L"KorvalenBarlumeTestFind"));
  }
  SystemTaskbarShell shell;
  std::vector<WindowHandle> found{WindowHandle{7}};  // replaced, not appended to
  shell.find_windows(u"KorvalenBarlumeTestFind", found);

  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found.front(), from_hwnd(FindWindowW(L"KorvalenBarlumeTestFind", nullptr)));
  for (const auto& window : windows) {
    EXPECT_NE(std::find(found.begin(), found.end(), from_hwnd(window->handle())), found.end());
  }
  shell.find_windows(u"KorvalenBarlumeNoSuchClass", found);
  EXPECT_TRUE(found.empty());
}

// The engine against the real desktop: secondary taskbars made by the test get the theme-change
// message once per switch to the standard look, and never in between.
TEST(SystemTaskbarShell, SecondaryTaskbarsGetOneThemeChangePerSwitchToStandard) {
  std::unique_ptr<TestWindow> own_primary;
  if (FindWindowW(L"Shell_TrayWnd", nullptr) == nullptr) {
    own_primary = std::make_unique<TestWindow>(L"Shell_TrayWnd");  // no shell on this desktop
  }
  TestWindow second(L"Shell_SecondaryTrayWnd");
  TestWindow third(L"Shell_SecondaryTrayWnd");
  ASSERT_NE(third.handle(), nullptr);

  bind_set_window_composition_attribute();
  SystemTaskbarShell shell;
  FakeAccentInputs inputs;
  AccentEngine engine(shell, inputs);

  inputs.check(Look::standard);
  for (int i = 0; i < 30; ++i) {
    engine.CustomizeTB();
  }
  EXPECT_EQ(second.received(WM_THEMECHANGED), 1);
  EXPECT_EQ(third.received(WM_THEMECHANGED), 1);

  inputs.check(Look::transparent);
  engine.CustomizeTB();
  inputs.check(Look::standard);
  engine.CustomizeTB();
  engine.CustomizeTB();
  EXPECT_EQ(second.received(WM_THEMECHANGED), 2);
  EXPECT_EQ(third.received(WM_THEMECHANGED), 2);
}

}  // namespace
}  // namespace kb::win32
