#include "widgets/spin_edit.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/scripted_widget_system.h"
#include "platform/text.h"
#include "platform/sim/headless_ui.h"
#include "spin_glyph_files.h"
#include "toolkit/bmp_file.h"
#include "toolkit/standard_controls.h"
#include "widgets/spin_glyphs.h"

namespace kb {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct ParseCase {
  const char16_t* text;
  std::optional<std::int32_t> value;
};

TEST(ParseSpinValue, Table) {
  const ParseCase cases[] = {
      {u"0", 0},
      {u"255", 255},
      {u"  42", 42},
      {u"\t5", 5},
      {u"+7", 7},
      {u"-7", -7},
      {u"00012", 12},
      {u"$FF", 255},
      {u"xff", 255},
      {u"X10", 16},
      {u"0x1F", 31},
      {u"0X1f", 31},
      {u"-$10", -16},
      {u"+0x10", 16},
      {u"2147483647", kMax},
      {u"-2147483648", kMin},
      {u"$7FFFFFFF", kMax},
      {u"-$80000000", kMin},
      {u"2147483648", std::nullopt},
      {u"-2147483649", std::nullopt},
      {u"$80000000", std::nullopt},
      {u"$FFFFFFFF", std::nullopt},
      {u"99999999999999999999999", std::nullopt},
      {u"", std::nullopt},
      {u"   ", std::nullopt},
      {u"-", std::nullopt},
      {u"+", std::nullopt},
      {u"$", std::nullopt},
      {u"0x", std::nullopt},
      {u"-x", std::nullopt},
      {u"1.5", std::nullopt},
      {u"1,5", std::nullopt},
      {u"12 ", std::nullopt},
      {u"1a", std::nullopt},
      {u"0x1g", std::nullopt},
      {u"--1", std::nullopt},
      {u"+-1", std::nullopt},
      {u"$-1", std::nullopt},
      {u"\u0663", std::nullopt},  // an Arabic-Indic digit
  };
  for (const ParseCase& c : cases) {
    EXPECT_EQ(parse_spin_value(c.text), c.value) << to_utf8(c.text);
  }
  EXPECT_EQ(parse_spin_value(std::u16string_view(u"1\0"
                                               u"2",
                                               3)),
            std::nullopt);
}

class SpinEditTest : public testing::Test {
 protected:
  SpinEditTest() {
    edit.SetMinValue(0);
    edit.SetMaxValue(255);
    edit.SetOnChange([this](TSpinEdit& sender) { changes.push_back(to_utf8(sender.Text())); });
    ui.create_peers(edit);
    ui.create_peers(other);
  }

  void type(const std::u16string& text) {
    for (char16_t ch : text) {
      edit.KeyPress(ch);
    }
  }
  void tab_in() { ui.focus(edit, false); }
  void tab_out() { ui.focus(other, false); }

