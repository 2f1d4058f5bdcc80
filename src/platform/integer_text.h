#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kb {

// The parts of the number syntax in which its readers differ.
struct IntegerSyntax {
  bool tab_is_blank = false;  // a tab counts as a leading blank, as a space does
  bool bare_x_hex = false;    // "x" or "X" alone introduces hexadecimal, as "$" does
};

// Values, index files and the like: blanks are spaces, hexadecimal follows "$" or "0x".
inline constexpr IntegerSyntax kStoredIntegerSyntax{};
// What a user may type into a numeric edit.
inline constexpr IntegerSyntax kTypedIntegerSyntax{.tab_is_blank = true, .bare_x_hex = true};

// The program's reading of a whole number written as text: leading blanks, then an optional
// sign, then decimal digits, or hexadecimal ones after a prefix ("$", "0x" or "0X"; with
// `bare_x_hex` also "x" and "X"). Nothing else may follow, and the number must lie in the
// signed 32-bit range.
std::optional<std::int32_t> parse_int32(std::u16string_view text,
                                        IntegerSyntax syntax = kStoredIntegerSyntax);

// A whole number as program text, in decimal digits with a leading "-" when negative.
std::u16string decimal_text(std::int64_t value);
std::u16string decimal_text(std::uint64_t value);

inline std::int32_t parse_int32_or(std::u16string_view text, std::int32_t fallback) {
  return parse_int32(text).value_or(fallback);
}

}  // namespace kb
