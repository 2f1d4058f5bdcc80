#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/bitmap32.h"

namespace kb {

// The picture as a Windows bitmap file: 24 bits per pixel, alpha dropped, rows bottom up.
std::vector<std::uint8_t> encode_bmp(const TBitmap32& bitmap);

}  // namespace kb
