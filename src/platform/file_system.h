#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kb {

// Whole-file access. Paths are the system's full paths ("C:\...\translation\en.nlang3").
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Whether a file, not a folder, exists at `path`.
  virtual bool file_exists(const std::u16string& path) = 0;

  // The file's bytes; nothing when no file exists at `path`. Throws kb::Error naming the file
  // and the reason when the file exists but cannot be read.
  virtual std::optional<std::string> read_file(const std::u16string& path) = 0;

  // Creates or replaces the file at `path` with `bytes`, atomically: the bytes go to a
  // temporary file in the same folder, which is then renamed over the file. Throws kb::Error
  // naming the file and the reason; the file then keeps its old content and no temporary file
  // remains.
  virtual void replace_file(const std::u16string& path, std::string_view bytes) = 0;
};

}  // namespace kb
