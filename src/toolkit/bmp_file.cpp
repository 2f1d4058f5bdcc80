#include "toolkit/bmp_file.h"

#include <bit>
#include <cstddef>
#include <string>

#include "platform/error.h"
#include "platform/integer_text.h"
#include "toolkit/file_fields.h"

namespace kb {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  put16(out, value & 0xFFFFu);
  put16(out, value >> 16);
}

constexpr std::u16string_view kKind = u"a bitmap";

Error malformed(std::u16string_view why) { return unreadable_file(kKind, why); }
std::uint32_t get16(std::span<const std::uint8_t> data, std::size_t at) {
  return read_u16le(data, at, kKind);
}
std::uint32_t get32(std::span<const std::uint8_t> data, std::size_t at) {
  return read_u32le(data, at, kKind);
}

// One channel of a bit-field pixel, scaled to 0..255; 255 for a channel without a mask.
std::uint32_t channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) {
    return 255;
  }
  const int shift = std::countr_zero(mask);
  const std::uint64_t max = mask >> shift;
  return static_cast<std::uint32_t>(((pixel & mask) >> shift) * std::uint64_t{255} / max);
}

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

}  // namespace

TBitmap32 decode_bmp(std::span<const std::uint8_t> file) {
  if (file.size() < 14 || file[0] != 'B' || file[1] != 'M') {
    throw malformed(u"it does not begin with \"BM\"");
  }
  const std::uint32_t pixels_at = get32(file, 10);
  const std::uint32_t header_size = get32(file, 14);
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t bits = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t colors_used = 0;
  std::uint32_t masks[4] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0};  // red, green, blue, alpha
  std::size_t palette_at = 14 + header_size;
  std::size_t palette_entry = 4;
  if (header_size == 12) {
    width = get16(file, 18);
    height = static_cast<std::int16_t>(get16(file, 20));
    bits = get16(file, 24);
    palette_entry = 3;
  } else if (header_size == 40 || header_size == 52 || header_size == 56 || header_size == 108 ||
             header_size == 124) {
    width = static_cast<std::int32_t>(get32(file, 18));
    height = static_cast<std::int32_t>(get32(file, 22));
    bits = get16(file, 28);
    compression = get32(file, 30);
    colors_used = get32(file, 46);
    if (compression == kBiBitfields) {
      // Right after the version 3 header, where later headers keep them as their own fields.
      for (std::size_t i = 0; i < (header_size >= 56 ? 4u : 3u); ++i) {
        masks[i] = get32(file, 54 + 4 * i);
      }
      if (header_size == 40) {
        palette_at += 12;
      }
    } else if (bits == 16) {
      masks[0] = 0x7C00u;
      masks[1] = 0x03E0u;
      masks[2] = 0x001Fu;
    }
  } else {
    throw malformed(u"its header of " + decimal_text(std::int64_t{header_size}) +
                    u" bytes is of no known kind");
  }
  if (compression != kBiRgb && !(compression == kBiBitfields && (bits == 16 || bits == 32))) {
    throw malformed(u"it is compressed");
  }
  const bool top_down = height < 0;
  height = top_down ? -height : height;
  if (width <= 0 || height <= 0 || width > kMaxBmpSide || height > kMaxBmpSide) {
    throw malformed(u"its size is " + decimal_text(width) + u" x " + decimal_text(height));
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    throw malformed(decimal_text(std::int64_t{bits}) + u" bits per pixel");
  }

  std::vector<TColor32> palette;
  if (bits <= 8) {
    const std::size_t entries = colors_used != 0 && colors_used <= (1u << bits)
                                    ? colors_used
                                    : std::size_t{1} << bits;
    for (std::size_t i = 0; i < entries; ++i) {
      const std::size_t at = palette_at + i * palette_entry;
      if (at + 3 > file.size()) {
        throw malformed(u"its colour table ends early");
      }
      palette.push_back(0xFF000000u | (std::uint32_t{file[at + 2]} << 16) |
                        (std::uint32_t{file[at + 1]} << 8) | file[at]);
    }
  }

  const auto w = static_cast<std::size_t>(width);
  const auto h = static_cast<std::size_t>(height);
  const std::size_t row_bytes = (w * bits + 31) / 32 * 4;
  if (pixels_at > file.size() || (file.size() - pixels_at) / row_bytes < h) {
    throw malformed(u"its pixels end early");
  }
  const bool has_alpha = bits == 32 && compression == kBiBitfields && masks[3] != 0;
  TBitmap32 picture(static_cast<int>(w), static_cast<int>(h));
  for (std::size_t y = 0; y < h; ++y) {
    const std::uint8_t* row = file.data() + pixels_at + (top_down ? y : h - 1 - y) * row_bytes;
    TColor32* out = picture.row(static_cast<int>(y));
    for (std::size_t x = 0; x < w; ++x) {
      TColor32 color = 0;
      if (bits <= 8) {
        const std::size_t bit = x * bits;
        const unsigned index =
            (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= palette.size()) {
          throw malformed(u"a pixel names a colour its table lacks");
        }
        color = palette[index];
      } else if (bits == 24) {
        const std::uint8_t* p = row + x * 3;
        color = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
      } else {
        const std::uint8_t* p = row + x * bits / 8;
        std::uint32_t value = p[0] | (std::uint32_t{p[1]} << 8);
        if (bits == 32) {
          value |= (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
        }
        const std::uint32_t alpha = has_alpha ? channel(value, masks[3]) : 255;
        color = (alpha << 24) | (channel(value, masks[0]) << 16) |
                (channel(value, masks[1]) << 8) | channel(value, masks[2]);
      }
      out[x] = color;
    }
  }
  return picture;
}

std::vector<std::uint8_t> encode_bmp(const TBitmap32& bitmap) {
  const auto width = static_cast<std::uint32_t>(bitmap.width());
  const auto height = static_cast<std::uint32_t>(bitmap.height());
  const std::uint32_t row_bytes = (width * 3 + 3) / 4 * 4;
  const std::uint32_t header_bytes = 14 + 40;
  const std::uint32_t image_bytes = row_bytes * height;

  std::vector<std::uint8_t> out;
  out.reserve(header_bytes + image_bytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, header_bytes + image_bytes);
  put32(out, 0);
  put32(out, header_bytes);
  put32(out, 40);  // BITMAPINFOHEADER
  put32(out, width);
  put32(out, height);  // positive: bottom-up
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);  // BI_RGB
  put32(out, image_bytes);
  put32(out, 3780);  // 96 dots per inch
  put32(out, 3780);
  put32(out, 0);
  put32(out, 0);
  for (std::uint32_t y = height; y-- > 0;) {
    const TColor32* row = bitmap.row(static_cast<int>(y));
    for (std::uint32_t x = 0; x < width; ++x) {
      out.push_back(static_cast<std::uint8_t>(row[x]));
      out.push_back(static_cast<std::uint8_t>(row[x] >> 8));
      out.push_back(static_cast<std::uint8_t>(row[x] >> 16));
    }
    out.resize(out.size() + (row_bytes - width * 3), 0);
  }
  return out;
}

}  // namespace kb
