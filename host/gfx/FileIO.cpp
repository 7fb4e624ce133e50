#include "host/gfx/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace host {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(size_t(n));
  }
  return true;
}

// A new, unique file beside `path`, created with the permissions an ordinary new
// file gets (or those of the file it will replace); -1 with errno set on failure.
int CreateTemporary(const std::string& path, std::string& tmp) {
  static std::atomic<unsigned> counter{0};
  struct stat st {};
  const bool replacing = ::stat(path.c_str(), &st) == 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tmp = path + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 && replacing) (void)::fchmod(fd, st.st_mode & 07777);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  TFileDescriptor fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0) (void)::fsync(fd.Get());  // best effort: the data itself is safe
}

}  // namespace

bool TFileDescriptor::Close() {
  if (FFd < 0) return true;
  const int rc = ::close(FFd);
  FFd = -1;
  return rc == 0;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& reason) {
  std::string tmp;
  TFileDescriptor fd(CreateTemporary(path, tmp));
  if (fd.Get() < 0) {
    reason = std::strerror(errno);
    return false;
  }
  if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || !fd.Close() ||
      ::rename(tmp.c_str(), path.c_str()) != 0) {
    reason = std::strerror(errno);
    ::unlink(tmp.c_str());
    return false;
  }
  SyncFolderOf(path);
  return true;
}

}  // namespace host
