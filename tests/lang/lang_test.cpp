#include "lang/lang.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lang_test_support.h"
#include "platform/error.h"
#include "platform/text.h"

namespace kb {
namespace {

using Lines = std::vector<std::u16string>;
using sim::MemoryFileSystem;

constexpr char16_t kFile[] = u"C:\\KB\\translation\\en.nlang3";
constexpr char16_t kIndex[] = u"C:\\KB\\translation\\index.txt";

class LangTest : public testing::Test {
 protected:
  TLang& loaded(const Lines& translation, const Lines& index = {}) {
    sim.files.set_file(kFile, test::translation_file(translation));
    sim.files.set_file(kIndex, test::translation_file(index));
    lang.Load_Translation(kFile, kIndex);
    return lang;
  }
  std::u16string error_of(auto&& call) {
    try {
      call();
    } catch (const Error& e) {
      return e.message();
    }
    return u"no error";
  }

  test::SimLangPlatform sim;
  TLang lang{sim.platform};
};

TEST_F(LangTest, LookupIgnoresLetterCaseAndTakesTheFirstOfTwinKeys) {
  loaded({u"Form_ZEVO.Tray_Lang=Sprache", u"FORM_ZEVO.tray_lang=Zweite",
          u"Form_ZEVO.Label_Alpha_Hint=Transparenz (0=komplett transparent)",
          u"Form_ZEVO.\u00c4nderung=gro\u00df", u"a line without a name", u"Form_ZEVO.Leer="});

  EXPECT_EQ(lang.Get_StringW(u"form_zevo", u"TRAY_LANG"), u"Sprache");
  EXPECT_EQ(lang.GetStringWIndex(u"Form_ZEVO", u"Tray_Lang"), 0);
  EXPECT_EQ(lang.Get_StringW(u"Form_ZEVO", u"Label_Alpha_Hint"),
            u"Transparenz (0=komplett transparent)");
  EXPECT_EQ(lang.Get_StringW(u"Form_ZEVO", u"\u00e4nderung"), u"gro\u00df")
      << "the system's upper-casing, beyond ASCII";
  EXPECT_EQ(lang.GetStringWIndex(u"a line without a name", u""), -1);
  EXPECT_EQ(lang.MissingItemsInTranslation(), 0);

  EXPECT_EQ(lang.Get_StringW(u"Form_ZEVO", u"Leer"), u"");
  EXPECT_EQ(lang.Get_StringW(u"Form_ZEVO", u"Absent"), u"");
  EXPECT_EQ(lang.MissingItemsInTranslation(), 2) << "an empty text counts as missing too";

  lang.Add_StringW(u"FORM_ZEVO", u"Tray_Lang", u"Language");
  EXPECT_EQ(lang.Translation().line(0), u"FORM_ZEVO.Tray_Lang=Language");
  EXPECT_EQ(lang.Translation().line(1), u"FORM_ZEVO.tray_lang=Zweite") << "the twin stays";
  EXPECT_EQ(lang.Translation().Count(), 6u);
}

TEST_F(LangTest, LineBreaksAreStoredAsTheMarkerAndComeBackFromItInAnyLetterCase) {
  loaded({u"MESSAGES.Two=one%crlftwo", u"MESSAGES.Mixed=%CrLf%CRLF"});
  EXPECT_EQ(lang.Get_StringW(u"MESSAGES", u"Two"), u"one\r\ntwo");
  EXPECT_EQ(lang.Get_StringW(u"MESSAGES", u"Mixed"), u"\r\n\r\n");

  lang.Add_StringW(u"MESSAGES", u"Added", u"first\r\nsecond");
  EXPECT_EQ(lang.Translation().line(2), u"MESSAGES.Added=first%CRLFsecond");
  lang.Save_Translation(kFile, kIndex);
  EXPECT_EQ(sim.files.file(kFile),
            test::translation_file({u"MESSAGES.Two=one%crlftwo", u"MESSAGES.Mixed=%CrLf%CRLF",
                                    u"MESSAGES.Added=first%CRLFsecond"}));

  TLang reloaded(sim.platform);
  reloaded.Load_Translation(kFile, kIndex);
  EXPECT_EQ(reloaded.Get_StringW(u"MESSAGES", u"Added"), u"first\r\nsecond");
}

TEST_F(LangTest, ALoneCrOrLfInATextIsStoredAsALineBreakSoThatTheFileKeepsItsLines) {
  sim.files.add_folder(u"C:\\KB\\translation");
  lang.Add_StringW(u"S", u"Lf", u"a\nb");
  lang.Add_StringW(u"S", u"Cr", u"c\rd");
  lang.Save_Translation(kFile, kIndex);
  TLang reloaded(sim.platform);
  reloaded.Load_Translation(kFile, kIndex);
  EXPECT_EQ(reloaded.Translation().lines(), (Lines{u"S.Lf=a%CRLFb", u"S.Cr=c%CRLFd"}));
}

TEST_F(LangTest, TheHashFollowsEveryChange) {
  loaded({u"S.A=1", u"S.B=2"});
  EXPECT_EQ(lang.GetStringWIndex(u"S", u"B"), 1);
  lang.Translation().Put(0, u"S.B=new first");
  EXPECT_EQ(lang.GetStringWIndex(u"S", u"B"), 0) << "a replaced line that takes a name";
  EXPECT_EQ(lang.GetStringWIndex(u"S", u"A"), -1);
  lang.Translation().Put(0, u"no name");
  EXPECT_EQ(lang.GetStringWIndex(u"S", u"B"), 1);
  lang.Translation().Add(u"S.A=appended");
  lang.Translation().Add(u"S.b=twin");
  EXPECT_EQ(lang.GetStringWIndex(u"S", u"A"), 2);
  EXPECT_EQ(lang.GetStringWIndex(u"S", u"B"), 1);
  lang.Translation().assign({u"S.B=only"});
  EXPECT_EQ(lang.GetStringWIndex(u"S", u"B"), 0);
}

TEST_F(LangTest, LoadingReadsEachFileThatExistsAndReportsTheCount) {
  lang.Add_StringW(u"S", u"Kept", u"before");
  lang.Save_ToIndex(u"S", u"Kept", false, 0, u"01.00.00");
  sim.files.add_folder(u"C:\\KB\\translation");
  lang.Load_Translation(kFile, kIndex);
  EXPECT_EQ(lang.Translation().Count(), 1u) << "missing files leave the lists as they were";
  EXPECT_EQ(lang.Index().Count(), 1u);

  sim.files.set_file(kFile, test::translation_file({u"S.A=1", u"S.B=2"}));
  lang.Load_Translation(kFile, kIndex);
  EXPECT_EQ(lang.Translation().lines(), (Lines{u"S.A=1", u"S.B=2"}));
  EXPECT_EQ(lang.Index().lines(), Lines{u"S.Kept=TEXT,0,01.00.00"});
  EXPECT_EQ(sim.debug.lines(),
            (std::vector<std::u16string>{u"TranslationCount=1", u"TranslationCount=2"}));
}

TEST_F(LangTest, AFileThatCannotBeReadIsAnErrorAndChangesNeitherList) {
  sim.files.set_file(kFile, test::translation_file({u"S.A=1"}));
  sim.files.set_file(kIndex, "S.A=TEXT,0,1\r\n");
  sim.files.fail_reads(kIndex, u"Access is denied.");
  EXPECT_EQ(error_of([&] { lang.Load_Translation(kFile, kIndex); }),
            u"Cannot read \"C:\\KB\\translation\\index.txt\": Access is denied.");
  EXPECT_EQ(lang.Translation().Count(), 0u);
  EXPECT_TRUE(sim.debug.lines().empty());
}

TEST_F(LangTest, SavedFilesAreByteExactForEveryEncodingTheyWereReadIn) {
  const std::u16string line = u"Form_ZEVO.Button_Reset=Zur\u00fccksetzen";
  const std::u16string entry = u"Form_ZEVO.Button_Reset=TEXT,159,01.00.00";
  struct Case {
    const char* name;
    std::string translation;
    std::string index;
    std::string index_written;
  };
  const std::string ansi_entry = "Form_ZEVO.Button_Reset=TEXT,159,01.00.00\r\n";
  const Case cases[] = {
      {"UTF-16 LE", "\xFF\xFE" + test::utf16le(line), "\xFF\xFE" + test::utf16le(entry),
       "\xFF\xFE" + test::utf16le(entry + u"\r\n")},
      {"UTF-16 BE", "\xFE\xFF" + test::utf16be(line + u"\r\n"),
       "\xFE\xFF" + test::utf16be(entry + u"\n"), "\xFE\xFF" + test::utf16be(entry + u"\r\n")},
      {"UTF-8", "\xEF\xBB\xBF" + to_utf8(line) + "\r", "\xEF\xBB\xBF" + to_utf8(entry),
       "\xEF\xBB\xBF" + ansi_entry},
      {"ANSI",
       "Form_ZEVO.Button_Reset=Zur\xFC"
       "cksetzen",
       to_utf8(entry), ansi_entry},
  };
  for (const Case& c : cases) {
    sim.files.set_file(kFile, c.translation);
    sim.files.set_file(kIndex, c.index);
    TLang catalogue(sim.platform);
    catalogue.Load_Translation(kFile, kIndex);
    catalogue.Save_Translation(kFile, kIndex);
    EXPECT_EQ(sim.files.file(kFile), test::translation_file({line})) << c.name;
    EXPECT_EQ(sim.files.file(kIndex), c.index_written) << c.name;
  }
}

TEST_F(LangTest, EveryLineSurvivesLoadAndSaveInOrderFollowedByTheAddedKeys) {
  const Lines lines = {u"S.B=2", u"just a remark", u"", u"S.A=1", u"s.a=twin", u"=no name"};
  loaded(lines, {u"S.B=TEXT,0,01.00.00", u"# not an entry"});
  lang.Add_StringW(u"S", u"C", u"3");
  lang.Add_StringW(u"S", u"A", u"one");
  lang.Save_ToIndex(u"S", u"C", false, 7, u"02.00.00");
  lang.Save_Translation(kFile, kIndex);
  EXPECT_EQ(sim.files.file(kFile),
            test::translation_file(
                {u"S.B=2", u"just a remark", u"", u"S.A=one", u"s.a=twin", u"=no name", u"S.C=3"}));
  EXPECT_EQ(
      sim.files.file(kIndex),
      test::translation_file({u"S.B=TEXT,0,01.00.00", u"# not an entry", u"S.C=TEXT,7,02.00.00"}));
}

TEST_F(LangTest, ANewCatalogueWritesAnEmptyTranslationAndAnAnsiIndexWithoutMark) {
  sim.files.add_folder(u"C:\\KB\\translation");
  lang.Save_Translation(kFile, kIndex);
  EXPECT_EQ(sim.files.file(kFile), "\xFF\xFE");
  EXPECT_EQ(sim.files.file(kIndex), "");

  lang.Save_ToIndex(u"Form_ZEVO", u"Button_Reset", false, 159, u"01.00.00");
  lang.Save_ToIndex(u"Form_ZEVO", u"Caf\u00e9", false, 0, u"01.00.00");
  lang.Save_Translation(kFile, kIndex);
  EXPECT_EQ(sim.files.file(kIndex),
            "Form_ZEVO.Button_Reset=TEXT,159,01.00.00\r\nForm_ZEVO.Caf\xE9=TEXT,0,01.00.00\r\n");
  EXPECT_EQ(sim.files.replaced(), (std::vector<std::u16string>{kIndex, kFile, kIndex, kFile}))
      << "the index first, then the translation";
}

TEST_F(LangTest, AFailedSaveLeavesTheOldBytesOfTheFileItFailedOn) {
  const std::string old_translation = test::translation_file({u"S.A=old"});
  const std::string old_index = "S.A=TEXT,0,01.00.00\r\n";
  struct Case {
    const char* name;
    const char16_t* failing;
    MemoryFileSystem::Stage stage;
    bool index_replaced;
  };
  const Case cases[] = {
      {"disk full in the index", kIndex, MemoryFileSystem::Stage::writing, false},
      {"index in use", kIndex, MemoryFileSystem::Stage::renaming, false},
      {"disk full in the translation", kFile, MemoryFileSystem::Stage::writing, true},
      {"translation in use", kFile, MemoryFileSystem::Stage::renaming, true},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    files.set_file(kFile, old_translation);
    files.set_file(kIndex, old_index);
    files.fail_writes(c.failing, u"There is not enough space on the disk.", c.stage, 3);
    const LangPlatform platform{sim.codec, files, sim.debug, sim.clock};
    TLang catalogue(platform);
    catalogue.Load_Translation(kFile, kIndex);
    catalogue.Add_StringW(u"S", u"A", u"new");
    catalogue.Save_ToIndex(u"S", u"A", false, 5, u"02.00.00");

    EXPECT_EQ(error_of([&] { catalogue.Save_Translation(kFile, kIndex); }),
              u"Cannot write \"" + std::u16string(c.failing) +
                  u"\": There is not enough space on the disk.")
        << c.name;
    EXPECT_EQ(files.file(kFile), old_translation) << c.name;
    EXPECT_EQ(files.file(kIndex), c.index_replaced ? "S.A=TEXT,5,02.00.00\r\n" : old_index)
        << c.name;
    EXPECT_EQ(files.files().size(), 2u) << c.name << ": no temporary file is left";
  }
}

TEST_F(LangTest, IndexEntriesAreParsedByTheirFixedLayout) {
  loaded({}, {u"S.Html=HTML,0,01.00.00", u"S.Lower=html,0,01.00.00", u"S.Text=TEXT,195,1.2",
              u"S.Commas=TEXT,-5,a,b", u"S.Hex=TEXT,$12C,x"});
  struct Case {
    const char16_t* component;
    bool html;
    std::int32_t width;
    std::u16string version;
  };
  const Case cases[] = {
      {u"Html", true, 0, u"01.00.00"}, {u"lower", false, 0, u"01.00.00"},
      {u"TEXT", false, 195, u"1.2"},   {u"Commas", false, -5, u"a,b"},
      {u"Hex", false, 300, u"x"},  // the program's reading of numbers
  };
  for (const Case& c : cases) {
    bool html = !c.html;
    std::int32_t width = -1;
    std::u16string version;
    lang.Read_FromIndex(u"S", c.component, html, width, version);
    EXPECT_EQ(html, c.html) << to_utf8(c.component);
    EXPECT_EQ(width, c.width) << to_utf8(c.component);
    EXPECT_EQ(version, c.version) << to_utf8(c.component);
  }
}

TEST_F(LangTest, AnAbsentEntryLeavesTheOutputsAndAMalformedOneIsAnError) {
  loaded({}, {u"S.NoComma=TEXT,300", u"S.Word=TEXT,wide,01.00.00", u"S.Empty=",
              u"S.Big=TEXT,99999999999,x", u"S.Plus=TEXT,+-1,x", u"S.Short=HTM,7,x"});
  bool html = true;
  std::int32_t width = 42;
  std::u16string version = u"kept";
  lang.Read_FromIndex(u"S", u"Absent", html, width, version);
  EXPECT_TRUE(html);
  EXPECT_EQ(width, 42);
  EXPECT_EQ(version, u"kept");

  EXPECT_EQ(error_of([&] { lang.Read_FromIndex(u"S", u"NoComma", html, width, version); }),
            u"The index entry \"S.NoComma=TEXT,300\" in \"C:\\KB\\translation\\index.txt\" is "
            u"malformed: the comma after the width is missing.");
  EXPECT_EQ(error_of([&] { lang.Read_FromIndex(u"S", u"Word", html, width, version); }),
            u"The index entry \"S.Word=TEXT,wide,01.00.00\" in \"C:\\KB\\translation\\index.txt\" "
            u"is malformed: the width \"wide\" is not a whole number.");
  for (const char16_t* malformed : {u"Empty", u"Big", u"Plus", u"Short"}) {
    EXPECT_THROW(lang.Read_FromIndex(u"S", malformed, html, width, version), Error)
        << to_utf8(malformed);
  }
  EXPECT_EQ(width, 42) << "a malformed entry sets no output";
  EXPECT_TRUE(html);
}

TEST_F(LangTest, SaveToIndexWritesTheKindWidthAndVersion) {
  lang.Save_ToIndex(u"MESSAGES", u"MESSAGEHTML_ABOUT", false, 0, u"01.00.00");
  lang.Save_ToIndex(u"MESSAGES", u"messagehtml_lower", false, 0, u"01.00.00");
  lang.Save_ToIndex(u"Form_ZEVO", u"Label", true, 195, u"01.00.00");
  lang.Save_ToIndex(u"FORM_ZEVO", u"LABEL", false, 200, u"02.00.00");
  EXPECT_EQ(lang.Index().lines(), (Lines{u"MESSAGES.MESSAGEHTML_ABOUT=HTML,0,01.00.00",
                                         u"MESSAGES.messagehtml_lower=TEXT,0,01.00.00",
                                         u"FORM_ZEVO.LABEL=TEXT,200,02.00.00"}));
}

}  // namespace
}  // namespace kb
