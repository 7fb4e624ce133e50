// TNumLab: construction, settings, the number text, the mouse zone and Assign.
#include "numeric/ZEL_NumLab.h"

namespace zel {

using namespace host;

TNumLab::TNumLab(TComponent* AOwner) : TCaptionBoxControl(AOwner) { SetBounds(0, 0, 160, 28); }

void TNumLab::SetValue(double v) { Change(FValue, v); }
void TNumLab::SetDisplayType(TDisplay t) { Change(FText.DisplayType, t); }
void TNumLab::SetPrecision(int p) {
  if (p >= 0) Change(FText.Precision, p > 15 ? 15 : p);
}
void TNumLab::SetComma(bool c) { Change(FText.Comma, c); }
void TNumLab::SetForcePlusSign(bool f) { Change(FText.ForcePlusSign, f); }
void TNumLab::SetEmpty(bool e) { Change(FEmpty, e); }
void TNumLab::SetOverflowIndicator(const std::string& s) { Change(FText.OverflowIndicator, s); }
void TNumLab::SetStateText(const std::string& s) { Change(FText.StateText, s); }
void TNumLab::SetDTFormat(const std::string& s) { Change(FText.DTFormat, s); }
void TNumLab::SetLeftSpace(int v) {
  if (v >= 0) StoreLeftSpace(v > Width() ? Width() : v);
}
void TNumLab::SetLabelWidth(int v) { Change(FLabelWidth, v); }
void TNumLab::SetColorLabText(TColor c) { Change(FColorLabText, c); }
void TNumLab::SetColorLabBakG(TColor c) { Change(FColorLabBakG, c); }
void TNumLab::SetColorOutBakG(TColor c) { Change(FColorOutBakG, c); }

void TNumLab::SetTransparent(bool t) {
  if (t == FTransparent) return;
  FTransparent = t;
  // Switching on needs the parent drawn beneath first; the loop does that.
  if (t)
    Invalidate();
  else
    Redraw();
}

// The only input of the label: which zone the pointer is over, set before the
// host's handling so that an OnMouseMove handler sees the new zone.
void TNumLab::MouseMove(TShiftState Shift, int X, int Y) {
  SetMouseArea(Layout().Captions.ZoneAt(X));
  TGraphicControl::MouseMove(Shift, X, Y);
}

std::string TNumLab::DisplayText(TCanvas* c) {
  if (FEmpty) return "";
  std::string text = NumberText(FValue, FText);
  if (FOnBeforeDisplay) FOnBeforeDisplay(this, text);
  if (FText.DisplayType != dtState && c->TextWidth(text) > FLabelWidth - 6)
    text = FText.OverflowIndicator;
  return text;
}

std::string TNumLab::DisplayText() {
  TMeasureCanvas m(Font());
  return DisplayText(m.Canvas());
}

void TNumLab::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNumLab*>(Source);
  if (!src) {
    TGraphicControl::Assign(Source);
    return;
  }
  AssignCaptionBox(*src);
  FEmpty = src->FEmpty;
  FLabelWidth = src->FLabelWidth;
  FText.Precision = src->FText.Precision;
  FText.OverflowIndicator = src->FText.OverflowIndicator;
  FValue = src->FValue;
  FText.StateText = src->FText.StateText;
  FTransparent = src->FTransparent;
  FColorLabText = src->FColorLabText;
  FColorLabBakG = src->FColorLabBakG;
  FColorOutBakG = src->FColorOutBakG;
  FText.DisplayType = src->FText.DisplayType;
  Redraw();
}

void TNumLab::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TNumLab*>(Dest))
    dst->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

}  // namespace zel
