#include "platform/win32/system_locale.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <limits>
#include <vector>

#include "platform/win32/wide_text.h"

namespace kb::win32 {
namespace {

int capacity_of(std::size_t capacity) {
  return static_cast<int>(std::min<std::size_t>(capacity, std::numeric_limits<int>::max()));
}

}  // namespace

std::optional<std::u16string> SystemLocale::locale_info(std::uint32_t locale, LocaleField field,
                                                        std::size_t capacity) {
  if (capacity == 0) {
    return std::nullopt;  // a capacity of 0 would ask for the length instead
  }
  std::vector<wchar_t> buffer(capacity);
  const int length =
      GetLocaleInfoW(locale, static_cast<LCTYPE>(field), buffer.data(), capacity_of(buffer.size()));
  if (length <= 0) {
    return std::nullopt;
  }
  // The length counts the terminating zero.
  return std::u16string(from_wide(buffer.data(), static_cast<std::size_t>(length - 1)));
}

std::uint32_t SystemLocale::user_default_locale() {
  return GetUserDefaultLCID();
}

std::uint16_t SystemLocale::system_default_language() {
  return GetSystemDefaultLangID();
}

std::u16string SystemLocale::language_name(std::uint32_t language, std::size_t capacity) {
  if (capacity == 0) {
    return {};
  }
  std::vector<wchar_t> buffer(capacity, L'\0');
  VerLanguageNameW(language, buffer.data(), static_cast<DWORD>(capacity_of(buffer.size())));
  if (buffer[0] == L'\0') {
    // Windows cuts a name that is too long to the buffer; Wine gives nothing at all. Fetched
    // into ample room and cut here, the result is Windows' on both.
    buffer.assign(std::max<std::size_t>(capacity, 1024), L'\0');
    VerLanguageNameW(language, buffer.data(), static_cast<DWORD>(capacity_of(buffer.size())));
  }
  return std::u16string(from_wide(buffer.data(), wcsnlen(buffer.data(), capacity - 1)));
}

}  // namespace kb::win32
