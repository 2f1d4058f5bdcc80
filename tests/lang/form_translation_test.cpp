#include "lang/form_translation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "fixture_components.h"
#include "lang_test_support.h"
#include "platform/error.h"
#include "support/headless_app.h"
#include "platform/text.h"
#include "toolkit/form.h"
#include "toolkit/menu.h"
#include "toolkit/standard_controls.h"

namespace kb {
namespace {

using Lines = std::vector<std::u16string>;
using test::CaptionControl;
using test::ItemsControl;

constexpr char16_t kFolder[] = u"C:\\KB\\translation";
constexpr char16_t kEnglish[] = u"C:\\KB\\translation\\en.nlang3";
constexpr char16_t kGerman[] = u"C:\\KB\\translation\\de-de.nlang3";
constexpr char16_t kIndex[] = u"C:\\KB\\translation\\index.txt";

// The main form's translatable parts, with German captions, and a few that are not.
struct MainForm {
  MainForm() {
    form.SetTag(1);
    form.SetCaption(u"Benutzerdefiniert");
    form.SetBounds(0, 0, 661, 384);
    Label& r = form.create<Label>(u"Label_R");
    r.SetCaption(u"R");
    alpha.SetTag(1);
    alpha.SetAutoSize(false);
    alpha.SetCaption(u"Transparenz (0=komplett transparent)");
    alpha.SetBounds(442, 103, 195, 13);
    ok.SetTag(1);
    ok.SetCaption(u"Ok");
    ok.SetBounds(536, 312, 101, 26);
    preview.SetTag(1);
    preview.SetCaption(u"Vorschau live anzeigen");
    preview.SetBounds(371, 136, 266, 17);
    menu.SetTag(1);
    quit.SetTag(1);
    quit.SetCaption(u"Beenden");
    menu.Items().Add(quit);
    lang.SetTag(1);
    lang.SetCaption(u"Sprache");
    menu.Items().Add(lang);
    MenuItem& english = lang.create<MenuItem>(u"");
    english.SetCaption(u"English");
    lang.Add(english);
  }

  test::HeadlessApp headless;

  Form form{headless.app, u"TForm_ZEVO", u"Form_ZEVO"};
  Label& alpha = form.create<Label>(u"Label_Alpha_Hint");
  Button& ok = form.create<Button>(u"Button_OK");
  CheckBox& preview = form.create<CheckBox>(u"CheckBox_Preview");
  PopupMenu& menu = form.create<PopupMenu>(u"AdvPopupMenu_Tray");
  MenuItem& quit = form.create<MenuItem>(u"Tray_Quit");
  MenuItem& lang = form.create<MenuItem>(u"Tray_Lang");
};

const Lines kGermanLines = {
    u"Form_ZEVO.Form_ZEVO=Benutzerdefiniert",
    u"Form_ZEVO.Label_Alpha_Hint=Transparenz (0=komplett transparent)",
    u"Form_ZEVO.Button_OK=Ok",
    u"Form_ZEVO.CheckBox_Preview=Vorschau live anzeigen",
    u"Form_ZEVO.Tray_Quit=Beenden",
    u"Form_ZEVO.Tray_Lang=Sprache",
};
const Lines kGermanIndex = {
    u"Form_ZEVO.Form_ZEVO=TEXT,661,01.00.00", u"Form_ZEVO.Label_Alpha_Hint=TEXT,195,01.00.00",
    u"Form_ZEVO.Button_OK=TEXT,101,01.00.00", u"Form_ZEVO.CheckBox_Preview=TEXT,266,01.00.00",
    u"Form_ZEVO.Tray_Quit=TEXT,0,01.00.00",   u"Form_ZEVO.Tray_Lang=TEXT,0,01.00.00",
};
const Lines kEnglishLines = {
    u"Form_ZEVO.Form_ZEVO=User-defined",
    u"Form_ZEVO.Label_Alpha_Hint=Opacity (0=clear)",
    u"Form_ZEVO.Button_OK=OK",
    u"Form_ZEVO.CheckBox_Preview=Live preview",
    u"Form_ZEVO.Tray_Quit=Quit",
    u"Form_ZEVO.Tray_Lang=Language",
    u"Form_ZEVO.Label_R=Red",
    u"MESSAGES.MESSAGE_TRANSLATOR_NAME=Ann Smith",
    u"MESSAGES.MESSAGE_TRANSLATOR_EMAIL=ann@example.org",
};

class FormTranslationTest : public testing::Test {
 protected:
  TLang& catalogue(const Lines& translation, const Lines& index = {}) {
    lang.Translation().assign(translation);
    lang.Index().assign(index);
    return lang;
  }

