#include "platform/win32/system_taskbar_shell.h"

#include <string>

#include "platform/win32/wide_text.h"
#include "platform/win32/window_handles.h"

namespace kb::win32 {
namespace {

using SetWindowCompositionAttributeFn = BOOL(WINAPI*)(HWND, CompositionAttributeData*);

// Bound once before any window exists and never changed afterwards.
SetWindowCompositionAttributeFn g_set_window_composition_attribute = nullptr;
bool g_bound = false;

// A desktop has a handful of taskbars; the bound only guards against a window list that
// changes under the walk and never ends.
constexpr std::size_t kMostWindowsOfAClass = 64;

}  // namespace

void bind_set_window_composition_attribute() {
  if (g_bound) {
    return;
  }
  g_bound = true;
  // Kept loaded for the life of the process.
  HMODULE user32 = LoadLibraryW(L"user32.dll");
  if (user32 == nullptr) {
    return;
  }
  FARPROC entry = GetProcAddress(user32, "SetWindowCompositionAttribute");
  g_set_window_composition_attribute =
      reinterpret_cast<SetWindowCompositionAttributeFn>(reinterpret_cast<void (*)()>(entry));
}

bool set_window_composition_attribute_bound() {
  return g_set_window_composition_attribute != nullptr;
}

void ApplyAccent(HWND window, const AccentPolicy* accent) {
  if (g_set_window_composition_attribute == nullptr) {
    return;
  }
  CompositionAttributeData data{kAccentPolicyAttribute, const_cast<AccentPolicy*>(accent),
                                sizeof(AccentPolicy)};
  g_set_window_composition_attribute(window, &data);
}

void SystemTaskbarShell::find_windows(std::u16string_view class_name,
                                      std::vector<WindowHandle>& found) {
  found.clear();
  const std::u16string name(class_name);
  HWND window = nullptr;
  while (found.size() < kMostWindowsOfAClass) {
    window = FindWindowExW(nullptr, window, wide(name), nullptr);
    if (window == nullptr) {
      break;
    }
    found.push_back(from_hwnd(window));
  }
}

void SystemTaskbarShell::apply_accent(WindowHandle window, const AccentPolicy& accent) {
  ApplyAccent(to_hwnd(window), &accent);
}

void SystemTaskbarShell::send_theme_changed(WindowHandle window) {
  SendMessageW(to_hwnd(window), WM_THEMECHANGED, 0, 0);
}

}  // namespace kb::win32
