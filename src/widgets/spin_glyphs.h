#pragma once

#include <array>
#include <cstdint>

#include "platform/bitmap32.h"

namespace kb {

// The arrow glyphs of the spin buttons, the program's bitmaps "SpinUp" and "SpinDown": a black
// triangle on a transparent background, 9 x 6 pixels.
inline constexpr int kSpinGlyphWidth = 9;
inline constexpr int kSpinGlyphHeight = 6;

// Row by row from the top; bit c set where column c is black.
std::array<std::uint16_t, kSpinGlyphHeight> spin_glyph_rows(bool down);
// Black (opaque) on transparent (0x00000000).
TBitmap32 spin_glyph(bool down);

}  // namespace kb
