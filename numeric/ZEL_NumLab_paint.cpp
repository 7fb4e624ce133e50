// TNumLab: painting. Everything is drawn into a bitmap of the control's size
// that is copied to the screen in one step.
#include "host/ui/Themes.h"
#include "numeric/ZEL_NumLab.h"

namespace zel {

using namespace host;

bool TNumLab::StyledClient() const {
  return StyleServices()->Enabled() && (StyleElements() & seClient);
}

bool TNumLab::StyledFont() const {
  return StyleServices()->Enabled() && (StyleElements() & seFont);
}

// A caption outside the box, in the style's panel text colours when styles
// are on for the font.
void TNumLab::PaintCaption(TCanvas* c, const std::string& s, TCaptionPlace at, int y) {
  if (!StyledFont()) {
    DrawCaption(c, s, at, y, Enabled(), ColorOutText());
    return;
  }
  const TCustomStyleServices* ss = StyleServices();
  DrawCaption(c, s, at, y, Enabled(), ss->GetStyleFontColor(sfPanelTextNormal),
              ss->GetStyleFontColor(sfPanelTextDisabled), false);
}

void TNumLab::PaintNumberBox(TCanvas* c, const TLayout& l) {
  const bool styled = StyledClient();
  const TCustomStyleServices* ss = StyleServices();
  FillBox(c, l.Box, BoxOutlineColor(FrameStyle(), LineColors(), FColorLabBakG),
          styled ? ss->GetStyleColor(scGrid) : FColorLabBakG);
  DrawBoxFrame(c, FrameStyle(), l.Box, styled ? StyleFrameColors(ss, 0) : ClassicFrameColors());
}

void TNumLab::PaintNumber(TCanvas* c, const TLayout& l) {
  const std::string text = DisplayText(c);
  const TColor ink =
      StyledFont() ? StyleServices()->GetStyleFontColor(sfPanelTextNormal) : FColorLabText;
  c->Font()->SetColor(Enabled() ? ink : clBtnShadow);
  c->TextRect(l.TextClip, l.Captions.BoxTextX(c->TextWidth(text)), l.Captions.TextTop, text);
}

// A transparent label is ANDed onto its parent: its white pixels let the
// parent through, so the box is first filled on the parent to stay opaque.
void TNumLab::CopyToScreen(TBitmap& bmp, const TLayout& l) {
  TCanvas* out = Canvas();
  if (FTransparent) {
    const TColor under = FColorLabText != clBlack ? clWhite : FColorLabBakG;
    FillBox(out, l.Underlay, under, under);
    out->SetCopyMode(cmSrcAnd);
  } else {
    out->SetCopyMode(cmSrcCopy);
  }
  out->Draw(0, 0, &bmp);
  out->SetCopyMode(cmSrcCopy);
}

void TNumLab::Paint() {
  if (!Parent() || (!Visible() && !(ComponentState() & csDesigning))) return;
  const std::unique_ptr<TBitmap> bmp = OffscreenBitmap();
  if (!bmp) return;
  TCanvas* c = bmp->Canvas();
  const TLayout l = ComputeLayout(c);

  TColor back = StyledClient() ? StyleServices()->GetStyleColor(scWindow) : FColorOutBakG;
  if (FTransparent) back = clWhite;
  FillBox(c, Rect(0, 0, Width(), Height()), back, back);
  const int y = l.Captions.TextTop;
  PaintCaption(c, LeftText(), l.Captions.LeftCaption, y);
  PaintCaption(c, RightText(), l.Captions.RightCaption, y);
  PaintNumberBox(c, l);
  if (!FEmpty) PaintNumber(c, l);
  CopyToScreen(*bmp, l);
}

}  // namespace zel
