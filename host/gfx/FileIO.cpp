#include "host/gfx/FileIO.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>

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

ssize_t ReadSome(int fd, char* buf, size_t n) {
  ssize_t got;
  do got = ::read(fd, buf, n);
  while (got < 0 && errno == EINTR);
  return got;
}

std::string TooLarge(size_t maxBytes) {
  return "larger than " + std::to_string(maxBytes) + " bytes";
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// The file a save to `path` replaces: symbolic links are followed, so the
// temporary is written beside the real file and the rename replaces that file,
// not the link. A link that leads nowhere yet names the file to create. Empty
// with errno ELOOP when the links go round in a circle.
std::string SaveTarget(const std::string& path) {
  std::string p = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
    std::string link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
    if (n <= 0) return p;
    link.resize(size_t(n));
    p = link[0] == '/' || p.find('/') == std::string::npos ? link : FolderOf(p) + link;
  }
  errno = ELOOP;
  return "";
}

// The process id in the name of a temporary of `base` ("<base>.~<pid>-<n>"), or
// 0 when the name is not one.
pid_t TemporaryOwner(const std::string& name, const std::string& base) {
  const std::string prefix = base + ".~";
  if (name.compare(0, prefix.size(), prefix) != 0) return 0;
  const std::string rest = name.substr(prefix.size());
  const size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string::npos || dash + 1 == rest.size() ||
      rest.find_first_not_of("0123456789-") != std::string::npos ||
      rest.find('-', dash + 1) != std::string::npos || dash > 9)
    return 0;
  return pid_t(std::stol(rest.substr(0, dash)));
}

// A save killed half-way leaves its temporary behind. Those of processes that
// are gone are removed; a live process may still be saving, so its are kept.
void RemoveStaleTemporaries(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string base = target.substr(target.rfind('/') + 1);
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const pid_t owner = TemporaryOwner(it->path().filename().string(), base);
    if (owner > 0 && owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH)
      (void)::unlink(it->path().c_str());
  }
}

// A new, unique file beside `target`, created with the permissions an ordinary
// new file gets (or those of the file it will replace); -1 with errno set on
// failure.
int CreateTemporary(const std::string& target, std::string& tmp) {
  static std::atomic<unsigned> counter{0};
  struct stat st {};
  const bool replacing = ::stat(target.c_str(), &st) == 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tmp = target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 && replacing) (void)::fchmod(fd, st.st_mode & 07777);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolderOf(const std::string& path) {
  TFileDescriptor fd(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0) (void)::fsync(fd.Get());  // best effort: the data itself is safe
}

}  // namespace

bool TFileDescriptor::Close() {
  if (FFd < 0) return true;
  const int rc = ::close(FFd);
  FFd = -1;
  return rc == 0;
}

int OpenRegularFile(const std::string& path, size_t maxBytes, std::string& reason) {
  // O_NONBLOCK only keeps the open of a FIFO from waiting for a writer; a
  // regular file reads the same either way.
  TFileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat st {};
  if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0) {
    reason = std::strerror(errno);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    reason = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
    return -1;
  }
  if (uintmax_t(st.st_size) > maxBytes) {
    reason = TooLarge(maxBytes);
    return -1;
  }
  return fd.Release();
}

bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& out,
                     std::string& reason) {
  TFileDescriptor fd(OpenRegularFile(path, maxBytes, reason));
  if (fd.Get() < 0) return false;
  struct stat st {};
  std::string bytes;
  if (::fstat(fd.Get(), &st) == 0) bytes.reserve(size_t(st.st_size));
  char chunk[65536];
  for (;;) {
    const ssize_t n = ReadSome(fd.Get(), chunk, sizeof chunk);
    if (n < 0) {
      reason = std::strerror(errno);
      return false;
    }
    if (n == 0) break;
    if (bytes.size() + size_t(n) > maxBytes) {
      reason = TooLarge(maxBytes);
      return false;
    }
    bytes.append(chunk, size_t(n));
  }
  out.swap(bytes);
  return true;
}

TFileReadBuf::int_type TFileReadBuf::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (FFailed) return traits_type::eof();
  const ssize_t n = ReadSome(FFd, FBuf, sizeof FBuf);
  if (n < 0 || size_t(n) > FLeft) {
    FFailed = true;
    FReason = n < 0 ? std::strerror(errno) : TooLarge(FMax);
    return traits_type::eof();
  }
  if (n == 0) return traits_type::eof();
  FLeft -= size_t(n);
  setg(FBuf, FBuf, FBuf + n);
  return traits_type::to_int_type(*gptr());
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& reason) {
  const std::string target = SaveTarget(path);
  if (target.empty()) {
    reason = std::strerror(errno);
    return false;
  }
  RemoveStaleTemporaries(target);
  std::string tmp;
  TFileDescriptor fd(CreateTemporary(target, tmp));
  if (fd.Get() < 0) {
    reason = std::strerror(errno);
    return false;
  }
  if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || !fd.Close() ||
      ::rename(tmp.c_str(), target.c_str()) != 0) {
    reason = std::strerror(errno);
    ::unlink(tmp.c_str());
    return false;
  }
  SyncFolderOf(target);
  return true;
}

}  // namespace host
