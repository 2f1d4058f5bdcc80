#include "platform/file_system.h"

#include "platform/text.h"

namespace kb {

bool matches_pattern(std::u16string_view pattern, std::u16string_view name) {
  // Greedy with one backtrack point: the last "*" seen takes one more character each retry.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star = std::u16string_view::npos;
  std::size_t star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == u'?' || ascii_upper(pattern[p]) == ascii_upper(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      star_n = n;
    } else if (star != std::u16string_view::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') {
    ++p;
  }
  return p == pattern.size();
}

}  // namespace kb
