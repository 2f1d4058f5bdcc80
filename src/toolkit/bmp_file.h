#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/bitmap32.h"

namespace kb {

// The picture as a Windows bitmap file: 24 bits per pixel, alpha dropped, rows bottom up.
std::vector<std::uint8_t> encode_bmp(const TBitmap32& bitmap);

// The largest picture decode_bmp takes, in pixels per side.
inline constexpr int kMaxBmpSide = 16384;

// Reads a Windows bitmap file: the core, version 3, 4 and 5 headers; 1, 4 and 8 bits per
// pixel through the colour table, 16, 24 and 32 bits (plain or with bit fields); rows bottom
// up or top down. Every pixel comes out opaque, except that 32-bit pixels keep an alpha when
// the file declares an alpha mask. Throws kb::Error naming what is wrong with the data: a
// short or inconsistent file, compression other than bit fields, a side beyond kMaxBmpSide.
TBitmap32 decode_bmp(std::span<const std::uint8_t> file);

}  // namespace kb
