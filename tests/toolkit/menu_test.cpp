#include "toolkit/menu.h"

#include <gtest/gtest.h>
#include <vector>

#include "support/headless_app.h"
#include "toolkit/form.h"

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

}  // namespace
}  // namespace kb
