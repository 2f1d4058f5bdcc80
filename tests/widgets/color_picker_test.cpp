#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/scripted_widget_system.h"
#include "support/host_control.h"
#include "widgets/color_picker_hsv.h"
#include "widgets/extended_math.h"
#include "widgets/hue_fillers.h"
#include "widgets/polygon_filler.h"
#include "widgets/polygon_rasterizer.h"

namespace kb {
namespace {

// The picker's window: it logs the repaint requests.
class LoggingPeer final : public ControlPeer {
 public:
  explicit LoggingPeer(std::vector<std::string>& log) : log_(log) {}
  void changed(ControlChange) override {}
  void invalidate() override { log_.push_back("repaint"); }
  void set_focus() override {}
  void set_capture(bool) override {}

 private:
  std::vector<std::string>& log_;
};

constexpr TVisualAid kAllMarks{TVisualAidItem::vaHueLine, TVisualAidItem::vaSaturationCircle,
                               TVisualAidItem::vaSelection};

// A picker in a window that records what happens in the order it happens.
class RecordingPicker final : public TCustomColorPickerHSV {
 public:
  explicit RecordingPicker(WidgetSystem& system) : TCustomColorPickerHSV(system) {
    SetOnChanged([this](TCustomColorPicker&) {
      log.push_back("changed " + std::to_string(SelectedColor()) +
                    (BufferValid() ? " valid" : " invalid"));
    });
    AttachPeer(std::make_unique<LoggingPeer>(log));
    SetParent(&host_);
  }
  int renders = 0;
  std::vector<std::string> log;

 private:
  test::Host host_;

 protected:
  void RenderBuffer() override {
    ++renders;
    TCustomColorPickerHSV::RenderBuffer();
  }
};

class ColorPickerTest : public testing::Test {
 protected:
  ColorPickerTest() {
    picker.SetSize(345, 289);
    picker.log.clear();
  }

  void press(int x, int y, MouseButton button = MouseButton::left) {
    picker.MouseDown(button, button == MouseButton::left ? kLeftButtonDown : kRightButtonDown, x,
                     y);
  }
  void move(int x, int y) { picker.MouseMove(kLeftButtonDown, x, y); }
  void release(int x, int y) { picker.MouseUp(MouseButton::left, 0, x, y); }

  const TBitmap32& paint() { return *picker.Paint(); }

