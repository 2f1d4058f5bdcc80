#include "platform/sim/host_file_system.h"

#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "platform/error.h"
#include "platform/text.h"

namespace kb::sim {
namespace {

namespace fs = std::filesystem;

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

TEST_F(HostFileSystemTest, AReadOnlyFolderRefusesTheWriteAndKeepsTheOldFile) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root writes into read-only folders; the tests above cover failing writes";
  }
  put("index.txt", "old");
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(files.replace_file(path("index.txt"), "new"), Error);
  fs::permissions(folder_, fs::perms::owner_all);
  EXPECT_EQ(bytes_of("index.txt"), "old");
}

TEST_F(HostFileSystemTest, AFileThatCannotBeOpenedIsAnErrorNotAMissingFile) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root reads files without read permission";
  }
  put("en.nlang3", "secret");
  fs::permissions(folder_ / "en.nlang3", fs::perms::none);
  EXPECT_THROW(files.read_file(path("en.nlang3")), Error);
}

}  // namespace
}  // namespace kb::sim
