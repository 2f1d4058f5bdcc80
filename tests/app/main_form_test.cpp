#include "app/form_zevo.h"

#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/program.h"
#include "runtime/registry.h"
#include "runtime/tray_icon.h"
#include "support/sim_program.h"
#include "toolkit/menu.h"
#include "toolkit/standard_controls.h"
#include "widgets/color_picker_hsv.h"
#include "widgets/spin_edit.h"

namespace kb {
namespace {

using namespace std::chrono_literals;
using Op = sim::RecordingShell::Op;

constexpr RegistryRoot kUser = RegistryRoot::current_user;
constexpr char16_t kExe[] = u"C:\\Program Files\\Korvalen Barlume\\KorvalenBarlume.exe";

class MainFormTest : public testing::Test {
 protected:
  ~MainFormTest() override { stop(); }

  // The normal mode's start-up, up to its message loop; the icon is there once it returns.
  TForm_ZEVO& start() {
    program = std::make_unique<Program>(std::move(sim.parts));
    program->application().SetTitle(kProductTitle);
    program->choose_start_language();
    TForm_ZEVO& made = program->create_main_form();
    EXPECT_TRUE(serve_until([&] { return made.TRAYICON_DONE; })) << "the icon is made";
    return made;
  }
  TForm_ZEVO& form() { return *program->main_form(); }

  // The program ends; its timers' workers end with it.
  void stop() {
    if (!program) {
      return;
    }
    auto timers = std::dynamic_pointer_cast<sim::SimThreads>(program->parts().timers);
    program.reset();
    // A worker ends at its next wake-up: at most an interval away (5 s at the longest).
    EXPECT_TRUE(timers->wait_until_threads_ended(6s)) << "no worker waits for ever";
  }

  bool serve_until(const std::function<bool()>& done, std::chrono::milliseconds limit = 3s) {
    return sim.process->loop().run_until(done, limit);
  }
  void serve_for(std::chrono::milliseconds time) { sim.process->loop().run_for(time); }

  // The user chooses an item of the icon's menu (a right click on the icon, then the item).
  void choose(MenuItem* item) {
    sim.ui->choose_in_menu([item](PopupMenu&) { return item; });
    sim.area->send(form().THE_TrayIcon->Record().window, kIconRightUp);
  }

  void store(std::u16string_view name, std::int32_t value) {
    std::uint8_t bytes[4];
    std::memcpy(bytes, &value, 4);
    sim.registry->put(kUser, kProductKey, name, RegistryType::dword, bytes);
  }
  std::optional<std::int32_t> stored(std::u16string_view name) {
    const auto value = sim.registry->value(kUser, kProductKey, name);
    if (!value || value->type != RegistryType::dword || value->data.size() != 4) {
      return std::nullopt;
    }
    std::int32_t number = 0;
    std::memcpy(&number, value->data.data(), 4);
    return number;
  }
  std::optional<std::u16string> run_value() {
    const auto value = sim.registry->value(kUser, kRunKey, kProductTitle);
    if (!value) {
      return std::nullopt;
    }
    std::u16string text(value->data.size() / 2, u'\0');
    std::memcpy(text.data(), value->data.data(), text.size() * 2);
    while (!text.empty() && text.back() == u'\0') {
      text.pop_back();
    }
    return text;
  }
  void put_run_value(std::u16string_view path) {
    std::u16string text(path);
    text.push_back(u'\0');
    sim.registry->put(kUser, kRunKey, kProductTitle, RegistryType::sz,
                      std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size() * 2));
  }

  // What the taskbar got last: the accent record, or the theme-change message.
  std::optional<sim::RecordingShell::Call> last_look() const {
    const auto& calls = sim.shell->calls();
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
      if (it->op != Op::find) {
        return *it;
      }
    }
    return std::nullopt;
  }
  static AccentPolicy user_look(std::uint32_t r, std::uint32_t g, std::uint32_t b,
                                std::uint32_t a) {
    return {2, 0x1E0, r | (g << 8) | (b << 16) | (a << 24), 0};
  }
  std::array<std::int32_t, 4> channels() {
    return {form().SpinEdit_R->Value(), form().SpinEdit_G->Value(), form().SpinEdit_B->Value(),
            form().SpinEdit_A->Value()};
  }

