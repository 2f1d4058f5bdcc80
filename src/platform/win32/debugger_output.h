#pragma once

#include "platform/debug_output.h"

namespace kb::win32 {

// OutputDebugStringW: seen by an attached debugger or a debug-output viewer.
class DebuggerOutput final : public DebugOutput {
 public:
  void write_line(std::u16string_view line) override;
};

}  // namespace kb::win32
