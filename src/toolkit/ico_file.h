#pragma once

#include <cstdint>
#include <span>

#include "platform/icon.h"

namespace kb {

// Reads a Windows icon file: every entry kept as a 32-bit picture with its alpha. Entries in
// other forms (fewer bits, PNG) are passed over. Throws kb::Error when the data is not an icon
// file or holds no entry that can be read.
TIcon decode_ico(std::span<const std::uint8_t> file);

}  // namespace kb
