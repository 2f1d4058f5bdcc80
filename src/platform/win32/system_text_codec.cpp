#include "platform/win32/system_text_codec.h"

#include <windows.h>

#include <climits>

#include "platform/error.h"
#include "platform/text.h"

namespace kb::win32 {
namespace {

// The system's conversions count in int; larger texts are refused, not cut short.
int checked_length(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) {
    throw Error(u"The text is too long to convert.");
  }
  return static_cast<int>(size);
}

}  // namespace

void SystemTextCodec::upper_case(std::u16string_view text, std::u16string& upper) const {
  upper.assign(text);
  bool ascii = true;
  for (char16_t& c : upper) {
    if (c >= 0x80) {
      ascii = false;
      break;
    }
    c = ascii_upper(c);
  }
  // Every locale upper-cases plain ASCII alike; the rest goes to the system.
  if (ascii || text.empty()) {
    return;
  }
  upper.assign(text);
  const int length = checked_length(text.size());
  const auto* source = reinterpret_cast<const wchar_t*>(text.data());
  const int needed = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, source, length, nullptr, 0);
  if (needed <= 0) {
    return;  // nothing better to offer than the text as it is
  }
  upper.resize(static_cast<std::size_t>(needed));
  LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, source, length,
               reinterpret_cast<wchar_t*>(upper.data()), needed);
}

std::u16string SystemTextCodec::ansi_to_text(std::string_view bytes) const {
  if (bytes.empty()) {
    return {};
  }
  const int length = checked_length(bytes.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::u16string text(static_cast<std::size_t>(needed > 0 ? needed : 0), u'\0');
  if (needed > 0) {
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()),
                        needed);
  }
  return text;
}

std::string SystemTextCodec::text_to_ansi(std::u16string_view text) const {
  if (text.empty()) {
    return {};
  }
  const int length = checked_length(text.size());
  const auto* source = reinterpret_cast<const wchar_t*>(text.data());
  const int needed = WideCharToMultiByte(CP_ACP, 0, source, length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
  if (needed > 0) {
    WideCharToMultiByte(CP_ACP, 0, source, length, bytes.data(), needed, nullptr, nullptr);
  }
  return bytes;
}

}  // namespace kb::win32
