#include "app/accent_engine.h"

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

#include "platform/sim/recording_shell.h"
#include "platform/text.h"
#include "support/fake_accent_inputs.h"

namespace kb::sim {

void PrintTo(const RecordingShell::Call& call, std::ostream* os) {
  switch (call.op) {
    case RecordingShell::Op::find:
      *os << "find(" << to_utf8(call.class_name) << ")";
      break;
    case RecordingShell::Op::apply_accent:
      *os << "apply(" << static_cast<std::uintptr_t>(call.window) << ", {"
          << call.accent.AccentState << ", " << call.accent.AccentFlags << ", 0x" << std::hex
          << call.accent.GradientColor << std::dec << ", " << call.accent.AnimationId << "})";
      break;
    case RecordingShell::Op::theme_changed:
      *os << "theme_changed(" << static_cast<std::uintptr_t>(call.window) << ")";
      break;
  }
}

}  // namespace kb::sim

namespace kb {
namespace {

using sim::RecordingShell;
using Op = RecordingShell::Op;
using Call = RecordingShell::Call;

using FakeInputs = test::FakeAccentInputs;
using Look = FakeInputs::Look;

Call find(const char16_t* class_name) {
  return {Op::find, class_name, WindowHandle::none, {}};
}
Call apply(WindowHandle w, AccentPolicy accent) {
  return {Op::apply_accent, {}, w, accent};
}
Call theme_changed(WindowHandle w) {
  return {Op::theme_changed, {}, w, {}};
}

class AccentEngineTest : public testing::Test {
 protected:
  // Runs the engine `times` and returns what it did to the shell.
  std::vector<Call> run(int times = 1) {
    shell.clear_calls();
    for (int i = 0; i < times; ++i) {
      engine.CustomizeTB();
    }
    return shell.calls();
  }

