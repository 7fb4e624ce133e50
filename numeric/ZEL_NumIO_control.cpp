// TNumIO2: construction, the value model's properties, settings, caret timer,
// mouse, buttons and gauge.
#include <algorithm>
#include <cmath>

#include "foundation/Zel_stringl.h"
#include "host/ui/FormatSettings.h"
#include "host/ui/Forms.h"
#include "numeric/ZEL_NumIO.h"

namespace zel {

using namespace host;

namespace {

constexpr uintptr_t kCaretTimerId = 1;
constexpr unsigned kCaretInterval = 500;

// v limited to lo..hi; lo wins when the range is empty.
int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

}  // namespace

TNumIO2::TNumIO2(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 160, 28);
  SetTabStop(true);
  SetControlStyle(ControlStyle() | csOpaque);
  FTimerWnd = AllocateHWnd([this](TMessage& m) { TimerProc(m); });
  if (!SetTimer(FTimerWnd, kCaretTimerId, kCaretInterval)) {
    DeallocateHWnd(FTimerWnd);
    throw EZELNumIO2Error("Component \"" + Name() + "\": no timer available");
  }
}

TNumIO2::~TNumIO2() { DeallocateHWnd(FTimerWnd); }

void TNumIO2::CreateWnd() {
  TCustomControl::CreateWnd();
  FPaintSuppressed = false;
}

void TNumIO2::Redraw() { Paint(); }

// --- value model

TNumFormat TNumIO2::Fmt() const {
  TNumFormat f = FFormat;
  char sep = '.';
  switch (FDecPlaceSep) {
    case dpsLocale:
      sep = FormatSettings().DecimalSeparator == '.' ? '.' : ',';
      break;
    case dpsComma:
      sep = ',';
      break;
    default:
      break;
  }
  f.Separators = FDecPlaceSep == dpsEither ? TSepSet{true, true} : TSepSet{sep == '.', sep == ','};
  f.WriteSeparator = sep;
  return f;
}

int TNumIO2::Length() const { return int(Utf8Length(FBuffer)); }

void TNumIO2::ClampCaret() {
  const int n = Length();
  FCaret = Clamp(FCaret, 0, n);
  FSelBegin = Clamp(FSelBegin, 0, n);
  FSelEnd = Clamp(FSelEnd, FSelBegin, n);
}

bool TNumIO2::CheckValidity(const std::string& Instring) const {
  return CheckText(Instring, Fmt());
}

double TNumIO2::GetNioValue() const { return ReadText(FBuffer, Fmt()); }

void TNumIO2::SetNioValue(double v) {
  if (std::isnan(v)) return;
  FBuffer = WriteText(v, Fmt());
  ClampCaret();
  Redraw();
}

int TNumIO2::GetNioIntValue() const {
  const double v = GetNioValue();
  if (v > 2147483647.0 || v < -2147483648.0)
    throw EZELNumIO2Error("Component \"" + Name() + "\": integer overflow");
  return int(Round(v));
}

bool TNumIO2::OutOfRange() const {
  const double v = GetNioValue();
  return v < FRangeLow || v > FRangeHigh;
}

void TNumIO2::SetText(const std::string& s) {
  if (!s.empty() && !CheckValidity(s)) return;
  FBuffer = s;
  FCaret = FSelBegin = FSelEnd = 0;
  Redraw();
}

void TNumIO2::SetInputFormat(TInFormat f) {
  if (f == FFormat.Format) return;
  const double v = GetNioValue();
  FFormat.Format = f;
  SetNioValue(v);
}

void TNumIO2::SetFixPointDecPlaces(int n) {
  if (n < 1 || n == FFormat.FixPointDecPlaces) return;
  const double v = GetNioValue();
  FFormat.FixPointDecPlaces = std::min(n, 15);
  SetNioValue(v);
}

void TNumIO2::SetSignificantDigits(int n) {
  if (n < 1 || n == FFormat.SignificantDigits) return;
  const double v = GetNioValue();
  FFormat.SignificantDigits = std::min(n, 15);
  SetNioValue(v);
}

void TNumIO2::SetDecPlaceSep(TDecPSep s) {
  if (s != dpsEither) {
    const TNumFormat old = Fmt();
    FDecPlaceSep = s;
    const char to = Fmt().WriteSeparator;
    for (char& c : FBuffer)
      if (old.Separators.Contains(c)) c = to;
  }
  FDecPlaceSep = s;
  Redraw();
}

void TNumIO2::SetRangeLow(double v) {
  FRangeLow = v;
  if (v > FRangeHigh) FRangeHigh = v;
  Redraw();
}

void TNumIO2::SetRangeHigh(double v) {
  FRangeHigh = v;
  if (v < FRangeLow) FRangeLow = v;
  Redraw();
}

// --- layout and look

