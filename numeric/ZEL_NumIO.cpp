// TNumIO2: construction, the value model's properties, settings and Assign.
#include <algorithm>
#include <cmath>

#include "foundation/Zel_stringl.h"
#include "host/ui/FormatSettings.h"
#include "host/ui/Forms.h"
#include "numeric/ZEL_NumIO.h"

namespace zel {

using namespace host;

namespace {

// v limited to lo..hi; lo wins when the range is empty.
int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

}  // namespace

TNumIO2::TNumIO2(TComponent* AOwner) : TCaptionBoxControl(AOwner) {
  SetBounds(0, 0, 160, 28);
  SetTabStop(true);
  SetControlStyle(ControlStyle() | csOpaque);
  // The timer runs from the start, the caret hidden until the focus comes; a
  // failure frees the window with the blinker.
  FBlinker.SetKeepBlinking([this] { return Focused() && !FReadOnly; });
  if (!FBlinker.Start(false)) throw EZELNumIO2Error(NoTimerMessage());
}

void TNumIO2::CreateWnd() {
  TCustomControl::CreateWnd();
  FPaintSuppressed = false;
}

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

int TNumIO2::Length() const { return FBuf.Length(); }

void TNumIO2::RewriteBuffer(const std::string& s) {
  const int caret = FBuf.Caret();
  FBuf.SetText(s);
  FBuf.SetCaret(caret);
  const int n = Length();
  FSelBegin = Clamp(FSelBegin, 0, n);
  FSelEnd = Clamp(FSelEnd, FSelBegin, n);
}

bool TNumIO2::CheckValidity(const std::string& Instring) const {
  return CheckText(Instring, Fmt());
}

double TNumIO2::GetNioValue() const { return ReadText(FBuf.Text(), Fmt()); }

void TNumIO2::SetNioValue(double v) {
  if (std::isnan(v)) return;
  RewriteBuffer(WriteText(v, Fmt()));
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
  FBuf.SetText(s);
  FSelBegin = FSelEnd = 0;
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
    std::string text = FBuf.Text();
    for (char& c : text)
      if (old.Separators.Contains(c)) c = to;
    RewriteBuffer(text);
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

void TNumIO2::SetLeftSpace(int v) { StoreLeftSpace(Clamp(v, 0, Width())); }
void TNumIO2::SetTextBoxWidth(int v) { Change(FTextBoxWidth, std::max(v, 0)); }
void TNumIO2::SetColorBoxBG(TColor c) { Change(FColorBoxBG, c); }
void TNumIO2::SetColorBoxText(TColor c) { Change(FColorBoxText, c); }
void TNumIO2::SetColorOutBG(TColor c) { Change(FColorOutBG, c); }
void TNumIO2::SetColorWarnBG(TColor c) { Change(FColorWarnBG, c); }
void TNumIO2::SetColorWarnText(TColor c) { Change(FColorWarnText, c); }

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
    FBlinker.Stop();
    Redraw();
  } else {
    RestartCaretTimer();
  }
}

void TNumIO2::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AHeight = std::max(AHeight, 18);
  if (FButHeight > AHeight) FButHeight = AHeight;
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// --- caret and selection

void TNumIO2::SetSelBegin(int v) {
  v = Clamp(v, 0, Length());
  FBuf.SetCaret(v);
  FSelBegin = v;
  if (FSelEnd < v) FSelEnd = v;
  Redraw();
}

void TNumIO2::SetSelEnd(int v) {
  v = Clamp(v, 0, Length());
  FBuf.SetCaret(v);
  FSelEnd = v;
  if (FSelBegin > v) FSelBegin = v;
  Redraw();
}

// --- assignment

void TNumIO2::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNumIO2*>(Source);
  if (!src) {
    TCustomControl::Assign(Source);
    return;
  }
  AssignCaptionBox(*src);
  FTextBoxWidth = src->FTextBoxWidth;
  FFormat = src->FFormat;
  FColorBoxBG = src->FColorBoxBG;
  FColorBoxText = src->FColorBoxText;
  FColorOutBG = src->FColorOutBG;
  FBuf = src->FBuf;
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
