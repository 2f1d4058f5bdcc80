#include "platform/sim/windows1252_codec.h"

#include <gtest/gtest.h>
#include <string>

#include "platform/text.h"

namespace kb::sim {
namespace {

TEST(Windows1252Codec, DecodesAndEncodesTheWesternCodePage) {
  Windows1252Codec codec;
  EXPECT_EQ(codec.ansi_to_text("Zur\xFC"
                               "ck \x80 \x9F \x81"),
            u"Zur\u00fcck \u20ac \u0178 \u0081");
  EXPECT_EQ(codec.text_to_ansi(u"Zur\u00fcck \u20ac \u0178 \u0081"),
            "Zur\xFC"
            "ck \x80 \x9F \x81");
  EXPECT_EQ(codec.text_to_ansi(u"\u0416\u4E2D"), "??") << "what the code page lacks";
}

TEST(Windows1252Codec, UpperCasesLettersOneUnitForOne) {
  Windows1252Codec codec;
  EXPECT_EQ(codec.to_upper(u"form_zevo.tray_lang"), u"FORM_ZEVO.TRAY_LANG");
  EXPECT_EQ(codec.to_upper(u"\u00e4\u00f6\u00fc\u00df\u00ff\u00f7"),
            u"\u00c4\u00d6\u00dc\u00df\u0178\u00f7");
  EXPECT_EQ(codec.to_upper(u"\u0101\u013a\u017e\u0131"), u"\u0100\u0139\u017dI");
  EXPECT_EQ(codec.to_upper(u"\u03b1\u03c2\u03ac\u0436\u0451"), u"\u0391\u03a3\u0386\u0416\u0401");
  EXPECT_EQ(codec.to_upper(u"\u4E2D1-"), u"\u4E2D1-");
}

}  // namespace
}  // namespace kb::sim
