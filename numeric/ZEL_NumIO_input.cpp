// TNumIO2: keys, mouse, buttons, gauge and the caret timer.
#include <algorithm>
#include <cmath>

#include "host/ui/Clipbrd.h"
#include "host/ui/Forms.h"
#include "numeric/ZEL_NumIO.h"

namespace zel {

using namespace host;

namespace {

// Message the parent form sees first when it previews keys.
constexpr unsigned kPreviewKeyMessage = 0xBD00;
constexpr unsigned kBeepType = 0xFFFF;
}  // namespace

// --- keyboard

void TNumIO2::Refuse() {
  if (FBeep) MessageBeep(kBeepType);
}

bool TNumIO2::DeleteSelection(bool zeroWhenEmpty) {
  if (FSelBegin >= FSelEnd) return false;
  FBuf.ReplaceRange(FSelBegin, FSelEnd, "");
  FSelEnd = FSelBegin;
  if (zeroWhenEmpty && FBuf.Length() == 0) {
    FBuf.SetText(WriteText(0, Fmt()));
    FSelBegin = FSelEnd = 0;
  }
  return true;
}

char TNumIO2::KeyChar(Word Key, bool shift) const {
  if (Key >= '0' && Key <= '9') {
    if (shift && Key == '4') return '$';
    if (shift && Key == '5') return '%';
    if (shift && Key == '6') return '&';
    return char(Key);
  }
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return char('0' + (Key - VK_NUMPAD0));
  if (Key >= 'A' && Key <= 'F') return char(Key);
  switch (Key) {
    case VK_ADD:
    case VK_OEM_PLUS:
      return '+';
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
      return '-';
    // The keypad's decimal key types the separator the setting accepts.
    case VK_DECIMAL:
      return Fmt().Separators.Comma ? ',' : '.';
    case VK_OEM_COMMA:
      return ',';
    case VK_OEM_PERIOD:
      return '.';
    default:
      return 0;
  }
}

void TNumIO2::ClipboardKey(Word Key) {
  const std::string selected = FBuf.Slice(FSelBegin, FSelEnd);
  if (Key == 'C' || Key == 'X') {
    if (!selected.empty()) Clipboard()->SetAsText(selected);
    if (Key == 'X') DeleteSelection(true);
  } else if (Key == 'V') {
    if (Clipboard()->HasFormat(CF_TEXT)) FBuf.InsertText(Clipboard()->AsText());
  } else {
    Refuse();
  }
}

void TNumIO2::EditKey(Word Key, bool shift) {
  // The buffer holds no selection of its own, so its edits and moves act at
  // the caret alone.
  switch (Key) {
    case VK_BACK:
    case VK_DELETE:
      if (!DeleteSelection(true)) FBuf.DeleteChar(Key == VK_DELETE);
      break;
    case VK_HOME:
      FBuf.SetCaret(0);
      break;
    case VK_END:
      FBuf.SetCaret(FBuf.Length());
      break;
    case VK_LEFT:
    case VK_UP:
      FBuf.SetCaret(FBuf.Caret() - 1);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      FBuf.SetCaret(FBuf.Caret() + 1);
      break;
    case VK_TAB:
      if (Parent()) Parent()->SelectNext(this, !shift, true);
      break;
    default:
      if (const char ch = KeyChar(Key, shift)) {
        DeleteSelection(false);
        FBuf.InsertText(std::string(1, ch));
      } else {
        Refuse();
      }
  }
}

// In the decimal part of a fixed-point number the character after the caret is
// selected, so that the next digit overwrites it.
void TNumIO2::ApplyFixPointOverwrite() {
  const int n = Length(), caret = FBuf.Caret();
  FSelBegin = caret;
  FSelEnd = caret > n - FFormat.FixPointDecPlaces - 1 ? std::min(caret + 1, n) : caret;
}

void TNumIO2::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  TForm* form = GetParentForm(this);
  if (form && form->KeyPreview() && Parent()) Parent()->Perform(kPreviewKeyMessage, Key, 0);
  if (Key == VK_SHIFT || Key == VK_CONTROL) {
    (Key == VK_SHIFT ? FShiftDown : FCtrlDown) = true;
    return;
  }
  const bool ctrl = FCtrlDown || (Shift & ssCtrl);
  if (FReadOnly) {
    if (ctrl && Key == 'C') ClipboardKey(Key);
    return;
  }
  const std::string oldText = FBuf.Text();
  const int oldBegin = FSelBegin, oldEnd = FSelEnd;
  const bool shift = FShiftDown || (Shift & ssShift);
  // While typing, a lone sign and an empty buffer are let through.
  const bool kept =
      FBuf.TryEdit([&](TTextBuffer&) { ctrl ? ClipboardKey(Key) : EditKey(Key, shift); },
                   [&](const TTextBuffer& b) {
                     const std::string& t = b.Text();
                     return t.empty() || t == "-" || t == "+" || CheckValidity(t);
                   });
  if (!kept) {
    FSelBegin = oldBegin;
    FSelEnd = oldEnd;
    Refuse();
  }
  if (FFormat.Format == itFixPoint) ApplyFixPointOverwrite();
  // Shown at once, without restarting the interval; hidden when Tab moved the focus away.
  FBlinker.SetVisible(Focused());
  if (FBuf.Text() != oldText) Changed();
  Redraw();
}

