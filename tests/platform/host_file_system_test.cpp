#include "platform/sim/host_file_system.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "platform/error.h"
#include "platform/text.h"

namespace kb::sim {
namespace {

namespace fs = std::filesystem;

// Runs `check` with the rights of an ordinary user, where permissions bind: root reads and
// writes whatever they say, so as root the check runs in a child process that has given its
// rights up. True when the check held.
bool as_ordinary_user(const std::function<bool()>& check) {
  if (::geteuid() != 0) {
    return check();
  }
  const pid_t child = ::fork();
  if (child == 0) {
    constexpr gid_t kNobody = 65534;
    const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 &&
                         ::setuid(kNobody) == 0;
    ::_exit(dropped && check() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

class HostFileSystemTest : public testing::Test {
 protected:
  HostFileSystemTest() {
    folder_ =
        fs::temp_directory_path() / ("kb_files_" + std::to_string(::getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  ~HostFileSystemTest() override {
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder_);
  }

  // The program's form of a path in the test's folder.
  std::u16string path(const char* name) const {
    std::u16string p = from_utf8((folder_ / name).string());
    for (char16_t& c : p) {
      if (c == u'/') {
        c = u'\\';
      }
    }
    return p;
  }
  std::string bytes_of(const char* name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void put(const char* name, const std::string& bytes) const {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
  }

  fs::path folder_;
  HostFileSystem files;
};

TEST_F(HostFileSystemTest, AMissingFileOrAFolderIsNoFile) {
  fs::create_directory(folder_ / "sub");
  EXPECT_FALSE(files.file_exists(path("none")));
  EXPECT_FALSE(files.file_exists(path("sub")));
  EXPECT_EQ(files.read_file(path("none")), std::nullopt);
  EXPECT_EQ(files.read_file(path("sub")), std::nullopt);
  EXPECT_EQ(files.read_file(path("none\\deeper")), std::nullopt);

  put("there", std::string("a\0b", 3));
  EXPECT_TRUE(files.file_exists(path("there")));
  EXPECT_EQ(files.read_file(path("there")), std::string("a\0b", 3));
}

TEST_F(HostFileSystemTest, ReplacingWritesTheBytesAndLeavesNoTemporaryFile) {
  files.replace_file(path("index.txt"), "new");
  EXPECT_EQ(bytes_of("index.txt"), "new");
  put("index.txt", "old and longer");
  files.replace_file(path("index.txt"), "");
  EXPECT_EQ(bytes_of("index.txt"), "");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(HostFileSystemTest, AWriteThatFailsPartWayKeepsTheOldFile) {
  put("en.nlang3", "old bytes");
  // A file size limit makes the write fail with the file half written, as a full disk does;
  // unlike permissions it also holds for root.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  rlimit small = old_limit;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::u16string message;
  try {
    files.replace_file(path("en.nlang3"), std::string(100000, 'x'));
  } catch (const Error& e) {
    message = e.message();
  }
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  EXPECT_EQ(message, u"Cannot write \"" + path("en.nlang3") + u"\": File too large");
  EXPECT_EQ(bytes_of("en.nlang3"), "old bytes");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(HostFileSystemTest, ARenameThatIsRefusedKeepsWhatIsThere) {
  fs::create_directories(folder_ / "index.txt" / "inside");
  EXPECT_THROW(files.replace_file(path("index.txt"), "new"), Error);
  EXPECT_TRUE(fs::is_directory(folder_ / "index.txt" / "inside"));
  EXPECT_EQ(entries(), 1u);

  EXPECT_THROW(files.replace_file(path("no folder\\index.txt"), "new"), Error);
}

// Whether `call` fails with kb::Error.
bool refused(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error&) {
    return true;
  }
  return false;
}

TEST_F(HostFileSystemTest, AReadOnlyFolderRefusesTheWriteAndKeepsTheOldFile) {
  put("index.txt", "old");
  const auto read_and_search = fs::perms::owner_read | fs::perms::owner_exec |
                               fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec;
  fs::permissions(folder_, read_and_search);
  EXPECT_TRUE(as_ordinary_user([&] {
    return refused([&] { files.replace_file(path("index.txt"), "new"); });
  }));
  fs::permissions(folder_, fs::perms::owner_all);
  EXPECT_EQ(bytes_of("index.txt"), "old");
  EXPECT_EQ(entries(), 1u) << "no temporary file left behind";
}

TEST_F(HostFileSystemTest, AFileThatCannotBeOpenedIsAnErrorNotAMissingFile) {
  put("en.nlang3", "secret");
  fs::permissions(folder_ / "en.nlang3", fs::perms::none);
  EXPECT_TRUE(as_ordinary_user([&] { return refused([&] { files.read_file(path("en.nlang3")); }); }));
}

}  // namespace
}  // namespace kb::sim