  test::SimParts sim;
  std::unique_ptr<Program> program;
};

TEST_F(MainFormTest, AFirstRunShowsWhiteHalfOpaqueTransparentAndAddsTheIcon) {
  TForm_ZEVO& f = start();
  EXPECT_EQ(channels(), (std::array<std::int32_t, 4>{255, 255, 255, 128}));
  EXPECT_EQ(f.SpinEdit_Update->Value(), 20);
  EXPECT_EQ(f.VoskThreadTimer1->Interval(), 20);
  EXPECT_TRUE(f.Tray_Accent_Transparent->Checked());
  EXPECT_FALSE(f.Tray_Accent_Standard->Checked() || f.Tray_Accent_User->Checked());
  EXPECT_FALSE(f.Tray_Flag_StartWithWindows->Checked());
  EXPECT_FALSE(f.Visible()) << "the controller stays hidden";
  EXPECT_TRUE(sim.area->shows(f.THE_TrayIcon->Record().window));
  EXPECT_EQ(f.THE_TrayIcon->Record().tip, u"Korvalen Barlume");
  EXPECT_FALSE(f.VoskThreadTimer_TrayIcon->Enabled()) << "its work is done";
  EXPECT_EQ(last_look()->accent, AccentEngine::kTransparentAccent);
  EXPECT_FALSE(stored(u"Option_R")) << "a first run writes no options";
  EXPECT_GE(sim.system->trims, 1u);
}

struct LoadCase {
  const char* what;
  std::vector<std::pair<std::u16string, std::int32_t>> values;
  std::array<std::int32_t, 4> rgba;
  std::int32_t interval;
};

TEST_F(MainFormTest, StoredOptionsLoadClampedAndOnlyWithTheRedOne) {
  const LoadCase cases[] = {
      {"only red", {{u"Option_R", 100}}, {100, 0, 0, 0}, 20},
      {"clamped", {{u"Option_R", 300}, {u"Option_G", -5}, {u"Option_B", 7}, {u"Option_A", 9},
                   {u"Option_Update", 99999}}, {255, 0, 7, 9}, 5000},
      {"interval too short", {{u"Option_R", 1}, {u"Option_Update", 1}}, {1, 0, 0, 0}, 5},
      {"interval without red", {{u"Option_Update", 40}}, {255, 255, 255, 128}, 20},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.what);
    sim = test::SimParts();
    for (const auto& [name, value] : c.values) {
      store(name, value);
    }
    TForm_ZEVO& f = start();
    EXPECT_EQ(channels(), c.rgba);
    EXPECT_EQ(f.VoskThreadTimer1->Interval(), c.interval);
    stop();
  }
}

TEST_F(MainFormTest, AnUnknownMethodLeavesTheTransparentLookAndIsSavedAsTwo) {
  store(u"Option_Method", 7);
  TForm_ZEVO& f = start();
  EXPECT_TRUE(f.Tray_Accent_Transparent->Checked());
  choose(f.Tray_Flag_StartWithWindows);
  EXPECT_EQ(stored(u"Option_Method"), 2);
}

TEST_F(MainFormTest, StartWithWindowsWritesTheQuotedPathAndClearingItDeletesIt) {
  put_run_value(u"C:\\Other\\program.exe");
  TForm_ZEVO& f = start();
  EXPECT_TRUE(f.Tray_Flag_StartWithWindows->Checked()) << "whatever path the value holds";
  choose(f.Tray_Accent_Standard);  // a save with the item still checked
  EXPECT_EQ(run_value(), std::u16string(u"\"") + kExe + u"\"")
      << "this program's path, quoted against a \"C:\\Program.exe\"";
  choose(f.Tray_Flag_StartWithWindows);
  EXPECT_FALSE(run_value());
  choose(f.Tray_Flag_StartWithWindows);
  EXPECT_EQ(run_value(), std::u16string(u"\"") + kExe + u"\"");
}

