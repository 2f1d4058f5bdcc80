#include "platform/integer_text.h"

#include <string>

#include "platform/text.h"

namespace kb {

std::optional<std::int32_t> parse_int32(std::u16string_view text, IntegerSyntax syntax) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || (syntax.tab_is_blank && text[i] == u'\t'))) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  std::uint32_t base = 10;
  if (i < text.size() &&
      (text[i] == u'$' || (syntax.bare_x_hex && (text[i] == u'x' || text[i] == u'X')))) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == u'0' &&
             (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) {
    return std::nullopt;
  }
  // One past the largest magnitude, so that -2147483648 still fits.
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    std::uint32_t digit = 0;
    if (c >= u'0' && c <= u'9') {
      digit = static_cast<std::uint32_t>(c - u'0');
    } else if (base == 16 && c >= u'a' && c <= u'f') {
      digit = static_cast<std::uint32_t>(c - u'a') + 10;
    } else if (base == 16 && c >= u'A' && c <= u'F') {
      digit = static_cast<std::uint32_t>(c - u'A') + 10;
    } else {
      return std::nullopt;
    }
    magnitude = magnitude * base + digit;
    if (magnitude > kLimit) {
      return std::nullopt;
    }
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value >= kLimit) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::u16string decimal_text(std::int64_t value) {
  return from_utf8(std::to_string(value));
}

std::u16string decimal_text(std::uint64_t value) {
  return from_utf8(std::to_string(value));
}

}  // namespace kb
