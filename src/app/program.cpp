#include "app/program.h"

#include "app/form_zevo.h"
#include "lang/language_choice.h"
#include "lang/translation_export.h"
#include "platform/error.h"
#include "platform/text.h"
#include "runtime/environment.h"
#include "runtime/registry.h"

namespace kb {
namespace {

constexpr std::u16string_view kSingleInstanceMutex = u"Zevolux";
constexpr std::u16string_view kNotWindows10 = u"This software requires Windows 10!";
constexpr std::u16string_view kTranslationSaved = u"Translation saved...";
constexpr std::u16string_view kExportSwitch = u"-SAVE";

}  // namespace

Program::Program(ProgramParts parts)
    : parts_(std::move(parts)),
      queue_(std::make_shared<MainThreadQueue>(parts_.process->waker())),
      application_(*parts_.ui) {
  init_registry(parts_.registry, *parts_.system);
  init_environment(parts_.system, *parts_.debug);
  parts_.process->set_queued_calls_handler([queue = queue_] { queue->run_pending(); });
}

Program::~Program() {
  form_.reset();  // before anything it uses
  // The timers' workers end at their next wake-up; one that waits for a tick ends now.
  queue_->close();
  parts_.process->set_queued_calls_handler(nullptr);
}

LangPlatform Program::lang() const {
  return {*parts_.codec, *parts_.files, *parts_.debug, *parts_.clock};
}

bool Program::take_single_instance() {
  return parts_.process->take_single_instance(kSingleInstanceMutex);
}

void Program::choose_start_language() {
  ChooseStartLanguage(*parts_.files, *parts_.locale, PROGRAM_FOLDER());
}

TForm_ZEVO& Program::create_main_form() {
  form_ = std::make_unique<TForm_ZEVO>(MainFormParts{
      .application = application_,
      .widgets = *parts_.widgets,
      .timers = parts_.timers,
      .queue = queue_,
      .shell = *parts_.shell,
      .notification_area = *parts_.notification_area,
      .system = *parts_.system,
      .locale = *parts_.locale,
      .lang = lang(),
  });
  application_.SetMainForm(form_.get());
  form_->DoCreate();
  return *form_;
}

void Program::run() {
  parts_.process->run_message_loop([this] { return application_.Terminated(); });
}

int Program::export_translation() {
  SetCurrentLanguage(kExportKey, kExportLanguageId);
  TForm_ZEVO& form = create_main_form();
  const std::u16string title = application_.Title();
  try {
    SAVE_TRANSLATION_FROM_FORM(lang(), PROGRAM_FOLDER() + u"\\translation", CurrentLangCode, form,
                               kExportVersion);
  } catch (const Error& error) {
    parts_.process->message_box(error.message(), title, MessageIcon::error);
    application_.Terminate();
    return 1;
  }
  parts_.process->message_box(kTranslationSaved, title, MessageIcon::information);
  application_.Terminate();
  return 0;
}

bool wants_export(std::span<const std::u16string> arguments) {
  return !arguments.empty() && to_ascii_upper(arguments.front()) == kExportSwitch;
}

int run_program(ProgramParts parts, std::span<const std::u16string> arguments) {
  Program program(std::move(parts));
  if (!program.take_single_instance()) {
    return 0;  // another copy runs: it stays the only one, and nothing is said
  }
  program.application().SetTitle(kProductTitle);
  if (!IS_WIN10()) {
    program.parts().process->message_box(kNotWindows10, kProductTitle, MessageIcon::error);
    return 0;
  }
  if (wants_export(arguments)) {
    return program.export_translation();
  }
  program.choose_start_language();
  program.create_main_form();
  program.run();
  return 0;
}

}  // namespace kb
