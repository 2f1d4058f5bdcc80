#include "toolkit/form.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/error.h"
#include "support/headless_app.h"
#include "toolkit/standard_controls.h"

namespace kb {
namespace {

// A dialog like the program's: a button, a check box and two more buttons, in tab order.
class FormTest : public testing::Test {
 protected:
  FormTest() {
    form.SetCaption(u"Benutzerdefiniert");
    form.SetClientSize(645, 346);
    ok.SetBounds(536, 312, 101, 26);
    preview.SetBounds(371, 136, 266, 17);
    reset.SetBounds(8, 312, 159, 26);
    form.SetOnShow([this](Form& sender) {
      log.push_back(sender.Visible() ? "show, visible" : "show, hidden");
    });
  }

  Application& app() { return headless.app; }
  sim::HeadlessUi& ui() { return headless.ui; }

  test::HeadlessApp headless;
  Form form{headless.app, u"TForm_ZEVO", u"Form_ZEVO"};
  Label& label = form.create<Label>(u"Label_R");
  Button& ok = form.create<Button>(u"Button_OK");
  CheckBox& preview = form.create<CheckBox>(u"CheckBox_Preview");
  Button& reset = form.create<Button>(u"Button_Reset");
  std::vector<std::string> log;
};

TEST_F(FormTest, IsHiddenUntilShownAndGetsItsWindowsThen) {
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.HandleAllocated());
  EXPECT_EQ(form.ClientWidth(), 645);
  EXPECT_EQ(form.Width(), 645 + ui().form_frame_width()) << "outer size, frame included";
  EXPECT_EQ(form.Height(), 346 + ui().form_frame_height());
  EXPECT_EQ(form.FontName(), u"Tahoma");
  EXPECT_EQ(form.FontHeight(), -11);

  form.Show();
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(ok.HandleAllocated());
  EXPECT_TRUE(label.HandleAllocated());
  EXPECT_EQ(log, std::vector<std::string>{"show, visible"});
  EXPECT_EQ(ui().focused(), &ok) << "the first control of the tab order";
  EXPECT_EQ(form.ActiveControl(), &ok);
}

TEST_F(FormTest, TabOrderMovesAndSkipsWhatCannotTakeTheFocus) {
  EXPECT_EQ(ok.TabOrder(), 0);
  EXPECT_EQ(preview.TabOrder(), 1);
  EXPECT_EQ(reset.TabOrder(), 2);
  EXPECT_EQ(label.TabOrder(), -1) << "a label never takes the focus";
  reset.SetTabOrder(0);
  EXPECT_EQ(reset.TabOrder(), 0);
  EXPECT_EQ(ok.TabOrder(), 1);
  EXPECT_EQ(preview.TabOrder(), 2);
  reset.SetTabOrder(99);
  EXPECT_EQ(reset.TabOrder(), 2) << "past the end means last";

  form.Show();
  ASSERT_EQ(ui().focused(), &ok);
  ui().press_key(kVkTab);
  EXPECT_EQ(ui().focused(), &preview);
  ui().press_key(kVkTab, kShiftKey);
  EXPECT_EQ(ui().focused(), &ok);
  ui().press_key(kVkTab, kShiftKey);
  EXPECT_EQ(ui().focused(), &reset) << "round from the first to the last";

  preview.SetEnabled(false);
  ok.SetTabStop(false);
  ui().press_key(kVkTab);
  EXPECT_EQ(ui().focused(), &reset) << "nothing else can take the focus by Tab";
  preview.SetEnabled(true);
  preview.SetVisible(false);
  ui().press_key(kVkTab);
  EXPECT_EQ(ui().focused(), &reset);
}

TEST_F(FormTest, ReturnAndEscapeClickOnlyADefaultOrCancelButton) {
  int oks = 0;
  int resets = 0;
  ok.SetOnClick([&](Control&) { ++oks; });
  reset.SetOnClick([&](Control&) { ++resets; });
  form.Show();
  ui().focus(preview);
  ui().press_key(kVkReturn);
  ui().press_key(kVkEscape);
  EXPECT_EQ(oks + resets, 0) << "no default or cancel button";
  EXPECT_FALSE(preview.Checked());

  ok.SetDefault(true);
  reset.SetCancel(true);
  ui().press_key(kVkReturn);
  ui().press_key(kVkEscape);
  EXPECT_EQ(oks, 1);
  EXPECT_EQ(resets, 1);
}

TEST_F(FormTest, ACheckBoxClickTogglesItAndRaisesOnClickOnce) {
  int clicks = 0;
  preview.SetOnClick([&](Control& sender) {
    ++clicks;
    EXPECT_EQ(&sender, &preview);
  });
  form.Show();
  ui().click(preview);
  EXPECT_TRUE(preview.Checked());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ui().changes(preview, ControlChange::state), 1u) << "the window shows the mark";
  preview.SetChecked(true);
  EXPECT_EQ(clicks, 1) << "the same value again changes nothing";
  preview.SetChecked(false);
  EXPECT_EQ(clicks, 2) << "a real change notifies";
  ui().click(preview);
  EXPECT_TRUE(preview.Checked());
  EXPECT_EQ(clicks, 3);
}

