#pragma once

#include <memory>
#include <utility>

#include "app/program.h"
#include "platform/sim/event_loop.h"
#include "platform/sim/headless_ui.h"
#include "platform/sim/memory_file_system.h"
#include "platform/sim/memory_registry.h"
#include "platform/sim/recorded_debug_output.h"
#include "platform/sim/recording_notification_area.h"
#include "platform/sim/recording_shell.h"
#include "platform/sim/scripted_locale.h"
#include "platform/sim/scripted_process.h"
#include "platform/sim/scripted_system_info.h"
#include "platform/sim/scripted_tick_clock.h"
#include "platform/sim/scripted_widget_system.h"
#include "platform/sim/timer_platforms.h"
#include "platform/sim/windows1252_codec.h"

namespace kb::test {

// The parts of a program made of simulated ones, and a way for the test to reach each while
// the program that has taken them over lives: the system of a German user on Windows 10 with a taskbar,
// an empty registry, no files, real-time timers whose ticks run when the test serves the loop.
struct SimParts {
  explicit SimParts(std::shared_ptr<sim::ScriptedProcess::Mutexes> mutexes =
                        std::make_shared<sim::ScriptedProcess::Mutexes>()) {
    auto system_part = std::make_shared<sim::ScriptedSystemInfo>();
    auto registry_part = std::make_shared<sim::MemoryRegistry>();
    auto debug_part = std::make_unique<sim::RecordedDebugOutput>();
    auto files_part = std::make_shared<sim::MemoryFileSystem>();
    auto locale_part = std::make_unique<sim::ScriptedLocale>();
    auto process_part = std::make_unique<sim::ScriptedProcess>(std::move(mutexes));
    auto shell_part = std::make_unique<sim::RecordingShell>();
    auto ui_part = std::make_unique<sim::HeadlessUi>();
    auto widgets_part = std::make_unique<sim::ScriptedWidgetSystem>();
    auto area_part = std::make_unique<sim::RecordingNotificationArea>();
    files_owner = files_part;
    system = system_part.get();
    registry = registry_part.get();
    debug = debug_part.get();
    files = files_part.get();
    locale = locale_part.get();
    process = process_part.get();
    shell = shell_part.get();
    ui = ui_part.get();
    widgets = widgets_part.get();
    area = area_part.get();
    taskbar = shell->add_window(u"Shell_TrayWnd");
    ui->set_event_loop(&process->loop());
    files->add_folder(u"C:\\Program Files\\Korvalen Barlume");
    parts = ProgramParts{
        .system = std::move(system_part),
        .registry = std::move(registry_part),
        .debug = std::move(debug_part),
        .codec = std::make_unique<sim::Windows1252Codec>(),
        .files = std::move(files_part),
        .clock = std::make_unique<sim::ScriptedTickClock>(),
        .locale = std::move(locale_part),
        .process = std::move(process_part),
        .shell = std::move(shell_part),
        .timers = std::make_shared<sim::RealTimeTimerPlatform>(),
        .ui = std::move(ui_part),
        .widgets = std::move(widgets_part),
        .notification_area = std::move(area_part),
    };
  }

  ProgramParts parts;
  // The files outlive the program, for what a test reads after it ended.
  std::shared_ptr<sim::MemoryFileSystem> files_owner;
  sim::ScriptedSystemInfo* system;
  sim::MemoryRegistry* registry;
  sim::RecordedDebugOutput* debug;
  sim::MemoryFileSystem* files;
  sim::ScriptedLocale* locale;
  sim::ScriptedProcess* process;
  sim::RecordingShell* shell;
  sim::HeadlessUi* ui;
  sim::ScriptedWidgetSystem* widgets;
  sim::RecordingNotificationArea* area;
  WindowHandle taskbar;
};

}  // namespace kb::test
