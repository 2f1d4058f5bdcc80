#pragma once

#include <string>

#include "platform/file_system.h"

namespace kb::sim {

// The host's real files, for native tests on Linux. Takes the program's Windows-style paths:
// "\" separates folders.
class HostFileSystem final : public FileSystem {
 public:
  bool file_exists(const std::u16string& path) override;
  std::optional<std::string> read_file(const std::u16string& path) override;
  void replace_file(const std::u16string& path, std::string_view bytes) override;
  std::vector<FoundEntry> find(const std::u16string& pattern) override;

  // The host path for a program path.
  static std::string host_path(const std::u16string& path);
};

}  // namespace kb::sim
