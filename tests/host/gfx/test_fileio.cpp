// The atomic file replace every save goes through.
#include "host/gfx/FileIO.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/Bounded.h"

using namespace host;
namespace fs = std::filesystem;

namespace {

class FileIO : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zel_fileio_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  size_t FilesInDir() const { return size_t(std::distance(fs::directory_iterator(dir_), {})); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  fs::path dir_;
};

TEST_F(FileIO, ReplacesTheContentAndKeepsThePermissions) {
  std::string reason;
  ASSERT_TRUE(WriteFileAtomically(Path("a.txt"), "first", reason)) << reason;
  ::chmod(Path("a.txt").c_str(), 0600);
  const std::string binary("x\0y", 3);
  ASSERT_TRUE(WriteFileAtomically(Path("a.txt"), binary, reason)) << reason;
  EXPECT_EQ(Read(Path("a.txt")), binary);
  struct stat st {};
  ASSERT_EQ(::stat(Path("a.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(FileIO, AFailurePartWayKeepsTheOldFileAndLeavesNoTemporary) {
  std::string reason;
  ASSERT_TRUE(WriteFileAtomically(Path("keep"), "previous content", reason));
  // The file size limit makes the write fail half-way.
  struct rlimit old {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = WriteFileAtomically(Path("keep"), std::string(100000, 'z'), reason);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(ok);
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(Read(Path("keep")), "previous content");
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(FileIO, RenameOverAFolderOrIntoAMissingFolderFails) {
  std::string reason;
  fs::create_directory(Path("sub"));  // the rename fails after the data is written
  EXPECT_FALSE(WriteFileAtomically(Path("sub"), "data", reason));
  EXPECT_TRUE(fs::is_directory(Path("sub")));
  EXPECT_EQ(FilesInDir(), 1u);
  reason.clear();
  EXPECT_FALSE(WriteFileAtomically(Path("no/such/file"), "data", reason));
  EXPECT_EQ(reason, std::strerror(ENOENT));
}

TEST_F(FileIO, ASaveThroughALinkReplacesTheLinkedFile) {
  fs::create_directory(Path("real"));
  std::string reason;
  ASSERT_TRUE(WriteFileAtomically(Path("real/data.txt"), "old", reason)) << reason;
  fs::create_symlink("real/data.txt", Path("link"));          // relative to the link's folder
  fs::create_symlink(Path("missing.txt"), Path("dangling"));  // names a file to create
  ASSERT_TRUE(WriteFileAtomically(Path("link"), "new", reason)) << reason;
  ASSERT_TRUE(WriteFileAtomically(Path("dangling"), "created", reason)) << reason;
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  EXPECT_TRUE(fs::is_symlink(Path("dangling")));
  EXPECT_EQ(Read(Path("real/data.txt")), "new");
  EXPECT_EQ(Read(Path("missing.txt")), "created");
  EXPECT_EQ(FilesInDir(), 4u);  // real, link, dangling, missing.txt: no temporaries
  EXPECT_EQ(std::distance(fs::directory_iterator(Path("real")), {}), 1);
  fs::create_symlink("loop", Path("loop"));
  EXPECT_FALSE(WriteFileAtomically(Path("loop"), "x", reason));
  EXPECT_EQ(reason, std::strerror(ELOOP));
}

// The process id of a process that has ended (and been reaped).
pid_t DeadPid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

TEST_F(FileIO, ASaveRemovesTemporariesOfDeadProcessesOnly) {
  const std::string dead = std::to_string(DeadPid()), live = std::to_string(::getppid());
  const std::vector<std::string> stale = {"t.xml.~" + dead + "-0", "t.xml.~" + dead + "-17"};
  const std::vector<std::string> kept = {
      "t.xml.~" + live + "-3",      // its process may still be saving
      "t.xml.~" + dead,             // not a temporary's name
      "t.xml.~" + dead + "-1.bak",  //
      "other.xml.~" + dead + "-2",  // another target's
      "t.xml~" + dead + "-5",       //
  };
  for (const auto& name : stale) std::ofstream(Path(name)) << "half";
  for (const auto& name : kept) std::ofstream(Path(name)) << "keep";
  std::string reason;
  ASSERT_TRUE(WriteFileAtomically(Path("t.xml"), "saved", reason)) << reason;
  for (const auto& name : stale) EXPECT_FALSE(fs::exists(Path(name))) << name;
  for (const auto& name : kept) EXPECT_TRUE(fs::exists(Path(name))) << name;
  EXPECT_EQ(Read(Path("t.xml")), "saved");
}

TEST_F(FileIO, ReadingRefusesFoldersFifosDevicesAndOversizedFiles) {
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  std::ofstream(Path("big")) << std::string(2000, 'b');
  struct TCase {
    std::string path, reason;
  };
  const std::vector<TCase> cases = {
      {dir_.string(), std::strerror(EISDIR)}, {Path("fifo"), "not a regular file"},
      {"/dev/zero", "not a regular file"},    {Path("big"), "larger than 1000 bytes"},
      {Path("none"), std::strerror(ENOENT)},
  };
  for (const TCase& c : cases) {
    auto result = std::make_shared<std::pair<bool, std::string>>(true, "");
    auto out = std::make_shared<std::string>("unchanged");
    ASSERT_TRUE(testsupport::ReturnsWithin([c, result, out] {
      result->first = ReadRegularFile(c.path, 1000, *out, result->second);
    })) << c.path
        << " blocked";
    EXPECT_FALSE(result->first) << c.path;
    EXPECT_EQ(result->second, c.reason) << c.path;
    EXPECT_EQ(*out, "unchanged");
  }
  std::string out, reason;
  ASSERT_TRUE(ReadRegularFile(Path("big"), 2000, out, reason)) << reason;
  EXPECT_EQ(out, std::string(2000, 'b'));
}

}  // namespace
