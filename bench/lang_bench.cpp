// The catalogue with a large translation: loading 20,000 lines with their index, and looking
// every key up in another letter case than stored.

#include <benchmark/benchmark.h>
#include <cstddef>
#include <string>
#include <vector>

#include "lang/lang.h"
#include "platform/sim/memory_file_system.h"
#include "platform/sim/recorded_debug_output.h"
#include "platform/sim/scripted_tick_clock.h"
#include "platform/sim/windows1252_codec.h"
#include "platform/text.h"

namespace kb {
namespace {

constexpr std::size_t kLines = 20000;
constexpr char16_t kFile[] = u"C:\\KB\\translation\\en.nlang3";
constexpr char16_t kIndex[] = u"C:\\KB\\translation\\index.txt";

struct BigTranslation {
  BigTranslation() {
    std::string translation = "\xFF\xFE";
    std::string index;
    for (std::size_t i = 0; i < kLines; ++i) {
      const std::string number = std::to_string(i);
      const std::u16string line = from_utf8("Form_Big.Component_" + number + "=Text number " +
                                            number + " mit Umlaut \xC3\xA4\r\n");
      for (const char16_t c : line) {
        translation.push_back(static_cast<char>(c & 0xFF));
        translation.push_back(static_cast<char>(c >> 8));
      }
      index += "Form_Big.Component_" + number + "=TEXT,120,01.00.00\r\n";
      keys.push_back(from_utf8("Component_" + number));
      mixed_case.push_back(from_utf8("cOMPONENT_" + number));
    }
    files.set_file(kFile, std::move(translation));
    files.set_file(kIndex, std::move(index));
  }

  sim::Windows1252Codec codec;
  sim::MemoryFileSystem files;
  sim::RecordedDebugOutput debug;
  sim::ScriptedTickClock clock;
  LangPlatform platform{codec, files, debug, clock};
  std::vector<std::u16string> keys;
  std::vector<std::u16string> mixed_case;
};

BigTranslation& big() {
  static BigTranslation translation;
  return translation;
}

void BM_LangLoad20000Lines(benchmark::State& state) {
  BigTranslation& t = big();
  for (auto _ : state) {
    TLang lang(t.platform);
    lang.Load_Translation(kFile, kIndex);
    benchmark::DoNotOptimize(lang.Translation().Count());
  }
}
BENCHMARK(BM_LangLoad20000Lines)->Unit(benchmark::kMillisecond);

// Loading and the first lookup in each list, which builds their hashes of names.
void BM_LangLoad20000LinesAndHash(benchmark::State& state) {
  BigTranslation& t = big();
  for (auto _ : state) {
    TLang lang(t.platform);
    lang.Load_Translation(kFile, kIndex);
    benchmark::DoNotOptimize(lang.GetStringWIndex(u"Form_Big", t.keys.front()));
    benchmark::DoNotOptimize(lang.Index().IndexOfName(u"Form_Big.Component_0"));
  }
}
BENCHMARK(BM_LangLoad20000LinesAndHash)->Unit(benchmark::kMillisecond);

// Every key in turn, in other letter case than stored: its position, or (with `text`) its text
// with the line breaks restored.
void BM_LangLookupMixedCase(benchmark::State& state) {
  const bool text = state.range(0) != 0;
  BigTranslation& t = big();
  TLang lang(t.platform);
  lang.Load_Translation(kFile, kIndex);
  std::size_t i = 0;
  for (auto _ : state) {
    if (text) {
      benchmark::DoNotOptimize(lang.Get_StringW(u"FORM_big", t.mixed_case[i]));
    } else {
      benchmark::DoNotOptimize(lang.GetStringWIndex(u"FORM_big", t.mixed_case[i]));
    }
    i = i + 1 == kLines ? 0 : i + 1;
  }
}
BENCHMARK(BM_LangLookupMixedCase)->ArgName("text")->Arg(0)->Arg(1);

}  // namespace
}  // namespace kb
