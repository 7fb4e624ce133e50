#include "foundation/Zel_filesys.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "foundation/Zel_zelbase.h"

namespace zel {

const std::string_view kPasswordAlphabet =
    "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghjkmnpqrstuvwxyz23456789";

bool DirExists(std::string_view Path) {
  if (Path.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_directory(std::filesystem::path(Path), ec);
}

std::string ParentDir(std::string_view Path) {
  while (Path.size() > 1 && Path.back() == '/') Path.remove_suffix(1);
  const size_t cut = Path.find_last_of('/');
  if (Path == "/" || cut == std::string_view::npos) return "";
  Path = Path.substr(0, cut);
  while (!Path.empty() && Path.back() == '/') Path.remove_suffix(1);
  return std::string(Path) + "/";
}

namespace {

[[noreturn]] void RandomFailure(const char* what, int err) {
  throw EZELError(std::string("No secure random source available: ") + what + ": " +
                  std::strerror(err));
}

// Reads /dev/urandom for kernels without getrandom(2).
void ReadUrandom(unsigned char* buf, size_t n) {
  const int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
  if (fd < 0) RandomFailure("/dev/urandom", errno);
  size_t got = 0;
  while (got < n) {
    const ssize_t r = ::read(fd, buf + got, n - got);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) {
      const int err = r < 0 ? errno : EIO;
      ::close(fd);
      RandomFailure("/dev/urandom", err);
    }
    got += size_t(r);
  }
  ::close(fd);
}

void SecureRandomBytes(unsigned char* buf, size_t n) {
  size_t got = 0;
  while (got < n) {
    const ssize_t r = ::getrandom(buf + got, n - got, 0);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0 && errno == ENOSYS) return ReadUrandom(buf + got, n - got);
    if (r < 0) RandomFailure("getrandom", errno);
    got += size_t(r);
  }
}

}  // namespace

std::string InventPassword(int N) {
  const size_t n = size_t(std::clamp(N, 0, 255));
  const size_t k = kPasswordAlphabet.size();
  // Bytes at or above the largest multiple of k would favour the first letters.
  const unsigned limit = unsigned(256 / k * k);
  std::string out;
  out.reserve(n);
  unsigned char buf[64];
  while (out.size() < n) {
    SecureRandomBytes(buf, sizeof buf);
    for (unsigned char b : buf) {
      if (b < limit && out.size() < n) out += kPasswordAlphabet[b % k];
    }
  }
  return out;
}

}  // namespace zel