  test::SimLangPlatform sim;
  test::FreshTranslationState fresh;
  TLang lang{sim.platform};
  MainForm main;
};

TEST_F(FormTranslationTest, MarkedComponentsTakeTheirTextsAndTheRestKeepTheirs) {
  catalogue(kEnglishLines);
  lang.Set_Components(u"Form_ZEVO", main.form, false);
  EXPECT_EQ(main.form.Caption(), u"User-defined");
  EXPECT_EQ(main.alpha.Caption(), u"Opacity (0=clear)");
  EXPECT_EQ(main.ok.Caption(), u"OK");
  EXPECT_EQ(main.preview.Caption(), u"Live preview");
  EXPECT_EQ(main.quit.Caption(), u"Quit");
  EXPECT_EQ(main.lang.Caption(), u"Language");
  EXPECT_EQ(main.form.FindComponent(u"Label_R")->property_text(u"Caption"), u"R")
      << "Tag 0: not translated although its key has a text";
  EXPECT_EQ(main.lang.Items(0).Caption(), u"English");
  EXPECT_EQ(lang.MissingItemsInTranslation(), 1) << "the popup menu has no text";
  EXPECT_EQ(lang.MissingObjects(), 0);
}

TEST_F(FormTranslationTest, AMissingKeyKeepsTheCaptionShownBefore) {
  catalogue(kEnglishLines);
  lang.Set_Components(u"Form_ZEVO", main.form, false);
  TLang other(sim.platform);
  other.Translation().assign({u"Form_ZEVO.Button_OK=Ok!", u"Form_ZEVO.Tray_Quit="});
  other.Set_Components(u"Form_ZEVO", main.form, false);
  EXPECT_EQ(main.ok.Caption(), u"Ok!");
  EXPECT_EQ(main.quit.Caption(), u"Quit") << "an empty text is no text";
  EXPECT_EQ(main.form.Caption(), u"User-defined");
  EXPECT_EQ(other.MissingItemsInTranslation(), 6);
}

TEST_F(FormTranslationTest, ChildrenOfAnUnmarkedParentAreStillVisited) {
  CaptionControl& panel = main.form.create<CaptionControl>(u"TPanel", u"Panel1");
  Label& inner = panel.create<Label>(u"Label_Inner");
  inner.SetTag(1);
  catalogue({u"Form_ZEVO.Panel1=Panel text", u"Form_ZEVO.Label_Inner=Inner text"});
  lang.Set_Components(u"Form_ZEVO", main.form, false);
  EXPECT_EQ(panel.Caption(), u"");
  EXPECT_EQ(inner.Caption(), u"Inner text");
}

TEST_F(FormTranslationTest, TestingPutsTheTestTextIntoEveryMarkedComponent) {
  catalogue({u"Form_ZEVO.Button_OK=OK"});
  lang.Set_Components(u"Form_ZEVO", main.form, true);
  for (const std::u16string& caption :
       {main.form.Caption(), main.alpha.Caption(), main.ok.Caption(), main.quit.Caption()}) {
    EXPECT_EQ(caption, u"TEST TRANSLATION");
  }
  EXPECT_EQ(lang.MissingItemsInTranslation(), 6) << "the lookups still count";
  EXPECT_EQ(lang.MissingObjects(), 1) << "the popup menu cannot show it";
}

TEST_F(FormTranslationTest, ItemsTakeOneLineEachAndTheLastLineFillsTheRest) {
  struct Case {
    const char16_t* class_name;
    std::u16string text;
    Lines items;
  };
  const Case cases[] = {
      {u"TListView", u"A%CRLFB", {u"A", u"B", u"B"}},
      {u"TListView", u"A%CRLFB%CRLFC%CRLFD", {u"A", u"B", u"C"}},
      {u"TListView", u"Only", {u"Only", u"Only", u"Only"}},
      {u"TAdvOfficeTabSet", u"A%CRLF%CRLFC", {u"A", u"", u"C"}},
      {u"TADVOFFICETABSET", u"A%CRLFB%CRLF", {u"A", u"B", u""}},
  };
  for (const Case& c : cases) {
    test::HeadlessApp headless;
    Form form(headless.app, u"TForm_ZEVO", u"Form_ZEVO");
    ItemsControl& items =
        form.create<ItemsControl>(c.class_name, u"Items", Lines{u"1", u"2", u"3"});
    items.SetTag(1);
    catalogue({u"Form_ZEVO.Items=" + c.text});
    lang.Set_Components(u"Form_ZEVO", form, false);
    EXPECT_EQ(items.items(), c.items) << to_utf8(c.text);
  }
}

TEST_F(FormTranslationTest, AMultiItemClassWithoutItemsTakesNoText) {
  ItemsControl& empty = main.form.create<ItemsControl>(u"TListView", u"ListView_Empty", Lines{});
  empty.SetTag(1);
  test::TreeControl& tree = main.form.create<test::TreeControl>(u"Tree", Lines{});
  tree.SetTag(1);
  catalogue({u"Form_ZEVO.ListView_Empty=A", u"Form_ZEVO.Tree=B"});
  lang.Set_Components(u"Form_ZEVO", main.form, false);
  EXPECT_EQ(lang.MissingObjects(), 2);
  EXPECT_EQ(tree.font(), u"Tahoma") << "the header font is set even without columns";
}

TEST_F(FormTranslationTest, ClassRulesForLabelsTreesAndButtons) {
  auto& html = main.form.create<test::HtmlLabel>(u"HTMLabel1");
  auto& smooth = main.form.create<test::SmoothLabel>(u"Smooth1");
  auto& tree = main.form.create<test::TreeControl>(u"Tree1", Lines{u"x", u"y"});
  auto& html_text = main.form.create<CaptionControl>(u"TAdvLabel", u"Adv1", true);
  auto& vosk = main.form.create<CaptionControl>(u"TVoskUnicodeStButton", u"Vosk1");
  auto& glow = main.form.create<CaptionControl>(u"TAdvGlowButton", u"Glow1");
  for (Component* c :
       std::initializer_list<Component*>{&html, &smooth, &tree, &html_text, &vosk, &glow}) {
    c->SetTag(1);
  }
  main.headless.ui.create_peers(vosk);
  main.headless.ui.create_peers(glow);

  catalogue({u"Form_ZEVO.HTMLabel1=<b>one</b>%CRLFtwo%CRLF", u"Form_ZEVO.Smooth1=Smooth",
             u"Form_ZEVO.Tree1=Name%CRLFSize", u"Form_ZEVO.Adv1=<i>adv</i>",
             u"Form_ZEVO.Vosk1=Vosk", u"Form_ZEVO.Glow1=Glow"});
  lang.Set_Components(u"Form_ZEVO", main.form, false);
  EXPECT_EQ(html.text_lines(), (Lines{u"<b>one</b>", u"two"}));
  EXPECT_EQ(smooth.caption_object_text(), u"Smooth");
  EXPECT_EQ(tree.columns(), (Lines{u"Name", u"Size"}));
  EXPECT_EQ(tree.font(), u"Tahoma");
  EXPECT_EQ(html_text.HTMLText(), u"<i>adv</i>") << "HTMLText comes before Caption";
  EXPECT_EQ(html_text.Caption(), u"");
  EXPECT_EQ(vosk.Caption(), u"Vosk");
  EXPECT_EQ(glow.Caption(), u"Glow");
  EXPECT_EQ(main.headless.ui.invalidations(vosk), 1u) << "this class draws its caption itself";
  EXPECT_EQ(main.headless.ui.invalidations(glow), 0u);
  EXPECT_EQ(lang.MissingObjects(), 0);
}

TEST_F(FormTranslationTest, CollectingTheMainFormWritesItsTextsWithTheirWidthsInOrder) {
  lang.Get_Components(u"Form_ZEVO", main.form, u"01.00.00");
  EXPECT_EQ(lang.Translation().lines(), kGermanLines);
  EXPECT_EQ(lang.Index().lines(), kGermanIndex);
}

TEST_F(FormTranslationTest, CollectingTheSpecialClassesGivesTheirKindsAndWidths) {
  test::HeadlessApp headless;
  Form form(headless.app, u"TForm_ZEVO", u"Form_ZEVO");
  auto add = [&form](auto& component, std::int32_t width) -> auto& {
    component.SetTag(1);
    component.SetWidth(width);
    return component;
  };
  add(form.create<ItemsControl>(u"TListView", u"List", Lines{u"Name", u"Size", u"Date"}), 300);
  add(form.create<ItemsControl>(u"TAdvOfficeTabSet", u"Tabs", Lines{u"One", u"Two"}), 300);
  add(form.create<test::TreeControl>(u"Tree", Lines{u"Col"}), 300);
  auto& html = add(form.create<test::HtmlLabel>(u"Html"), 300);
  html.set_text_lines({u"<b>a</b>", u"b"});
  add(form.create<test::HtmlLabel>(u"HtmlEmpty"), 300);
  auto& smooth = add(form.create<test::SmoothLabel>(u"Smooth"), 120);
  smooth.set_caption_object_text(u"Soft");
  add(form.create<CaptionControl>(u"TAdvGlowButton", u"Glow48"), 48).SetCaption(u"G");
  add(form.create<CaptionControl>(u"TAdvGlowButton", u"Glow49"), 49).SetCaption(u"G");
  add(form.create<CaptionControl>(u"TAdvLabel", u"Max", false, 77), 300).SetCaption(u"M");
  auto& adv = add(form.create<CaptionControl>(u"TAdvLabel", u"HtmlProp", true), 300);
  adv.SetHTMLText(u"<i>h</i>");
  adv.SetCaption(u"ignored");
  add(form.create<test::AutoSizeTypeLabel>(u"Vertical", true), 150).SetCaption(u"V");
  add(form.create<test::AutoSizeTypeLabel>(u"Both", false), 150).SetCaption(u"B");
  add(form.create<CaptionControl>(u"TRadioButton", u"Radio"), 90).SetCaption(u"R");

  lang.Get_Components(u"Form_ZEVO", form, u"02.00.00");
  EXPECT_EQ(lang.Translation().lines(),
            (Lines{u"Form_ZEVO.List=Name%CRLFSize%CRLFDate", u"Form_ZEVO.Tabs=One%CRLFTwo",
                   u"Form_ZEVO.Tree=Col", u"Form_ZEVO.Html=<b>a</b>%CRLFb%CRLF",
                   u"Form_ZEVO.Smooth=Soft", u"Form_ZEVO.Glow48=G", u"Form_ZEVO.Glow49=G",
                   u"Form_ZEVO.Max=M", u"Form_ZEVO.HtmlProp=<i>h</i>", u"Form_ZEVO.Vertical=V",
                   u"Form_ZEVO.Both=B", u"Form_ZEVO.Radio=R"}));
  EXPECT_EQ(lang.Index().lines(),
            (Lines{u"Form_ZEVO.List=TEXT,0,02.00.00", u"Form_ZEVO.Tabs=TEXT,0,02.00.00",
                   u"Form_ZEVO.Tree=TEXT,0,02.00.00", u"Form_ZEVO.Html=HTML,0,02.00.00",
                   u"Form_ZEVO.Smooth=TEXT,120,02.00.00", u"Form_ZEVO.Glow48=TEXT,48,02.00.00",
                   u"Form_ZEVO.Glow49=TEXT,23,02.00.00", u"Form_ZEVO.Max=TEXT,77,02.00.00",
                   u"Form_ZEVO.HtmlProp=HTML,0,02.00.00", u"Form_ZEVO.Vertical=TEXT,150,02.00.00",
                   u"Form_ZEVO.Both=TEXT,0,02.00.00", u"Form_ZEVO.Radio=TEXT,90,02.00.00"}))
      << "an empty HTML label has no text and no entry";
}

TEST_F(FormTranslationTest, CollectingTextsTheCatalogueHoldsChangesNeitherFile) {
  sim.files.set_file(kGerman, test::translation_file(kGermanLines));
  const std::string index = "Form_ZEVO.Form_ZEVO=TEXT,999,00.09.00\r\n";
  sim.files.set_file(kIndex, index);
  lang.Load_Translation(kGerman, kIndex);
  lang.Get_Components(u"Form_ZEVO", main.form, u"01.00.00");
  lang.Save_Translation(kGerman, kIndex);
  EXPECT_EQ(sim.files.file(kGerman), test::translation_file(kGermanLines));
  EXPECT_EQ(sim.files.file(kIndex), index);
}

TEST_F(FormTranslationTest, ARecordedWidthSurvivesAndTheKindAndVersionAreRenewed) {
  Lines german = kGermanLines;
  german.erase(german.begin() + 2);  // Button_OK is missing: it is appended
  german[1] = u"Form_ZEVO.Label_Alpha_Hint=Old text";
  catalogue(german, {u"Form_ZEVO.Label_Alpha_Hint=HTML,300,00.01.00",
                     u"Form_ZEVO.Button_OK=TEXT,0,00.01.00"});
  lang.Get_Components(u"Form_ZEVO", main.form, u"01.00.00");
  EXPECT_EQ(lang.Translation().line(1),
            u"Form_ZEVO.Label_Alpha_Hint=Transparenz (0=komplett transparent)");
  EXPECT_EQ(lang.Translation().lines().back(), u"Form_ZEVO.Button_OK=Ok");
  EXPECT_EQ(lang.Index().lines(), (Lines{u"Form_ZEVO.Label_Alpha_Hint=TEXT,300,01.00.00",
                                         u"Form_ZEVO.Button_OK=TEXT,101,01.00.00"}))
      << "a width of 0 is no recorded width";
}

TEST_F(FormTranslationTest, AMalformedIndexEntryOfAKeyBeingAddedIsAnError) {
  catalogue({}, {u"Form_ZEVO.Button_OK=TEXT,wide,01.00.00"});
  EXPECT_THROW(lang.Get_Components(u"Form_ZEVO", main.form, u"01.00.00"), Error);
}

class LoadTranslationToFormTest : public FormTranslationTest {
 protected:
  void install(const char16_t* file, const Lines& lines) {
    sim.files.set_file(file, test::translation_file(lines));
  }
};

TEST_F(LoadTranslationToFormTest, WithoutTheIndexNothingIsTranslated) {
  install(kGerman, kEnglishLines);
  sim.files.add_folder(kFolder);
  LOAD_TRANSLATION_TO_FORM(sim.platform, kFolder, u"de-de", main.form);
  EXPECT_EQ(GlobalLang, nullptr);
  EXPECT_EQ(main.ok.Caption(), u"Ok");
  EXPECT_TRUE(sim.debug.lines().empty()) << "not even the timing line";
  EXPECT_FALSE(TranslatorInfoLoaded);
}

TEST_F(LoadTranslationToFormTest, TheFirstLoadMakesTheCatalogueAndReadsTheTranslatorOnce) {
  install(kEnglish, kEnglishLines);
  install(kIndex, {});
  sim.clock = sim::ScriptedTickClock({1000, 1042});
  LOAD_TRANSLATION_TO_FORM(sim.platform, kFolder, u"en", main.form);
  ASSERT_NE(GlobalLang, nullptr);
  EXPECT_EQ(main.ok.Caption(), u"OK");
  EXPECT_EQ(TranslatorName, u"Ann Smith");
  EXPECT_EQ(TranslatorEMail, u"ann@example.org");
  EXPECT_EQ(sim.debug.lines(),
            (Lines{u"TranslationCount=9", u"LOAD_TRANSLATION_TO_FORM \"TForm_ZEVO\" took 42 ms"}));

  // A language switch drops the catalogue; the next one lacks Tray_Quit and the translator.
  GlobalLang.reset();
  install(kGerman, {u"Form_ZEVO.Button_OK=Okay"});
  LOAD_TRANSLATION_TO_FORM(sim.platform, kFolder, u"de-de", main.form);
  EXPECT_EQ(main.ok.Caption(), u"Okay");
  EXPECT_EQ(main.quit.Caption(), u"Quit") << "the English caption stays";
  EXPECT_EQ(TranslatorName, u"Ann Smith") << "read once per process";
}

TEST_F(LoadTranslationToFormTest, AnExistingCatalogueIsUsedWhateverTheKey) {
  GlobalLang = std::make_unique<TLang>(sim.platform);
  GlobalLang->Translation().assign({u"Form_ZEVO.Button_OK=From memory"});
  sim.clock = sim::ScriptedTickClock({0xFFFFFFF0u, 0x10u});
  LOAD_TRANSLATION_TO_FORM(sim.platform, kFolder, u"no-such-language", main.form);
  EXPECT_EQ(main.ok.Caption(), u"From memory");
  EXPECT_TRUE(TranslatorInfoLoaded);
  EXPECT_EQ(TranslatorName, u"") << "a translation without the keys empties them";
  EXPECT_EQ(sim.debug.lines(), Lines{u"LOAD_TRANSLATION_TO_FORM \"TForm_ZEVO\" took 32 ms"})
      << "the tick count wraps around";
}

TEST_F(LoadTranslationToFormTest, AFileThatCannotBeReadReachesTheCallerAndLeavesNoCatalogue) {
  install(kEnglish, kEnglishLines);
  install(kIndex, {});
  sim.files.fail_reads(kEnglish, u"The process cannot access the file.");
  EXPECT_THROW(LOAD_TRANSLATION_TO_FORM(sim.platform, kFolder, u"en", main.form), Error);
  EXPECT_EQ(GlobalLang, nullptr);
  EXPECT_EQ(main.ok.Caption(), u"Ok");
}

}  // namespace
}  // namespace kb
