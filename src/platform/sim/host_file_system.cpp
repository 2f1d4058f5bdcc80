#include "platform/sim/host_file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

#include "platform/error.h"
#include "platform/text.h"

namespace kb::sim {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  // Closes now, reporting the failure a late write error shows up as.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

Error failure(const char16_t* what, const std::u16string& path, int error) {
  return Error(std::u16string(what) + u" \"" + path + u"\": " + from_utf8(std::strerror(error)));
}

}  // namespace

std::string HostFileSystem::host_path(const std::u16string& path) {
  std::string host = to_utf8(path);
  for (char& c : host) {
    if (c == '\\') {
      c = '/';
    }
  }
  return host;
}

bool HostFileSystem::file_exists(const std::u16string& path) {
  struct stat info {};
  return ::stat(host_path(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::optional<std::string> HostFileSystem::read_file(const std::u16string& path) {
  const std::string host = host_path(path);
  struct stat info {};
  if (::stat(host.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) {
      return std::nullopt;
    }
    throw failure(u"Cannot read", path, errno);
  }
  if (S_ISDIR(info.st_mode)) {
    return std::nullopt;
  }
  const Descriptor file(::open(host.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    throw failure(u"Cannot read", path, errno);
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      throw failure(u"Cannot read", path, errno);
    }
    if (got == 0) {
      return bytes;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

void HostFileSystem::replace_file(const std::u16string& path, std::string_view bytes) {
  const std::string host = host_path(path);
  std::string temporary = host + ".XXXXXX";
  Descriptor file(::mkstemp(temporary.data()));
  if (file.get() < 0) {
    throw failure(u"Cannot write", path, errno);
  }
  auto fail = [&](int error) {
    ::unlink(temporary.c_str());
    return failure(u"Cannot write", path, error);
  };
  // mkstemp makes the file private; give it the mode of an ordinary file.
  ::fchmod(file.get(), 0644);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(file.get(), bytes.data() + done, bytes.size() - done);
    if (wrote < 0) {
      if (errno == EINTR) {
        continue;
      }
      throw fail(errno);
    }
    done += static_cast<std::size_t>(wrote);
  }
  // On disk before the rename, so that a crash leaves the old file or the new one.
  if (::fsync(file.get()) != 0) {
    throw fail(errno);
  }
  if (!file.close()) {
    throw fail(errno);
  }
  if (::rename(temporary.c_str(), host.c_str()) != 0) {
    throw fail(errno);
  }
}

std::vector<FoundEntry> HostFileSystem::find(const std::u16string& pattern) {
  const auto split = pattern.find_last_of(u'\\');
  const std::u16string folder = split == std::u16string::npos ? u"." : pattern.substr(0, split);
  const std::u16string mask = pattern.substr(split == std::u16string::npos ? 0 : split + 1);
  std::vector<FoundEntry> found;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(host_path(folder), error), end;
       !error && entry != end; entry.increment(error)) {
    const std::u16string name = from_utf8(entry->path().filename().string());
    if (matches_pattern(mask, name)) {
      found.push_back({name, entry->is_directory(error)});
    }
  }
  return found;
}

}  // namespace kb::sim
