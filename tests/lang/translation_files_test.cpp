#include "lang/translation_files.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lang_test_support.h"
#include "platform/sim/windows1252_codec.h"
#include "platform/text.h"

namespace kb {
namespace {

using Lines = std::vector<std::u16string>;

TEST(SplitLines, EveryKindOfLineBreakAndTheEndOfTheText) {
  struct Case {
    std::u16string text;
    Lines lines;
  };
  const Case cases[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\n", {u"a"}},
      {u"a\r\nb", {u"a", u"b"}},
      {u"a\rb\nc\r\nd", {u"a", u"b", u"c", u"d"}},
      {u"a\n\rb", {u"a", u"", u"b"}},
      {u"\r\n\r\n", {u"", u""}},
      {u"a\r\r\nb", {u"a", u"", u"b"}},
      {std::u16string(u"a\r\nb\0c\r\nd", 10), {u"a", u"b"}},
      {std::u16string(u"\0a", 2), {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(split_lines(c.text), c.lines) << to_utf8(c.text);
  }
}

TEST(ReadTextLines, TheMarkChoosesTheEncodingAndNoMarkMeansTheAnsiCodePage) {
  sim::Windows1252Codec codec;
  const std::u16string text = u"Zur\u00fccksetzen=\u20ac\r\nx";
  struct Case {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
  };
  const Case cases[] = {
      {"UTF-16 LE", "\xFF\xFE" + test::utf16le(text), TextEncoding::utf16le},
      {"UTF-16 BE", "\xFE\xFF" + test::utf16be(text), TextEncoding::utf16be},
      {"UTF-8", "\xEF\xBB\xBF" + to_utf8(text), TextEncoding::utf8},
      {"ANSI",
       "Zur\xFC"
       "cksetzen=\x80\r\nx",
       TextEncoding::ansi},
      {"UTF-16 LE, odd last byte", "\xFF\xFE" + test::utf16le(text) + "\x41",
       TextEncoding::utf16le},
  };
  for (const Case& c : cases) {
    const TextFileLines file = read_text_lines(c.bytes, codec);
    EXPECT_EQ(file.encoding, c.encoding) << c.name;
    EXPECT_EQ(file.lines, (Lines{u"Zur\u00fccksetzen=\u20ac", u"x"})) << c.name;
  }

  EXPECT_EQ(read_text_lines("\xFF\xFE", codec).lines, Lines{});
  EXPECT_EQ(read_text_lines("", codec).encoding, TextEncoding::ansi);
  EXPECT_EQ(read_text_lines(std::string("a=1\r\n\0b=2", 9), codec).lines, Lines{u"a=1"});
  EXPECT_EQ(read_text_lines("\xFF\xFE" + test::utf16le(std::u16string(u"a\0b", 3)), codec).lines,
            Lines{u"a"});
}

TEST(WriteTextLines, BytesOfEachEncodingWithALineBreakAfterEveryLine) {
  sim::Windows1252Codec codec;
  const Lines lines = {u"K=\u00e4", u"x"};
  EXPECT_EQ(write_text_lines(lines, TextEncoding::utf16le, codec),
            std::string("\xFF\xFE"
                        "K\0=\0\xE4\0\r\0\n\0x\0\r\0\n\0",
                        18));
  EXPECT_EQ(write_text_lines(lines, TextEncoding::utf16be, codec),
            std::string("\xFE\xFF\0K\0=\0\xE4\0\r\0\n\0x\0\r\0\n", 18));
  EXPECT_EQ(write_text_lines(lines, TextEncoding::utf8, codec),
            "\xEF\xBB\xBF"
            "K=\xC3\xA4\r\nx\r\n");
  EXPECT_EQ(write_text_lines(lines, TextEncoding::ansi, codec), "K=\xE4\r\nx\r\n");
  EXPECT_EQ(write_text_lines({}, TextEncoding::utf16le, codec), "\xFF\xFE");
  EXPECT_EQ(write_text_lines({}, TextEncoding::ansi, codec), "");
}

}  // namespace
}  // namespace kb
