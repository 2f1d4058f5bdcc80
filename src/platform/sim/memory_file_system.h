#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kb::sim {

// Files and folders in memory, named as on Windows ("C:\app\translation\index.txt", letter
// case ignored), with the faults a real disk has: unreadable files, writes that stop part
// way (a full disk), renames that are refused (a file that is in use).
class MemoryFileSystem final : public FileSystem {
 public:
  // Where a write to a file fails.
  enum class Stage {
    writing,  // while its temporary file is written, after `bytes_written` bytes
    renaming  // when the finished temporary file is renamed over it
  };

  void add_folder(const std::u16string& path);
  // Puts a file in place directly, adding its folder.
  void set_file(const std::u16string& path, std::string bytes);
  void remove_file(const std::u16string& path);
  std::optional<std::string> file(const std::u16string& path) const;
  // Every file that exists, temporary ones included, by full path.
  std::vector<std::u16string> files() const;

  // Reads of the file fail with `reason` from now on.
  void fail_reads(const std::u16string& path, std::u16string reason);
  // Writes to the file fail with `reason` from now on.
  void fail_writes(const std::u16string& path, std::u16string reason, Stage stage,
                   std::size_t bytes_written = 0);
  void clear_faults();

  // The files replaced so far, in order.
  const std::vector<std::u16string>& replaced() const { return replaced_; }

  bool file_exists(const std::u16string& path) override;
  std::optional<std::string> read_file(const std::u16string& path) override;
  void replace_file(const std::u16string& path, std::string_view bytes) override;
  // In the order of their names, without regard to case.
  std::vector<FoundEntry> find(const std::u16string& pattern) override;

 private:
  struct File {
    std::u16string path;
    std::string bytes;
  };
  struct WriteFault {
    std::u16string reason;
    Stage stage;
    std::size_t bytes_written;
  };

  static std::u16string key(const std::u16string& path);
  static std::u16string folder_of(const std::u16string& path);

  std::map<std::u16string, File> files_;
  std::set<std::u16string> folders_;
  std::map<std::u16string, std::u16string> read_faults_;
  std::map<std::u16string, WriteFault> write_faults_;
  std::vector<std::u16string> replaced_;
};

}  // namespace kb::sim