  RecordingShell shell;
  FakeInputs inputs;
  AccentEngine engine{shell, inputs};
  const WindowHandle primary = shell.add_window(u"Shell_TrayWnd");
};

const AccentPolicy kWhiteHalf = AccentEngine::user_accent(255, 255, 255, 128);

TEST_F(AccentEngineTest, FirstCallLooksUpBothWindowsThenEvery25thCall) {
  const std::vector<Call> first = run();
  EXPECT_EQ(first, (std::vector<Call>{find(u"Shell_TrayWnd"), find(u"Shell_SecondaryTrayWnd"),
                                      apply(primary, AccentEngine::kTransparentAccent)}));
  EXPECT_EQ(engine.state().Taskbar, primary);
  EXPECT_EQ(engine.state().Taskbar_CountDown, 25);

  EXPECT_EQ(run(24).size(), 24u) << "24 cached calls: one record each, no lookup";
  EXPECT_EQ(run().front(), find(u"Shell_TrayWnd")) << "the 25th call after a lookup";
  run(24);
  EXPECT_EQ(shell.count(Op::find), 0u);
}

TEST_F(AccentEngineTest, LooksUpOnEveryCallWhileThePrimaryTaskbarIsMissing) {
  shell.remove_window(primary);
  inputs.check(Look::standard);
  for (int call = 0; call < 3; ++call) {
    EXPECT_EQ(run(), (std::vector<Call>{find(u"Shell_TrayWnd"), find(u"Shell_SecondaryTrayWnd")}));
  }
  EXPECT_FALSE(engine.state().TB_IS_NORMAL) << "nothing sent, so the flag keeps its value";

  const WindowHandle restarted = shell.add_window(u"Shell_TrayWnd");
  EXPECT_EQ(run().back(), theme_changed(restarted));
  EXPECT_TRUE(engine.state().TB_IS_NORMAL);
}

TEST_F(AccentEngineTest, StaleAndNewWindowsWaitForTheNextScheduledLookup) {
  run();
  shell.remove_window(primary);
  const WindowHandle restarted = shell.add_window(u"Shell_TrayWnd");
  const WindowHandle secondary = shell.add_window(u"Shell_SecondaryTrayWnd");

  EXPECT_EQ(run(), std::vector<Call>{apply(primary, AccentEngine::kTransparentAccent)})
      << "the cached handle is used until the countdown runs out, even a stale one";
  run(23);
  EXPECT_EQ(run(), (std::vector<Call>{find(u"Shell_TrayWnd"), find(u"Shell_SecondaryTrayWnd"),
                                      apply(restarted, AccentEngine::kTransparentAccent),
                                      apply(secondary, AccentEngine::kTransparentAccent)}));
}

TEST_F(AccentEngineTest, EachLookGivesItsRecordOrMessage) {
  struct Case {
    const char* name;
    Look look;
    bool visible;
    bool preview;
    std::vector<Op> ops;  // to the primary window, then to the secondary one
    AccentPolicy accent;
  };
  const Case cases[] = {
      {"user look", Look::user, false, false, {Op::apply_accent}, kWhiteHalf},
      {"transparent look",
       Look::transparent,
       false,
       true,
       {Op::apply_accent},
       AccentEngine::kTransparentAccent},
      {"standard look", Look::standard, false, true, {Op::theme_changed}, {}},
      {"no look checked", Look::none, false, true, {}, {}},
      {"preview over standard", Look::standard, true, true, {Op::apply_accent}, kWhiteHalf},
      {"preview over transparent", Look::transparent, true, true, {Op::apply_accent}, kWhiteHalf},
      {"preview over no look", Look::none, true, true, {Op::apply_accent}, kWhiteHalf},
      {"dialog open, preview cleared",
       Look::transparent,
       true,
       false,
       {Op::apply_accent},
       AccentEngine::kTransparentAccent},
      {"preview ticked, dialog hidden", Look::standard, false, true, {Op::theme_changed}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingShell desktop;
    const WindowHandle first = desktop.add_window(u"Shell_TrayWnd");
    const WindowHandle second = desktop.add_window(u"Shell_SecondaryTrayWnd");
    FakeInputs form;
    form.check(c.look);
    form.visible = c.visible;
    form.preview = c.preview;
    AccentEngine fresh(desktop, form);
    fresh.CustomizeTB();

    std::vector<Call> expected{find(u"Shell_TrayWnd"), find(u"Shell_SecondaryTrayWnd")};
    for (const WindowHandle w : {first, second}) {
      for (const Op op : c.ops) {
        expected.push_back(op == Op::apply_accent ? apply(w, c.accent) : theme_changed(w));
      }
    }
    EXPECT_EQ(desktop.calls(), expected);
    EXPECT_EQ(fresh.state().TB_IS_NORMAL, c.ops == std::vector<Op>{Op::theme_changed});
  }
}

TEST_F(AccentEngineTest, StandardLookIsRestoredOncePerSwitch) {
  inputs.check(Look::standard);
  EXPECT_EQ(run().back(), theme_changed(primary));
  EXPECT_TRUE(run(30).size() == 2u) << "only the scheduled lookup, no further message";

  inputs.check(Look::user);
  run();
  EXPECT_FALSE(engine.state().TB_IS_NORMAL);
  inputs.check(Look::standard);
  EXPECT_EQ(run(3), std::vector<Call>{theme_changed(primary)});

  // Ticking the preview while the dialog is open shows the user colour; clearing it brings the
  // standard look back at once.
  inputs.visible = true;
  EXPECT_EQ(run(), std::vector<Call>{apply(primary, kWhiteHalf)});
  inputs.preview = false;
  EXPECT_EQ(run(), std::vector<Call>{theme_changed(primary)});
}

TEST_F(AccentEngineTest, NoLookCheckedLeavesTheTaskbarAndTheFlagAlone) {
  inputs.check(Look::standard);
  run();
  inputs.check(Look::none);
  EXPECT_TRUE(run(10).empty());
  EXPECT_TRUE(engine.state().TB_IS_NORMAL);

  inputs.check(Look::transparent);
  run();
  inputs.check(Look::none);
  EXPECT_TRUE(run(10).empty());
  EXPECT_FALSE(engine.state().TB_IS_NORMAL);
}

TEST_F(AccentEngineTest, UserColourIsPackedRedLowestFromTheLowBytes) {
  struct Case {
    std::int32_t r, g, b, a;
    std::uint32_t colour;
  };
  const Case cases[] = {
      {255, 128, 0, 64, 0x400080FFu},
      {0, 0, 0, 0, 0x00000000u},
      {300, 256, -1, 511, 0xFFFF002Cu},  // out-of-range values keep only their low 8 bits
  };
  inputs.check(Look::user);
  for (const Case& c : cases) {
    inputs.r = c.r;
    inputs.g = c.g;
    inputs.b = c.b;
    inputs.a = c.a;
    const std::vector<Call> calls = run();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().accent, (AccentPolicy{2, 0x1E0, c.colour, 0}));
  }
}

TEST_F(AccentEngineTest, EverySecondaryTaskbarGetsTheLook) {
  const WindowHandle second = shell.add_window(u"Shell_SecondaryTrayWnd");
  const WindowHandle third = shell.add_window(u"Shell_SecondaryTrayWnd");
  const WindowHandle fourth = shell.add_window(u"Shell_SecondaryTrayWnd");
  run();
  EXPECT_EQ(run(), (std::vector<Call>{apply(primary, AccentEngine::kTransparentAccent),
                                      apply(second, AccentEngine::kTransparentAccent),
                                      apply(third, AccentEngine::kTransparentAccent),
                                      apply(fourth, AccentEngine::kTransparentAccent)}));
  inputs.check(Look::standard);
  EXPECT_EQ(run(), (std::vector<Call>{theme_changed(primary), theme_changed(second),
                                      theme_changed(third), theme_changed(fourth)}));
}

}  // namespace
}  // namespace kb
