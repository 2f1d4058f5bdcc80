#include "widgets/color32.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

#include "platform/sim/scripted_widget_system.h"

namespace kb {
namespace {

// Everything below assumes x87 extended precision for long double, as GCC and MinGW give it on
// x86; a runtime that lowered the precision control would change the colours.
TEST(ExtendedPrecision, IsInEffect) {
  volatile long double one = 1.0L;
  volatile long double tiny = LDBL_EPSILON;
  EXPECT_EQ(LDBL_MANT_DIG, 64);
  EXPECT_NE(one + tiny, one);
}

TEST(MakeColor32, TakesTheLowByteOfEachChannel) {
  EXPECT_EQ(MakeColor32(250, 128, 114, 255), 0xFFFA8072u);
  EXPECT_EQ(MakeColor32(300, 0, 0, 255), 0xFF2C0000u);
  EXPECT_EQ(MakeColor32(-1, 256, 511, 0), 0x00FF00FFu);
}

TEST(SplitColor32, DropsAlpha) {
  std::uint8_t r = 0, g = 0, b = 0;
  SplitColor32(0x80FA8072u, r, g, b);
  EXPECT_EQ(r, 250);
  EXPECT_EQ(g, 128);
  EXPECT_EQ(b, 114);
}

TEST(SystemColorToColor32, RearrangesBgrAndLooksUpSystemColours) {
  sim::ScriptedWidgetSystem system;
  system.set_system_color(15, 0x00332211);
  EXPECT_EQ(SystemColorToColor32(system, 0x00332211), 0xFF112233u);
  EXPECT_EQ(SystemColorToColor32(system, static_cast<std::int32_t>(0xFF00000Fu)), 0xFF112233u);
  EXPECT_EQ(SystemColorToColor32(system, static_cast<std::int32_t>(0x8000000Fu)), 0xFF112233u)
      << "only the low byte names the system colour";
}

struct HsvCase {
  float h, s, v;
  TColor32 expected;
};

TEST(HsvToColor32, ValueTable) {
  const HsvCase cases[] = {
      {0, 1, 1, 0xFFFF0000u},
      {1.0f / 3, 1, 1, 0xFF00FF00u},
      {2.0f / 3, 1, 1, 0xFF0000FFu},
      {0.5f, 0.5f, 0.5f, 0xFF3F7F7Fu},
      {0, 0, 0.5f, 0xFF7F7F7Fu},
      {1.0f / 6, 1, 1, 0xFFFEFF00u},  // 1/6 as a single lies just above a sector edge
      {1.25f, 1, 1, HsvToColor32(0.25f, 1, 1)},
      {-0.75f, 1, 1, HsvToColor32(0.25f, 1, 1)},
      {0, 0, 1, 0xFFFFFFFFu},
      {0.3f, 1, 0, 0xFF000000u},
  };
  for (const HsvCase& c : cases) {
    EXPECT_EQ(HsvToColor32(c.h, c.s, c.v), c.expected) << c.h << " " << c.s << " " << c.v;
  }
}

TEST(HsvToColor32, StrangeInputGivesSomeColourWithoutHarm) {
  const float nan = std::nanf("");
  const float inf = INFINITY;
  for (float x : {nan, inf, -inf, 1e30f, -1e30f}) {
    EXPECT_EQ(HsvToColor32(x, 1, 1) >> 24, 0xFFu);
    EXPECT_EQ(HsvToColor32(0.2f, x, 1) >> 24, 0xFFu);
    EXPECT_EQ(HsvToColor32(0.2f, 1, x) >> 24, 0xFFu);
  }
  EXPECT_EQ(HsvToColor32(0, 0, 2), 0xFF000000u + 254u * 0x10101u) << "510 modulo 256";
}

TEST(Color32ToHsv, ValueTableAndRoundTrip) {
  float h = -1, s = -1, v = -1;
  Color32ToHsv(0xFFFFFF00u, h, s, v);
  EXPECT_FLOAT_EQ(h, 1.0f / 6) << "red wins the tie with green";
  EXPECT_EQ(s, 1.0f);
  EXPECT_EQ(v, 1.0f);

  Color32ToHsv(0x00FA8072u, h, s, v);
  EXPECT_NEAR(h, 0.0171569, 1e-7);
  EXPECT_EQ(s, 0.544f);
  EXPECT_NEAR(v, 0.980392, 1e-6);
  EXPECT_EQ(HsvToColor32(h, s, v), 0xFFFA7F71u) << "the round trip truncates";

  Color32ToHsv(0xFF808080u, h, s, v);
  EXPECT_EQ(h, 0.0f);
  EXPECT_EQ(s, 0.0f);
  Color32ToHsv(0xFF000000u, h, s, v);
  EXPECT_EQ(v, 0.0f);
  EXPECT_EQ(s, 0.0f);
  Color32ToHsv(0xFFFF00FFu, h, s, v);  // negative before the wrap: magenta
  EXPECT_FLOAT_EQ(h, 5.0f / 6);
  Color32ToHsv(0xFF00FFFFu, h, s, v);  // green wins the tie with blue
  EXPECT_FLOAT_EQ(h, 0.5f);
}

// Every colour with channels on a coarse grid survives a round trip within one unit.
TEST(Color32ToHsv, RoundTripLosesAtMostOneUnitPerChannel) {
  for (int r = 0; r < 256; r += 15) {
    for (int g = 0; g < 256; g += 17) {
      for (int b = 0; b < 256; b += 13) {
        const TColor32 c = MakeColor32(r, g, b, 255);
        float h, s, v;
        Color32ToHsv(c, h, s, v);
        const TColor32 back = HsvToColor32(h, s, v);
        for (int shift : {0, 8, 16}) {
          const int a = static_cast<int>((c >> shift) & 0xFF);
          const int x = static_cast<int>((back >> shift) & 0xFF);
          ASSERT_LE(a - x, 1) << std::hex << c << " -> " << back;
          ASSERT_GE(a - x, 0) << std::hex << c << " -> " << back;
        }
      }
    }
  }
}

TEST(SnapWebSafe, RoundsToMultiplesOf51AndKeepsAlpha) {
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {
      {25, 0}, {26, 51}, {230, 255}, {0, 0}, {255, 255}, {127, 102}, {128, 153}};
  for (const auto& [in, out] : cases) {
    TColor32 c = 0x40000000u | in << 16 | in << 8 | in;
    SnapWebSafe(c);
    EXPECT_EQ(c, 0x40000000u | out << 16 | out << 8 | out) << in;
  }
}

TEST(InvertColor32, InvertsRgbOnly) {
  EXPECT_EQ(InvertColor32(0x80FA8072u), 0x80057F8Du);
}

TEST(CirclePolygon, StartsRightAndRunsClockwiseOnScreen) {
  const TArrayOfFloatPoint points = CirclePolygon({10, 20}, 4, 8);
  ASSERT_EQ(points.size(), 8u);
  EXPECT_EQ(points[0], (TFloatPoint{14, 20}));
  EXPECT_NEAR(points[1].X, 10 + 4 * std::cos(std::numbers::pi / 4), 1e-5);
  EXPECT_NEAR(points[1].Y, 20 + 4 * std::sin(std::numbers::pi / 4), 1e-5) << "downward on screen";
  EXPECT_NEAR(points[2].X, 10, 1e-5);
  EXPECT_NEAR(points[2].Y, 24, 1e-5);
  EXPECT_NEAR(points[4].X, 6, 1e-5);
  EXPECT_NEAR(points[6].Y, 16, 1e-5);
}

TEST(CirclePolygon, AutomaticSideCount) {
  EXPECT_EQ(CircleSteps(143.5f), 75);
  EXPECT_EQ(CircleSteps(95), 61);
  EXPECT_EQ(CircleSteps(-95), 61);
  EXPECT_EQ(CircleSteps(0), 2);
  EXPECT_EQ(CirclePolygon({0, 0}, 95, 0).size(), 61u);
  EXPECT_EQ(CirclePolygon({0, 0}, 95, -1).size(), 61u);
  EXPECT_LE(CirclePolygon({0, 0}, 1e30f, 0).size(), 1u << 20) << "bounded for huge radii";
  EXPECT_EQ(CirclePolygon({0, 0}, std::nanf(""), 0).size(), 1u);
}

}  // namespace
}  // namespace kb
