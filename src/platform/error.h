#pragma once

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

}  // namespace kb
