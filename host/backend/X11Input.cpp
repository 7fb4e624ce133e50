#ifdef ZEL_HAVE_X11
// Keyboard input of the X11 backend: key events to virtual key codes and
// typed characters.
#include <string_view>

#include "host/backend/X11Keys.h"
#include "host/gfx/Utf8.h"
#include "host/input/Input.h"

#include "host/backend/X11Internal.h"

// Xlib last: its macros must not reach the library's headers.
#include <X11/XKBlib.h>

namespace host::x11 {

void TX11Backend::OpenInputMethod() {
  // Without held-key detection X repeats a key as release+press pairs; the
  // platform repeats key-downs only.
  Bool supported = False;
  XkbSetDetectableAutoRepeat(FDpy, True, &supported);
  // The input method turns key symbols outside Latin-1 (Cyrillic, Greek...)
  // and compose sequences into text. Without one, KeysymToChar does the work.
  XSetLocaleModifiers("");
  FIm = XOpenIM(FDpy, nullptr, nullptr, nullptr);
}

void TX11Backend::FocusInputContext(Window w, bool focused) {
  // A compose sequence belongs to the window that has the keyboard.
  auto it = FWindows.find(w);
  if (it == FWindows.end() || !it->second.Ic) return;
  if (focused)
    XSetICFocus(it->second.Ic);
  else
    XUnsetICFocus(it->second.Ic);
}

char32_t TX11Backend::TypedChar(XKeyEvent& e, unsigned long keysym, uint16_t shift) {
  char32_t c = KeyPressChar(keysym, shift);
  if (c || (shift & (ssCtrl | ssAlt)) || !FIm) return c;
  auto it = FWindows.find(e.window);
  if (it == FWindows.end() || !it->second.Ic) return 0;
  char buf[32];
  KeySym sym = 0;
  Status status = 0;
  int n = Xutf8LookupString(it->second.Ic, &e, buf, int(sizeof buf) - 1, &sym, &status);
  if ((status != XLookupChars && status != XLookupBoth) || n <= 0) return 0;
  size_t i = 0;
  std::string_view text(buf, size_t(n));
  char32_t cp = NextCodePoint(text, i);
  return cp == 0xFFFD ? 0 : cp;
}

void TX11Backend::HandleKey(XKeyEvent& e, bool press) {
  // The symbol with Shift, Lock and NumLock applied, for the character...
  KeySym sym = NoSymbol;
  char latin1[8];
  XLookupString(&e, latin1, sizeof latin1, &sym, nullptr);
  // ...and the key's unshifted symbol, for the key code: Shift+1 is still '1'.
  // On a non-Latin layout the first group names the key (Ctrl+C stays 'C').
  unsigned group = (e.state >> 13) & 3;
  KeySym base = XkbKeycodeToKeysym(FDpy, KeyCode(e.keycode), int(group), 0);
  uint16_t vk = IsKeypadKeysym(base) ? KeysymToVirtualKey(sym) : KeysymToVirtualKey(base);
  if (!vk) vk = KeysymToVirtualKey(XkbKeycodeToKeysym(FDpy, KeyCode(e.keycode), 0, 0));
  if (!vk) vk = KeysymToVirtualKey(sym);

  TBackendEvent ev;
  ev.Window = TWindowId(e.window);
  ev.Shift = StateToShift(e.state);
  ev.Key = vk;
  if (vk) {
    ev.Kind = press ? bekKeyDown : bekKeyUp;
    FQueue.push_back(ev);
  }
  if (!press) return;
  if (char32_t c = TypedChar(e, sym, ev.Shift)) {
    ev.Kind = bekChar;
    ev.Char = c;
    FQueue.push_back(ev);
  }
}

}  // namespace host::x11
#endif  // ZEL_HAVE_X11
