#include "toolkit/ico_file.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <vector>

#include "platform/error.h"
#include "product_icon_file.h"

namespace kb {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(IcoFile, TheProductIconHoldsEverySizeUpTo64WithAlpha) {
  const TIcon icon = decode_ico(kProductIconIco);
  std::vector<int> sizes;
  for (const TBitmap32& picture : icon.pictures()) {
    sizes.push_back(picture.width());
    EXPECT_EQ(picture.height(), picture.width());
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64})) << "the PNG entry is passed over";
  const TBitmap32& small = *icon.picture_for(16);
  EXPECT_EQ(small.pixel(0, 0) >> 24, 0u) << "a rounded, transparent corner";
  EXPECT_EQ(small.pixel(8, 8) >> 24, 255u);
  EXPECT_EQ(icon.picture_for(18)->width(), 20) << "the next larger size";
  EXPECT_EQ(icon.picture_for(300)->width(), 64) << "the largest";
}

TEST(IcoFile, BrokenFilesAreErrors) {
  const Bytes good(std::begin(kProductIconIco), std::end(kProductIconIco));
  Bytes entry_beyond = good;
  entry_beyond[6 + 12] = 0xFF;  // the first entry's offset
  entry_beyond[6 + 15] = 0x7F;
  const Bytes cases[] = {
      {},
      {0, 0, 2, 0, 0, 0},  // a cursor file
      {0, 0, 1, 0, 1, 0},  // one entry, no directory
      entry_beyond,
      {0, 0, 1, 0, 0, 0},  // no entry at all
  };
  for (const Bytes& file : cases) {
    EXPECT_THROW(decode_ico(file), Error);
  }
}

}  // namespace
}  // namespace kb
