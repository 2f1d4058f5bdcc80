#include "platform/win32/system_notification_area.h"

#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/win32/pictures.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window.h"
#include "platform/win32/window_handles.h"

namespace kb::win32 {
namespace {

// The two forms of the record: the whole one, and the one before version 6 of the shell, which
// ends before guidItem (MinGW's NOTIFYICONDATAW_V3_SIZE takes the GUID in).
constexpr UINT kFullSize = sizeof(NOTIFYICONDATAW);
constexpr UINT kVersion3Size = offsetof(NOTIFYICONDATAW, guidItem);
#ifdef _WIN64
static_assert(kFullSize == 976 && kVersion3Size == 952);
#else
static_assert(kFullSize == 956 && kVersion3Size == 936);
#endif

UINT registered_taskbar_created() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

HICON to_hicon(IconHandle icon) {
  return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(icon));
}

IconHandle from_hicon(HICON icon) {
  return static_cast<IconHandle>(reinterpret_cast<std::uintptr_t>(icon));
}

// The picture at `size` pixels: as it is when it has that size, else scaled by averaging the
// source pixels each target pixel covers (a larger picture), or by repeating them (a smaller).
TBitmap32 at_size(const TBitmap32& picture, int size) {
  if (picture.width() == size && picture.height() == size) {
    return picture;
  }
  TBitmap32 scaled(size, size);
  for (int y = 0; y < size; ++y) {
    const int y0 = y * picture.height() / size;
    const int y1 = std::max(y0 + 1, (y + 1) * picture.height() / size);
    for (int x = 0; x < size; ++x) {
      const int x0 = x * picture.width() / size;
      const int x1 = std::max(x0 + 1, (x + 1) * picture.width() / size);
      std::uint32_t sum[4] = {};
      for (int sy = y0; sy < y1; ++sy) {
        for (int sx = x0; sx < x1; ++sx) {
          const TColor32 p = picture.pixel(sx, sy);
          const std::uint32_t a = p >> 24;
          sum[0] += a;
          sum[1] += ((p >> 16) & 0xFF) * a;  // weighted by alpha, so that no fringe darkens
          sum[2] += ((p >> 8) & 0xFF) * a;
          sum[3] += (p & 0xFF) * a;
        }
      }
      const auto n = static_cast<std::uint32_t>((y1 - y0) * (x1 - x0));
      const std::uint32_t a = sum[0] / n;
      const auto channel = [&](std::uint32_t weighted) {
        return sum[0] == 0 ? 0u : std::min<std::uint32_t>(weighted / sum[0], 255);
      };
      scaled.set_pixel(x, y, (a << 24) | (channel(sum[1]) << 16) | (channel(sum[2]) << 8) |
                                 channel(sum[3]));
    }
  }
  return scaled;
}

HICON icon_from(const TBitmap32& picture) {
  // A 32-bit colour bitmap carries the icon's alpha; the mask is then ignored but required.
  const UniqueBitmap colour = straight_bitmap(picture);
  const UniqueBitmap mask(CreateBitmap(picture.width(), picture.height(), 1, 1, nullptr));
  if (!colour || !mask) {
    return nullptr;
  }
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour.get();
  info.hbmMask = mask.get();
  return CreateIconIndirect(&info);  // it copies both bitmaps
}

}  // namespace

// The hidden window of one icon: it hands the icon's messages to the icon's object.
class SystemNotificationArea::IconWindow final : public Window {
 public:
  explicit IconWindow(NotificationAreaClient& client) : client_(client) {
    create({.name = L"KorvalenBarlumeTrayIcon"}, WS_EX_TOOLWINDOW, WS_POPUP, u"", RECT{},
           nullptr);
  }