void TNumIO2::SetLeftText(const std::string& s) { Change(FLeftText, s); }
void TNumIO2::SetRightText(const std::string& s) { Change(FRightText, s); }
void TNumIO2::SetLeftSpace(int v) { Change(FLeftSpace, Clamp(v, 0, Width())); }
void TNumIO2::SetTextBoxWidth(int v) { Change(FTextBoxWidth, std::max(v, 0)); }
void TNumIO2::SetAlignment(TAlignment a) { Change(FAlignment, a); }
void TNumIO2::SetLeftTextAlignment(TAlignment a) { Change(FLeftTextAlignment, a); }
void TNumIO2::SetRightTextAlignment(TAlignment a) { Change(FRightTextAlignment, a); }
void TNumIO2::SetFrameStyle(TFrameStyle s) { Change(FFrameStyle, s); }
void TNumIO2::SetColorBoxBG(TColor c) { Change(FColorBoxBG, c); }
void TNumIO2::SetColorBoxText(TColor c) { Change(FColorBoxText, c); }
void TNumIO2::SetColorOutBG(TColor c) { Change(FColorOutBG, c); }
void TNumIO2::SetColorOutText(TColor c) { Change(FColorOutText, c); }
void TNumIO2::SetColorWarnBG(TColor c) { Change(FColorWarnBG, c); }
void TNumIO2::SetColorWarnText(TColor c) { Change(FColorWarnText, c); }

void TNumIO2::SetColorScheme(TColorScheme s) {
  if (s == FColorScheme) return;
  FColorScheme = s;
  FColGrayLine = s == csmFixed ? RGB(128, 128, 128) : clBtnShadow;
  FColWhiteLine = s == csmFixed ? RGB(255, 255, 255) : clBtnHighlight;
  Redraw();
}

void TNumIO2::SetButVisible(bool v) { Change(FButVisible, v); }
void TNumIO2::SetBut3D(bool v) { Change(FBut3D, v); }
void TNumIO2::SetButWidth(int v) { Change(FButWidth, Clamp(v, 8, 50)); }
void TNumIO2::SetButHeight(int v) { Change(FButHeight, Clamp(v, 18, std::max(Height(), 18))); }
void TNumIO2::SetButSpace(int v) { Change(FButSpace, Clamp(v, 0, 50)); }
void TNumIO2::SetButColor(TColor c) { Change(FButColor, c); }

void TNumIO2::SetGaugeVisible(bool v) { Change(FGaugeVisible, v); }
void TNumIO2::SetGaugeHeight(int v) {
  Change(FGaugeHeight, std::max(3, std::min(v, Height() - FGaugeTopMargin - 18)));
}
void TNumIO2::SetGaugeWidth(int v) {
  Change(FGaugeWidth, std::max(10, std::min(v, Width() - FGaugeLeftMargin)));
}
void TNumIO2::SetGaugeLeftMargin(int v) {
  Change(FGaugeLeftMargin, std::max(0, std::min(v, Width() - FGaugeWidth)));
}
void TNumIO2::SetGaugeTopMargin(int v) {
  Change(FGaugeTopMargin, std::max(0, std::min(v, Height() - FGaugeHeight - 18)));
}
void TNumIO2::SetGaugeColor(TColor c) { Change(FGaugeColor, c); }
void TNumIO2::SetGaugeColorBg(TColor c) { Change(FGaugeColorBg, c); }
void TNumIO2::SetGaugeColorFrame(TColor c) { Change(FGaugeColorFrame, c); }
void TNumIO2::SetGaugeFrameStyle(TFrameStyle s) { Change(FGaugeFrameStyle, s); }

void TNumIO2::SetHideSelection(bool v) { Change(FHideSelection, v); }
void TNumIO2::SetAutoSize(bool v) { Change(FAutoSize, v); }

void TNumIO2::SetReadOnly(bool v) {
  if (v == FReadOnly) return;
  FReadOnly = v;
  if (v) {
    StopCaretTimer();
    Redraw();
  } else {
    RestartCaretTimer();
  }
}

void TNumIO2::SetEnabled(bool e) {
  if (e == Enabled()) return;
  TCustomControl::SetEnabled(e);
  Refresh();
}

void TNumIO2::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AHeight = std::max(AHeight, 18);
  if (FButHeight > AHeight) FButHeight = AHeight;
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

int TNumIO2::GaugeBand() const { return FGaugeVisible ? FGaugeHeight + FGaugeTopMargin + 1 : 0; }

// --- caret and selection

void TNumIO2::SetSelBegin(int v) {
  v = Clamp(v, 0, Length());
  FSelBegin = FCaret = v;
  if (FSelEnd < v) FSelEnd = v;
  Redraw();
}

