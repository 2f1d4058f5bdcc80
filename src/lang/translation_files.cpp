#include "lang/translation_files.h"

#include <cstddef>

#include "platform/text.h"

namespace kb {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Pairs of bytes to code units; an odd last byte is no unit and is dropped.
std::u16string utf16_units(std::string_view bytes, bool big_endian) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = big_endian ? static_cast<char16_t>((first << 8) | second)
                         : static_cast<char16_t>((second << 8) | first);
  }
  return text;
}

void append_utf16(std::string& out, std::u16string_view text, bool big_endian) {
  for (const char16_t c : text) {
    const auto high = static_cast<char>(c >> 8);
    const auto low = static_cast<char>(c & 0xFF);
    out.push_back(big_endian ? high : low);
    out.push_back(big_endian ? low : high);
  }
}

}  // namespace

std::vector<std::u16string> split_lines(std::u16string_view text) {
  text = text.substr(0, text.find(u'\0'));
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of(u"\r\n", start);
    if (end == text.npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == u'\r' && start < text.size() && text[start] == u'\n') {
      ++start;
    }
  }
  return lines;
}

TextFileLines read_text_lines(std::string_view bytes, const TextCodec& codec) {
  TextFileLines file;
  std::u16string text;
  if (bytes.starts_with(kUtf16LeMark)) {
    file.encoding = TextEncoding::utf16le;
    text = utf16_units(bytes.substr(kUtf16LeMark.size()), false);
  } else if (bytes.starts_with(kUtf16BeMark)) {
    file.encoding = TextEncoding::utf16be;
    text = utf16_units(bytes.substr(kUtf16BeMark.size()), true);
  } else if (bytes.starts_with(kUtf8Mark)) {
    file.encoding = TextEncoding::utf8;
    text = from_utf8(bytes.substr(kUtf8Mark.size()));
  } else {
    // Only what precedes a NUL is text, so the rest need not be converted.
    text = codec.ansi_to_text(bytes.substr(0, bytes.find('\0')));
  }
  file.lines = split_lines(text);
  return file;
}

std::string write_text_lines(const std::vector<std::u16string>& lines, TextEncoding encoding,
                             const TextCodec& codec) {
  switch (encoding) {
    case TextEncoding::utf16le:
    case TextEncoding::utf16be: {
      const bool big_endian = encoding == TextEncoding::utf16be;
      std::size_t units = 0;
      for (const auto& line : lines) {
        units += line.size() + 2;
      }
      std::string out(big_endian ? kUtf16BeMark : kUtf16LeMark);
      out.reserve(out.size() + 2 * units);
      for (const auto& line : lines) {
        append_utf16(out, line, big_endian);
        append_utf16(out, u"\r\n", big_endian);
      }
      return out;
    }
    case TextEncoding::utf8: {
      std::string out(kUtf8Mark);
      for (const auto& line : lines) {
        out += to_utf8(line);
        out += "\r\n";
      }
      return out;
    }
    case TextEncoding::ansi:
      break;
  }
  std::u16string text;
  for (const auto& line : lines) {
    text += line;
    text += u"\r\n";
  }
  return codec.text_to_ansi(text);
}

}  // namespace kb
