#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kb {

// The program's reading of a whole number written as text: leading blanks, then an optional
// sign, then decimal digits, or hexadecimal ones after "$" or "0x". Nothing else may follow,
// and the number must lie in the signed 32-bit range.
std::optional<std::int32_t> parse_int32(std::u16string_view text);

inline std::int32_t parse_int32_or(std::u16string_view text, std::int32_t fallback) {
  return parse_int32(text).value_or(fallback);
}

}  // namespace kb
