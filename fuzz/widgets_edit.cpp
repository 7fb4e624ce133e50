// Drives a headless edit box or memo with arbitrary keys, typed characters,
// pasted bytes (any bytes: the clipboard is outside text), selections, clicks
// on the text and the memo's scroll bars, double clicks, middle-click pastes,
// undo and redo, password masks, wrapping and resizing. Nothing may crash; the
// selection always lies within the text, and with a length limit the user's
// edits never take the text past it. At the end, undoing all and redoing all
// gives back the final text byte for byte.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/HeadlessForm.h"
#include "host/ui/Clipbrd.h"
#include "host/widgets/StdCtrls.h"

using namespace host;
using fuzzsupport::Place;

namespace {

const Word kKeys[] = {VK_LEFT, VK_RIGHT,  VK_UP,     VK_DOWN,   VK_HOME, VK_END, VK_PRIOR,
                      VK_NEXT, VK_BACK,   VK_DELETE, VK_INSERT, 'A',     'C',    'X',
                      'V',     VK_RETURN, VK_TAB,    VK_SPACE,  'Q',     'Z',    'Y'};
constexpr size_t kKeyCount = sizeof kKeys / sizeof kKeys[0];

struct TBench {
  TForm* Form = fuzzsupport::HeadlessForm(240, 140);
  TEdit* Edit = Place<TEdit>(Form, 4, 4, 120, 21);
  TMemo* Memo = Place<TMemo>(Form, 4, 30, 200, 100);
};

TBench* gBench = nullptr;

void Post(TBackendEventKind kind, Word key, char32_t ch, TShiftState shift) {
  TBackendEvent ev;
  ev.Window = gBench->Form->WindowId();
  ev.Kind = kind;
  ev.Key = key;
  ev.Char = ch;
  ev.Shift = shift;
  static_cast<THeadlessBackend&>(CurrentBackend()).PostEvent(ev);
  Application->ProcessMessages();
}

void Key(Word key, TShiftState shift) {
  if (shift & ssShift) Post(bekKeyDown, VK_SHIFT, 0, 0);
  if (shift & ssCtrl) Post(bekKeyDown, VK_CONTROL, 0, 0);
  Post(bekKeyDown, key, 0, 0);
  if (key == VK_BACK) Post(bekChar, 0, U'\b', 0);
  if (key == VK_RETURN) Post(bekChar, 0, U'\r', 0);
  Post(bekKeyUp, key, 0, 0);
  if (shift & ssCtrl) Post(bekKeyUp, VK_CONTROL, 0, 0);
  if (shift & ssShift) Post(bekKeyUp, VK_SHIFT, 0, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!gBench) gBench = new TBench;
  if (size < 2) return 0;
  TCustomEdit* e = (data[0] & 1) ? static_cast<TCustomEdit*>(gBench->Memo) : gBench->Edit;
  const int limit = data[1] % 12;
  gBench->Memo->SetWordWrap(data[0] & 4);
  gBench->Memo->SetScrollBars(TScrollStyle(data[0] >> 3 & 3));
  gBench->Memo->SetBounds(4, 30, 200, 100);
  e->SetReadOnly(data[0] & 2);
  e->SetPasswordChar((data[0] & 0x20) ? U'\u25CF' : 0);
  e->SetMaxLength(limit);
  e->SetText("");
  e->SetFocus();
  for (size_t i = 2; i < size;) {
    const uint8_t op = data[i++];
    const int before = CharCount(e->Text());
    // Selecting everything and pasting it back doubles the text with each step,
    // as it would for a user; a few kilobytes say all there is to say.
    if (before > 4096) break;
    switch (op % 7) {
      case 0:
      case 1:
        Key(kKeys[(op / 5) % kKeyCount],
            TShiftState(((op >> 6) & 1 ? ssShift : 0) | ((op >> 7) & 1 ? ssCtrl : 0)));
        break;
      case 2:
        Post(bekChar, 0, char32_t(i < size ? data[i++] : 'a') | ((op & 0x80) ? 0x400 : 0), 0);
        break;
      case 3: {  // paste the next few raw bytes
        const size_t n = std::min<size_t>(size - i, op / 5 % 8);
        Clipboard()->SetAsText(std::string(reinterpret_cast<const char*>(data + i), n));
        i += n;
        Key('V', ssCtrl);
        break;
      }
      case 4:
        e->SetSelStart(op / 7 % 16);
        e->SetSelLength((op / 112) % 2 * 5);
        break;
      case 5: {  // press, move and release anywhere on the control, bars included
        const int x = (op / 7) % 6 * 40, y = i < size ? data[i++] % 104 : 0;
        const LPARAM at = PointToLParam(x, y), to = PointToLParam(x + 7, y + 20);
        const bool twice = op & 0x80;  // a double click, then a drag by words
        e->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
        if (twice) e->Perform(WM_LBUTTONUP, 0, at);
        if (twice) e->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        e->Perform(WM_MOUSEMOVE, MK_LBUTTON, to);
        e->Perform(WM_LBUTTONUP, 0, to);
        if (op & 0x40) e->Perform(WM_MBUTTONDOWN, MK_MBUTTON, to);  // pastes PRIMARY
        break;
      }
      default:  // resize: the memo wraps anew, even to nothing at all
        gBench->Memo->SetBounds(4, 30, op / 7 * 6, 100 - op / 7 * 2);
        break;
    }
    const int count = CharCount(e->Text());
    if (e->SelStart() < 0 || e->SelStart() + e->SelLength() > count) std::abort();
    if (limit > 0 && count > std::max(before, limit)) std::abort();
    if (e->ReadOnly() && count != before) std::abort();
  }
  const std::string final = e->Text();
  while (e->CanUndo()) e->Undo();
  while (e->CanRedo()) e->Redo();
  if (e->Text() != final) std::abort();
  return 0;
}
