#pragma once

#include "platform/file_system.h"

namespace kb::win32 {

// The real files: whole-file reads, replacement through a temporary file in the same folder
// that MoveFileExW renames over the old one, and FindFirstFileW searches.
class SystemFileSystem final : public FileSystem {
 public:
  bool file_exists(const std::u16string& path) override;
  std::optional<std::string> read_file(const std::u16string& path) override;
  void replace_file(const std::u16string& path, std::string_view bytes) override;
  std::vector<FoundEntry> find(const std::u16string& pattern) override;
};

}  // namespace kb::win32
