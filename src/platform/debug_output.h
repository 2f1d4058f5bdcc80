#pragma once

#include <string_view>

namespace kb {

// The system's debugger output: one line per event, no levels.
class DebugOutput {
 public:
  virtual ~DebugOutput() = default;
  virtual void write_line(std::u16string_view line) = 0;
};

}  // namespace kb
