#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lang/lang_platform.h"
#include "lang/text_line_list.h"
#include "lang/translation_files.h"

namespace kb {

class Component;

// The translation catalogue: the lines of one translation file ("key=text") and of the shared
// index file ("key=KIND,WIDTH,VERSION"), in memory. A key is a section, a dot and a component
// name ("Form_ZEVO.Button_OK"), matched without regard to letter case. A line break inside a
// text is stored as "%CRLF". Lines the files hold are never dropped: saving writes every line
// loaded, in order, then the keys added since.
class TLang {
 public:
  // Create: both lists empty, both counters 0.
  explicit TLang(const LangPlatform& platform);
  ~TLang();

  TLang(const TLang&) = delete;
  TLang& operator=(const TLang&) = delete;

  // Lookups that found no text or an empty one.
  std::int32_t MissingItemsInTranslation() const { return missing_items_; }
  // Components marked for translation that received a text but had no way to show it.
  std::int32_t MissingObjects() const { return missing_objects_; }

  TextLineList& Translation() { return translation_; }
  const TextLineList& Translation() const { return translation_; }
  TextLineList& Index() { return index_; }
  const TextLineList& Index() const { return index_; }

  // Fills each list from its file when the file exists; a missing file leaves its list as it
  // was. Both files are read before either list changes. Then writes "TranslationCount=" and
  // the number of translation lines to the debugger output. Throws kb::Error naming the file
  // and the reason when a file exists but cannot be read.
  void Load_Translation(const std::u16string& translation_file, const std::u16string& index_file);

  // Replaces the index file (in the encoding it was read in; the ANSI code page when it was
  // never read), then the translation file (UTF-16 LE with its mark), each atomically. Throws
  // kb::Error naming the file and the reason; that file keeps its old content, and when the
  // translation file fails, the index file has already been replaced.
  void Save_Translation(const std::u16string& translation_file, const std::u16string& index_file);

  // The key's text with its line breaks restored; empty, and counted as missing, when the key
  // has no line or an empty text.
  std::u16string Get_StringW(std::u16string_view section_id, std::u16string_view component);
  // The position of the key's first line in Translation, or -1.
  std::int32_t GetStringWIndex(std::u16string_view section_id, std::u16string_view component) const;
  // Sets the key's text: replaces its first line, or appends one.
  void Add_StringW(std::u16string_view section_id, std::u16string_view component_name,
                   std::u16string_view text);

  // The key's index entry. Outputs are untouched when the key has none. Throws kb::Error, and
  // sets no output, when the width is not a whole number or the comma after it is missing.
  void Read_FromIndex(std::u16string_view section_id, std::u16string_view component_name,
                      bool& html, std::int32_t& max_width, std::u16string& version) const;
  // Sets the key's index entry: replaces its first line, or appends one. A component name
  // holding "MESSAGEHTML_" always gives the kind HTML.
  void Save_ToIndex(std::u16string_view section_id, std::u16string_view component_name, bool html,
                    std::int32_t max_width, std::u16string_view version);

  // Puts the texts into `obj` and every component it owns, recursively: each component whose
  // Tag is not 0 gets the text of its key (section, dot, its name), or "TEST TRANSLATION" when
  // `testing`. A component whose key has no text keeps what it shows.
  void Set_Components(std::u16string_view section_id, Component& obj, bool testing);
  // Collects the texts of `obj` and every component it owns, recursively, with their kind and
  // width into both lists; `version` goes into every index entry written. A text the catalogue
  // already holds unchanged is left alone, and so is its index entry.
  void Get_Components(std::u16string_view section_id, Component& obj, std::u16string_view version);

  const LangPlatform& platform() const { return platform_; }

 private:
  LangPlatform platform_;
  std::int32_t missing_items_ = 0;
  std::int32_t missing_objects_ = 0;
  TextLineList translation_;
  TextLineList index_;
  // How the index was read, and from where, for writing it back and for error messages.
  TextEncoding index_encoding_ = TextEncoding::ansi;
  std::u16string index_file_;
  mutable std::u16string key_;  // reused by every lookup

  // The counters stop at their largest value rather than overflow.
  static void count(std::int32_t& counter) {
    if (counter < INT32_MAX) {
      ++counter;
    }
  }

  const std::u16string& key(std::u16string_view section, std::u16string_view component) const;
};

// The marker that stands for a line break inside a stored text.
inline constexpr std::u16string_view kLineBreakMarker = u"%CRLF";

// Every CR LF, lone CR and lone LF as the marker.
std::u16string store_line_breaks(std::u16string_view text);
// Every marker, in any letter case, as CR LF.
std::u16string restore_line_breaks(std::u16string_view text);

}  // namespace kb
