#include "host/ui/Clipbrd.h"

#include "host/backend/Backend.h"

namespace host {

// Text formats are the only ones the clipboard carries; both names mean the same
// UTF-8 text here.
static bool IsTextFormat(unsigned format) { return format == CF_TEXT || format == CF_UNICODETEXT; }

bool TClipboard::HasFormat(unsigned format) const {
  TBackend& b = CurrentBackend();
  return IsTextFormat(format) && (FPrimary ? b.PrimaryHasText() : b.ClipboardHasText());
}

std::string TClipboard::AsText() const {
  TBackend& b = CurrentBackend();
  return FPrimary ? b.GetPrimaryText() : b.GetClipboardText();
}

void TClipboard::SetAsText(const std::string& s) {
  TBackend& b = CurrentBackend();
  FPrimary ? b.SetPrimaryText(s) : b.SetClipboardText(s);
}

void TClipboard::Clear() {
  TBackend& b = CurrentBackend();
  FPrimary ? b.ClearPrimary() : b.ClearClipboard();
}

TClipboard* Clipboard() {
  static TClipboard instance;
  return &instance;
}

TClipboard* PrimarySelection() {
  static TClipboard instance(true);
  return &instance;
}

}  // namespace host
