#include "lang/text_line_list.h"

#include <gtest/gtest.h>
#include <string>

#include "platform/sim/windows1252_codec.h"
#include "platform/text.h"

namespace kb {
namespace {

TEST(TextLineList, NamesAddedAfterTheFirstLookupAreFoundAsTheListGrows) {
  sim::Windows1252Codec codec;
  TextLineList list(codec);
  list.Add(u"S.K0=first");
  ASSERT_EQ(list.IndexOfName(u"s.k0"), 0);
  for (int i = 1; i < 3000; ++i) {
    list.Add(from_utf8("S.K" + std::to_string(i) + "=v"));
    list.Add(from_utf8("s.k" + std::to_string(i) + "=twin"));
  }
  for (int i = 1; i < 3000; ++i) {
    ASSERT_EQ(list.IndexOfName(from_utf8("s.K" + std::to_string(i))), 2 * i - 1) << i;
  }
  EXPECT_EQ(list.IndexOfName(u"S.K3000"), -1);
  EXPECT_EQ(list.IndexOfName(u""), -1);
  list.Add(u"=empty name");
  EXPECT_EQ(list.IndexOfName(u""), 5999) << "a line that begins with = has an empty name";
}

TEST(TextLineList, NamesBeyondAsciiMatchByTheSystemsUpperCasing) {
  sim::Windows1252Codec codec;
  TextLineList list(codec);
  list.assign({u"\u00c4=1", u"\u0131=2", u"Ab=3"});
  EXPECT_EQ(list.IndexOfName(u"\u00e4"), 0);
  EXPECT_EQ(list.IndexOfName(u"I"), 1) << "the dotless i upper-cases to I";
  EXPECT_EQ(list.IndexOfName(u"i"), 1);
  EXPECT_EQ(list.IndexOfName(u"aB"), 2);
  EXPECT_EQ(list.IndexOfName(u"\u00c5"), -1);
}

}  // namespace
}  // namespace kb
