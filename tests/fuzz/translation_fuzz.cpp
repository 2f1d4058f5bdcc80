// Arbitrary bytes as a translation file and an index file: loading them, reading every index
// entry and every text, saving both and loading them again. Nothing may crash or hang, the
// only errors are kb::Error, and the saved files give back the lines that were loaded.
//
// Input: two bytes (little-endian) with the length of the translation file, its bytes, then
// the index file's bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lang/lang.h"
#include "platform/error.h"
#include "platform/sim/memory_file_system.h"
#include "platform/sim/recorded_debug_output.h"
#include "platform/sim/scripted_tick_clock.h"
#include "platform/sim/windows1252_codec.h"

namespace {

constexpr char16_t kFile[] = u"C:\\KB\\translation\\en.nlang3";
constexpr char16_t kIndex[] = u"C:\\KB\\translation\\index.txt";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = std::min<std::size_t>(size - 2, data[0] | (std::size_t{data[1]} << 8));

  kb::sim::Windows1252Codec codec;
  kb::sim::MemoryFileSystem files;
  kb::sim::RecordedDebugOutput debug;
  kb::sim::ScriptedTickClock clock;
  const kb::LangPlatform platform{codec, files, debug, clock};
  files.set_file(kFile, std::string(input.substr(2, split)));
  files.set_file(kIndex, std::string(input.substr(2 + split)));

  kb::TLang lang(platform);
  lang.Load_Translation(kFile, kIndex);
  for (const std::u16string& line : lang.Index().lines()) {
    if (!kb::TextLineList::has_name(line)) {
      continue;
    }
    const std::u16string_view key = kb::TextLineList::name_of(line);
    const auto dot = key.find(u'.');
    const std::u16string_view section = dot == key.npos ? key : key.substr(0, dot);
    const std::u16string_view component = dot == key.npos ? u"" : key.substr(dot + 1);
    bool html = false;
    std::int32_t width = 0;
    std::u16string version;
    try {
      lang.Read_FromIndex(section, component, html, width, version);
    } catch (const kb::Error&) {
      // a malformed entry
    }
  }
  for (const std::u16string& line : lang.Translation().lines()) {
    const std::u16string_view key = kb::TextLineList::name_of(line);
    const auto dot = key.find(u'.');
    if (dot != key.npos) {
      lang.Get_StringW(key.substr(0, dot), key.substr(dot + 1));
    }
  }

  lang.Save_Translation(kFile, kIndex);
  kb::TLang reloaded(platform);
  reloaded.Load_Translation(kFile, kIndex);
  if (reloaded.Translation().lines() != lang.Translation().lines() ||
      reloaded.Index().lines() != lang.Index().lines()) {
    std::abort();
  }
  return 0;
}
