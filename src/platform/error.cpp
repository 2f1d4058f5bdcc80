#include "platform/error.h"

#include <utility>

#include "platform/text.h"

namespace kb {

Error::Error(std::u16string message)
    : std::runtime_error(to_utf8(message)), message_(std::move(message)) {}

std::u16string exception_text(const std::exception_ptr& failure) {
  if (!failure) {
    return {};
  }
  try {
    std::rethrow_exception(failure);
  } catch (const Error& error) {
    return error.message();
  } catch (const std::exception& error) {
    return from_utf8(error.what());
  } catch (...) {
    return u"An unknown error occurred.";
  }
}

}  // namespace kb
