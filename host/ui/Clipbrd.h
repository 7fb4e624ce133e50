// The clipboard: plain text. On the X11 backend it is the CLIPBOARD selection,
// shared with other programs; headless it lives in the process.
#pragma once

#include <string>

namespace host {

constexpr unsigned CF_TEXT = 1;
constexpr unsigned CF_UNICODETEXT = 13;

class TClipboard {
 public:
  // `primary`: this object stands for the PRIMARY selection instead (see PrimarySelection).
  explicit TClipboard(bool primary = false) : FPrimary(primary) {}
  virtual ~TClipboard() = default;
  // True when text can be pasted.
  bool HasFormat(unsigned format) const;
  std::string AsText() const;
  void SetAsText(const std::string& s);
  void Clear();

 private:
  bool FPrimary;
};

// The process's clipboard.
TClipboard* Clipboard();
// The PRIMARY selection, as Linux users know it: what a text control selects it
// offers here, and a middle click pastes from here. On the X11 backend it is
// shared with other programs; headless it lives in the process.
TClipboard* PrimarySelection();

}  // namespace host
