#include "lang/language_choice.h"

#include <algorithm>
#include <optional>

#include "lang/lang_codes.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/integer_text.h"
#include "platform/locale.h"
#include "platform/text.h"
#include "runtime/registry.h"
#include "toolkit/bmp_file.h"
#include "toolkit/image_list.h"
#include "toolkit/menu.h"

namespace kb {

std::u16string CurrentLangCode;
std::int32_t CurrentLangID = 0;
std::int32_t CurrentLangID2 = 0;

std::vector<std::u16string> LangIDs;
std::vector<std::u16string> LangKeys;
std::vector<std::u16string> LangCodes;

namespace {

constexpr TColor32 kFlagTransparent = 0xFFFFFFu;

// A culture code's language and country: around its first "-".
struct CodeParts {
  std::u16string lang;
  std::u16string country;
};

CodeParts split_code(std::u16string_view code) {
  const auto dash = code.find(u'-');
  if (dash == std::u16string_view::npos) {
    return {std::u16string(code), {}};
  }
  return {std::u16string(code.substr(0, dash)), std::u16string(code.substr(dash + 1))};
}

// A code written as a language identifier: decimal digits only, not 0.
std::optional<std::int32_t> as_language_id(std::u16string_view code) {
  if (code.empty() || !std::all_of(code.begin(), code.end(),
                                   [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
    return std::nullopt;
  }
  const std::optional<std::int32_t> id = parse_int32(code);
  return id && *id != 0 ? id : std::nullopt;
}

// The first list entry equal to `wanted`, letter case ignored.
std::optional<std::size_t> position_in(const std::vector<std::u16string>& list,
                                       std::u16string_view wanted) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (equal_ignoring_ascii_case(list[i], wanted)) {
      return i;
    }
  }
  return std::nullopt;
}

void choose(std::size_t position) {
  SetCurrentLanguage(LangKeys[position], parse_int32_or(LangIDs[position], 0));
}

bool choose_code(std::u16string_view code) {
  if (const auto position = position_in(LangCodes, code)) {
    choose(*position);
    return true;
  }
  return false;
}

std::u16string with_separator(std::u16string folder) {
  if (folder.empty() || folder.back() != u'\\') {
    folder += u'\\';
  }
  return folder;
}

// The flag file of a culture code, or nothing.
std::optional<std::u16string> flag_file(FileSystem& files, const std::u16string& flags,
                                        const std::u16string& code) {
  const CodeParts parts = split_code(code);
  for (const std::u16string& candidate :
       {flags + code + u".bmp", flags + parts.lang + u"-" + parts.lang + u".bmp"}) {
    if (files.file_exists(candidate)) {
      return candidate;
    }
  }
  std::vector<std::u16string> found;
  FindFiles(files, flags, parts.lang + u"-*.bmp", found);
  if (!found.empty()) {
    return found.front();
  }
  return std::nullopt;
}

}  // namespace

void SetCurrentLanguage(std::u16string_view key, std::int32_t id) {
  CurrentLangCode.assign(key);
  CurrentLangID = id;
  CurrentLangID2 = id;
}

void ScanTranslationFolder(FileSystem& files, Locale& locale, std::u16string folder) {
  LangIDs.clear();
  LangKeys.clear();
  LangCodes.clear();
  folder = with_separator(std::move(folder));
  std::vector<std::u16string> names;
  for (const FoundEntry& entry : files.find(folder + u"*.nlang3")) {
    if (!entry.is_folder) {
      names.push_back(entry.name);
    }
  }
  // The same order on every file system: by name, letter case ignored.
  std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
    return to_ascii_upper(a) < to_ascii_upper(b);
  });
  for (const std::u16string& name : names) {
    const std::u16string key = to_ascii_lower(name.substr(0, name.find(u'.')));
    std::u16string code = key;
    if (const auto underscore = key.find(u'_'); underscore != std::u16string::npos) {
      code = key.substr(underscore + 1);
    }
    CodeParts parts = split_code(code);
    std::int32_t id = 0;
    if (const auto numbered = as_language_id(code)) {
      id = *numbered;
      code = LangIDToCode(locale, id);
      parts = split_code(code);
    } else if (!parts.lang.empty()) {
      const std::u16string doubled = parts.lang + u"-" + parts.lang;
      if (parts.country.empty()) {
        id = LangCodeToID(parts.lang);
        if (id == 0) {
          id = LangCodeToID(doubled);
        }
      } else {
        id = LangCodeToID(parts.lang + u"-" + parts.country);
        if (id == 0) {
          id = LangCodeToID(parts.lang);
        }
        if (id == 0) {
          id = LangCodeToID(doubled);
        }
      }
    }
    if (id != 0) {
      LangIDs.push_back(decimal_text(std::int64_t{id}));
      LangKeys.push_back(key);
      LangCodes.push_back(code);
    }
  }
}

