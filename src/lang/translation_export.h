#pragma once

#include <string>
#include <string_view>

#include "lang/lang_platform.h"

namespace kb {

class Component;

// The export mode's fixed values: the German texts built into the program, as "de-de".
inline constexpr std::u16string_view kExportKey = u"de-de";
inline constexpr std::int32_t kExportLanguageId = 7;
inline constexpr std::u16string_view kExportVersion = u"01.00.00";

// Writes the texts `form` shows into "<folder>\<key>.nlang3" and "<folder>\index.txt" (the
// index first), keeping every line the files hold and adding the keys they lack with
// `version`. Uses a catalogue of its own as GlobalLang meanwhile and leaves GlobalLang empty.
// Throws kb::Error naming the file and the reason; a file whose write failed keeps its old
// content.
void SAVE_TRANSLATION_FROM_FORM(const LangPlatform& platform, const std::u16string& folder,
                                const std::u16string& key, Component& form,
                                std::u16string_view version);

}  // namespace kb
