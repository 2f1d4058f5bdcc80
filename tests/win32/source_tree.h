#pragma once

#include <string>

#include "platform/text.h"

namespace kb::test {

// The repository as Wine's programs see it, through the drive that maps the root of the host.
// It holds "translation" and "Flags" as a release's folder does.
inline std::u16string source_tree() {
  std::u16string path = u"Z:" + from_utf8(KB_SOURCE_DIR);
  for (char16_t& c : path) {
    c = c == u'/' ? u'\\' : c;
  }
  return path;
}

}  // namespace kb::test
