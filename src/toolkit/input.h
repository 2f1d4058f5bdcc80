#pragma once

#include <cstdint>

// The input that controls receive from their peers: mouse buttons, the state of the modifier
// keys and mouse buttons, and the virtual-key codes (the Windows values) the controls react to.
namespace kb {

enum class MouseButton { left, right, middle };

using ShiftState = std::uint8_t;
inline constexpr ShiftState kShiftKey = 1 << 0;
inline constexpr ShiftState kAltKey = 1 << 1;
inline constexpr ShiftState kCtrlKey = 1 << 2;
inline constexpr ShiftState kLeftButtonDown = 1 << 3;
inline constexpr ShiftState kRightButtonDown = 1 << 4;
inline constexpr ShiftState kMiddleButtonDown = 1 << 5;

inline constexpr std::uint16_t kVkTab = 0x09;
inline constexpr std::uint16_t kVkReturn = 0x0D;
inline constexpr std::uint16_t kVkEscape = 0x1B;
inline constexpr std::uint16_t kVkSpace = 0x20;
inline constexpr std::uint16_t kVkLeft = 0x25;
inline constexpr std::uint16_t kVkUp = 0x26;
inline constexpr std::uint16_t kVkDown = 0x28;
inline constexpr std::uint16_t kVkDelete = 0x2E;

}  // namespace kb
