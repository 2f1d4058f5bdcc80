#include "platform/sim/windows1252_codec.h"

#include <array>
#include <cstddef>

namespace kb::sim {
namespace {

// Bytes 0x80 to 0x9F. The five bytes the code page leaves undefined map to the C1 control of
// the same number, as the system's conversion does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t upper(char16_t c) {
  auto in = [c](char16_t first, char16_t last) { return c >= first && c <= last; };
  auto minus = [c](int d) { return static_cast<char16_t>(c - d); };
  if (in(u'a', u'z')) {
    return minus(0x20);
  }
  if (c < 0x80) {
    return c;
  }
  if (in(0xE0, 0xFE) && c != 0xF7) {
    return minus(0x20);
  }
  if (c == 0xFF) {
    return 0x0178;
  }
  if (c == 0xB5) {
    return 0x039C;
  }
  if (c == 0x0131) {
    return u'I';
  }
  // Latin Extended-A pairs its letters as capital, small; in two stretches the other way round.
  if ((in(0x0100, 0x0137) || in(0x014A, 0x0177)) && (c & 1) != 0) {
    return minus(1);
  }
  if ((in(0x0139, 0x0148) || in(0x0179, 0x017E)) && (c & 1) == 0) {
    return minus(1);
  }
  if (c == 0x03C2) {
    return 0x03A3;  // final sigma
  }
  if (in(0x03B1, 0x03CB)) {
    return minus(0x20);
  }
  if (c == 0x03AC) {
    return 0x0386;
  }
  if (in(0x03AD, 0x03AF)) {
    return minus(0x25);
  }
  if (c == 0x03CC) {
    return 0x038C;
  }
  if (in(0x03CD, 0x03CE)) {
    return minus(0x3F);
  }
  if (in(0x0430, 0x044F)) {
    return minus(0x20);
  }
  if (in(0x0450, 0x045F)) {
    return minus(0x50);
  }
  return c;
}

}  // namespace

void Windows1252Codec::upper_case(std::u16string_view text, std::u16string& upper_text) const {
  upper_text.resize(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    upper_text[i] = upper(text[i]);
  }
}

std::u16string Windows1252Codec::ansi_to_text(std::string_view bytes) const {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    text.push_back(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80u] : char16_t{b});
  }
  return text;
}

std::string Windows1252Codec::text_to_ansi(std::u16string_view text) const {
  std::string bytes;
  bytes.reserve(text.size());
  for (const char16_t c : text) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      bytes.push_back(static_cast<char>(c));
      continue;
    }
    char byte = '?';
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
      if (kHighControls[i] == c) {
        byte = static_cast<char>(0x80 + i);
        break;
      }
    }
    bytes.push_back(byte);
  }
  return bytes;
}

}  // namespace kb::sim
