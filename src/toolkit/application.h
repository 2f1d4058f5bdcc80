#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace kb {

class Form;
class UiPlatform;

// The running program as the user interface sees it: its title (the caption of its message
// boxes), its main form, and what becomes of an exception that escapes an event handler. One
// exists at a time; the native windows reach it through Current().
class Application {
 public:
  using ExceptionEvent = std::function<void(const std::exception_ptr& failure)>;

  explicit Application(UiPlatform& ui);
  ~Application();

  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The application of this process, or null before one exists.
  static Application* Current() { return current_; }

  UiPlatform& ui() const { return ui_; }

  const std::u16string& Title() const { return title_; }
  void SetTitle(std::u16string_view value) { title_.assign(value); }

  // Closing the main form ends the program.
  Form* MainForm() const { return main_form_; }
  void SetMainForm(Form* form) { main_form_ = form; }

  // The program should end: its message loop stops at the next turn.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  // Replaces the error box, as tests do.
  void SetOnException(ExceptionEvent handler) { on_exception_ = std::move(handler); }
  // An exception that escaped a handler: the error box shows its text with the title as
  // caption, and the program carries on.
  void HandleException(const std::exception_ptr& failure) noexcept;
  // Runs `call`; what it throws goes to HandleException. False when it threw.
  bool Guarded(const std::function<void()>& call) noexcept;

 private:
  static inline Application* current_ = nullptr;

  UiPlatform& ui_;
  std::u16string title_;
  Form* main_form_ = nullptr;
  bool terminated_ = false;
  ExceptionEvent on_exception_;
};

}  // namespace kb
