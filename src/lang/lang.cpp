#include "lang/lang.h"

#include <optional>

#include "platform/error.h"
#include "platform/integer_text.h"
#include "platform/text.h"

namespace kb {
namespace {

std::u16string make_key(std::u16string_view section, std::u16string_view component) {
  std::u16string key;
  key.reserve(section.size() + 1 + component.size());
  key.append(section).append(u".").append(component);
  return key;
}

bool is_marker_at(std::u16string_view text, std::size_t at) {
  if (text.size() - at < kLineBreakMarker.size()) {
    return false;
  }
  for (std::size_t i = 0; i < kLineBreakMarker.size(); ++i) {
    if (ascii_upper(text[at + i]) != kLineBreakMarker[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::u16string store_line_breaks(std::u16string_view text) {
  std::u16string stored;
  stored.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      // A lone CR or LF would end the line in the file too and cut the text there.
      stored += kLineBreakMarker;
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
        ++i;
      }
    } else {
      stored.push_back(c);
    }
  }
  return stored;
}

std::u16string restore_line_breaks(std::u16string_view text) {
  std::u16string restored;
  restored.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == u'%' && is_marker_at(text, i)) {
      restored += u"\r\n";
      i += kLineBreakMarker.size();
    } else {
      restored.push_back(text[i]);
      ++i;
    }
  }
  return restored;
}

TLang::TLang(const LangPlatform& platform)
    : platform_(platform), translation_(platform.codec), index_(platform.codec) {}

TLang::~TLang() = default;

const std::u16string& TLang::key(std::u16string_view section, std::u16string_view component) const {
  key_.assign(section).append(u".").append(component);
  return key_;
}

void TLang::Load_Translation(const std::u16string& translation_file,
                             const std::u16string& index_file) {
  std::optional<std::string> translation_bytes = platform_.files.read_file(translation_file);
  std::optional<std::string> index_bytes = platform_.files.read_file(index_file);
  if (translation_bytes) {
    translation_.assign(read_text_lines(*translation_bytes, platform_.codec).lines);
  }
  if (index_bytes) {
    TextFileLines index = read_text_lines(*index_bytes, platform_.codec);
    index_.assign(std::move(index.lines));
    index_encoding_ = index.encoding;
    index_file_ = index_file;
  }
  platform_.debug.write_line(u"TranslationCount=" +
                             decimal_text(std::uint64_t{translation_.Count()}));
}

void TLang::Save_Translation(const std::u16string& translation_file,
                             const std::u16string& index_file) {
  platform_.files.replace_file(index_file,
                               write_text_lines(index_.lines(), index_encoding_, platform_.codec));
  platform_.files.replace_file(
      translation_file,
      write_text_lines(translation_.lines(), TextEncoding::utf16le, platform_.codec));
}

std::u16string TLang::Get_StringW(std::u16string_view section_id, std::u16string_view component) {
  const std::int32_t position = translation_.IndexOfName(key(section_id, component));
  const std::u16string_view text =
      position < 0 ? std::u16string_view()
                   : TextLineList::value_of(translation_.line(static_cast<std::size_t>(position)));
  if (text.empty()) {
    count(missing_items_);
    return {};
  }
  return restore_line_breaks(text);
}

std::int32_t TLang::GetStringWIndex(std::u16string_view section_id,
                                    std::u16string_view component) const {
  return translation_.IndexOfName(key(section_id, component));
}

void TLang::Add_StringW(std::u16string_view section_id, std::u16string_view component_name,
                        std::u16string_view text) {
  std::u16string line = make_key(section_id, component_name);
  line += u'=';
  line += store_line_breaks(text);
  const std::int32_t position = GetStringWIndex(section_id, component_name);
  if (position >= 0) {
    translation_.Put(static_cast<std::size_t>(position), std::move(line));
  } else {
    translation_.Add(std::move(line));
  }
}

void TLang::Read_FromIndex(std::u16string_view section_id, std::u16string_view component_name,
                           bool& html, std::int32_t& max_width, std::u16string& version) const {
  const std::int32_t position = index_.IndexOfName(key(section_id, component_name));
  if (position < 0) {
    return;
  }
  const std::u16string& line = index_.line(static_cast<std::size_t>(position));
  const std::u16string_view value = TextLineList::value_of(line);
  // KIND and its comma take the first five characters.
  const std::u16string_view rest = value.size() > 5 ? value.substr(5) : std::u16string_view();
  const auto comma = rest.find(u',');
  auto malformed = [&](std::u16string_view reason) {
    std::u16string where = index_file_.empty() ? u"" : u" in \"" + index_file_ + u"\"";
    return Error(u"The index entry \"" + line + u"\"" + where + u" is malformed: " +
                 std::u16string(reason) + u".");
  };
  if (comma == rest.npos) {
    throw malformed(u"the comma after the width is missing");
  }
  const std::optional<std::int32_t> width = parse_int32(rest.substr(0, comma));
  if (!width) {
    throw malformed(u"the width \"" + std::u16string(rest.substr(0, comma)) +
                    u"\" is not a whole number");
  }
  html = value.starts_with(u"HTML");
  max_width = *width;
  version.assign(rest.substr(comma + 1));
}

void TLang::Save_ToIndex(std::u16string_view section_id, std::u16string_view component_name,
                         bool html, std::int32_t max_width, std::u16string_view version) {
  const bool kind_html = html || component_name.find(u"MESSAGEHTML_") != component_name.npos;
  std::u16string line = make_key(section_id, component_name);
  line += kind_html ? u"=HTML," : u"=TEXT,";
  line += decimal_text(std::int64_t{max_width});
  line += u',';
  line += version;
  const std::int32_t position = index_.IndexOfName(key(section_id, component_name));
  if (position >= 0) {
    index_.Put(static_cast<std::size_t>(position), std::move(line));
  } else {
    index_.Add(std::move(line));
  }
}

}  // namespace kb
