#include "platform/integer_text.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace kb {
namespace {

TEST(IntegerText, ReadsWholeNumbersInTheSigned32BitRange) {
  struct Case {
    std::u16string_view text;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {u"42", 42},
      {u"  42", 42},  // leading blanks
      {u"+42", 42},
      {u"-42", -42},
      {u"007", 7},
      {u"$1F", 31},
      {u"$1f", 31},
      {u"0x1F", 31},
      {u"0X1f", 31},
      {u"-$10", -16},
      {u"2147483647", 2147483647},
      {u"-2147483648", INT32_MIN},
      {u"$7FFFFFFF", INT32_MAX},
      {u"2147483648", std::nullopt},
      {u"-2147483649", std::nullopt},
      {u"$80000000", std::nullopt},
      {u"99999999999999999999", std::nullopt},
      {u"", std::nullopt},
      {u" ", std::nullopt},
      {u"-", std::nullopt},
      {u"$", std::nullopt},
      {u"0x", std::nullopt},
      {u"42abc", std::nullopt},
      {u"42 ", std::nullopt},  // nothing may follow
      {u"4 2", std::nullopt},
      {u"- 4", std::nullopt},
      {u"\t42", std::nullopt},
      {u"1.5", std::nullopt},
      {u"$G", std::nullopt},
      {u"\uFF14\uFF12", std::nullopt},  // full-width digits are not digits here
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(to_utf8(c.text));
    EXPECT_EQ(parse_int32(c.text), c.value);
  }
  EXPECT_EQ(parse_int32_or(u"x", 6), 6);
}

}  // namespace
}  // namespace kb
