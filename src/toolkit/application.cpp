#include "toolkit/application.h"

#include "toolkit/ui_platform.h"

namespace kb {

Application::Application(UiPlatform& ui) : ui_(ui) {
  current_ = this;
}

Application::~Application() {
  if (current_ == this) {
    current_ = nullptr;
  }
}

void Application::HandleException(const std::exception_ptr& failure) noexcept {
  try {
    if (on_exception_) {
      auto handler = on_exception_;  // the handler may replace itself
      handler(failure);
    } else {
      ui_.show_error(title_, exception_text(failure));
    }
  } catch (...) {
    // Reporting the failure failed too; there is nobody left to tell.
  }
}

bool Application::Guarded(const std::function<void()>& call) noexcept {
  try {
    call();
    return true;
  } catch (...) {
    HandleException(std::current_exception());
    return false;
  }
}

}  // namespace kb
