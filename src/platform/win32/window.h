#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace kb::win32 {

// A window of the program: either of a class of its own, registered once, or a system control
// ("BUTTON", "EDIT", ...) subclassed. One static procedure per kind finds the object (on
// WM_NCCREATE, or through the subclass data), hands it every message, and forgets it on
// WM_NCDESTROY. No exception ever leaves a window procedure: one that escapes handle_message
// goes to handle_exception and the message is answered with 0.
class Window {
 public:
  virtual ~Window();

  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND handle() const { return window_; }

  // Destroys the window now; nothing reaches handle_message afterwards.
  void destroy();

  // The object of a window of the program, or null for any other window.
  static Window* from_handle(HWND window);

 protected:
  // A class of the program's own.
  struct Class {
    const wchar_t* name;
    UINT style = 0;
    HBRUSH background = nullptr;  // null: the window paints its background itself
  };

  Window() = default;

  // Registers the class the first time and creates the window. Throws kb::Error with the
  // system's reason when it cannot.
  void create(const Class& window_class, DWORD ex_style, DWORD style, const std::u16string& title,
              RECT bounds, HWND parent, HMENU menu_or_id = nullptr);
  // Creates a system control and subclasses it.
  void create_control(const wchar_t* system_class, DWORD ex_style, DWORD style,
                      const std::u16string& text, RECT bounds, HWND parent, UINT id);

  // Handles one message; what it leaves goes to default_message.
  virtual LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
  // The class's own handling: DefWindowProcW, or the system control's procedure.
  LRESULT default_message(UINT message, WPARAM wparam, LPARAM lparam);
  // An exception escaped handle_message: the default reports it (report_exception).
  virtual void handle_exception(const std::exception_ptr& failure) noexcept;

 private:
  static LRESULT CALLBACK class_procedure(HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam);
  static LRESULT CALLBACK subclass_procedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam, UINT_PTR id, DWORD_PTR data);
  LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam) noexcept;

  HWND window_ = nullptr;
  bool subclassed_ = false;
};

// Where the exceptions that windows catch are reported: an error box with the exception's
// text until the program sets a reporter of its own (its application's handler).
using ExceptionReporter = std::function<void(const std::exception_ptr& failure)>;
void set_exception_reporter(ExceptionReporter reporter);
void report_exception(const std::exception_ptr& failure) noexcept;

}  // namespace kb::win32
