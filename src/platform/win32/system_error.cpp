#include "platform/win32/system_error.h"

#include "platform/text.h"
#include "platform/win32/wide_text.h"

namespace kb::win32 {

std::u16string system_error_text(DWORD code) {
  wchar_t buffer[512];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
  while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' ||
                        buffer[length - 1] == L' ')) {
    --length;
  }
  if (length == 0) {
    return from_utf8("error " + std::to_string(code));
  }
  return std::u16string(from_wide(buffer, length));
}

}  // namespace kb::win32