void TNumIO2::SetSelEnd(int v) {
  v = Clamp(v, 0, Length());
  FSelEnd = FCaret = v;
  if (FSelBegin > v) FSelBegin = v;
  Redraw();
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

void TNumIO2::RestartCaretTimer() {
  if (ComponentState() & csDesigning) return;
  KillTimer(FTimerWnd, kCaretTimerId);
  FCaretVisible = true;
  if (!SetTimer(FTimerWnd, kCaretTimerId, kCaretInterval))
    throw EZELNumIO2Error("Component \"" + Name() + "\": no timer available");
  Redraw();
}

void TNumIO2::StopCaretTimer() {
  KillTimer(FTimerWnd, kCaretTimerId);
  FCaretVisible = false;
}

void TNumIO2::TimerProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER || Message.WParam != kCaretTimerId) {
    Message.Result = DefWindowProc(FTimerWnd, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  try {
    if (Focused() && !FReadOnly) {
      FCaretVisible = !FCaretVisible;
    } else {
      StopCaretTimer();
    }
    Redraw();
  } catch (...) {
    Application->HandleException(this);
  }
}

// --- mouse, buttons and gauge

size_t TNumIO2::NearestPivotIndex(double v) const {
  size_t best = 0;
  for (size_t i = 1; i < ButtonPivots.size(); ++i)
    if (std::fabs(ButtonPivots[i] - v) < std::fabs(ButtonPivots[best] - v)) best = i;
  return best;
}

double TNumIO2::GaugeValueAt(int X) const {
  const int W = std::max(FGaugeWidth, 1);
  double v = FRangeLow + double(X - FGaugeLeftMargin) / W * (FRangeHigh - FRangeLow);
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
  const int H = Height(), g = GaugeBand();
  const int x0 = FLeftSpace + FTextBoxWidth + FButSpace;
  if (Button == mbLeft && !FReadOnly && FButVisible && X > x0 && X < x0 + FButWidth && Y > 0 &&
      Y < FButHeight) {
    StepButton(Y <= FButHeight / 2);
  } else if (Button == mbLeft && Y > 0 && Y < H - g) {
    FCaret = FSelBegin = FSelEnd = XCoordsToCharPos(X);
    if (!FReadOnly) FCaretVisible = true;
    Redraw();
  } else if (Button == mbLeft && !FReadOnly && g > 0 && Y > H - g && X >= FGaugeLeftMargin &&
             X <= FGaugeLeftMargin + FGaugeWidth) {
    SetNioValue(GaugeValueAt(X));
    FGaugeChanged = true;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TNumIO2::MouseMove(TShiftState Shift, int X, int Y) {
  FMouseAreaCode = 0;
  if (X > FLeftSpace) FMouseAreaCode = 1;
  if (X > FLeftSpace + FTextBoxWidth) FMouseAreaCode = 2;
  const int H = Height(), g = GaugeBand();
  if (Shift & ssLeft) {
    if (Y > 0 && Y < H - g) {
      const int p = XCoordsToCharPos(X);
      if (p > FSelBegin)
        SetSelEnd(p);
      else
        SetSelBegin(p);
    } else if (!FReadOnly && g > 0 && Y > H - g && X >= FGaugeLeftMargin - 1 &&
               X <= FGaugeLeftMargin + FGaugeWidth + 1) {
      const double v = GaugeValueAt(X);
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

// --- assignment

void TNumIO2::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNumIO2*>(Source);
  if (!src) {
    TCustomControl::Assign(Source);
    return;
  }
  FLeftSpace = src->FLeftSpace;
  FTextBoxWidth = src->FTextBoxWidth;
  FFormat = src->FFormat;
  FLeftText = src->FLeftText;
  FRightText = src->FRightText;
  FFrameStyle = src->FFrameStyle;
  FAlignment = src->FAlignment;
  FLeftTextAlignment = src->FLeftTextAlignment;
  FRightTextAlignment = src->FRightTextAlignment;
  FColorBoxBG = src->FColorBoxBG;
  FColorBoxText = src->FColorBoxText;
  FColorOutBG = src->FColorOutBG;
  FColorOutText = src->FColorOutText;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FColorScheme = src->FColorScheme;
  FBuffer = src->FBuffer;
  FCaret = src->FCaret;
  FSelBegin = src->FSelBegin;
  FSelEnd = src->FSelEnd;
  FColorWarnBG = src->FColorWarnBG;
  FColorWarnText = src->FColorWarnText;
  FDecPlaceSep = src->FDecPlaceSep;
  FHideSelection = src->FHideSelection;
  FRangeLow = src->FRangeLow;
  FRangeHigh = src->FRangeHigh;
  FBeep = src->FBeep;
  FAutoSize = src->FAutoSize;
  if (src->FReadOnly != FReadOnly) SetReadOnly(src->FReadOnly);
  Redraw();
}

void TNumIO2::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TNumIO2*>(Dest))
    dst->Assign(this);
  else
    TCustomControl::AssignTo(Dest);
}

}  // namespace zel
