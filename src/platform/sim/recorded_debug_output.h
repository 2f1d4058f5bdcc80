#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/debug_output.h"

namespace kb::sim {

// Debugger output that keeps its lines for the test to read.
class RecordedDebugOutput final : public DebugOutput {
 public:
  void write_line(std::u16string_view line) override {
    std::lock_guard lock(mutex_);
    lines_.emplace_back(line);
  }

  std::vector<std::u16string> lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::u16string> lines_;
};

}  // namespace kb::sim
