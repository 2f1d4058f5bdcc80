#pragma once

#include <cstdint>

namespace kb {

// A colour with alpha in bits 24-31 (255 opaque), red 16-23, green 8-15, blue 0-7.
using TColor32 = std::uint32_t;

// The integer rectangle [Left, Right) x [Top, Bottom).
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

}  // namespace kb
