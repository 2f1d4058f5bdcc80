#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/tick_clock.h"

namespace kb::sim {

// A tick count that gives the readings it was handed, one per call; the last one repeats.
class ScriptedTickClock final : public TickClock {
 public:
  explicit ScriptedTickClock(std::vector<std::uint32_t> readings = {0})
      : readings_(std::move(readings)) {}

  std::uint32_t tick_count() override {
    ++calls_;
    if (readings_.empty()) {
      return 0;
    }
    const std::uint32_t reading = readings_[next_];
    if (next_ + 1 < readings_.size()) {
      ++next_;
    }
    return reading;
  }

  std::size_t calls() const { return calls_; }

 private:
  std::vector<std::uint32_t> readings_;
  std::size_t next_ = 0;
  std::size_t calls_ = 0;
};

}  // namespace kb::sim
