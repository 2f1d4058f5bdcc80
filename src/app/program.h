#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "lang/lang_platform.h"
#include "platform/debug_output.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/notification_area.h"
#include "platform/process_services.h"
#include "platform/registry_backend.h"
#include "platform/system_info.h"
#include "platform/taskbar_shell.h"
#include "platform/text_codec.h"
#include "platform/tick_clock.h"
#include "platform/timer_platform.h"
#include "platform/widget_system.h"
#include "runtime/main_thread_queue.h"
#include "toolkit/application.h"
#include "toolkit/ui_platform.h"

namespace kb {

class TForm_ZEVO;

// The parts of the system the program is made of: the Win32 ones in the executable, simulated
// ones in tests. The program owns them.
struct ProgramParts {
  std::shared_ptr<SystemInfo> system;
  std::shared_ptr<RegistryBackend> registry;
  std::unique_ptr<DebugOutput> debug;
  std::unique_ptr<TextCodec> codec;
  std::shared_ptr<FileSystem> files;
  std::unique_ptr<TickClock> clock;
  std::unique_ptr<Locale> locale;
  std::unique_ptr<ProcessServices> process;
  std::unique_ptr<TaskbarShell> shell;
  std::shared_ptr<TimerPlatform> timers;
  std::unique_ptr<UiPlatform> ui;
  std::unique_ptr<WidgetSystem> widgets;
  std::unique_ptr<NotificationArea> notification_area;
};

// The running program. It owns its parts and everything made of them, its members in the
// order of start-up, so that shutdown, their reverse, destroys the main form (whose icon
// leaves the notification area and whose timers stop) before the single-instance guard goes,
// and that before the rest of the system's parts.
class Program {
 public:
  // Prepares the registry's view and works out the system's facts (the modules' start-up).
  explicit Program(ProgramParts parts);
  ~Program();

  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Application& application() { return application_; }
  const std::shared_ptr<MainThreadQueue>& queue() const { return queue_; }
  ProgramParts& parts() { return parts_; }
  LangPlatform lang() const;
  // The main form, once made.
  TForm_ZEVO* main_form() { return form_.get(); }

  // The steps of start-up, in their order.
  bool take_single_instance();
  void choose_start_language();
  // Makes the main form, hidden; its creation loads the options, translates it, builds the
  // language menu and starts the timers.
  TForm_ZEVO& create_main_form();
  // The message loop, until the program is asked to end.
  void run();
  // The export mode: the built-in German texts as the translation "de-de". Shows the
  // confirmation, or the error with the file and the reason; returns the exit code, 1 on
  // failure.
  int export_translation();

 private:
  ProgramParts parts_;
  std::shared_ptr<MainThreadQueue> queue_;
  Application application_;
  std::unique_ptr<TForm_ZEVO> form_;
};

// The program from start to end, as the executable runs it with its command line (the
// arguments after the program's name). Returns the exit code.
int run_program(ProgramParts parts, std::span<const std::u16string> arguments);

// Whether the command line asks for the export mode: "-SAVE" in any letter case, first.
bool wants_export(std::span<const std::u16string> arguments);

}  // namespace kb
