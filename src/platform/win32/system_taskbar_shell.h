#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/taskbar_shell.h"

namespace kb::win32 {

// The argument record of SetWindowCompositionAttribute: each field pointer-sized in effect,
// 12 bytes in a 32-bit process and 24 in a 64-bit one.
struct CompositionAttributeData {
  DWORD Attribute;
  PVOID Data;
  SIZE_T SizeOfData;
};

static_assert(sizeof(AccentPolicy) == 16);
static_assert(offsetof(CompositionAttributeData, Data) == sizeof(void*));
static_assert(offsetof(CompositionAttributeData, SizeOfData) == 2 * sizeof(void*));
static_assert(sizeof(CompositionAttributeData) == 3 * sizeof(void*));

// The attribute that carries an accent record.
constexpr DWORD kAccentPolicyAttribute = 19;

// Looks up SetWindowCompositionAttribute in user32 once, at start-up. The function is not
// documented, so it may be missing: then accents are never applied, and the standard look's
// message still goes out.
void bind_set_window_composition_attribute();
bool set_window_composition_attribute_bound();

// Hands the accent record to the window manager when the entry point is bound; the call's
// result is ignored.
void ApplyAccent(HWND window, const AccentPolicy* accent);

// The desktop's real taskbar windows.
class SystemTaskbarShell final : public TaskbarShell {
 public:
  // Start-up binds the entry point before any window exists; binding again here costs nothing
  // and means a shell never runs unbound.
  SystemTaskbarShell() { bind_set_window_composition_attribute(); }

  void find_windows(std::u16string_view class_name, std::vector<WindowHandle>& found) override;
  void apply_accent(WindowHandle window, const AccentPolicy& accent) override;
  void send_theme_changed(WindowHandle window) override;
};

}  // namespace kb::win32
