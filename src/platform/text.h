#pragma once

#include <string>
#include <string_view>

namespace kb {

// Program text is UTF-16 throughout; these convert at the edges (Linux paths, test output).
// Malformed input never fails: each broken sequence becomes U+FFFD.
std::string to_utf8(std::u16string_view text);
std::u16string from_utf8(std::string_view text);

// Letter case of the ASCII letters alone, for names, codes and keys that are the program's own:
// every other character is left as it is, so no locale can change what they match.
constexpr char16_t ascii_upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}
constexpr char16_t ascii_lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}
std::u16string to_ascii_upper(std::u16string_view text);
std::u16string to_ascii_lower(std::u16string_view text);
bool equal_ignoring_ascii_case(std::u16string_view a, std::u16string_view b);

}  // namespace kb