void TNumIO2::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_SHIFT) FShiftDown = false;
  if (Key == VK_CONTROL) FCtrlDown = false;
  TCustomControl::KeyUp(Key, Shift);
}

// --- focus and caret timer

void TNumIO2::Changed() {
  if (FOnChange) FOnChange(this);
}

void TNumIO2::SetFocus() {
  TCustomControl::SetFocus();
  if (!FReadOnly) RestartCaretTimer();
}

void TNumIO2::Click() {
  SetFocus();
  TCustomControl::Click();
}

void TNumIO2::WMSetFocus(TMessage& Message) {
  TCustomControl::WMSetFocus(Message);
  if (!FReadOnly) RestartCaretTimer();
}

void TNumIO2::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

std::string TNumIO2::NoTimerMessage() const { return ComponentMessage(Name(), kNoTimerAvailable); }

void TNumIO2::RestartCaretTimer() {
  if (ComponentState() & csDesigning) return;
  if (!FBlinker.Restart()) throw EZELNumIO2Error(NoTimerMessage());
  Redraw();  // the focus also shows the selection, even when the caret was shown already
}

// --- mouse, buttons and gauge

size_t TNumIO2::NearestPivotIndex(double v) const {
  size_t best = 0;
  for (size_t i = 1; i < ButtonPivots.size(); ++i)
    if (std::fabs(ButtonPivots[i] - v) < std::fabs(ButtonPivots[best] - v)) best = i;
  return best;
}

double TNumIO2::GaugeValueAt(const TLayout& l, int X) const {
  const int W = std::max(l.Gauge.Width(), 1);
  double v = FRangeLow + double(X - l.Gauge.Left) / W * (FRangeHigh - FRangeLow);
  if (!ButtonPivots.empty()) v = ButtonPivots[NearestPivotIndex(v)];
  return std::clamp(v, FRangeLow, FRangeHigh);
}

void TNumIO2::StepButton(bool up) {
  const double v = GetNioValue();
  double next;
  if (ButtonPivots.empty()) {
    next = std::clamp(up ? v + FButIncrem : v - FButIncrem, FRangeLow, FRangeHigh);
  } else {
    const double step = std::pow(10.0, -FFormat.FixPointDecPlaces);
    size_t i = NearestPivotIndex(v);
    const size_t last = ButtonPivots.size() - 1;
    if (up && !(v < ButtonPivots[i] - step || i == last)) ++i;
    if (!up && !(v > ButtonPivots[i] + step || i == 0)) --i;
    next = ButtonPivots[i];
  }
  SetNioValue(next);
  Changed();
}

void TNumIO2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TLayout l = Layout();
  const bool left = Button == mbLeft;
  const bool up = l.UpButton.Contains(X, Y);
  if (left && !FReadOnly && FButVisible && (up || l.DownButton.Contains(X, Y))) {
    StepButton(up);
  } else if (left && l.InTextRows(Y)) {
    FSelBegin = FSelEnd = CharPosAt(l, X);
    FBuf.SetCaret(FSelBegin);
    if (!FReadOnly) FBlinker.SetVisible(true);
    Redraw();
  } else if (left && !FReadOnly && l.OnGauge(X, Y, 0)) {
    SetNioValue(GaugeValueAt(l, X));
    FGaugeChanged = true;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

// Dragging extends the selection over the text rows and sets the value over
// the gauge, which is one pixel easier to hit while the button is held.
void TNumIO2::MouseMove(TShiftState Shift, int X, int Y) {
  const TLayout l = Layout();
  SetMouseArea(l.Captions.ZoneAt(X));
  if (Shift & ssLeft) {
    if (l.InTextRows(Y)) {
      const int p = CharPosAt(l, X);
      if (p > FSelBegin)
        SetSelEnd(p);
      else
        SetSelBegin(p);
    } else if (!FReadOnly && l.OnGauge(X, Y, 1)) {
      const double v = GaugeValueAt(l, X);
      SetNioValue(v);
      FGaugeChanged = true;
      if (FOnGaugeChange) FOnGaugeChange(this, Shift, v);
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TNumIO2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FGaugeChanged) {
    FGaugeChanged = false;
    Changed();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

}  // namespace zel
