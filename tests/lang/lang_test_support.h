#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lang/form_translation.h"
#include "lang/lang_platform.h"
#include "platform/sim/memory_file_system.h"
#include "platform/sim/recorded_debug_output.h"
#include "platform/sim/scripted_tick_clock.h"
#include "platform/sim/windows1252_codec.h"

namespace kb::test {

// UTF-16 LE bytes of `text`, with no mark.
inline std::string utf16le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

inline std::string utf16be(std::u16string_view text) {
  std::string bytes;
  for (const char16_t c : text) {
    bytes.push_back(static_cast<char>(c >> 8));
    bytes.push_back(static_cast<char>(c & 0xFF));
  }
  return bytes;
}

// A translation file as the catalogue writes it: FF FE, then each line and CR LF.
inline std::string translation_file(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const auto& line : lines) {
    text += line + u"\r\n";
  }
  return "\xFF\xFE" + utf16le(text);
}

// The process-wide translation state as a fresh process has it; restores that when done.
class FreshTranslationState {
 public:
  FreshTranslationState() { reset(); }
  ~FreshTranslationState() { reset(); }
  FreshTranslationState(const FreshTranslationState&) = delete;
  FreshTranslationState& operator=(const FreshTranslationState&) = delete;

 private:
  static void reset() {
    GlobalLang.reset();
    TranslatorName = kMakerName;
    TranslatorEMail = kMakerEMail;
    TranslatorInfoLoaded = false;
  }
};

// The sim platform the catalogue runs on in tests: a Western code page, files in memory.
struct SimLangPlatform {
  sim::Windows1252Codec codec;
  sim::MemoryFileSystem files;
  sim::RecordedDebugOutput debug;
  sim::ScriptedTickClock clock;
  LangPlatform platform{codec, files, debug, clock};
};

}  // namespace kb::test
