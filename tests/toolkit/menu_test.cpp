#include "toolkit/menu.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "support/headless_app.h"
#include "toolkit/form.h"
#include "toolkit/image_list.h"

namespace kb {
namespace {

class MenuTest : public testing::Test {
 protected:
  MenuItem& look(const char16_t* name) {
    MenuItem& item = form.create<MenuItem>(name);
    item.SetAutoCheck(true);
    item.SetRadioItem(true);
    item.SetOnClick([this](MenuItem& sender) { clicked.push_back(&sender); });
    menu.Items().Add(item);
    return item;
  }

  test::HeadlessApp headless;

  Form form{headless.app, u"TForm_ZEVO", u"Form_ZEVO"};
  PopupMenu& menu = form.create<PopupMenu>(u"AdvPopupMenu_Tray");
  std::vector<MenuItem*> clicked;
  MenuItem& standard = look(u"Tray_Accent_Standard");
  MenuItem& transparent = look(u"Tray_Accent_Transparent");
  MenuItem& user = look(u"Tray_Accent_User");
};

TEST_F(MenuTest, ChoosingARadioItemChecksItAloneAndChoosingItAgainClearsIt) {
  transparent.SetChecked(true);
  user.Click();
  EXPECT_FALSE(standard.Checked());
  EXPECT_FALSE(transparent.Checked());
  EXPECT_TRUE(user.Checked());

  user.Click();
  EXPECT_FALSE(user.Checked()) << "the check mark is inverted: no look is checked";
  EXPECT_EQ(clicked, (std::vector<MenuItem*>{&user, &user}));
}

TEST_F(MenuTest, RadioGroupsAndPlainItemsStayApart) {
  MenuItem& start = form.create<MenuItem>(u"Tray_Flag_StartWithWindows");
  start.SetAutoCheck(true);
  menu.Items().Add(start);
  MenuItem& other_group = look(u"Other");
  other_group.SetGroupIndex(1);

  standard.SetChecked(true);
  start.Click();
  other_group.SetChecked(true);
  EXPECT_TRUE(standard.Checked());
  EXPECT_TRUE(start.Checked());
}

TEST_F(MenuTest, SubmenuEntriesOwnedByTheirParentLeaveTheMenuWithIt) {
  MenuItem& lang = form.create<MenuItem>(u"Tray_Lang");
  menu.Items().Add(lang);
  MenuItem& english = lang.create<MenuItem>(u"");
  lang.Add(english);
  ASSERT_EQ(lang.Count(), 1u);
  EXPECT_EQ(english.Parent(), &lang);
  EXPECT_EQ(english.Owner(), &lang);
  EXPECT_EQ(english.ImageIndex(), -1);

  lang.destroy(english);
  EXPECT_EQ(lang.Count(), 0u) << "a destroyed entry leaves its submenu";
  const std::size_t before = menu.Items().Count();
  form.destroy(lang);
  EXPECT_EQ(menu.Items().Count(), before - 1);
}

TEST_F(MenuTest, PopupRunsTheChosenItemAfterTheMenuClosed) {
  menu.SetPopupComponent(&form);
  EXPECT_TRUE(menu.AutoPopup());
  std::vector<std::string> log;
  menu.SetOnPopup([&](PopupMenu&) { log.push_back("popup"); });
  user.SetOnClick([&](MenuItem& sender) {
    log.push_back(sender.Checked() ? "user checked" : "user clear");
    EXPECT_EQ(headless.ui.popups().size(), 1u) << "the menu has closed by now";
  });
  headless.ui.choose_in_menu([&](PopupMenu& shown) {
    log.push_back("shown");
    EXPECT_EQ(&shown, &menu);
    return &user;
  });
  transparent.SetChecked(true);
  menu.Popup(40, 700);
  EXPECT_EQ(log, (std::vector<std::string>{"popup", "shown", "user checked"}));
  ASSERT_EQ(headless.ui.popups().size(), 1u);
  EXPECT_EQ(headless.ui.popups()[0].x, 40);
  EXPECT_EQ(headless.ui.popups()[0].y, 700);
  EXPECT_FALSE(transparent.Checked()) << "the radio rule ran";
  EXPECT_EQ(menu.PopupComponent(), &form);

  menu.Popup(1, 2);  // closed without a choice
  EXPECT_EQ(log.size(), 4u);
}

TEST_F(MenuTest, AHandlerMayDestroyItsOwnItem) {
  MenuItem& once = form.create<MenuItem>(u"Once");
  menu.Items().Add(once);
  int runs = 0;
  once.SetOnClick([&](MenuItem& sender) {
    ++runs;
    form.destroy(sender);
    EXPECT_EQ(runs, 1) << "the handler still runs after its item is gone";
  });
  headless.ui.choose_in_menu([&](PopupMenu&) { return &once; });
  menu.Popup(0, 0);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(form.FindComponent(u"Once"), nullptr);
}

TEST_F(MenuTest, ItemsFindTheirPicturesInTheNearestImageList) {
  ImageList& flags = form.create<ImageList>(u"ImageList_Flags");
  ImageList& general = form.create<ImageList>(u"ImageList_General");
  menu.SetImages(&general);
  MenuItem& lang = form.create<MenuItem>(u"Tray_Lang");
  menu.Items().Add(lang);
  MenuItem& english = lang.create<MenuItem>(u"");
  lang.Add(english);
  EXPECT_EQ(standard.ImageListOfItem(), &general);
  EXPECT_EQ(english.ImageListOfItem(), &general);
  lang.SetSubMenuImages(&flags);
  EXPECT_EQ(english.ImageListOfItem(), &flags);
  EXPECT_EQ(lang.ImageListOfItem(), &general);
  EXPECT_EQ(english.Menu(), &menu);

  form.destroy(flags);
  EXPECT_EQ(lang.SubMenuImages(), nullptr) << "a destroyed image list is forgotten";
  EXPECT_EQ(english.ImageListOfItem(), &general);
}

TEST(ImageList, WhiteBecomesTransparentAndOtherSizesAreCutOrFilledOut) {
  TBitmap32 flag(20, 11, 0xFFFFFFFFu);
  flag.set_pixel(0, 0, 0xFF0000FFu);
  flag.set_pixel(15, 10, 0x00FF0000u);  // the alpha of a bitmap file's pixel means nothing
  ImageList list(u"ImageList_Flags");
  EXPECT_EQ(list.AddMasked(flag, 0xFFFFFFu), 0u);
  const TBitmap32& picture = list.Picture(0);
  ASSERT_EQ(picture.width(), 16);
  ASSERT_EQ(picture.height(), 16);
  EXPECT_EQ(picture.pixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(picture.pixel(15, 10), 0xFFFF0000u);
  EXPECT_EQ(picture.pixel(1, 1) >> 24, 0u) << "white is transparent";
  EXPECT_EQ(picture.pixel(3, 13), 0u) << "rows below the picture are transparent";
  EXPECT_EQ(list.Count(), 1u);
}

}  // namespace
}  // namespace kb
