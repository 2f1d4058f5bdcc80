#pragma once

#include <memory>
#include <string>

#include "lang/lang.h"
#include "lang/lang_platform.h"

namespace kb {

class Component;

// The one catalogue in use, owned here for the whole process: null until the first successful
// load, dropped by a language switch before it loads the next language, and replaced by the
// export for as long as it runs. Main thread only.
extern std::unique_ptr<TLang> GlobalLang;

// Who translated the texts in use, read once per process from the catalogue's "MESSAGES"
// section; until then the maker's name and address.
extern std::u16string TranslatorName;
extern std::u16string TranslatorEMail;
extern bool TranslatorInfoLoaded;

inline constexpr std::u16string_view kMakerName = u"Korvalen";
inline constexpr std::u16string_view kMakerEMail = u"translation@korvalen.example";

// Translates `form` from the language `key` in `folder` (without a trailing separator): from
// GlobalLang when it exists, otherwise from "<folder>\<key>.nlang3" with "<folder>\index.txt",
// which becomes GlobalLang. Without both files nothing happens. Then reads the translator's
// name once and writes how long it took to the debugger output. File errors reach the caller,
// and GlobalLang then stays as it was.
void LOAD_TRANSLATION_TO_FORM(const LangPlatform& platform, const std::u16string& folder,
                              const std::u16string& key, Component& form);

// Reads TranslatorName and TranslatorEMail from GlobalLang, the first time only.
void LOAD_TRANSLATOR_INFO();

}  // namespace kb
