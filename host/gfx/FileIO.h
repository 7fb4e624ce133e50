// Small file helpers over the system's descriptors, shared by everything that
// reads or saves files: a descriptor owner, the guarded read of a whole regular
// file and the atomic replace of a file's content.
#pragma once

#include <cstddef>
#include <streambuf>
#include <string>
#include <string_view>

namespace host {

// Owns an open descriptor and closes it on every path out of a function.
class TFileDescriptor {
 public:
  explicit TFileDescriptor(int fd) : FFd(fd) {}
  ~TFileDescriptor() { Close(); }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  int Get() const { return FFd; }
  // Gives the descriptor up without closing it.
  int Release() {
    const int fd = FFd;
    FFd = -1;
    return fd;
  }
  // Closes now and reports failure (a late write error can surface here).
  bool Close();

 private:
  int FFd;
};

// Opens `path` for reading only when it is a regular file of at most maxBytes.
// The open never waits (a FIFO without a writer does not block it) and nothing
// is read before the checks, so a folder, a FIFO, a device such as /dev/zero or
// a socket fails at once. Returns the descriptor, or -1 with the reason: the
// system's error text, "not a regular file" or "larger than <maxBytes> bytes".
int OpenRegularFile(const std::string& path, size_t maxBytes, std::string& reason);

// Reads the whole regular file at `path` into `out` under the rules of
// OpenRegularFile. The size limit holds for what is read as well, so a file that
// grows meanwhile (or reports no size, as some system files do) cannot make the
// read unbounded. Returns false with the reason; `out` is then unchanged.
[[nodiscard]] bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& out,
                                   std::string& reason);

// An input stream buffer over a descriptor opened by OpenRegularFile, for readers
// that scan a file line by line and stop early. It reads at most maxBytes in all
// and does not own the descriptor. Failed() tells a read error from the end.
class TFileReadBuf : public std::streambuf {
 public:
  TFileReadBuf(int fd, size_t maxBytes) : FFd(fd), FMax(maxBytes), FLeft(maxBytes) {}
  bool Failed() const { return FFailed; }
  // The reason of the failure (the system's error text or the size limit).
  const std::string& Reason() const { return FReason; }

 protected:
  int_type underflow() override;

 private:
  int FFd;
  size_t FMax;
  size_t FLeft;
  bool FFailed = false;
  std::string FReason;
  char FBuf[65536];
};

// Replaces the file at `path` by `bytes` so that no reader and no crash ever
// sees a half-written file: a new file beside the target (with the target's
// permissions) is written, flushed to disk and renamed over the target, then the
// folder is flushed. When `path` is a symbolic link the file it leads to is
// replaced and the link stays. The temporary is named "<target>.~<pid>-<n>";
// temporaries of that target left by processes that no longer run (a save that
// was killed) are removed first. Returns false with the system's reason when the
// save fails; the old file is then untouched and no temporary is left behind.
// Callers raise their own error, naming what they were saving.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                                       std::string& reason);

}  // namespace host
