// UTF-8 from outside (paths, files) into program text and back: never fails, yields only
// well-formed UTF-16, and valid input survives the round trip unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::u16string text = kb::from_utf8(input);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xDC00 && c <= 0xDFFF) {
      std::abort();  // a low surrogate must follow a high one, handled below
    }
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) {
        std::abort();
      }
      ++i;
    }
  }
  const std::string back = kb::to_utf8(text);
  if (text.find(u'\uFFFD') == std::u16string::npos && back != input) {
    std::abort();
  }
  return 0;
}
