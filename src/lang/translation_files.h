#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/text_codec.h"

namespace kb {

// How a text file is encoded. Every encoding but the ANSI code page begins with its
// byte-order mark.
enum class TextEncoding { ansi, utf8, utf16le, utf16be };

struct TextFileLines {
  std::vector<std::u16string> lines;
  TextEncoding encoding = TextEncoding::ansi;
};

// The lines of a text file: the byte-order mark selects UTF-16 LE, UTF-16 BE or UTF-8, no
// mark means the ANSI code page; then as split_lines.
TextFileLines read_text_lines(std::string_view bytes, const TextCodec& codec);

// A line ends at CR LF, at a lone CR or at a lone LF; a NUL ends the whole text; a last line
// without a break is a line too, and an empty text has none.
std::vector<std::u16string> split_lines(std::u16string_view text);

// The file: the encoding's mark, then every line followed by CR LF.
std::string write_text_lines(const std::vector<std::u16string>& lines, TextEncoding encoding,
                             const TextCodec& codec);

}  // namespace kb
