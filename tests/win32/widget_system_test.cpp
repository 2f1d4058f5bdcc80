#include <windows.h>

#include <gtest/gtest.h>
#include <memory>

#include "platform/win32/system_widget_system.h"
#include "widgets/color32.h"
#include "win32/message_pump.h"

namespace kb::win32 {
namespace {

TEST(SystemWidgetSystem, SystemColoursAreTheSystemsOwn) {
  SystemWidgetSystem system;
  const DWORD face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(system.system_color(COLOR_BTNFACE), face);
  const TColor32 expected =
      0xFF000000u | (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  EXPECT_EQ(SystemColorToColor32(system, static_cast<std::int32_t>(0xFF00000Fu)), expected);
}

TEST(SystemWidgetSystem, LocaleAndMetrics) {
  SystemWidgetSystem system;
  wchar_t separator[8] = {};
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8), 1);
  EXPECT_EQ(system.decimal_separator(), static_cast<char16_t>(separator[0]));
  EXPECT_GT(system.system_font_text_height(), 8);
  EXPECT_EQ(system.border_height(), GetSystemMetrics(SM_CYBORDER));
  EXPECT_EQ(system.edge_size(), GetSystemMetrics(SM_CXEDGE));
  system.beep();
}

TEST(SystemWidgetSystem, ClipboardTextRoundTrip) {
  SystemWidgetSystem system;
  system.set_clipboard_text(u"12\u00E934");
  EXPECT_EQ(system.clipboard_text(), u"12\u00E934");
  system.set_clipboard_text(u"");
  EXPECT_EQ(system.clipboard_text(), u"");
}

TEST(SystemWidgetSystem, TimersTickRestartAndStop) {
  SystemWidgetSystem system;
  int ticks = 0;
  std::unique_ptr<MessageTimer> timer;
  timer = system.create_timer([&] {
    ++ticks;
    if (ticks == 1) {
      timer->start(30);  // a restart from the tick, as the repeat buttons do
    }
    if (ticks == 3) {
      timer->stop();
    }
  });
  EXPECT_FALSE(timer->running());
  timer->start(60);
  EXPECT_TRUE(timer->running());
  ASSERT_TRUE(test::pump_messages_until([&] { return ticks >= 3; }));
  EXPECT_FALSE(timer->running());
  test::pump_messages_until([] { return false; }, 150);
  EXPECT_EQ(ticks, 3) << "no tick after the stop";

  // A stopped timer's pending tick is dropped; a destroyed one's too.
  timer->start(10);
  Sleep(40);
  timer->stop();
  test::pump_messages_until([] { return false; }, 60);
  EXPECT_EQ(ticks, 3);
  timer->start(10);
  Sleep(40);
  timer.reset();
  test::pump_messages_until([] { return false; }, 60);
  EXPECT_EQ(ticks, 3);
}

}  // namespace
}  // namespace kb::win32
