#include "toolkit/ico_file.h"

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/error.h"
#include "toolkit/file_fields.h"

namespace kb {
namespace {

constexpr std::u16string_view kKind = u"an icon";

Error malformed(std::u16string_view why) { return unreadable_file(kKind, why); }
std::uint32_t get16(std::span<const std::uint8_t> data, std::size_t at) {
  return read_u16le(data, at, kKind);
}
std::uint32_t get32(std::span<const std::uint8_t> data, std::size_t at) {
  return read_u32le(data, at, kKind);
}

// A 32-bit entry: a version 3 header with the height doubled (colours and mask), then the
// colours bottom up; their alpha is the picture's.
bool read_entry(std::span<const std::uint8_t> entry, std::vector<TBitmap32>& pictures) {
  if (entry.size() < 40 || get32(entry, 0) != 40 || get16(entry, 14) != 32 ||
      get32(entry, 16) != 0) {
    return false;
  }
  const auto width = static_cast<std::int32_t>(get32(entry, 4));
  const auto height = static_cast<std::int32_t>(get32(entry, 8)) / 2;
  if (width <= 0 || height <= 0 || width > 1024 || height > 1024) {
    return false;
  }
  const auto w = static_cast<std::size_t>(width);
  const auto h = static_cast<std::size_t>(height);
  if ((entry.size() - 40) / 4 / w < h) {
    return false;
  }
  TBitmap32 picture(width, height);
  for (std::size_t y = 0; y < h; ++y) {
    const std::uint8_t* row = entry.data() + 40 + (h - 1 - y) * w * 4;
    for (std::size_t x = 0; x < w; ++x) {
      const std::uint8_t* p = row + x * 4;
      picture.set_pixel(static_cast<int>(x), static_cast<int>(y),
                        (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) |
                            (std::uint32_t{p[1]} << 8) | p[0]);
    }
  }
  pictures.push_back(std::move(picture));
  return true;
}

}  // namespace

TIcon decode_ico(std::span<const std::uint8_t> file) {
  if (file.size() < 6 || get16(file, 0) != 0 || get16(file, 2) != 1) {
    throw malformed(u"it does not begin as an icon file does");
  }
  const std::size_t count = get16(file, 4);
  std::vector<TBitmap32> pictures;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = 6 + 16 * i;
    const std::uint32_t size = get32(file, at + 8);
    const std::uint32_t offset = get32(file, at + 12);
    if (offset > file.size() || size > file.size() - offset) {
      throw malformed(u"an entry lies beyond its end");
    }
    read_entry(file.subspan(offset, size), pictures);
  }
  if (pictures.empty()) {
    throw malformed(u"it holds no picture of 32 bits");
  }
  return TIcon(std::move(pictures));
}

}  // namespace kb