TEST_F(FormTest, ShowModalRunsUntilClosedAndHidesTheForm) {
  ok.SetOnClick([&](Control&) { form.Close(); });
  ui().when_modal([&](Form& shown) {
    EXPECT_EQ(&shown, &form);
    EXPECT_TRUE(form.Modal());
    EXPECT_TRUE(form.Visible());
    ui().click(ok);
  });
  EXPECT_EQ(form.ShowModal(), mrCancel) << "Close ends a modal form with mrCancel";
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Modal());

  ui().when_modal([&](Form&) { form.SetModalResult(mrOk); });
  EXPECT_EQ(form.ShowModal(), mrOk);

  ui().when_modal([&](Form&) { app().Terminate(); });
  EXPECT_EQ(form.ShowModal(), mrCancel) << "the program is ending";
  EXPECT_EQ(log.size(), 3u) << "OnShow each time";
}

TEST_F(FormTest, ShowModalRefusesAVisibleFormAndNeverLeavesItOpenAfterAFailure) {
  form.Show();
  EXPECT_THROW(form.ShowModal(), Error);
  form.Hide();
  form.SetOnShow([](Form&) { throw std::runtime_error("broken"); });
  EXPECT_THROW(form.ShowModal(), std::runtime_error);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Modal());
}

TEST_F(FormTest, ClosingTheMainFormEndsTheProgramAndAnotherOnlyHidesIt) {
  form.Show();
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(app().Terminated());
  app().SetMainForm(&form);
  form.Show();
  form.Close();
  EXPECT_TRUE(app().Terminated());
}

TEST_F(FormTest, AnExceptionInAHandlerReachesTheApplication) {
  app().SetTitle(u"Korvalen Barlume");
  ok.SetOnClick([](Control&) { throw Error(u"Something broke."); });
  form.Show();
  ui().click(ok);
  ASSERT_EQ(ui().errors().size(), 1u) << "the error box";
  EXPECT_EQ(ui().errors()[0].caption, u"Korvalen Barlume");
  EXPECT_EQ(ui().errors()[0].text, u"Something broke.");

  std::vector<std::u16string> handled;
  app().SetOnException(
      [&](const std::exception_ptr& failure) { handled.push_back(exception_text(failure)); });
  ui().click(ok);
  EXPECT_EQ(handled, std::vector<std::u16string>{u"Something broke."});
  EXPECT_EQ(ui().errors().size(), 1u);
  EXPECT_TRUE(form.Visible()) << "the program carries on";
}

TEST_F(FormTest, DestroyedControlsLeaveNoTraceInTheForm) {
  form.Show();
  ui().focus(preview);
  ASSERT_EQ(form.ActiveControl(), &preview);
  form.destroy(preview);
  EXPECT_EQ(form.ActiveControl(), nullptr);
  EXPECT_EQ(ui().focused(), nullptr);
  EXPECT_EQ(reset.TabOrder(), 1);
  Label& late = form.create<Label>(u"Late");
  EXPECT_TRUE(late.HandleAllocated()) << "a control that joins a form with windows gets one";
}

}  // namespace
}  // namespace kb
