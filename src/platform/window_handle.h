#pragma once

#include <cstdint>

namespace kb {

// A top-level window of the desktop, as the system numbers it. `none` is the absent window.
enum class WindowHandle : std::uintptr_t { none = 0 };

}  // namespace kb