void ChooseStartLanguage(FileSystem& files, Locale& locale, const std::u16string& program_folder) {
  const std::u16string lang = to_ascii_lower(UserLanguageISO(locale));
  const std::u16string country = to_ascii_lower(UserCountryISO(locale));
  const std::uint16_t system_language = locale.system_default_language();
  ScanTranslationFolder(files, locale, program_folder + u"\\Translation");

  // The default: the first English translation.
  for (std::size_t i = 0; i < LangCodes.size(); ++i) {
    if (to_ascii_lower(LangCodes[i]).starts_with(u"en")) {
      choose(i);
      break;
    }
  }
  const RegistryRoot user = RegistryRoot::current_user;
  if (REG_ValueExists(user, kOptionsKey, kForcedLanguageValue)) {
    const std::u16string forced = REG_ReadString(user, kOptionsKey, kForcedLanguageValue);
    if (const auto position = position_in(LangKeys, forced)) {
      choose(*position);
      return;
    }
    REG_DeleteValue(user, kOptionsKey, kForcedLanguageValue);
  }
  if (choose_code(country.empty() ? lang : lang + u"-" + country) || choose_code(lang)) {
    return;
  }
  constexpr std::uint16_t kGermanSwitzerland = 0x0807;
  constexpr std::uint16_t kGermanAustria = 0x0C07;
  if (system_language == kGermanSwitzerland || system_language == kGermanAustria) {
    if (!choose_code(u"de-de")) {
      choose_code(u"de");
    }
  }
}

void SetForcedLanguage(std::u16string_view key) {
  REG_WriteString(RegistryRoot::current_user, kOptionsKey, kForcedLanguageValue, key);
}

void BuildLanguageMenu(MenuItem& parent, ImageList& images, FileSystem& files, Locale& locale,
                       const std::u16string& program_folder) {
  const std::u16string flags = program_folder + u"\\Flags\\";
  for (std::size_t i = 0; i < LangIDs.size(); ++i) {
    const std::int32_t id = parse_int32_or(LangIDs[i], 0);
    MenuItem& entry = parent.create<MenuItem>(u"");
    parent.Add(entry);
    entry.SetCaption(LangIDToName(locale, id));
    entry.SetHelpContext(static_cast<std::int32_t>(i + 1));
    entry.SetOnClick(parent.OnClick());
    entry.SetRadioItem(false);
    entry.SetImageIndex(-1);
    entry.SetChecked(false);
    if (const auto file = flag_file(files, flags, LangCodes[i])) {
      // A damaged flag costs its entry the picture, never the program its start.
      try {
        if (const auto bytes = files.read_file(*file)) {
          const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
          const TBitmap32 flag = decode_bmp(std::span<const std::uint8_t>(data, bytes->size()));
          entry.SetImageIndex(static_cast<std::int32_t>(images.AddMasked(flag, kFlagTransparent)));
        }
      } catch (const Error&) {
      }
    }
  }
}

void FindFiles(FileSystem& files, const std::u16string& folder, std::u16string_view mask,
               std::vector<std::u16string>& list) {
  for (const FoundEntry& entry : files.find(folder + std::u16string(mask))) {
    if (!entry.is_folder) {
      list.push_back(folder + entry.name);
    }
  }
}

}  // namespace kb
