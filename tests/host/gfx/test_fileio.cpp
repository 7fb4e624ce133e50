// The atomic file replace every save goes through.
#include "host/gfx/FileIO.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

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

}  // namespace
