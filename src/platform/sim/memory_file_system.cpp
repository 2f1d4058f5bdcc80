#include "platform/sim/memory_file_system.h"

#include <utility>

#include "platform/error.h"
#include "platform/text.h"

namespace kb::sim {
namespace {

std::u16string quoted(const std::u16string& path) {
  return u"\"" + path + u"\"";
}

}  // namespace

std::u16string MemoryFileSystem::key(const std::u16string& path) {
  std::u16string k = path;
  for (char16_t& c : k) {
    c = c == u'/' ? u'\\' : ascii_upper(c);
  }
  while (!k.empty() && k.back() == u'\\') {
    k.pop_back();
  }
  return k;
}

std::u16string MemoryFileSystem::folder_of(const std::u16string& path) {
  const std::u16string k = key(path);
  const auto slash = k.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : k.substr(0, slash);
}

void MemoryFileSystem::add_folder(const std::u16string& path) {
  std::u16string folder = key(path);
  while (!folder.empty()) {
    folders_.insert(folder);
    const auto slash = folder.rfind(u'\\');
    folder = slash == std::u16string::npos ? std::u16string() : folder.substr(0, slash);
  }
}

void MemoryFileSystem::set_file(const std::u16string& path, std::string bytes) {
  add_folder(folder_of(path));
  files_[key(path)] = {path, std::move(bytes)};
}

void MemoryFileSystem::remove_file(const std::u16string& path) {
  files_.erase(key(path));
}

std::optional<std::string> MemoryFileSystem::file(const std::u16string& path) const {
  const auto found = files_.find(key(path));
  if (found == files_.end()) {
    return std::nullopt;
  }
  return found->second.bytes;
}

std::vector<std::u16string> MemoryFileSystem::files() const {
  std::vector<std::u16string> paths;
  for (const auto& [k, f] : files_) {
    paths.push_back(f.path);
  }
  return paths;
}

void MemoryFileSystem::fail_reads(const std::u16string& path, std::u16string reason) {
  read_faults_[key(path)] = std::move(reason);
}

void MemoryFileSystem::fail_writes(const std::u16string& path, std::u16string reason, Stage stage,
                                   std::size_t bytes_written) {
  write_faults_[key(path)] = {std::move(reason), stage, bytes_written};
}

void MemoryFileSystem::clear_faults() {
  read_faults_.clear();
  write_faults_.clear();
}

bool MemoryFileSystem::file_exists(const std::u16string& path) {
  return files_.contains(key(path));
}

std::optional<std::string> MemoryFileSystem::read_file(const std::u16string& path) {
  const auto found = files_.find(key(path));
  if (found == files_.end()) {
    return std::nullopt;
  }
  if (const auto fault = read_faults_.find(key(path)); fault != read_faults_.end()) {
    throw Error(u"Cannot read " + quoted(path) + u": " + fault->second);
  }
  return found->second.bytes;
}

void MemoryFileSystem::replace_file(const std::u16string& path, std::string_view bytes) {
  const std::u16string folder = folder_of(path);
  if (!folder.empty() && !folders_.contains(folder)) {
    throw Error(u"Cannot write " + quoted(path) + u": The system cannot find the path specified.");
  }
  if (folders_.contains(key(path))) {
    throw Error(u"Cannot write " + quoted(path) + u": Access is denied.");
  }
  // The temporary file exists while it is written, and goes away again on failure.
  const std::u16string temporary = path + u".tmp";
  const auto fault = write_faults_.find(key(path));
  File& temp = files_[key(temporary)] = {temporary, {}};
  if (fault != write_faults_.end() && fault->second.stage == Stage::writing) {
    temp.bytes = std::string(bytes.substr(0, fault->second.bytes_written));
    const std::u16string reason = fault->second.reason;
    files_.erase(key(temporary));
    throw Error(u"Cannot write " + quoted(path) + u": " + reason);
  }
  temp.bytes = std::string(bytes);
  if (fault != write_faults_.end()) {
    const std::u16string reason = fault->second.reason;
    files_.erase(key(temporary));
    throw Error(u"Cannot write " + quoted(path) + u": " + reason);
  }
  std::string done = std::move(temp.bytes);
  files_.erase(key(temporary));
  files_[key(path)] = {path, std::move(done)};
  replaced_.push_back(path);
}

std::vector<FoundEntry> MemoryFileSystem::find(const std::u16string& pattern) {
  const std::u16string folder = folder_of(pattern);
  const std::u16string mask = pattern.substr(pattern.find_last_of(u"\\/") + 1);
  const auto last_part = [](const std::u16string& path) {
    return path.substr(path.find_last_of(u"\\/") + 1);
  };
  std::vector<FoundEntry> found;
  for (const std::u16string& sub : folders_) {
    if (folder_of(sub) == folder && matches_pattern(mask, last_part(sub))) {
      found.push_back({last_part(sub), true});
    }
  }
  for (const auto& [k, file] : files_) {
    if (folder_of(k) == folder && matches_pattern(mask, last_part(file.path))) {
      found.push_back({last_part(file.path), false});
    }
  }
  return found;
}

}  // namespace kb::sim