  sim::ScriptedWidgetSystem system;
  sim::HeadlessUi ui;  // the window system's focus
  TSpinEdit edit{system};
  Button other{u"Other"};
  std::vector<std::string> changes;
};

TEST_F(SpinEditTest, StartsAsZeroAndReadsUnparsableTextAsMinValue) {
  EXPECT_EQ(edit.Text(), u"0");
  EXPECT_EQ(edit.Value(), 0);
  edit.SetMinValue(5);
  edit.SetText(u"abc");
  EXPECT_EQ(edit.Value(), 5);
  edit.SetText(u"-");
  EXPECT_EQ(edit.Value(), 5) << "a lone sign";
  edit.SetText(u"300");
  EXPECT_EQ(edit.Value(), 300) << "reading never clamps";
}

struct ClampCase {
  std::int32_t min, max, in, out;
};

TEST_F(SpinEditTest, ClampValueTable) {
  const ClampCase cases[] = {
      {0, 0, 12345, 12345},
      {0, 0, -9, -9},
      {7, 7, 1, 1},
      {0, 255, -1, 0},
      {0, 255, 300, 255},
      {0, 255, 128, 128},
      {5, 5000, 4, 5},
      {10, 5, 3, 10},
      // Reversed ends: the lower test comes first, so everything below MinValue gives
      // MinValue, 7 included, and everything else MaxValue.
      {10, 5, 7, 10},
      {10, 5, 12, 5},
      {10, 5, 10, 5},
      {kMin, kMax, kMin, kMin},
  };
  for (const ClampCase& c : cases) {
    edit.SetMinValue(c.min);
    edit.SetMaxValue(c.max);
    EXPECT_EQ(edit.ClampValue(c.in), c.out) << c.min << ".." << c.max << " " << c.in;
  }
}

TEST_F(SpinEditTest, WritingValueFiresOnChangeOnceAndOnlyOnARealChange) {
  edit.SetValue(300);
  EXPECT_EQ(edit.Text(), u"255");
  EXPECT_EQ(changes, (std::vector<std::string>{"255"}));
  edit.SetValue(255);
  edit.SetValue(1000);
  EXPECT_EQ(changes.size(), 1u);
  edit.SetValue(-12);
  EXPECT_EQ(edit.Text(), u"0");
  edit.SetMinValue(-100);
  EXPECT_EQ(edit.Text(), u"0") << "a new range only applies at the next write";
  edit.SetValue(-12);
  EXPECT_EQ(edit.Text(), u"-12");
  edit.SetText(u"0012");
  edit.SetValue(12);
  EXPECT_EQ(edit.Text(), u"12") << "the number's own form";
  EXPECT_EQ(changes, (std::vector<std::string>{"255", "0", "-12", "0012", "12"}));
}

TEST_F(SpinEditTest, Typing300ThenLeavingGives255) {
  tab_in();
  EXPECT_EQ(edit.SelLength(), 1) << "AutoSelect";
  type(u"300");
  EXPECT_EQ(changes, (std::vector<std::string>{"3", "30", "300"}));
  EXPECT_EQ(edit.Value(), 300);
  EXPECT_EQ(system.beeps(), 0u);
  tab_out();
  EXPECT_EQ(edit.Text(), u"255");
  EXPECT_EQ(changes, (std::vector<std::string>{"3", "30", "300", "255"}));
}

TEST_F(SpinEditTest, AnEmptiedTextReadsMinValueAndStaysEmpty) {
  edit.SetMinValue(5);
  edit.SetMaxValue(5000);
  edit.SetValue(20);
  tab_in();
  edit.KeyPress(u'\b');
  EXPECT_EQ(edit.Text(), u"");
  EXPECT_EQ(edit.Value(), 5);
  tab_out();
  EXPECT_EQ(edit.Text(), u"");
  // Backspace at the caret, and Delete after it.
  edit.SetText(u"123");
  edit.SetSelection(2, 0);
  edit.KeyPress(u'\b');
  EXPECT_EQ(edit.Text(), u"13");
  edit.KeyDown(kVkDelete, 0);
  EXPECT_EQ(edit.Text(), u"1");
  edit.KeyDown(kVkDelete, 0);
  EXPECT_EQ(edit.Text(), u"1") << "nothing after the caret";
}

TEST_F(SpinEditTest, TheLocalesDecimalSeparatorIsAcceptedAndReadsMinValue) {
  system.set_decimal_separator(u',');
  tab_in();
  type(u"1,5");
  EXPECT_EQ(edit.Text(), u"1,5");
  EXPECT_EQ(edit.Value(), 0);
  EXPECT_EQ(system.beeps(), 0u);
  edit.KeyPress(u'.');
  EXPECT_EQ(system.beeps(), 1u) << "not this locale's separator";
  tab_out();
  EXPECT_EQ(edit.Text(), u"1,5") << "reads 0, which clamps to itself";
}

TEST_F(SpinEditTest, OnlyALatin1SeparatorCountsNotTheLowByteOfAWiderOne) {
  system.set_decimal_separator(u'\u066B');  // Arabic decimal separator; its low byte is 'k'
  EXPECT_FALSE(edit.IsAcceptedChar(u'k'));
  EXPECT_FALSE(edit.IsAcceptedChar(u'\u066B'));
  EXPECT_TRUE(edit.IsAcceptedChar(u'7'));
}

TEST_F(SpinEditTest, AcceptedCharacters) {
  for (char16_t ch : std::u16string(u"0123456789+-.\b\x01\x03\x16\x18\x1B")) {
    EXPECT_TRUE(edit.IsAcceptedChar(ch)) << static_cast<int>(ch);
  }
  for (char16_t ch : std::u16string(u"\r aZ,$x\u00B2\u0663")) {
    EXPECT_FALSE(edit.IsAcceptedChar(ch)) << static_cast<int>(ch);
  }
  edit.SetEditorEnabled(false);
  for (char16_t ch : std::u16string(u"05+-.\b ")) {
    EXPECT_FALSE(edit.IsAcceptedChar(ch)) << static_cast<int>(ch);
  }
  for (char16_t ch : std::u16string(u"\x01\x03\x16\x18\x1B")) {
    EXPECT_TRUE(edit.IsAcceptedChar(ch)) << static_cast<int>(ch);
  }
}

TEST_F(SpinEditTest, ReturnAndOtherRejectedCharactersBeepAndInsertNothing) {
  tab_in();
  edit.KeyPress(u'\r');
  edit.KeyPress(u'a');
  EXPECT_EQ(system.beeps(), 2u);
  EXPECT_EQ(edit.Text(), u"0");
  EXPECT_TRUE(changes.empty());
  EXPECT_FALSE(edit.ClaimsAllKeys()) << "Return, Tab and Escape stay the dialog's";
}

TEST_F(SpinEditTest, KeyPressHandlerSeesAndMayDropTheCharacter) {
  edit.SetOnKeyPress([](TSpinEdit&, char16_t& key) {
    if (key == u'7') {
      key = 0;
    }
  });
  tab_in();
  type(u"172");
  EXPECT_EQ(edit.Text(), u"12");
}

TEST_F(SpinEditTest, WithTheEditorDisabledTypingCutAndPasteAreRefusedButArrowsStep) {
  edit.SetEditorEnabled(false);
  edit.SetValue(10);
  changes.clear();
  tab_in();
  edit.KeyPress(u'5');
  edit.KeyPress(u'\b');
  EXPECT_EQ(system.beeps(), 2u);
  system.set_clipboard_text(u"99");
  edit.Paste();
  edit.KeyPress(0x16);  // Ctrl+V
  edit.Cut();
  EXPECT_EQ(edit.Text(), u"10");
  EXPECT_EQ(system.clipboard_text(), u"99") << "cut copied nothing";
  EXPECT_EQ(system.beeps(), 2u) << "blocked cut and paste are silent";
  edit.KeyDown(kVkUp, 0);
  EXPECT_EQ(edit.Text(), u"11");
  edit.SetSelection(0, 1);
  edit.KeyDown(kVkDelete, 0);
  EXPECT_EQ(edit.Text(), u"1") << "Delete is a key, not a typed character";
}

TEST_F(SpinEditTest, CutCopyAndPasteWhileEditable) {
  edit.SetValue(123);
  edit.SetSelection(1, 1);
  edit.Copy();
  EXPECT_EQ(system.clipboard_text(), u"2");
  edit.Cut();
  EXPECT_EQ(edit.Text(), u"13");
  system.set_clipboard_text(u"abc");
  edit.Paste();
  EXPECT_EQ(edit.Text(), u"1abc3") << "pasted text is not filtered";
  EXPECT_EQ(edit.Value(), 0);
  edit.SetReadOnly(true);
  edit.SelectAll();
  edit.Paste();
  edit.Cut();
  EXPECT_EQ(edit.Text(), u"1abc3");
}

TEST_F(SpinEditTest, MaxLengthLimitsTypingAndPasting) {
  edit.SetMaxLength(3);
  edit.SetMaxValue(0);  // no range
  tab_in();
  type(u"12345");
  EXPECT_EQ(edit.Text(), u"123");
  system.set_clipboard_text(u"99");
  edit.SetSelection(1, 1);
  edit.Paste();
  EXPECT_EQ(edit.Text(), u"193");
  edit.SetValue(123456);
  EXPECT_EQ(edit.Text(), u"123456") << "writes are not limited";
}

TEST_F(SpinEditTest, ReadOnlyStepsBeepAndLeaveTheText) {
  edit.SetValue(7);
  changes.clear();
  edit.SetReadOnly(true);
  edit.KeyDown(kVkUp, 0);
  edit.KeyDown(kVkDown, 0);
  edit.Button().MouseDown(MouseButton::left, kLeftButtonDown, 5, 3);
  edit.Button().MouseUp(MouseButton::left, 0, 5, 3);
  EXPECT_EQ(system.beeps(), 3u);
  EXPECT_EQ(edit.Text(), u"7");
  edit.KeyPress(u'5');
  EXPECT_EQ(edit.Text(), u"7") << "accepted, but a read-only edit inserts nothing";
  EXPECT_EQ(system.beeps(), 3u);
  EXPECT_TRUE(changes.empty());
}

TEST_F(SpinEditTest, StepsAtTheEndsOfTheRange) {
  edit.SetValue(255);
  changes.clear();
  edit.KeyDown(kVkUp, 0);
  EXPECT_TRUE(changes.empty()) << "the same text: no OnChange";
  EXPECT_EQ(system.beeps(), 0u);
  edit.SetIncrement(10);
  edit.KeyDown(kVkDown, 0);
  EXPECT_EQ(edit.Text(), u"245");
  edit.SetMinValue(0);
  edit.SetMaxValue(0);
  edit.SetValue(kMax);
  edit.KeyDown(kVkUp, 0);
  EXPECT_EQ(edit.Value(), kMax) << "no wrap to the negative end";
  edit.SetValue(kMin);
  edit.KeyDown(kVkDown, 0);
  EXPECT_EQ(edit.Value(), kMin);
}

TEST_F(SpinEditTest, ArrowKeysStepBeforeTheKeyDownHandler) {
  std::vector<std::u16string> seen;
  edit.SetOnKeyDown(
      [&](TSpinEdit& sender, std::uint16_t&, ShiftState) { seen.push_back(sender.Text()); });
  edit.KeyDown(kVkUp, 0);
  edit.KeyDown(kVkDown, 0);
  edit.KeyDown(kVkLeft, 0);
  EXPECT_EQ(seen, (std::vector<std::u16string>{u"1", u"0", u"0"}));
}

TEST_F(SpinEditTest, AutoSelectOnlyWhenFocusDidNotComeByAPressInside) {
  edit.SetValue(42);
  edit.SetSelection(1, 0);
  ui.focus(edit, true);
  EXPECT_EQ(edit.SelLength(), 0);
  tab_out();
  tab_in();
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_EQ(edit.SelLength(), 2);
  tab_out();
  edit.SetAutoSelect(false);
  edit.SetSelection(1, 0);
  tab_in();
  EXPECT_EQ(edit.SelLength(), 0);
}

TEST_F(SpinEditTest, EnterAndExitHandlersRunInTheirPlace) {
  std::vector<std::string> log;
  edit.SetOnEnter(
      [&](TSpinEdit& sender) { log.push_back("enter " + std::to_string(sender.SelLength())); });
  edit.SetOnExit([&](TSpinEdit& sender) { log.push_back("exit " + to_utf8(sender.Text())); });
  tab_in();
  type(u"999");
  tab_out();
  EXPECT_EQ(log, (std::vector<std::string>{"enter 1", "exit 999"}))
      << "AutoSelect before OnEnter, clamping after OnExit";
  EXPECT_EQ(edit.Text(), u"255");
}

// --- The arrow buttons ---

class SpinButtonsTest : public SpinEditTest {
 protected:
  SpinButtonsTest() {
    edit.SetBounds(384, 16, 52, 22);
    edit.SetValue(100);
    changes.clear();
  }
  TSpinButton& pair() { return edit.Button(); }
  // Points of the pair's client area: the up button's middle, the down button's middle and
  // a point outside both.
  void press_up() { pair().MouseDown(MouseButton::left, kLeftButtonDown, 7, 3); }
  void press_down() { pair().MouseDown(MouseButton::left, kLeftButtonDown, 7, 12); }
  void move_to(int x, int y) { pair().MouseMove(kLeftButtonDown, x, y); }
  void release_at(int x, int y) { pair().MouseUp(MouseButton::left, 0, x, y); }
};

TEST_F(SpinButtonsTest, DialogLayout) {
  EXPECT_EQ(edit.MinEditHeight(), 22) << "13 + 13 div 4 + 4 * 1 + 2";
  EXPECT_EQ(edit.Height(), 22);
  EXPECT_EQ(pair().Left(), 32);
  EXPECT_EQ(pair().Top(), 0);
  EXPECT_EQ(pair().Width(), 15);
  EXPECT_EQ(pair().Height(), 17);
  const TTimerSpeedButton& up = pair().UpButton();
  const TTimerSpeedButton& down = pair().DownButton();
  EXPECT_EQ((TRect{up.Left(), up.Top(), up.Width(), up.Height()}), (TRect{0, 0, 15, 8}));
  EXPECT_EQ((TRect{down.Left(), down.Top(), down.Width(), down.Height()}), (TRect{0, 7, 15, 10}));
  EXPECT_EQ(edit.ClientWidth(), 48);
  EXPECT_EQ(edit.EditRect(), (TRect{0, 0, 31, 19}));
}

TEST_F(SpinButtonsTest, OtherLayouts) {
  edit.SetBounds(0, 0, 80, 12);
  EXPECT_EQ(edit.Height(), 22) << "raised to MinEditHeight";
  edit.SetFontTextHeight(20);
  EXPECT_EQ(edit.MinEditHeight(), 20 + 16 / 4 + 4 + 2);
  EXPECT_EQ(edit.Height(), 30);
  edit.SetCtl3D(false);
  EXPECT_EQ(pair().Left(), 80 - 15);
  EXPECT_EQ(pair().Top(), 1);
  EXPECT_EQ(pair().Height(), 27);
  EXPECT_EQ(edit.EditRect(), (TRect{0, 0, 78 - 17, 29}));
  int w = 9;
  int h = 30;
  pair().LayoutButtons(w, h);
  EXPECT_EQ(w, 15) << "never narrower than 15";
  EXPECT_EQ(pair().DownButton().Top(), 14);
  EXPECT_EQ(pair().DownButton().Height(), 16);
}

TEST_F(SpinButtonsTest, AShortClickStepsOnceAtTheRelease) {
  press_up();
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(pair().UpButton().ButtonFace(), TTimerSpeedButton::Face::pressed);
  EXPECT_TRUE(pair().MouseCapture());
  system.advance(150);
  release_at(7, 3);
  EXPECT_EQ(changes, (std::vector<std::string>{"101"}));
  EXPECT_EQ(ui.focused(), &edit) << "the press gave the edit the focus";
  EXPECT_FALSE(pair().MouseCapture());
  press_down();
  release_at(7, 12);
  EXPECT_EQ(edit.Text(), u"100");
  system.advance(2000);
  EXPECT_EQ(edit.Text(), u"100") << "the timer stopped at the release";
}

TEST_F(SpinButtonsTest, AHeldPressStepsAt400MsThenEvery100Ms) {
  press_up();
  system.advance(399);
  EXPECT_TRUE(changes.empty());
  system.advance(1);
  EXPECT_EQ(edit.Text(), u"101");
  system.advance(99);
  EXPECT_EQ(edit.Text(), u"101");
  system.advance(501);  // 0.5 .. 1.0 s
  EXPECT_EQ(edit.Text(), u"107");
  release_at(7, 3);
  EXPECT_EQ(edit.Text(), u"108") << "and once more at the release";
  EXPECT_EQ(system.timers_created(), 1u);
  press_up();
  release_at(7, 3);
  EXPECT_EQ(system.timers_created(), 1u) << "the timer is reused";
}

TEST_F(SpinButtonsTest, LeavingPausesReturningResumesReleasingOutsideStepsNothing) {
  press_down();
  system.advance(450);  // one step
  move_to(7, 40);       // below the pair
  EXPECT_EQ(pair().DownButton().ButtonFace(), TTimerSpeedButton::Face::normal);
  system.advance(300);
  EXPECT_EQ(edit.Text(), u"99");
  move_to(7, 12);
  system.advance(100);
  EXPECT_EQ(edit.Text(), u"98");
  move_to(-20, 12);
  release_at(-20, 12);
  EXPECT_EQ(edit.Text(), u"98") << "no step for a release outside";

  press_up();  // a short press released outside steps nothing at all
  move_to(30, 3);
  system.advance(100);
  release_at(30, 3);
  EXPECT_EQ(edit.Text(), u"98");
}

TEST_F(SpinButtonsTest, TheEdgeOfTheButtonCountsAsInsideWhileHeld) {
  press_up();
  move_to(7, 8);  // y == height: still inside, as the button's own test has it
  release_at(7, 8);
  EXPECT_EQ(edit.Text(), u"101");
}

TEST_F(SpinButtonsTest, OtherMouseButtonsStartTheTimerButStepNothing) {
  pair().MouseDown(MouseButton::right, kRightButtonDown, 7, 3);
  EXPECT_FALSE(pair().MouseCapture());
  ASSERT_NE(pair().UpButton().RepeatTimer(), nullptr);
  EXPECT_TRUE(pair().UpButton().RepeatTimer()->running());
  system.advance(1000);
  pair().MouseUp(MouseButton::right, 0, 7, 3);
  EXPECT_TRUE(changes.empty());
  EXPECT_FALSE(pair().UpButton().RepeatTimer()->running());
  EXPECT_EQ(ui.focused(), nullptr) << "only a left press moves the focus";
}

TEST_F(SpinButtonsTest, AFailingStepStopsTheRepeatAndPassesTheErrorOn) {
  int calls = 0;
  edit.SetOnChange([&](TSpinEdit&) {
    ++calls;
    throw std::runtime_error("handler failed");
  });
  press_up();
  EXPECT_THROW(system.advance(400), std::runtime_error);
  EXPECT_FALSE(pair().UpButton().RepeatTimer()->running());
  system.advance(1000);
  EXPECT_EQ(calls, 1);
  EXPECT_THROW(release_at(7, 3), std::runtime_error);
  EXPECT_FALSE(pair().UpButton().RepeatTimer()->running());
}

TEST_F(SpinButtonsTest, LosingTheCaptureEndsTheHoldWithoutAStep) {
  press_up();
  system.advance(400);
  pair().CaptureLost();
  system.advance(500);
  release_at(7, 3);
  EXPECT_EQ(edit.Text(), u"101");
}

TEST_F(SpinButtonsTest, HotTrackingAndDisabledButtons) {
  pair().MouseMove(0, 7, 3);
  EXPECT_EQ(pair().UpButton().ButtonFace(), TTimerSpeedButton::Face::hot);
  pair().MouseMove(0, 7, 12);
  EXPECT_EQ(pair().UpButton().ButtonFace(), TTimerSpeedButton::Face::normal);
  EXPECT_EQ(pair().DownButton().ButtonFace(), TTimerSpeedButton::Face::hot);
  pair().MouseLeave();
  EXPECT_EQ(pair().DownButton().ButtonFace(), TTimerSpeedButton::Face::normal);
  pair().UpButton().SetEnabled(false);
  EXPECT_EQ(pair().UpButton().ButtonFace(), TTimerSpeedButton::Face::disabled);
  press_up();
  release_at(7, 3);
  EXPECT_EQ(edit.Text(), u"100");
}

TEST_F(SpinButtonsTest, TheFocusMarkNeverShowsInsideAnEdit) {
  press_down();
  release_at(7, 12);
  EXPECT_FALSE(pair().DownButton().TimeBtnState().contains(TTimeBtnStateItem::tbFocusRect));
  EXPECT_FALSE(pair().UpButton().TimeBtnState().contains(TTimeBtnStateItem::tbFocusRect));
  EXPECT_EQ(&pair().FocusedButton(), &pair().UpButton());
}

TEST(SpinButtonAlone, FocusMarkAndKeys) {
  sim::ScriptedWidgetSystem system;
  sim::HeadlessUi ui;
  TSpinButton pair(system);
  ui.create_peers(pair);
  EXPECT_EQ(pair.Width(), 20);
  EXPECT_EQ(pair.Height(), 25);
  pair.SetTabStop(true);
  int ups = 0;
  int downs = 0;
  pair.SetOnUpClick([&](TSpinButton&) { ++ups; });
  pair.SetOnDownClick([&](TSpinButton&) { ++downs; });
  const auto has_mark = [](TTimerSpeedButton& b) {
    return b.TimeBtnState().contains(TTimeBtnStateItem::tbFocusRect);
  };
  // A press on the lower button moves the mark there and focuses the pair.
  pair.MouseDown(MouseButton::left, kLeftButtonDown, 10, 20);
  EXPECT_EQ(ui.focused(), &pair);
  EXPECT_TRUE(has_mark(pair.DownButton()));
  EXPECT_FALSE(has_mark(pair.UpButton()));
  pair.MouseUp(MouseButton::left, 0, 10, 20);
  EXPECT_EQ(downs, 1);
  pair.KeyDown(kVkUp, 0);
  EXPECT_EQ(ups, 1);
  EXPECT_TRUE(has_mark(pair.UpButton()));
  pair.KeyDown(kVkSpace, 0);
  EXPECT_EQ(ups, 2);
  ui.leave_focus();
  EXPECT_FALSE(has_mark(pair.UpButton()));
  EXPECT_TRUE(pair.WantsArrowKeys());
}

TEST(SpinButtonAlone, ForgetsAFocusControlThatIsDestroyed) {
  sim::ScriptedWidgetSystem system;
  TSpinButton pair(system);
  {
    Button control(u"Control");
    pair.SetFocusControl(&control);
    EXPECT_EQ(pair.FocusControl(), &control);
  }
  EXPECT_EQ(pair.FocusControl(), nullptr);
  pair.MouseDown(MouseButton::left, kLeftButtonDown, 5, 5);
  pair.MouseUp(MouseButton::left, 0, 5, 5);
}

TEST(SpinGlyphs, TrianglesOfOneThreeFiveAndSevenPixels) {
  const auto up = spin_glyph_rows(false);
  EXPECT_EQ(up, (std::array<std::uint16_t, 6>{0, 0x10, 0x38, 0x7C, 0xFE, 0}));
  const auto down = spin_glyph_rows(true);
  EXPECT_EQ(down, (std::array<std::uint16_t, 6>{0, 0xFE, 0x7C, 0x38, 0x10, 0}));
  const TBitmap32 glyph = spin_glyph(false);
  EXPECT_EQ(glyph.width(), 9);
  EXPECT_EQ(glyph.height(), 6);
  EXPECT_EQ(glyph.pixel(4, 1), 0xFF000000u);
  EXPECT_EQ(glyph.pixel(0, 5), 0x00000000u) << "the transparent colour, bottom left";
  EXPECT_EQ(glyph.pixel(1, 4), 0xFF000000u);
  EXPECT_EQ(glyph.pixel(0, 4), 0x00000000u);
  sim::ScriptedWidgetSystem system;
  TSpinButton pair(system);
  EXPECT_EQ(pair.UpGlyph().pixels(), glyph.pixels());
  EXPECT_EQ(pair.DownGlyph().pixels(), spin_glyph(true).pixels());
  EXPECT_EQ(pair.UpNumGlyphs(), 1);
}

// The program's resources "SpinUp" and "SpinDown" show what the built-in glyphs hold: black
// where they are opaque, the bottom-left pixel's colour where they are transparent.
TEST(SpinGlyphs, TheResourceBitmapsAreTheBuiltInGlyphs) {
  for (const bool down : {false, true}) {
    const TBitmap32 file = down ? decode_bmp(kSpinDownBmp) : decode_bmp(kSpinUpBmp);
    const TBitmap32 glyph = spin_glyph(down);
    ASSERT_EQ(file.width(), glyph.width());
    ASSERT_EQ(file.height(), glyph.height());
    const TColor32 transparent = file.pixel(0, file.height() - 1);
    for (int y = 0; y < glyph.height(); ++y) {
      for (int x = 0; x < glyph.width(); ++x) {
        const bool opaque = (glyph.pixel(x, y) >> 24) != 0;
        EXPECT_EQ(file.pixel(x, y) != transparent, opaque) << x << "," << y << " down " << down;
        if (opaque) {
          EXPECT_EQ(file.pixel(x, y), 0xFF000000u);
        }
      }
    }
  }
}

}  // namespace
}  // namespace kb
