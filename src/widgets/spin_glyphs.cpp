#include "widgets/spin_glyphs.h"

#include <algorithm>

namespace kb {

std::array<std::uint16_t, kSpinGlyphHeight> spin_glyph_rows(bool down) {
  // Empty, then 1, 3, 5 and 7 pixels centred on column 4, then empty again.
  std::array<std::uint16_t, kSpinGlyphHeight> rows = {0x000, 0x010, 0x038, 0x07C, 0x0FE, 0x000};
  if (down) {
    std::reverse(rows.begin(), rows.end());
  }
  return rows;
}

TBitmap32 spin_glyph(bool down) {
  TBitmap32 glyph(kSpinGlyphWidth, kSpinGlyphHeight, 0x00000000u);
  const auto rows = spin_glyph_rows(down);
  for (int y = 0; y < kSpinGlyphHeight; ++y) {
    for (int x = 0; x < kSpinGlyphWidth; ++x) {
      if ((rows[static_cast<std::size_t>(y)] >> x) & 1) {
        glyph.set_pixel(x, y, 0xFF000000u);
      }
    }
  }
  return glyph;
}

}  // namespace kb
