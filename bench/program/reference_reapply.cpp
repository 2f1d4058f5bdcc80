// The yardstick of the program's idle cost: only what re-applying the look needs. A worker
// sleeps 20 ms and hands a tick to a hidden window, whose handler looks the taskbars up every
// 25th time and gives them the transparent accent.

#include <windows.h>

#include <atomic>
#include <thread>

namespace {

struct AccentPolicy {
  DWORD state, flags, color, animation;
};
struct CompositionData {
  DWORD attribute;
  void* data;
  SIZE_T size;
};
using SetAttribute = BOOL(WINAPI*)(HWND, CompositionData*);

SetAttribute set_attribute = nullptr;
HWND taskbars[2] = {};
int count_down = 1;

void tick() {
  if (--count_down <= 0) {
    taskbars[0] = FindWindowW(L"Shell_TrayWnd", nullptr);
    taskbars[1] = FindWindowW(L"Shell_SecondaryTrayWnd", nullptr);
    count_down = 25;
  }
  AccentPolicy accent{2, 2, 0, 0};
  CompositionData data{19, &accent, sizeof(accent)};
  for (HWND taskbar : taskbars) {
    if (taskbar != nullptr && set_attribute != nullptr) {
      set_attribute(taskbar, &data);
    }
  }
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) {
    tick();
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  set_attribute = reinterpret_cast<SetAttribute>(reinterpret_cast<void (*)()>(
      GetProcAddress(LoadLibraryW(L"user32.dll"), "SetWindowCompositionAttribute")));
  WNDCLASSW wc{};
  wc.lpfnWndProc = &procedure;
  wc.hInstance = instance;
  wc.lpszClassName = L"ReferenceReapply";
  RegisterClassW(&wc);
  const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"ReferenceReapply", L"", WS_POPUP, 0, 0,
                                      0, 0, nullptr, nullptr, instance, nullptr);
  std::thread([window] {
    for (;;) {
      Sleep(20);
      SendMessageW(window, WM_APP, 0, 0);
    }
  }).detach();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchMessageW(&message);
  }
  return 0;
}
