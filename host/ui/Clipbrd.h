// The clipboard: plain text. On the X11 backend it is the CLIPBOARD selection,
// shared with other programs; headless it lives in the process.
#pragma once

#include <string>

namespace host {

constexpr unsigned CF_TEXT = 1;
constexpr unsigned CF_UNICODETEXT = 13;

class TClipboard {
 public:
  virtual ~TClipboard() = default;
  // True when text can be pasted.
  bool HasFormat(unsigned format) const;
  std::string AsText() const;
  void SetAsText(const std::string& s);
  void Clear();
};

// The process's clipboard.
TClipboard* Clipboard();

}  // namespace host
