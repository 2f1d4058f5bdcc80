#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace kb {

// What the picture-file readers report: "The file is not <kind> that can be read: <why>."
inline Error unreadable_file(std::u16string_view kind, std::u16string_view why) {
  return Error(u"The file is not " + std::u16string(kind) + u" that can be read: " +
               std::u16string(why) + u".");
}

// The little-endian fields of a file held in memory; one past the end makes the file
// unreadable as a `kind`.
inline std::uint32_t read_u16le(std::span<const std::uint8_t> data, std::size_t at,
                                std::u16string_view kind) {
  if (at + 2 > data.size()) {
    throw unreadable_file(kind, u"it ends early");
  }
  return static_cast<std::uint32_t>(data[at] | (data[at + 1] << 8));
}

inline std::uint32_t read_u32le(std::span<const std::uint8_t> data, std::size_t at,
                                std::u16string_view kind) {
  return read_u16le(data, at, kind) | (read_u16le(data, at + 2, kind) << 16);
}

}  // namespace kb
