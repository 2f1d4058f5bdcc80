#pragma once

#include <cstdint>
#include <vector>

#include "widgets/bitmap32.h"

namespace kb {

// The picture as a Windows bitmap file: 24 bits per pixel, alpha dropped, rows bottom up.
std::vector<std::uint8_t> EncodeBmp(const TBitmap32& bitmap);

}  // namespace kb
