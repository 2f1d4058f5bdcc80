#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kb {

// An entry a folder search found: its name, and whether it is a folder.
struct FoundEntry {
  std::u16string name;
  bool is_folder = false;
};

// Whether `name` matches `pattern`, the last part of a search path: "*" stands for any run of
// characters, "?" for one; letters match without regard to case.
bool matches_pattern(std::u16string_view pattern, std::u16string_view name);

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

  // The entries of a folder whose names match the last part of `pattern`
  // ("C:\app\translation\*.nlang3"), files and folders alike, in the order the system gives
  // them. A failing search ends there: what was found until then stands.
  virtual std::vector<FoundEntry> find(const std::u16string& pattern) = 0;
};

}  // namespace kb
