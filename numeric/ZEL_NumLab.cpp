#include "numeric/ZEL_NumLab.h"

#include "host/ui/Themes.h"
#include "numeric/ZEL_NumDraw.h"

namespace zel {

using namespace host;

namespace {

constexpr TColor kGrey = RGB(128, 128, 128);
constexpr TColor kSilver = RGB(192, 192, 192);

}  // namespace

bool TNumLab::StyledClient() const {
  return StyleServices()->Enabled() && (StyleElements() & seClient);
}

bool TNumLab::StyledFont() const {
  return StyleServices()->Enabled() && (StyleElements() & seFont);
}

TNumLab::TNumLab(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 160, 28); }

void TNumLab::Redraw() { Paint(); }

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
void TNumLab::SetLeftText(const std::string& s) { Change(FLeftText, s); }
void TNumLab::SetRightText(const std::string& s) { Change(FRightText, s); }
void TNumLab::SetLeftSpace(int v) {
  if (v >= 0) Change(FLeftSpace, v > Width() ? Width() : v);
}
void TNumLab::SetLabelWidth(int v) { Change(FLabelWidth, v); }
void TNumLab::SetAlignment(TAlignment a) { Change(FAlignment, a); }
void TNumLab::SetLeftTextAlignment(TAlignment a) { Change(FLeftTextAlignment, a); }
void TNumLab::SetRightTextAlignment(TAlignment a) { Change(FRightTextAlignment, a); }
void TNumLab::SetColorLabText(TColor c) { Change(FColorLabText, c); }
void TNumLab::SetColorLabBakG(TColor c) { Change(FColorLabBakG, c); }
void TNumLab::SetColorOutText(TColor c) { Change(FColorOutText, c); }
void TNumLab::SetColorOutBakG(TColor c) { Change(FColorOutBakG, c); }
void TNumLab::SetFrameStyle(TFrameStyle s) { Change(FFrameStyle, s); }

void TNumLab::SetColorScheme(TColorScheme s) {
  if (s == FColorScheme) return;
  FColorScheme = s;
  FColGrayLine = s == csmFixed ? kGrey : clBtnShadow;
  FColWhiteLine = s == csmFixed ? clWhite : clBtnHighlight;
  Redraw();
}

void TNumLab::SetTransparent(bool t) {
  if (t == FTransparent) return;
  FTransparent = t;
  // Switching on needs the parent drawn beneath first; the loop does that.
  if (t)
    Invalidate();
  else
    Redraw();
}

void TNumLab::SetEnabled(bool e) {
  if (e == Enabled()) return;
  TGraphicControl::SetEnabled(e);
  Refresh();
}

void TNumLab::MouseMove(TShiftState Shift, int X, int Y) {
  FMouseAreaCode = 0;
  if (X > FLeftSpace) FMouseAreaCode = 1;
  if (X > FLeftSpace + FLabelWidth) FMouseAreaCode = 2;
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
  TBitmap probe(1, 1);
  probe.Canvas()->SetFont(Font());
  return DisplayText(probe.Canvas());
}

// A caption outside the box, in the style's panel text colours when styles
// are on for the font.
void TNumLab::DrawOuterText(TCanvas* c, const std::string& s, int x, int whiteX, int y) {
  if (!StyledFont()) {
    DrawCaption(c, s, x, whiteX, y, Enabled(), FColorOutText);
    return;
  }
  const TCustomStyleServices* ss = StyleServices();
  DrawCaption(c, s, x, whiteX, y, Enabled(), ss->GetStyleFontColor(sfPanelTextNormal),
              ss->GetStyleFontColor(sfPanelTextDisabled), false);
}

