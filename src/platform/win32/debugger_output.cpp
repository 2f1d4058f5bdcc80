#include "platform/win32/debugger_output.h"

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace kb::win32 {

void DebuggerOutput::write_line(std::u16string_view line) {
  const std::u16string text(line);
  OutputDebugStringW(wide(text));
}

}  // namespace kb::win32
