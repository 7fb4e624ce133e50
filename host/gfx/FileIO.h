// Small file helpers over the system's descriptors, shared by everything that
// saves files: a descriptor owner and the atomic replace of a file's content.
#pragma once

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
  // Closes now and reports failure (a late write error can surface here).
  bool Close();

 private:
  int FFd;
};

// Replaces the file at `path` by `bytes` so that no reader and no crash ever
// sees a half-written file: a new file beside the target (with the target's
// permissions) is written, flushed to disk and renamed over the target, then the
// folder is flushed. Returns false with the system's reason when that fails; the
// old file is then untouched and no temporary is left behind. Callers raise
// their own error, naming what they were saving.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                                       std::string& reason);

}  // namespace host
