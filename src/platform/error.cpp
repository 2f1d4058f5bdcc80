#include "platform/error.h"

#include <utility>

#include "platform/text.h"

namespace kb {

Error::Error(std::u16string message)
    : std::runtime_error(to_utf8(message)), message_(std::move(message)) {}

}  // namespace kb
