#include <windows.h>

#include <gtest/gtest.h>
#include <string>

#include "lang/lang.h"
#include "platform/sim/memory_file_system.h"
#include "platform/sim/recorded_debug_output.h"
#include "platform/sim/scripted_tick_clock.h"
#include "platform/win32/system_text_codec.h"

namespace kb::win32 {
namespace {

TEST(SystemTextCodec, UpperCasesByTheSystemsRules) {
  SystemTextCodec codec;
  EXPECT_EQ(codec.to_upper(u"form_zevo.tray_lang"), u"FORM_ZEVO.TRAY_LANG");
  EXPECT_EQ(codec.to_upper(u"\u00e4\u00f6\u00fc"), u"\u00c4\u00d6\u00dc");
  EXPECT_EQ(codec.to_upper(u"\u0436\u03b1x"), u"\u0416\u0391X");
  EXPECT_EQ(codec.to_upper(u""), u"");
}

TEST(SystemTextCodec, ConvertsTheAnsiCodePage) {
  SystemTextCodec codec;
  EXPECT_EQ(codec.ansi_to_text("plain ASCII=1"), u"plain ASCII=1");
  EXPECT_EQ(codec.text_to_ansi(u"plain ASCII=1"), "plain ASCII=1");
  if (GetACP() != 1252) {
    GTEST_SKIP() << "the checks below are for the Western code page; this system has " << GetACP();
  }
  EXPECT_EQ(codec.ansi_to_text("Zur\xFC"
                               "cksetzen \x80"),
            u"Zur\u00fccksetzen \u20ac");
  EXPECT_EQ(codec.text_to_ansi(u"Zur\u00fccksetzen \u20ac"),
            "Zur\xFC"
            "cksetzen \x80");
  EXPECT_EQ(codec.text_to_ansi(u"\u0416"), "?");
}

TEST(SystemTextCodec, TheCatalogueMatchesKeysInOtherLetterCaseBeyondAscii) {
  SystemTextCodec codec;
  sim::MemoryFileSystem files;
  sim::RecordedDebugOutput debug;
  sim::ScriptedTickClock clock;
  TLang lang(LangPlatform{codec, files, debug, clock});
  lang.Add_StringW(u"Form_ZEVO", u"\u00c4nderung", u"gro\u00df");
  EXPECT_EQ(lang.Get_StringW(u"FORM_zevo", u"\u00e4nderung"), u"gro\u00df");
}

}  // namespace
}  // namespace kb::win32