  sim::ScriptedWidgetSystem system;
  RecordingPicker picker{system};
};

TEST(ColorPickerConstruction, StartsSalmonAtTheDefaultSize) {
  sim::ScriptedWidgetSystem system;
  TColorPickerHSV picker(system);
  EXPECT_EQ(picker.SelectedColor(), 0xFFFA8072u);
  EXPECT_NEAR(picker.Hue(), 0.0171569, 1e-7);
  EXPECT_EQ(picker.Saturation(), 0.544f);
  EXPECT_NEAR(picker.Value(), 0.980392, 1e-6);
  EXPECT_EQ(picker.VisualAid(), kAllMarks);
  EXPECT_EQ(picker.VisualAidOptions().LineWidth(), 1.5f);
  EXPECT_EQ(picker.VisualAidOptions().RenderType(), TVisualAidRenderType::vatInvert);
  EXPECT_EQ(picker.VisualAidOptions().Color(), 0xAF000000u);
  EXPECT_FALSE(picker.WebSafe());
  EXPECT_FALSE(picker.Border());
  EXPECT_EQ(picker.Width(), 256);
  EXPECT_EQ(picker.Height(), 192);
  EXPECT_EQ(picker.Radius(), 95);
  EXPECT_EQ(picker.Center(), (TFloatPoint{112, 96}));
  EXPECT_EQ(picker.CircleSteps(), 61);
  EXPECT_FALSE(picker.BufferValid());
  EXPECT_EQ(picker.Paint(), nullptr) << "no window, no paint";
}

TEST_F(ColorPickerTest, GeometryAtTheDialogSize) {
  EXPECT_EQ(picker.Radius(), 143.5f);
  EXPECT_EQ(picker.Center(), (TFloatPoint{156.5f, 144.5f}));
  EXPECT_EQ(picker.CircleSteps(), 75);
  EXPECT_EQ(picker.ValueBar(), (TRect{321, 8, 337, 281}));
  EXPECT_EQ(picker.StripEdge(), 317) << "the strip begins at column 318";
}

TEST_F(ColorPickerTest, PortraitLeavesRoomBelowTheDisc) {
  picker.SetSize(200, 300);
  EXPECT_EQ(picker.Radius(), 99);
  EXPECT_EQ(picker.Center(), (TFloatPoint{100, 134}));
  EXPECT_EQ(picker.ValueBar(), (TRect{176, 8, 192, 292}));
}

TEST_F(ColorPickerTest, PressAtTheCentreGivesAGreyAtTheCurrentValue) {
  picker.SetSize(256, 192);
  picker.SetSelectedColor(0xFF00FF00u);  // value 1
  press(112, 96);
  EXPECT_EQ(picker.Hue(), 0.5f) << "atan2 of zero and zero";
  EXPECT_EQ(picker.Saturation(), 0.0f);
  EXPECT_EQ(picker.SelectedColor(), 0xFFFFFFFFu);
}

struct PressCase {
  int x, y;
  TColor32 color;
  float hue;
};

TEST_F(ColorPickerTest, PressesOnTheRimGiveFullHues) {
  picker.SetSelectedColor(0xFFFFFFFFu);  // value 1, grey
  // The centre is (156.5, 144.5): these points lie half a pixel off its axes.
  const PressCase cases[] = {
      {13, 144, HsvToColor32(hue_at({156.5f, 144.5f}, 13, 144), 1, 1), 0},       // left: red
      {156, 1, HsvToColor32(hue_at({156.5f, 144.5f}, 156, 1), 1, 1), 0.25f},     // above
      {300, 145, HsvToColor32(hue_at({156.5f, 144.5f}, 300, 145), 1, 1), 0.5f},  // right: cyan
      {5, 144, HsvToColor32(hue_at({156.5f, 144.5f}, 5, 144), 1, 1), 0},  // outside: still full
  };
  for (const PressCase& c : cases) {
    press(c.x, c.y);
    release(c.x, c.y);
    EXPECT_EQ(picker.Saturation(), 1.0f) << c.x << "," << c.y;
    EXPECT_NEAR(picker.Hue(), c.hue, 0.002) << c.x << "," << c.y;
    EXPECT_EQ(picker.SelectedColor(), c.color) << c.x << "," << c.y;
  }
  press(13, 144);
  EXPECT_EQ(picker.SelectedColor() & 0xFFFF0000u, 0xFFFF0000u) << "red";
  press(156, 1);
  EXPECT_GT((picker.SelectedColor() >> 8) & 0xFF, 250u) << "yellow-green: full green";
  EXPECT_GT((picker.SelectedColor() >> 16) & 0xFF, 120u);
  EXPECT_LT((picker.SelectedColor() >> 16) & 0xFF, 135u) << "half red";
}

TEST_F(ColorPickerTest, PressesInTheStripSetTheValue) {
  picker.SetSelectedColor(0xFF00FF00u);
  press(330, 150);
  EXPECT_NEAR(picker.Value(), 1 - (150.0 - 8) / 273, 1e-6);
  release(330, 150);
  press(318, 8);
  EXPECT_EQ(picker.Value(), 1.0f);
  press(340, -40);
  EXPECT_EQ(picker.Value(), 1.0f);
  press(330, 281);
  EXPECT_EQ(picker.Value(), 0.0f);
  press(330, 900);
  EXPECT_EQ(picker.Value(), 0.0f);
  EXPECT_EQ(picker.SelectedColor(), 0xFF000000u);
  EXPECT_EQ(picker.Hue(), 0.0f) << "black has no hue";
  EXPECT_EQ(picker.Saturation(), 0.0f);
  // The selection mark is at the centre now; raising the value yields greys.
  EXPECT_EQ(picker.SelectionPoint(), picker.Center());
  press(330, 8);
  EXPECT_EQ(picker.SelectedColor(), 0xFFFFFFFFu);
  press(317, 150);
  EXPECT_FALSE(picker.SelectedColor() == 0xFFFFFFFFu) << "column 317 belongs to the disc";
}

TEST_F(ColorPickerTest, ADragKeepsTheRoutineChosenAtThePress) {
  picker.SetSelectedColor(0xFFFFFFFFu);
  press(100, 144);
  EXPECT_TRUE(picker.Dragging());
  move(330, 100);  // into the strip, right of the centre
  EXPECT_NEAR(picker.Hue(), hue_at(picker.Center(), 330, 100), 0);
  EXPECT_EQ(picker.Saturation(), 1.0f);
  EXPECT_EQ(picker.Value(), 1.0f) << "the strip did not set the value";
  move(-500, 144);  // captured: outside the control too
  EXPECT_NEAR(picker.Hue(), 0.0, 0.001);
  release(-500, 144);
  EXPECT_FALSE(picker.Dragging());
  const TColor32 after = picker.SelectedColor();
  move(200, 100);
  EXPECT_EQ(picker.SelectedColor(), after) << "moves after the release do nothing";

  press(330, 100);  // a value drag stays one across the disc
  move(20, 200);
  EXPECT_NEAR(picker.Value(), 1 - (200.0 - 8) / 273, 1e-6);
  picker.MouseMove(0, 20, 250);  // the button is up: the release was lost
  EXPECT_FALSE(picker.Dragging());
}

TEST_F(ColorPickerTest, OtherButtonsChooseNoRoutineButReleaseEndsAny) {
  const TColor32 before = picker.SelectedColor();
  press(100, 100, MouseButton::right);
  EXPECT_FALSE(picker.Dragging());
  EXPECT_EQ(picker.SelectedColor(), before);
  press(100, 100);
  picker.MouseUp(MouseButton::right, kLeftButtonDown, 100, 100);
  EXPECT_FALSE(picker.Dragging());
}

TEST_F(ColorPickerTest, MouseEventsFollowThePickersOwnHandling) {
  TColor32 seen = 0;
  picker.SetOnMouseDown([&](TCustomColorPicker& sender, MouseButton, ShiftState, int, int) {
    seen = sender.SelectedColor();
  });
  picker.SetSelectedColor(0xFFFFFFFFu);
  press(13, 144);
  EXPECT_EQ(seen, picker.SelectedColor());
}

TEST_F(ColorPickerTest, EveryEditKeepsTheAlpha) {
  picker.SetSelectedColor(0x40FFFFFFu);
  press(13, 144);
  EXPECT_EQ(picker.SelectedColor() >> 24, 0x40u);
  press(330, 100);
  EXPECT_EQ(picker.SelectedColor() >> 24, 0x40u);
  picker.SetHue(0.6f);
  picker.SetSaturation(0.3f);
  picker.SetValue(0.7f);
  EXPECT_EQ(picker.SelectedColor() >> 24, 0x40u);
  EXPECT_NE(picker.SelectedColor(), 0x40FFFFFFu);
}

TEST_F(ColorPickerTest, ComponentSettersKeepTheirExactValue) {
  picker.SetSelectedColor(0xFF808080u);
  picker.SetHue(0.123456f);
  EXPECT_EQ(picker.Hue(), 0.123456f) << "kept, not derived from the grey";
  EXPECT_EQ(picker.SelectedColor(), 0xFF808080u) << "saturation 0: still the grey";
  picker.SetSaturation(0.5f);
  EXPECT_EQ(picker.Hue(), 0.123456f) << "the hue was preserved until this change";
  picker.SetHue(1.25f);
  EXPECT_EQ(picker.Hue(), 1.25f) << "stored unchanged, wrapped only in the conversion";
  EXPECT_EQ(picker.SelectedColor(), HsvToColor32(0.25f, 0.5f, picker.Value()));
}

TEST_F(ColorPickerTest, PressOnTheDiscReDerivesOnlyTheValue) {
  picker.SetSelectedColor(0xFF7F7F7Fu);
  press(60, 200);
  const float hue = picker.Hue();
  const float saturation = picker.Saturation();
  EXPECT_EQ(hue, hue_at(picker.Center(), 60, 200));
  const TColor32 c = picker.SelectedColor();
  const unsigned mx = std::max({(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF});
  EXPECT_EQ(picker.Value(), extended::to_single(mx / 255.0L));
  EXPECT_EQ(picker.Saturation(), saturation);
}

TEST_F(ColorPickerTest, ChangedRunsBeforeTheRepaintAndOnlyOnARealChange) {
  picker.SetSelectedColor(0xFF102030u);
  EXPECT_EQ(picker.log, (std::vector<std::string>{
                            "changed " + std::to_string(0xFF102030u) + " invalid", "repaint"}));
  picker.log.clear();
  paint();
  picker.SetSelectedColor(0xFF102030u);
  EXPECT_TRUE(picker.log.empty());
  EXPECT_TRUE(picker.BufferValid()) << "no repaint either";
  picker.SetValue(picker.Value());
  picker.SetBorder(false);
  picker.SetWebSafe(false);
  picker.SetVisualAid(picker.VisualAid());
  picker.VisualAidOptions().SetLineWidth(1.5f);
  EXPECT_TRUE(picker.log.empty());
}

TEST_F(ColorPickerTest, RendersOnlyWhenThePictureIsOutOfDate) {
  paint();
  paint();
  EXPECT_EQ(picker.renders, 1);
  picker.SetBorder(true);
  EXPECT_FALSE(picker.BufferValid());
  paint();
  paint();
  EXPECT_EQ(picker.renders, 2);
  // The options ask for a repaint; the mark colour only while it is used.
  picker.VisualAidOptions().SetColor(0xFF00FF00u);
  EXPECT_TRUE(picker.BufferValid());
  picker.VisualAidOptions().SetRenderType(TVisualAidRenderType::vatSolid);
  EXPECT_FALSE(picker.BufferValid());
  paint();
  picker.VisualAidOptions().SetColor(0xFF0000FFu);
  EXPECT_FALSE(picker.BufferValid());
  paint();
  picker.SetColor(0x00FFFFFF);
  EXPECT_FALSE(picker.BufferValid());
  paint();
  picker.SetSize(300, 200);
  EXPECT_FALSE(picker.BufferValid());
  EXPECT_EQ(paint().width(), 300);
  EXPECT_EQ(picker.renders, 6);
  EXPECT_TRUE(picker.EraseBackground());
}

TEST(ColorPickerLoading, TheDialogsSettingsGiveTheCentreMark) {
  sim::ScriptedWidgetSystem system;
  TColorPickerHSV picker(system);
  picker.SetSize(345, 289);
  picker.SetSelectedColor(0xFFFFFFFFu);
  picker.SetValue(1.0f);
  picker.SetVisualAid({TVisualAidItem::vaSelection});
  EXPECT_EQ(picker.Hue(), 0.0f);
  EXPECT_EQ(picker.Saturation(), 0.0f);
  EXPECT_EQ(picker.Value(), 1.0f);
  EXPECT_EQ(picker.SelectionPoint(), picker.Center());
}

// --- The picture ---

class PickerPictureTest : public ColorPickerTest {
 protected:
  PickerPictureTest() {
    picker.SetVisualAid({});
    picker.SetSelectedColor(0xFFFFFFFFu);
  }
};

TEST_F(PickerPictureTest, DiscPixelsHaveTheExactColoursOfTheirPoints) {
  for (const float value : {1.0f, 0.5f, 0.31f}) {
    for (const bool web_safe : {false, true}) {
      picker.SetValue(value);
      picker.SetWebSafe(web_safe);
      const TBitmap32& bitmap = paint();
      const THueSaturationCirclePolygonFiller reference(picker.Center(), picker.Radius(), value,
                                                        web_safe);
      int checked = 0;
      for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < 300; ++x) {
          const double dx = x + 0.5 - 156.5;
          const double dy = y + 0.5 - 144.5;
          if (std::hypot(dx, dy) < 142) {  // wholly inside the polygon
            ASSERT_EQ(bitmap.pixel(x, y), reference.ColorAt(x, y))
                << x << "," << y << " value " << value << " web-safe " << web_safe;
            ++checked;
          }
        }
      }
      EXPECT_GT(checked, 60000);
    }
  }
}

TEST(HueCirclePolygonFiller, ColoursByHueAtFullSaturationAndValue) {
  const TFloatPoint centre{40, 40.5f};
  TBitmap32 bitmap(80, 80, 0xFF000000u);
  THueCirclePolygonFiller filler(centre, false);
  fill_polygon(bitmap, CirclePolygon(centre, 38, -1), filler);
  for (int y = 10; y < 70; y += 3) {
    for (int x = 10; x < 70; x += 3) {
      if (std::hypot(x + 0.5 - 40, y + 0.5 - 40.5) > 36) {
        continue;
      }
      const TColor32 expected = HsvToColor32(hue_at(centre, x, y), 1, 1);
      ASSERT_EQ(filler.ColorAt(x, y), expected) << x << "," << y;
      ASSERT_EQ(bitmap.pixel(x, y), expected) << x << "," << y;
    }
  }
  THueCirclePolygonFiller web_safe(centre, true);
  TColor32 snapped = HsvToColor32(hue_at(centre, 20, 30), 1, 1);
  SnapWebSafe(snapped);
  EXPECT_EQ(web_safe.ColorAt(20, 30), snapped);
}

TEST_F(PickerPictureTest, KnownPointsAndTheBackground) {
  const TBitmap32& bitmap = paint();
  // Pixel (156, 144) lies half a pixel from the centre: saturation 0.005, nearly white.
  EXPECT_EQ(bitmap.pixel(156, 144), 0xFFFFFEFDu) << "centre";
  EXPECT_EQ(bitmap.pixel(15, 144) & 0xFFFF0000u, 0xFFFF0000u) << "left: red";
  EXPECT_EQ(bitmap.pixel(297, 144), 0xFF05FFFEu) << "right: cyan";
  EXPECT_EQ(bitmap.pixel(156, 2), 0xFF81FF01u) << "above: yellow-green";
  EXPECT_EQ(bitmap.pixel(0, 0), 0xFFF0F0F0u) << "the button face";
  EXPECT_EQ(bitmap.pixel(310, 144), 0xFFF0F0F0u) << "between disc and bar";
  EXPECT_EQ(bitmap.pixel(12, 144), 0xFFF0F0F0u) << "left of the disc";
  // The rim is blended with the background: the leftmost edge lies at x = 13.13.
  const TColor32 rim = bitmap.pixel(13, 144);
  const THueSaturationCirclePolygonFiller disc(picker.Center(), picker.Radius(), 1, false);
  const TColor32 inside = disc.ColorAt(13, 144);
  EXPECT_NE(rim, inside);
  for (int shift : {0, 8, 16}) {
    const unsigned a = (inside >> shift) & 0xFF;
    const unsigned r = (rim >> shift) & 0xFF;
    EXPECT_LE(std::min(a, 0xF0u), r);
    EXPECT_GE(std::max(a, 0xF0u), r);
  }
}

TEST_F(PickerPictureTest, TheBarRunsFromWhiteToBlackWithItsMarker) {
  picker.SetValue(0.5f);
  const TBitmap32& bitmap = paint();
  EXPECT_EQ(bitmap.pixel(321, 8), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.pixel(336, 8), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.pixel(328, 280), 0xFF000000u);
  EXPECT_EQ(bitmap.pixel(320, 100), 0xFFF0F0F0u);
  EXPECT_EQ(bitmap.pixel(337, 100), 0xFFF0F0F0u);
  EXPECT_EQ(bitmap.pixel(328, 7), 0xFFF0F0F0u);
  EXPECT_EQ(bitmap.pixel(328, 281), 0xFFF0F0F0u);
  // The marker's tip at (337, 144.5), its back at column 344: inverted button face.
  const float y = picker.ValueMarkerY();
  EXPECT_EQ(y, 144.5f);
  EXPECT_EQ(bitmap.pixel(343, 144), 0xFF0F0F0Fu);
  EXPECT_EQ(bitmap.pixel(343, 142), 0xFF0F0F0Fu);
  EXPECT_EQ(bitmap.pixel(343, 141), 0xFF101010u) << "the slanted edge takes 0.5 percent";
  EXPECT_EQ(bitmap.pixel(343, 139), 0xFFF0F0F0u) << "above the marker's back";
  EXPECT_EQ(bitmap.pixel(340, 144), 0xFF0F0F0Fu);
  EXPECT_EQ(bitmap.pixel(340, 141), 0xFFF0F0F0u) << "the marker narrows to its tip";
  EXPECT_EQ(bitmap.pixel(336, 144), 0xFF808080u) << "the bar: its row's centre, 127.5";
}

TEST_F(PickerPictureTest, MarksInvertWhatLiesUnder) {
  picker.SetVisualAid(kAllMarks);
  picker.SetSelectedColor(0xFFFFFFFFu);
  picker.SetHue(0.25f);  // straight up
  picker.SetSaturation(0.5f);
  const TBitmap32& bitmap = paint();
  const THueSaturationCirclePolygonFiller disc(picker.Center(), picker.Radius(), 1, false);
  // The hue line runs up from the centre along x = 156.5, 1.5 wide: column 156 fully, a
  // quarter of 155 and of 157.
  for (int y : {20, 60, 100}) {
    EXPECT_EQ(bitmap.pixel(156, y), InvertColor32(disc.ColorAt(156, y))) << y;
    const TColor32 beside = disc.ColorAt(157, y);
    EXPECT_EQ(bitmap.pixel(157, y), blend_color(InvertColor32(beside), beside, 64)) << y;
  }
  // The selection octagon at (156.5, 72.75) is filled with the colour.
  const TFloatPoint p = picker.SelectionPoint();
  EXPECT_NEAR(p.X, 156.5, 1e-4);
  EXPECT_NEAR(p.Y, 144.5 - 71.75, 1e-4);
  EXPECT_EQ(bitmap.pixel(154, 72), picker.SelectedColor());
  // Where the saturation circle crosses the horizontal through the centre.
  const TColor32 on_circle = bitmap.pixel(85, 144);
  EXPECT_NE(on_circle, disc.ColorAt(85, 144));
}

TEST_F(PickerPictureTest, SolidAndBlackOrWhiteMarks) {
  picker.SetVisualAid({TVisualAidItem::vaHueLine});
  picker.SetHue(0.25f);
  picker.SetSaturation(1);
  picker.VisualAidOptions().SetRenderType(TVisualAidRenderType::vatSolid);
  picker.VisualAidOptions().SetColor(0xFF0000FFu);
  picker.VisualAidOptions().SetLineWidth(2);
  const TBitmap32& solid = paint();
  EXPECT_EQ(solid.pixel(156, 60), 0xFF0000FFu);
  const THueSaturationCirclePolygonFiller disc(picker.Center(), picker.Radius(), 1, false);
  EXPECT_EQ(solid.pixel(157, 60), blend_color(0xFF0000FFu, disc.ColorAt(157, 60), 128));
  EXPECT_EQ(solid.pixel(343, 10), 0xFF0000FFu) << "the value marker too";

  // Black or white by the selected colour's luminance alone.
  picker.VisualAidOptions().SetRenderType(TVisualAidRenderType::vatBW);
  const auto marker = [&] { return paint().pixel(343, static_cast<int>(picker.ValueMarkerY())); };
  picker.SetSelectedColor(0xFF00FF00u);  // luminance 173
  EXPECT_EQ(marker(), 0xFF000000u);
  picker.SetSelectedColor(0xFF0000FFu);  // luminance 20
  EXPECT_EQ(marker(), 0xFFFFFFFFu);
  picker.SetSelectedColor(0xFF7E7E7Eu);  // luminance 126
  EXPECT_EQ(marker(), 0xFFFFFFFFu);
  picker.SetSelectedColor(0xFF7F7F7Fu);  // luminance 127
  EXPECT_EQ(marker(), 0xFF000000u);
}

TEST_F(PickerPictureTest, AnUnfilledOctagonForATransparentColour) {
  picker.SetVisualAid({TVisualAidItem::vaSelection});
  picker.SetSelectedColor(0x00FF0000u);
  const TBitmap32& bitmap = paint();
  const TFloatPoint p = picker.SelectionPoint();  // on the left rim
  const int x = static_cast<int>(p.X);
  const int y = static_cast<int>(p.Y);
  const THueSaturationCirclePolygonFiller disc(picker.Center(), picker.Radius(), 1, false);
  EXPECT_EQ(bitmap.pixel(x + 1, y), disc.ColorAt(x + 1, y)) << "inside: the disc shows";
}

TEST_F(PickerPictureTest, BorderOutlinesDiscAndBar) {
  const TColor32 rim_plain = paint().pixel(156, 1);
  picker.SetBorder(true);
  const TBitmap32& bitmap = paint();
  const TLinearGradientPolygonFiller bar(8, 0xFFFFFFFFu, 281, 0xFF000000u);
  const auto frame = [&](int y) { return blend_color(0xFF000000u, bar.color_at_row(y), 223); };
  const auto light = [&](int y) { return blend_color(0xFFFFFFFFu, bar.color_at_row(y), 102); };
  const auto dark = [&](int y) { return blend_color(0xFF000000u, bar.color_at_row(y), 51); };
  EXPECT_EQ(bitmap.pixel(325, 8), frame(8));
  EXPECT_EQ(bitmap.pixel(325, 280), frame(280));
  EXPECT_EQ(bitmap.pixel(321, 100), frame(100));
  EXPECT_EQ(bitmap.pixel(336, 100), frame(100));
  EXPECT_EQ(bitmap.pixel(321, 8), frame(8)) << "corners once";
  EXPECT_EQ(bitmap.pixel(325, 9), light(9));
  EXPECT_EQ(bitmap.pixel(322, 9), light(9)) << "the light corner once";
  EXPECT_EQ(bitmap.pixel(322, 100), light(100));
  EXPECT_EQ(bitmap.pixel(325, 279), dark(279));
  EXPECT_EQ(bitmap.pixel(335, 100), dark(100));
  EXPECT_EQ(bitmap.pixel(335, 9), light(9)) << "the top row reaches Rt - 2";
  EXPECT_EQ(bitmap.pixel(325, 100), bar.color_at_row(100));
  // The disc's outline darkens its rim.
  const TColor32 rim = bitmap.pixel(156, 1);
  EXPECT_LT(rim & 0xFF, rim_plain & 0xFF);
  EXPECT_LT((rim >> 8) & 0xFF, (rim_plain >> 8) & 0xFF);
}

// The whole picture, bit for bit, in every build: native, 64-bit and 32-bit Windows (whose
// x87 arithmetic differs from SSE's wherever the drawing strayed from extended precision or
// integers). A deliberate change of the drawing changes these fingerprints.
struct PictureCase {
  int width, height;
  float value;
  bool border, web_safe;
  TVisualAidRenderType render_type;
  std::uint64_t fingerprint;
};

TEST(PickerPictureFingerprint, IsTheSameInEveryBuild) {
  const PictureCase cases[] = {
      {256, 192, 0.31f, false, true, TVisualAidRenderType::vatBW, 0xE7C1B0DE8FDE2329u},
      {345, 289, 1.0f, false, false, TVisualAidRenderType::vatInvert, 0x2DEE700ED9A02F6Fu},
      {345, 289, 0.5f, true, false, TVisualAidRenderType::vatInvert, 0x957B69C5044A5C79u},
  };
  for (const PictureCase& c : cases) {
    sim::ScriptedWidgetSystem system;
    test::Host host;
    TColorPickerHSV picker(system);
    picker.SetParent(&host);
    picker.SetSize(c.width, c.height);
    picker.SetSelectedColor(0xFF20A0C0u);
    picker.SetValue(c.value);
    picker.SetBorder(c.border);
    picker.SetWebSafe(c.web_safe);
    picker.VisualAidOptions().SetRenderType(c.render_type);
    std::uint64_t hash = 1469598103934665603u;  // FNV-1a over the pixels
    for (TColor32 pixel : picker.Paint()->pixels()) {
      hash ^= pixel;
      hash *= 1099511628211u;
    }
    EXPECT_EQ(hash, c.fingerprint) << c.width << "x" << c.height << " value " << c.value;
  }
}

}  // namespace
}  // namespace kb
