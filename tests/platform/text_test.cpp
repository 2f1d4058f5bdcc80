#include "platform/text.h"

#include <gtest/gtest.h>

namespace kb {
namespace {

TEST(Text, ConvertsBetweenUtf8AndUtf16) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"", u""},
      {"Korvalen Barlume", u"Korvalen Barlume"},
      {"Zur\xC3\xBC"
       "cksetzen",
       u"Zurücksetzen"},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xF0\x9F\x87\xA9", u"\U0001F1E9"},  // outside the basic plane: a surrogate pair
  };
  for (const Case& c : cases) {
    EXPECT_EQ(from_utf8(c.utf8), c.utf16);
    EXPECT_EQ(to_utf8(c.utf16), c.utf8);
  }
}

TEST(Text, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"lone continuation byte", "a\x80z", u"a\uFFFDz"},
      {"cut-off sequence", "a\xE2\x82", u"a\uFFFD\uFFFD"},
      {"overlong form", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(from_utf8(c.utf8), c.utf16);
  }
  EXPECT_EQ(to_utf8(u"a\xD800z"), "a\xEF\xBF\xBDz") << "unpaired surrogate";
}

}  // namespace
}  // namespace kb
