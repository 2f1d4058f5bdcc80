#include "app/program.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/form_zevo.h"
#include "lang/form_translation.h"
#include "support/sim_program.h"

namespace kb {
namespace {

using Args = std::vector<std::u16string>;

constexpr char16_t kTranslation[] = u"C:\\Program Files\\Korvalen Barlume\\translation";

std::string committed(const char* name) {
  std::ifstream file(std::filesystem::path(KB_SOURCE_DIR) / "translation" / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(Program, OnlyAFirstArgumentOfSaveInAnyCaseAsksForTheExport) {
  EXPECT_TRUE(wants_export(Args{u"-SAVE"}));
  EXPECT_TRUE(wants_export(Args{u"-save"}));
  EXPECT_TRUE(wants_export(Args{u"-SaVe", u"more"}));
  EXPECT_FALSE(wants_export(Args{}));
  EXPECT_FALSE(wants_export(Args{u"/save"}));
  EXPECT_FALSE(wants_export(Args{u"save"}));
  EXPECT_FALSE(wants_export(Args{u"-saved"}));
  EXPECT_FALSE(wants_export(Args{u"x", u"-save"})) << "only the first argument counts";
}

TEST(Program, ASecondCopyEndsAtOnceAndSilently) {
  test::SimParts first;
  Program running(std::move(first.parts));
  ASSERT_TRUE(running.take_single_instance());

  test::SimParts second(first.process->mutexes());
  std::size_t boxes = 0;
  second.process->set_box_handler([&](const sim::ScriptedProcess::Box&) { ++boxes; });
  EXPECT_EQ(run_program(std::move(second.parts), Args{}), 0) << "no loop: it would never end";
  EXPECT_EQ(boxes, 0u) << "no message";
}

TEST(Program, BeforeWindows10ItSaysSoAndEnds) {
  test::SimParts sim;
  sim.system->reported = WindowsVersion{6, 1};
  sim.system->kernel32 = WindowsVersion{6, 1};
  sim.system->workstation = WindowsVersion{6, 1};
  auto* process = sim.process;
  auto mutexes = process->mutexes();
  std::vector<sim::ScriptedProcess::Box> shown;
  process->set_box_handler([&](const sim::ScriptedProcess::Box& box) { shown.push_back(box); });
  EXPECT_EQ(run_program(std::move(sim.parts), Args{}), 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, u"This software requires Windows 10!");
  EXPECT_EQ(shown[0].caption, u"Korvalen Barlume");
  EXPECT_EQ(shown[0].icon, MessageIcon::error);
  EXPECT_TRUE(mutexes->empty()) << "no owner of the mutex remains";
}

class ExportTest : public testing::Test {
 protected:
  int run_export() {
    const auto timers = std::dynamic_pointer_cast<sim::SimThreads>(sim.parts.timers);
    process = sim.process;
    process->set_box_handler([this](const sim::ScriptedProcess::Box& box) { boxes.push_back(box); });
    const int code = run_program(std::move(sim.parts), Args{u"-save"});
    EXPECT_TRUE(timers->wait_until_threads_ended(std::chrono::seconds(2)));
    return code;
  }
  std::string file(const char16_t* name) {
    return sim.files->file(std::u16string(kTranslation) + u"\\" + name).value_or("(none)");
  }

  test::SimParts sim;
  sim::ScriptedProcess* process = nullptr;
  std::vector<sim::ScriptedProcess::Box> boxes;
};

TEST_F(ExportTest, AFirstExportWritesTheGermanTextsAsTheShippedFilesHoldThem) {
  sim.files->add_folder(kTranslation);
  EXPECT_EQ(run_export(), 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Translation saved...");
  EXPECT_EQ(boxes[0].icon, MessageIcon::information);
  EXPECT_EQ(file(u"de-de.nlang3"), committed("de-de.nlang3"));
  EXPECT_EQ(file(u"index.txt"), committed("index.txt"));
  EXPECT_EQ(GlobalLang, nullptr);
}

TEST_F(ExportTest, ExportingAgainChangesNothing) {
  sim.files->add_folder(kTranslation);
  sim.files->set_file(std::u16string(kTranslation) + u"\\de-de.nlang3", committed("de-de.nlang3"));
  sim.files->set_file(std::u16string(kTranslation) + u"\\index.txt", committed("index.txt"));
  EXPECT_EQ(run_export(), 0);
  EXPECT_EQ(file(u"de-de.nlang3"), committed("de-de.nlang3"));
  EXPECT_EQ(file(u"index.txt"), committed("index.txt"));
}

TEST_F(ExportTest, AFailedExportSaysWhyAndEndsWithAnErrorCode) {
  // No "translation" folder.
  EXPECT_EQ(run_export(), 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].icon, MessageIcon::error);
  EXPECT_NE(boxes[0].text.find(u"index.txt"), std::u16string::npos) << "names the file";
  EXPECT_EQ(file(u"index.txt"), "(none)");
}

TEST_F(ExportTest, AMalformedIndexEntryFailsTheExportAndKeepsBothFiles) {
  sim.files->add_folder(kTranslation);
  const std::string index = "Form_ZEVO.Tray_Quit=TEXT;abc\r\n";
  sim.files->set_file(std::u16string(kTranslation) + u"\\index.txt", index);
  EXPECT_EQ(run_export(), 1);
  EXPECT_EQ(file(u"index.txt"), index);
  EXPECT_EQ(file(u"de-de.nlang3"), "(none)");
}

}  // namespace
}  // namespace kb