void TNumLab::DrawNumberBox(TCanvas* c) {
  const int H = Height();
  TColor pen = FColGrayLine;
  if (FFrameStyle == frNone) pen = FColorLabBakG;
  if (FFrameStyle == frEmbossed) pen = FColWhiteLine;
  c->Pen()->SetColor(pen);
  c->Brush()->SetStyle(bsSolid);
  const bool styled = StyledClient();
  c->Brush()->SetColor(styled ? StyleServices()->GetStyleColor(scGrid) : FColorLabBakG);
  c->Rectangle(FLeftSpace + 1, 0, FLeftSpace + FLabelWidth, H - 2);
  const TCustomStyleServices* ss = StyleServices();
  DrawFrame(c, FFrameStyle, FLeftSpace + 1, 0, FLeftSpace + FLabelWidth, H - 2,
            styled ? ss->GetSystemColor(cl3DLight) : clWhite,
            styled ? ss->GetSystemColor(clBtnHighlight) : kSilver,
            styled ? ss->GetSystemColor(clBtnShadow) : kGrey,
            styled ? ss->GetSystemColor(cl3DDkShadow) : clBlack, 0);
}

void TNumLab::Paint() {
  if (!Parent() || (!Visible() && !(ComponentState() & csDesigning))) return;
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  TBitmap bmp(W, H);
  TCanvas* c = bmp.Canvas();
  c->SetFont(Font());
  const int y = (H - c->TextHeight(kNumHeightProbe)) / 2;

  TColor back = StyledClient() ? StyleServices()->GetStyleColor(scWindow) : FColorOutBakG;
  if (FTransparent) back = clWhite;
  c->Pen()->SetColor(back);
  c->Brush()->SetColor(back);
  c->Rectangle(0, 0, W, H);

  int w = c->TextWidth(FLeftText);
  int x = LeftCaptionX(FLeftTextAlignment, FLeftSpace, w);
  DrawOuterText(c, FLeftText, x, x + 1, y);

  const int boxEnd = FLeftSpace + FLabelWidth;
  w = c->TextWidth(FRightText);
  x = RightCaptionX(FRightTextAlignment, boxEnd, W, w);
  DrawOuterText(c, FRightText, x, FRightTextAlignment == taRightJustify ? W - w - 7 : x + 1, y);

  DrawNumberBox(c);
  if (!FEmpty) {
    const std::string text = DisplayText(c);
    w = c->TextWidth(text);
    x = FAlignment == taLeftJustify    ? FLeftSpace + 4
        : FAlignment == taRightJustify ? boxEnd - w - 2
                                       : FLeftSpace + 2 + (FLabelWidth - w) / 2;
    TColor ink =
        StyledFont() ? StyleServices()->GetStyleFontColor(sfPanelTextNormal) : FColorLabText;
    c->Font()->SetColor(Enabled() ? ink : clBtnShadow);
    c->TextRect(Rect(FLeftSpace + 3, 2, boxEnd - 1, H - 3), x, y, text);
  }

  TCanvas* out = Canvas();
  if (FTransparent) {
    const TColor under = FColorLabText != clBlack ? clWhite : FColorLabBakG;
    out->Pen()->SetColor(under);
    out->Brush()->SetStyle(bsSolid);
    out->Brush()->SetColor(under);
    out->Rectangle(FLeftSpace + 2, 2, boxEnd, H - 2);
    out->SetCopyMode(cmSrcAnd);
  } else {
    out->SetCopyMode(cmSrcCopy);
  }
  out->Draw(0, 0, &bmp);
  out->SetCopyMode(cmSrcCopy);
}

void TNumLab::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNumLab*>(Source);
  if (!src) {
    TGraphicControl::Assign(Source);
    return;
  }
  FLeftSpace = src->FLeftSpace;
  FEmpty = src->FEmpty;
  FLabelWidth = src->FLabelWidth;
  FText.Precision = src->FText.Precision;
  FLeftText = src->FLeftText;
  FRightText = src->FRightText;
  FFrameStyle = src->FFrameStyle;
  FAlignment = src->FAlignment;
  FRightTextAlignment = src->FRightTextAlignment;
  FLeftTextAlignment = src->FLeftTextAlignment;
  FText.OverflowIndicator = src->FText.OverflowIndicator;
  FValue = src->FValue;
  FText.StateText = src->FText.StateText;
  FTransparent = src->FTransparent;
  FColorLabText = src->FColorLabText;
  FColorLabBakG = src->FColorLabBakG;
  FColorOutText = src->FColorOutText;
  FColorOutBakG = src->FColorOutBakG;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FColorScheme = src->FColorScheme;
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
