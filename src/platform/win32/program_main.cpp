// The executable's entry point: it assembles the program from the Win32 parts and runs it. The
// one file of the Windows layer that knows the program around it.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/form_zevo.h"
#include "app/program.h"
#include "platform/error.h"
#include "platform/win32/debugger_output.h"
#include "platform/win32/native_ui.h"
#include "platform/win32/system_file_system.h"
#include "platform/win32/system_locale.h"
#include "platform/win32/system_notification_area.h"
#include "platform/win32/system_process.h"
#include "platform/win32/system_registry_backend.h"
#include "platform/win32/system_taskbar_shell.h"
#include "platform/win32/system_text_codec.h"
#include "platform/win32/system_tick_clock.h"
#include "platform/win32/system_timer_platform.h"
#include "platform/win32/system_widget_system.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_system_info.h"

namespace {

using namespace kb;

ProgramParts system_parts() {
  auto process = std::make_unique<win32::SystemProcess>(std::u16string(kProductTitle));
  auto ui = std::make_unique<win32::NativeUi>();
  ui->set_owner_window(process->window());
  // Modal loops (the dialog) serve queued calls when idle, as the main loop does.
  ui->set_idle_handler([serving = process.get()] { serving->run_queued_calls(); });
  auto area = std::make_unique<win32::SystemNotificationArea>(process->window());
  return ProgramParts{
      .system = std::make_shared<win32::WindowsSystemInfo>(),
      .registry = std::make_shared<win32::SystemRegistryBackend>(),
      .debug = std::make_unique<win32::DebuggerOutput>(),
      .codec = std::make_unique<win32::SystemTextCodec>(),
      .files = std::make_unique<win32::SystemFileSystem>(),
      .clock = std::make_unique<win32::SystemTickClock>(),
      .locale = std::make_unique<win32::SystemLocale>(),
      .process = std::move(process),
      .shell = std::make_unique<win32::SystemTaskbarShell>(),
      .timers = std::make_shared<win32::SystemTimerPlatform>(),
      .ui = std::move(ui),
      .widgets = std::make_unique<win32::SystemWidgetSystem>(),
      .notification_area = std::move(area),
  };
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::vector<std::u16string> arguments;
  for (int i = 1; i < __argc; ++i) {
    arguments.emplace_back(win32::from_wide(__wargv[i]));
  }
  try {
    return run_program(system_parts(), arguments);
  } catch (const std::exception&) {
    // What start-up could not survive (the hidden window refused, say): said, then the end.
    MessageBoxW(nullptr, win32::wide(exception_text(std::current_exception())),
                win32::wide(std::u16string(kProductTitle)), MB_OK | MB_ICONERROR);
    return 1;
  }
}
