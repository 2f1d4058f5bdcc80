#pragma once

#include <string>
#include <string_view>

namespace kb {

// Program text is UTF-16 throughout; these convert at the edges (Linux paths, test output).
// Malformed input never fails: each broken sequence becomes U+FFFD.
std::string to_utf8(std::u16string_view text);
std::u16string from_utf8(std::string_view text);

}  // namespace kb
