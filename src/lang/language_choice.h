#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kb {

class FileSystem;
class ImageList;
class Locale;
class MenuItem;

// The language in use: the key of its translation file (its base name, lower case; empty at
// first) and its Windows language identifier, with a twin that every assignment sets too.
extern std::u16string CurrentLangCode;
extern std::int32_t CurrentLangID;
extern std::int32_t CurrentLangID2;
void SetCurrentLanguage(std::u16string_view key, std::int32_t id);

// The installed translations as the last scan found them; entry i of each list is about the
// same file: its language identifier (decimal, never 0), its key and its culture code.
extern std::vector<std::u16string> LangIDs;
extern std::vector<std::u16string> LangKeys;
extern std::vector<std::u16string> LangCodes;

// Where the user's explicit choice of language is kept.
inline constexpr std::u16string_view kOptionsKey = u"SOFTWARE\\Korvalen\\Korvalen Barlume\\Options";
inline constexpr std::u16string_view kForcedLanguageValue = u"ForceLanguage_LCID";

// Fills the lists from the translation files ("*.nlang3") in `folder`, taken in the order of
// their names without regard to case; a file whose language has no identifier is left out.
void ScanTranslationFolder(FileSystem& files, Locale& locale, std::u16string folder);

// Chooses the language at start: the user's earlier choice while its file is installed (a
// choice whose file is gone is forgotten), else the translation of the user's locale (language
// and country, then language), else German for a Swiss or Austrian system, else the first
// English one; with none of these the current language stays as it was.
void ChooseStartLanguage(FileSystem& files, Locale& locale, const std::u16string& program_folder);

// Keeps the user's choice of a language key.
void SetForcedLanguage(std::u16string_view key);

// Appends an entry to `parent` for every listed translation: the system's name of its language,
// its place in the lists plus 1 as help context, the parent's click handler, and the flag of its
// country from the folder "Flags" when one can be read (white is transparent). A flag file that
// cannot be read leaves its entry without a picture.
void BuildLanguageMenu(MenuItem& parent, ImageList& images, FileSystem& files, Locale& locale,
                       const std::u16string& program_folder);

// Appends `folder` (which ends in "\") followed by the name of every file, not folder, that
// matches `mask` there, in the order the search gives them.
void FindFiles(FileSystem& files, const std::u16string& folder, std::u16string_view mask,
               std::vector<std::u16string>& list);

}  // namespace kb
