#include "runtime/tray_icon.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/sim/recording_notification_area.h"
#include "support/headless_app.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"

namespace kb {
namespace {

using Command = NotifyCommand;

class TrayIconTest : public testing::Test {
 protected:
  // What the notification-area controller does once the icon timer ticks.
  TTrayIcon& set_up_as_the_controller_does() {
    TTrayIcon& icon = form.create<TTrayIcon>(area, u"Korvalen Barlume");
    icon.SetPopupMenu(&menu);
    icon.SetAnimateInterval(333);
    icon.SetVisible(true);
    icon.SetIconIndex(0);
    icon.SetAnimate(false);
    icon.SetIcon(TIcon(TBitmap32(16, 16, 0xFF3060C0u)));
    return icon;
  }

  std::vector<Command> commands() const {
    std::vector<Command> out;
    for (const auto& call : area.calls()) {
      out.push_back(call.command);
    }
    return out;
  }

  test::HeadlessApp headless;
  sim::RecordingNotificationArea area;
  Form form{headless.app, u"TForm_ZEVO", u"Form_ZEVO"};
  PopupMenu& menu = form.create<PopupMenu>(u"AdvPopupMenu_Tray");
};

TEST_F(TrayIconTest, TheControllersSetUpAddsTheIconOnceAndThenGivesItItsPicture) {
  TTrayIcon& icon = set_up_as_the_controller_does();
  const auto& calls = area.calls();
  ASSERT_EQ(commands(), (std::vector<Command>{Command::modify, Command::add, Command::modify}));
  EXPECT_FALSE(calls[0].accepted) << "the modify before the first add is refused";
  EXPECT_TRUE(calls[1].accepted);
  EXPECT_TRUE(calls[2].accepted);
  const NotifyIconRecord& record = calls[2].record;
  EXPECT_TRUE(record.full_size);
  EXPECT_NE(record.window, WindowHandle::none);
  EXPECT_EQ(record.id, static_cast<std::uintptr_t>(record.window));
  EXPECT_EQ(record.flags, kNifMessage | kNifIcon | kNifTip);
  EXPECT_EQ(record.callback_message, 0x0401u);
  EXPECT_EQ(record.tip, u"Korvalen Barlume");
  EXPECT_EQ(record.timeout, 10000u);
  EXPECT_EQ(area.icon_size(calls[1].record.icon), 0) << "added with the program's own icon";
  EXPECT_EQ(area.icon_size(record.icon), 16) << "then the picture set";
  EXPECT_EQ(area.live_icons(), 1u) << "the icon it replaced is gone";
  EXPECT_TRUE(area.shows(record.window));
  EXPECT_EQ(icon.Owner(), &form);
}

TEST_F(TrayIconTest, WritingAValueItHasDoesNothing) {
  TTrayIcon& icon = set_up_as_the_controller_does();
  area.clear_calls();
  icon.SetVisible(true);
  icon.SetIconIndex(0);
  icon.SetAnimate(false);
  icon.SetHint(u"");
  EXPECT_TRUE(area.calls().empty());
}

TEST_F(TrayIconTest, OlderSystemsGetTheShorterRecord) {
  area.set_major_version(5);
  TTrayIcon& icon = form.create<TTrayIcon>(area, u"Korvalen Barlume");
  icon.SetVisible(true);
  EXPECT_FALSE(area.calls().back().record.full_size);
}

struct TipCase {
  std::u16string title;
  std::size_t tip_length;
  bool has_tip;
};

TEST_F(TrayIconTest, TheTooltipIsTheTitleCutAt127CharactersAndNoneWhenEmpty) {
  const TipCase cases[] = {
      {std::u16string(128, u'x'), 127, true},
      {std::u16string(127, u'y'), 127, true},
      {u"", 0, false},
  };
  for (const TipCase& c : cases) {
    sim::RecordingNotificationArea panel;
    TTrayIcon icon(panel, c.title);
    icon.SetVisible(true);
    const NotifyIconRecord& record = panel.calls().back().record;
    EXPECT_EQ(record.tip.size(), c.tip_length);
    EXPECT_EQ((record.flags & kNifTip) != 0, c.has_tip);
  }
}

TEST_F(TrayIconTest, AHintReplacesTheTooltipAndAnEmptyOneRemovesIt) {
  TTrayIcon& icon = set_up_as_the_controller_does();
  area.clear_calls();
  icon.SetHint(std::u16string(200, u'h'));
  ASSERT_EQ(commands(), std::vector<Command>{Command::modify});
  EXPECT_EQ(area.calls()[0].record.tip, std::u16string(127, u'h'));
  EXPECT_TRUE(area.calls()[0].record.flags & kNifTip);
  icon.SetHint(u"");
  EXPECT_FALSE(area.calls().back().record.flags & kNifTip);
}

TEST_F(TrayIconTest, TheIconComesBackWhenThePanelRestarts) {
  TTrayIcon& icon = set_up_as_the_controller_does();
  const NotifyIconRecord before = area.calls().back().record;
  area.restart();
  EXPECT_EQ(area.calls().back().command, Command::add);
  EXPECT_TRUE(area.calls().back().accepted);
  EXPECT_EQ(area.calls().back().record.icon, before.icon) << "the same picture";
  EXPECT_EQ(area.calls().back().record.tip, before.tip);
  EXPECT_TRUE(area.shows(before.window));

  icon.SetVisible(false);
  area.clear_calls();
  area.restart();
  EXPECT_TRUE(area.calls().empty()) << "a hidden icon stays away";
}

TEST_F(TrayIconTest, TheRightButtonOpensTheMenuAtThePointerAndNothingElseDoesAnything) {
  TTrayIcon& icon = set_up_as_the_controller_does();
  const WindowHandle window = area.calls().back().record.window;
  area.clear_calls();
  for (std::uint32_t event : {kIconMouseMove, kIconLeftDown, kIconLeftUp, kIconLeftDouble,
                              kIconMiddleDown, kIconMiddleUp, kIconRightDown, kIconRightDouble}) {
    area.send(window, event);
  }
  EXPECT_TRUE(headless.ui.popups().empty());
  EXPECT_EQ(area.fronts(), 0u);
  EXPECT_TRUE(area.calls().empty());

  bool pending_handled = false;
  area.set_pending([&] {
    pending_handled = true;
    area.set_cursor(1200, 740);  // the pointer moved meanwhile
  });
  area.send(window, kIconRightUp);
  EXPECT_EQ(area.fronts(), 1u) << "the program's window comes to the foreground first";
  EXPECT_TRUE(pending_handled);
  ASSERT_EQ(headless.ui.popups().size(), 1u);
  EXPECT_EQ(headless.ui.popups()[0].menu, &menu);
  EXPECT_EQ(headless.ui.popups()[0].x, 1200);
  EXPECT_EQ(headless.ui.popups()[0].y, 740);
  EXPECT_FALSE(menu.AutoPopup());
  EXPECT_EQ(menu.PopupComponent(), &form);
  EXPECT_EQ(icon.GetPopupMenu(), &menu);
}

TEST_F(TrayIconTest, WithoutAMenuTheRightButtonDoesNothing) {
  TTrayIcon& icon = form.create<TTrayIcon>(area, u"Korvalen Barlume");
  icon.SetVisible(true);
  area.send(icon.Record().window, kIconRightUp);
  EXPECT_EQ(area.fronts(), 0u);
  icon.SetPopupMenu(&menu);
  form.destroy(menu);
  EXPECT_EQ(icon.GetPopupMenu(), nullptr) << "a destroyed menu is forgotten";
  area.send(icon.Record().window, kIconRightUp);
  EXPECT_TRUE(headless.ui.popups().empty());
}

TEST_F(TrayIconTest, WhatIsPendingBeforeTheMenuMayDestroyTheIcon) {
  TTrayIcon& icon = set_up_as_the_controller_does();
  const WindowHandle window = icon.Record().window;
  area.set_pending([&] { form.destroy(icon); });
  area.send(window, kIconRightUp);
  EXPECT_TRUE(headless.ui.popups().empty());
  EXPECT_FALSE(area.shows(window));
}

TEST_F(TrayIconTest, TheSessionsEndRemovesTheIconAndNeverHoldsItUp) {
  TTrayIcon& icon = set_up_as_the_controller_does();
  EXPECT_TRUE(area.query_end_session());
  area.end_session(false);
  EXPECT_TRUE(area.shows(icon.Record().window));
  area.end_session(true);
  EXPECT_EQ(area.calls().back().command, Command::remove);
  EXPECT_FALSE(area.shows(icon.Record().window));
}

TEST_F(TrayIconTest, DestructionRemovesTheIconEvenWhenThePanelRefuses) {
  TTrayIcon& icon = set_up_as_the_controller_does();
  const WindowHandle window = icon.Record().window;
  area.refuse_next(1);
  form.destroy(icon);
  EXPECT_EQ(area.calls().back().command, Command::remove);
  EXPECT_FALSE(area.calls().back().accepted);
  EXPECT_EQ(area.live_windows(), 0u);
  EXPECT_EQ(area.live_icons(), 0u);
  EXPECT_TRUE(area.shows(window)) << "the refusal was only ignored";
}

TEST_F(TrayIconTest, HidingAnIconThePanelWillNotRemoveIsAnError) {
  TTrayIcon& icon = set_up_as_the_controller_does();
  area.refuse_next(1);
  try {
    icon.SetVisible(false);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), u"Shell-Benachrichtigungssymbol kann nicht entfernt werden");
  }
}

TEST_F(TrayIconTest, ABalloonClickReachesItsHandler) {
  TTrayIcon& icon = set_up_as_the_controller_does();
  int clicks = 0;
  icon.SetOnBalloonClick([&](TTrayIcon&) { ++clicks; });
  area.send(icon.Record().window, kBalloonClicked);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace kb
