#include "host/ui/Clipbrd.h"

#include "host/backend/Backend.h"

namespace host {

// Text formats are the only ones the clipboard carries; both names mean the same
// UTF-8 text here.
static bool IsTextFormat(unsigned format) { return format == CF_TEXT || format == CF_UNICODETEXT; }

bool TClipboard::HasFormat(unsigned format) const {
  return IsTextFormat(format) && CurrentBackend().ClipboardHasText();
}

std::string TClipboard::AsText() const { return CurrentBackend().GetClipboardText(); }

void TClipboard::SetAsText(const std::string& s) { CurrentBackend().SetClipboardText(s); }

void TClipboard::Clear() { CurrentBackend().ClearClipboard(); }

TClipboard* Clipboard() {
  static TClipboard instance;
  return &instance;
}

}  // namespace host