TEST_F(MainFormTest, ALookChosenIsAppliedAndStoredAndChoosingItAgainClearsIt) {
  TForm_ZEVO& f = start();
  choose(f.Tray_Accent_User);
  EXPECT_TRUE(f.Tray_Accent_User->Checked());
  EXPECT_FALSE(f.Tray_Accent_Transparent->Checked());
  EXPECT_EQ(last_look()->accent, user_look(255, 255, 255, 128));
  EXPECT_EQ(stored(u"Option_Method"), 3);
  EXPECT_EQ(stored(u"Option_R"), 255);
  EXPECT_EQ(stored(u"Option_Update"), 20);

  choose(f.Tray_Accent_User);
  EXPECT_FALSE(f.Tray_Accent_User->Checked() || f.Tray_Accent_Standard->Checked() ||
               f.Tray_Accent_Transparent->Checked());
  EXPECT_EQ(stored(u"Option_Method"), 2) << "no look checked stores 2";
  sim.shell->clear_calls();
  serve_for(100ms);
  EXPECT_EQ(sim.shell->count(Op::apply_accent) + sim.shell->count(Op::theme_changed), 0u)
      << "no look is applied any more";

  choose(f.Tray_Accent_Standard);
  EXPECT_EQ(last_look()->op, Op::theme_changed);
  EXPECT_EQ(stored(u"Option_Method"), 1);
}

TEST_F(MainFormTest, TheReapplyTimerKeepsApplyingTheLook) {
  start();
  sim.shell->clear_calls();
  serve_for(200ms);
  EXPECT_GE(sim.shell->count(Op::apply_accent), 4u) << "about every 20 ms";
}

struct QuitCase {
  MenuItem* TForm_ZEVO::*look;
  std::int32_t method;
};

TEST_F(MainFormTest, QuittingStoresTheLookThenRestoresTheSystemsLookAndEnds) {
  const QuitCase cases[] = {{&TForm_ZEVO::Tray_Accent_Standard, 1},
                            {&TForm_ZEVO::Tray_Accent_Transparent, 2},
                            {&TForm_ZEVO::Tray_Accent_User, 3}};
  for (const QuitCase& c : cases) {
    sim = test::SimParts();
    TForm_ZEVO& f = start();
    if (!(f.*c.look)->Checked()) {
      choose(f.*c.look);
    }
    choose(f.Tray_Quit);
    EXPECT_EQ(stored(u"Option_Method"), c.method);
    EXPECT_TRUE(f.Tray_Accent_Standard->Checked());
    EXPECT_EQ(last_look()->op, Op::theme_changed) << "the system's look";
    EXPECT_TRUE(program->application().Terminated());
    EXPECT_FALSE(f.VoskThreadTimer1->Enabled());
    stop();
  }
}

TEST_F(MainFormTest, TheDialogPreviewsTheUserColourAndClosingRestoresTheCheckedLook) {
  TForm_ZEVO& f = start();
  choose(f.Tray_Accent_Standard);
  bool standard_while_cleared = false;
  bool user_while_ticked = false;
  sim.ui->when_modal([&](Form&) {
    EXPECT_TRUE(f.Visible());
    user_while_ticked = last_look()->accent == user_look(255, 255, 255, 128);
    sim.ui->click(*f.CheckBox_Preview);
    standard_while_cleared = last_look()->op == Op::theme_changed;
    f.SpinEdit_G->SetValue(10);  // with the preview cleared, the taskbar is left alone
    EXPECT_EQ(last_look()->op, Op::theme_changed);
    sim.ui->click(*f.CheckBox_Preview);
    EXPECT_EQ(last_look()->accent, user_look(255, 10, 255, 128));
    sim.ui->click(*f.Button_OK);
  });
  choose(f.Tray_Accent_UserSetNow);
  EXPECT_TRUE(user_while_ticked) << "the user colour as soon as the dialog opens";
  EXPECT_TRUE(standard_while_cleared);
  EXPECT_FALSE(f.Visible());
  EXPECT_FALSE(f.Tray_Accent_User->Checked()) << "the settings item checks no look";
  EXPECT_EQ(last_look()->op, Op::theme_changed) << "closing restores the checked look";
  EXPECT_EQ(stored(u"Option_G"), 10);
  EXPECT_EQ(stored(u"Option_Method"), 1);
}

