#include "toolkit/bmp_file.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/error.h"

namespace kb {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(Bytes& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

// A bitmap file with a version 3 header; `extra` (colour table or masks) and `pixels` follow.
Bytes bitmap_file(std::int32_t width, std::int32_t height, std::uint16_t bits,
                  std::uint32_t compression, const Bytes& extra, const Bytes& pixels,
                  std::uint32_t colors_used = 0) {
  Bytes out{'B', 'M'};
  put32(out, static_cast<std::uint32_t>(54 + extra.size() + pixels.size()));
  put32(out, 0);
  put32(out, static_cast<std::uint32_t>(54 + extra.size()));
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(width));
  put32(out, static_cast<std::uint32_t>(height));
  put16(out, 1);
  put16(out, bits);
  put32(out, compression);
  put32(out, static_cast<std::uint32_t>(pixels.size()));
  put32(out, 3780);
  put32(out, 3780);
  put32(out, colors_used);
  put32(out, 0);
  out.insert(out.end(), extra.begin(), extra.end());
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

TEST(BmpFile, WhatItWritesReadsBackOpaque) {
  TBitmap32 picture(3, 2, 0x80FFFFFFu);
  picture.set_pixel(0, 0, 0xFF102030u);
  picture.set_pixel(2, 1, 0x00A0B0C0u);
  const TBitmap32 read = decode_bmp(encode_bmp(picture));
  ASSERT_EQ(read.width(), 3);
  ASSERT_EQ(read.height(), 2);
  EXPECT_EQ(read.pixel(0, 0), 0xFF102030u) << "the first row is the top";
  EXPECT_EQ(read.pixel(2, 1), 0xFFA0B0C0u) << "alpha is not stored: opaque";
  EXPECT_EQ(read.pixel(1, 0), 0xFFFFFFFFu);
}

TEST(BmpFile, PalettesBitFieldsAndTopDownRows) {
  // 2 x 2, 1 bit: black and red; the bottom row (first in the file) is red, black.
  const Bytes palette = {0, 0, 0, 0, 0, 0, 255, 0};
  const TBitmap32 mono =
      decode_bmp(bitmap_file(2, 2, 1, 0, palette, {0b10000000, 0, 0, 0, 0b01000000, 0, 0, 0}));
  EXPECT_EQ(mono.pixel(0, 1), 0xFFFF0000u);
  EXPECT_EQ(mono.pixel(1, 1), 0xFF000000u);
  EXPECT_EQ(mono.pixel(1, 0), 0xFFFF0000u);

  // 8 bits with two colours used; top down (negative height).
  const Bytes two = {255, 0, 0, 0, 0, 255, 0, 0};
  const TBitmap32 indexed = decode_bmp(bitmap_file(1, -2, 8, 0, two, {1, 0, 0, 0, 0, 0, 0, 0}, 2));
  EXPECT_EQ(indexed.pixel(0, 0), 0xFF00FF00u) << "top down: the first row is the top";
  EXPECT_EQ(indexed.pixel(0, 1), 0xFF0000FFu);

  // 32 bits with an alpha mask keep their alpha; 16 bits 5-6-5.
  Bytes masks;
  for (std::uint32_t m : {0x00FF0000u, 0x0000FF00u, 0x000000FFu}) {
    put32(masks, m);
  }
  const TBitmap32 argb = decode_bmp(bitmap_file(1, 1, 32, 3, masks, {0x30, 0x20, 0x10, 0x80}));
  EXPECT_EQ(argb.pixel(0, 0), 0xFF102030u) << "a version 3 header has no alpha mask";
  Bytes rgb565;
  for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) {
    put32(rgb565, m);
  }
  const TBitmap32 high = decode_bmp(bitmap_file(1, 1, 16, 3, rgb565, {0x1F, 0xF8, 0, 0}));
  EXPECT_EQ(high.pixel(0, 0), 0xFFFF00FFu);
}

struct BrokenCase {
  const char* what;
  Bytes file;
};

TEST(BmpFile, BrokenFilesAreErrorsNotCrashes) {
  const Bytes good = bitmap_file(2, 2, 24, 0, {}, Bytes(16, 0));
  Bytes short_pixels = good;
  short_pixels.resize(good.size() - 1);
  Bytes wrong_header = good;
  wrong_header[14] = 41;
  const BrokenCase cases[] = {
      {"empty", {}},
      {"not BM", {'M', 'B', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"header cut", Bytes(good.begin(), good.begin() + 30)},
      {"pixels cut", short_pixels},
      {"unknown header", wrong_header},
      {"compressed", bitmap_file(2, 2, 8, 1, Bytes(1024, 0), Bytes(8, 0))},
      {"zero width", bitmap_file(0, 2, 24, 0, {}, Bytes(16, 0))},
      {"huge", bitmap_file(100000, 1, 24, 0, {}, Bytes(16, 0))},
      {"2 bits", bitmap_file(2, 2, 2, 0, Bytes(16, 0), Bytes(8, 0))},
      {"colour not in table", bitmap_file(1, 1, 8, 0, Bytes(8, 0), {5, 0, 0, 0}, 2)},
      {"table cut", bitmap_file(1, 1, 8, 0, Bytes(8, 0), {}, 0)},
  };
  for (const BrokenCase& c : cases) {
    EXPECT_THROW(decode_bmp(c.file), Error) << c.what;
  }
}

}  // namespace
}  // namespace kb
