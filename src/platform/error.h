#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace kb {

// An error raised to a caller. The message is program text (UTF-16); what() gives it as UTF-8.
class Error : public std::runtime_error {
 public:
  explicit Error(std::u16string message);

  const std::u16string& message() const noexcept { return message_; }

 private:
  std::u16string message_;
};

// What an error box shows for an exception: its message, or a general text for one that
// carries none; empty for none at all.
std::u16string exception_text(const std::exception_ptr& failure);

}  // namespace kb
