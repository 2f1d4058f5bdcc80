#pragma once

#include <string>
#include <string_view>

// Windows' wchar_t is UTF-16, the program's own text type: the two convert without copying.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace kb::win32 {

inline const wchar_t* wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string_view from_wide(const wchar_t* text, std::size_t length) {
  return {reinterpret_cast<const char16_t*>(text), length};
}

inline std::u16string_view from_wide(const wchar_t* text) {
  return from_wide(text, std::char_traits<wchar_t>::length(text));
}

}  // namespace kb::win32
