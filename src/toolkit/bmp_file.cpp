#include "toolkit/bmp_file.h"

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

}  // namespace

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