 private:
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kIconCallbackMessage) {
      client_.icon_message(static_cast<std::uint32_t>(LOWORD(lparam)));
      return 0;
    }
    if (message == registered_taskbar_created() && message != 0) {
      client_.taskbar_created();
      return 0;
    }
    switch (message) {
      case WM_QUERYENDSESSION:
        return client_.query_end_session() ? TRUE : FALSE;
      case WM_ENDSESSION:
        client_.end_session(wparam != FALSE);
        return 0;
      default:
        return default_message(message, wparam, lparam);
    }
  }

  NotificationAreaClient& client_;
};

SystemNotificationArea::SystemNotificationArea(HWND application_window)
    : application_window_(application_window) {
  registered_taskbar_created();
}

SystemNotificationArea::~SystemNotificationArea() = default;

WindowHandle SystemNotificationArea::create_window(NotificationAreaClient& client) {
  auto window = std::make_unique<IconWindow>(client);
  const WindowHandle handle = from_hwnd(window->handle());
  windows_[handle] = std::move(window);
  return handle;
}

void SystemNotificationArea::destroy_window(WindowHandle window) {
  windows_.erase(window);
}

bool SystemNotificationArea::notify_icon(NotifyCommand command, const NotifyIconRecord& record) {
  NOTIFYICONDATAW data{};
  data.cbSize = record.full_size ? kFullSize : kVersion3Size;
  data.hWnd = to_hwnd(record.window);
  data.uID = static_cast<UINT>(record.id);
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callback_message;
  data.hIcon = to_hicon(record.icon);
  const std::size_t tip = std::min<std::size_t>(record.tip.size(), std::size(data.szTip) - 1);
  std::memcpy(data.szTip, record.tip.data(), tip * sizeof(wchar_t));
  data.uTimeout = record.timeout;
  DWORD message = NIM_ADD;
  switch (command) {
    case NotifyCommand::add:
      message = NIM_ADD;
      break;
    case NotifyCommand::modify:
      message = NIM_MODIFY;
      break;
    case NotifyCommand::remove:
      message = NIM_DELETE;
      break;
  }
  return Shell_NotifyIconW(message, &data) != FALSE;
}

int SystemNotificationArea::system_major_version() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&version);
#pragma GCC diagnostic pop
  return static_cast<int>(version.dwMajorVersion);
}

int SystemNotificationArea::small_icon_size() {
  // Per-monitor aware, the program must ask for the metric at the display's DPI itself.
  using GetDpiForSystemFn = UINT(WINAPI*)();
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto dpi_for_system = reinterpret_cast<GetDpiForSystemFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForSystem")));
  const auto metrics_for_dpi = reinterpret_cast<GetSystemMetricsForDpiFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetSystemMetricsForDpi")));
  if (dpi_for_system != nullptr && metrics_for_dpi != nullptr) {
    return metrics_for_dpi(SM_CXSMICON, dpi_for_system());
  }
  return GetSystemMetrics(SM_CXSMICON);
}

IconHandle SystemNotificationArea::make_icon(const TIcon& icon) {
  const int size = small_icon_size();
  const TBitmap32* picture = icon.picture_for(size);
  if (picture == nullptr) {
    return IconHandle::none;
  }
  return from_hicon(icon_from(at_size(*picture, size)));
}

IconHandle SystemNotificationArea::application_icon() {
  const int size = small_icon_size();
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
  if (icon == nullptr) {
    icon = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
  }
  return from_hicon(icon);
}

void SystemNotificationArea::destroy_icon(IconHandle icon) {
  if (icon != IconHandle::none) {
    DestroyIcon(to_hicon(icon));
  }
}

void SystemNotificationArea::bring_application_to_front() {
  if (application_window_ != nullptr) {
    SetForegroundWindow(application_window_);
  }
}

void SystemNotificationArea::process_pending_messages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the program's own loop
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void SystemNotificationArea::cursor_position(int& x, int& y) {
  POINT point{0, 0};
  GetCursorPos(&point);
  x = point.x;
  y = point.y;
}

}  // namespace kb::win32
