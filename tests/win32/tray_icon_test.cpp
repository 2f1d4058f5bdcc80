#include "runtime/tray_icon.h"

#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <gtest/gtest.h>
#include <memory>

#include "platform/win32/native_ui.h"
#include "platform/win32/system_notification_area.h"
#include "platform/win32/window_handles.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"
#include "win32/later.h"
#include "win32/message_pump.h"
#include "win32/resource_counts.h"
#include "win32/shell_icons.h"

namespace kb::win32 {
namespace {

using test::icon_exists;

class SystemTrayIconTest : public testing::Test {
 protected:
  SystemTrayIconTest() {
    quit.SetCaption(u"Beenden");
    quit.SetOnClick([this](MenuItem&) { ++quits; });
    menu.Items().Add(quit);
  }

  TTrayIcon& make_icon() {
    TTrayIcon& icon = form.create<TTrayIcon>(area, u"Korvalen Barlume");
    icon.SetPopupMenu(&menu);
    icon.SetAnimateInterval(333);
    icon.SetVisible(true);
    icon.SetIconIndex(0);
    icon.SetAnimate(false);
    TBitmap32 picture(16, 16, 0xFF2080E0u);
    icon.SetIcon(TIcon(picture));
    return icon;
  }
  static HWND window_of(const TTrayIcon& icon) { return to_hwnd(icon.Record().window); }
  static void settle(DWORD ms = 100) { test::pump_messages_until([] { return false; }, ms); }

  NativeUi ui;
  Application app{ui};
  SystemNotificationArea area;
  Form form{app, u"TForm_ZEVO", u"Form_ZEVO"};
  PopupMenu& menu = form.create<PopupMenu>(u"AdvPopupMenu_Tray");
  MenuItem& quit = form.create<MenuItem>(u"Tray_Quit");
  int quits = 0;
};

TEST_F(SystemTrayIconTest, TheIconIsAddedChangedAndRemovedForReal) {
  TTrayIcon& icon = make_icon();
  const HWND window = window_of(icon);
  EXPECT_TRUE(icon_exists(window));
  EXPECT_EQ(GetParent(window), nullptr) << "a top-level window, which hears broadcasts";
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  icon.SetHint(u"Transparent");
  EXPECT_TRUE(icon_exists(window));
  form.destroy(icon);
  EXPECT_FALSE(icon_exists(window));
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(SystemTrayIconTest, TheRightButtonOpensTheMenuAtThePointerAndEscapeClosesIt) {
  TTrayIcon& icon = make_icon();
  SetCursorPos(300, 400);
  RECT shown{};
  bool menu_seen = false;
  const test::Watchdog watchdog(std::chrono::seconds(20), [] {
    PostMessageW(FindWindowW(L"#32768", nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  test::later(200, [&] {
    const HWND popup = FindWindowW(L"#32768", nullptr);
    menu_seen = popup != nullptr && IsWindowVisible(popup);
    GetWindowRect(popup, &shown);
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  PostMessageW(window_of(icon), WM_USER + 1, 0, WM_RBUTTONUP);
  settle(600);
  EXPECT_TRUE(menu_seen);
  EXPECT_EQ(shown.left, 300) << "its left edge at the pointer";
  EXPECT_EQ(quits, 0) << "Escape chose nothing";
  const HWND popup = FindWindowW(L"#32768", nullptr);
  EXPECT_TRUE(popup == nullptr || !IsWindowVisible(popup)) << "the menu closed";
}

TEST_F(SystemTrayIconTest, TheIconReturnsWhenTheShellAnnouncesItsRestart) {
  TTrayIcon& icon = make_icon();
  const HWND window = window_of(icon);
  NOTIFYICONDATAW gone{};
  gone.cbSize = sizeof(gone);
  gone.hWnd = window;
  gone.uID = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(window));
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));
  ASSERT_FALSE(icon_exists(window));
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(test::pump_messages_until([&] { return icon_exists(window); }, 3000));
}

TEST_F(SystemTrayIconTest, TheSessionsEndIsAllowedAndRemovesTheIcon) {
  TTrayIcon& icon = make_icon();
  const HWND window = window_of(icon);
  EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_TRUE(icon_exists(window));
  SendMessageW(window, WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(icon_exists(window));
}

// The width of an icon's picture.
int icon_width(IconHandle icon) {
  ICONINFO info{};
  if (!GetIconInfo(reinterpret_cast<HICON>(static_cast<std::uintptr_t>(icon)), &info)) {
    return 0;
  }
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

TEST_F(SystemTrayIconTest, IconsTakeTheNotificationAreasSizeForTheDisplay) {
  const int size = SystemNotificationArea::small_icon_size();
  EXPECT_GE(size, 16);
  const IconHandle own = area.application_icon();
  EXPECT_EQ(icon_width(own), size) << "the program's icon from its resources";
  area.destroy_icon(own);
  const TIcon pictures(std::vector<TBitmap32>{TBitmap32(16, 16, 0xFF0000FFu),
                                              TBitmap32(32, 32, 0xFF00FF00u)});
  const IconHandle made = area.make_icon(pictures);
  EXPECT_EQ(icon_width(made), size);
  area.destroy_icon(made);
}

TEST_F(SystemTrayIconTest, ManyIconsMadeAndDestroyedLeaveNoWindowsOrGdiObjects) {
  test::expect_no_leaks(300, [this](int) { form.destroy(make_icon()); });
}

}  // namespace
}  // namespace kb::win32
