#pragma once

#include <windows.h>

#include <string>

namespace kb::win32 {

// The system's own text for an error code, without the trailing line break; the code in
// figures when the system has no text for it.
std::u16string system_error_text(DWORD code);

}  // namespace kb::win32
