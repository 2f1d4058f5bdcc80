#pragma once

#include <cstdint>

namespace kb {

// The accent record the window manager takes for a window: four 32-bit fields, 16 bytes,
// in exactly this order (the record crosses into the system as raw memory).
struct AccentPolicy {
  std::uint32_t AccentState = 0;
  std::uint32_t AccentFlags = 0;
  std::uint32_t GradientColor = 0;
  std::uint32_t AnimationId = 0;

  friend bool operator==(const AccentPolicy&, const AccentPolicy&) = default;
};

static_assert(sizeof(AccentPolicy) == 16);
static_assert(alignof(AccentPolicy) == 4);

}  // namespace kb