TEST_F(MainFormTest, ChannelEditsAndThePickerFollowEachOther) {
  TForm_ZEVO& f = start();
  sim.ui->when_modal([&](Form&) {
    // Typing 300 into the red edit: the picker takes 44, its low byte, and the edit follows.
    sim.ui->focus(*f.SpinEdit_R);
    sim.ui->type(u"300");
    EXPECT_EQ(f.ColorPickerHSV1->SelectedColor(), 0xFF2CFFFFu);
    EXPECT_EQ(f.SpinEdit_R->Text(), u"44");
    // An emptied channel reads 0, for the picker and for the taskbar.
    f.SpinEdit_G->SetText(u"");
    EXPECT_EQ(f.ColorPickerHSV1->SelectedColor(), 0xFF2C00FFu);
    EXPECT_EQ(last_look()->accent, user_look(44, 0, 255, 128));
    // A drag in the picker sets the channels.
    f.ColorPickerHSV1->MouseDown(MouseButton::left, kLeftButtonDown, 10, 144);
    f.ColorPickerHSV1->MouseUp(MouseButton::left, 0, 10, 144);
    EXPECT_EQ(channels(), (std::array<std::int32_t, 4>{255, 0, 0, 128}));
    sim.ui->click(*f.Button_OK);
  });
  choose(f.Tray_Accent_UserSetNow);
}

TEST_F(MainFormTest, ResetGivesWhiteAQuarterOpaqueAndTheDefaultInterval) {
  store(u"Option_R", 10);
  store(u"Option_Update", 300);
  TForm_ZEVO& f = start();
  sim.ui->when_modal([&](Form&) {
    const bool preview = f.CheckBox_Preview->Checked();
    sim.ui->click(*f.Button_Reset);
    EXPECT_EQ(channels(), (std::array<std::int32_t, 4>{255, 255, 255, 64}));
    EXPECT_EQ(f.SpinEdit_Update->Value(), 20);
    EXPECT_EQ(f.ColorPickerHSV1->SelectedColor(), 0xFFFFFFFFu);
    EXPECT_EQ(f.CheckBox_Preview->Checked(), preview);
    f.Close();  // the close box: as OK
  });
  choose(f.Tray_Accent_UserSetNow);
  EXPECT_EQ(stored(u"Option_A"), 64);
  EXPECT_EQ(stored(u"Option_Update"), 20);
  EXPECT_EQ(f.VoskThreadTimer1->Interval(), 300) << "the interval changes at the next start";
}

TEST_F(MainFormTest, TheIconIsMadeOnceItCanBeWhileTheLookIsKeptMeanwhile) {
  sim.area->fail_next_windows(3);
  program = std::make_unique<Program>(std::move(sim.parts));
  program->application().SetTitle(kProductTitle);
  TForm_ZEVO& f = program->create_main_form();
  sim.shell->clear_calls();
  ASSERT_TRUE(serve_until([&] { return f.TRAYICON_DONE; }));
  EXPECT_EQ(sim.area->live_windows(), 1u) << "three failures, then the icon";
  EXPECT_GE(sim.shell->count(Op::apply_accent), 5u) << "the re-apply timer ran meanwhile";
  EXPECT_TRUE(sim.area->shows(f.THE_TrayIcon->Record().window));
}

TEST_F(MainFormTest, TheSettingsItemWhileTheDialogIsOpenBringsItToTheFront) {
  TForm_ZEVO& f = start();
  sim.ui->when_modal([&](Form&) {
    choose(f.Tray_Accent_UserSetNow);
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(sim.ui->focused(), &f) << "the dialog came to the front";
    sim.ui->click(*f.Button_OK);
  });
  choose(f.Tray_Accent_UserSetNow);
  EXPECT_TRUE(sim.ui->errors().empty()) << "no error box";
  EXPECT_FALSE(program->application().Terminated());
}

TEST_F(MainFormTest, QuittingWhileTheDialogIsOpenEndsTheProgramWithTheLookItHad) {
  TForm_ZEVO& f = start();
  choose(f.Tray_Accent_User);
  sim.ui->when_modal([&](Form&) { choose(f.Tray_Quit); });
  choose(f.Tray_Accent_UserSetNow);
  EXPECT_FALSE(f.Visible()) << "the dialog closed";
  EXPECT_EQ(stored(u"Option_Method"), 3) << "the look checked before the quit";
  EXPECT_EQ(last_look()->op, Op::theme_changed) << "the taskbar has the system's look";
  EXPECT_TRUE(program->application().Terminated()) << "the program ends";
}

}  // namespace
}  // namespace kb
