// TOnOffBut: where the glyph and the captions go.
#include "foundation/Zel_captionbox.h"
#include "instruments/ZEL_onoffbut.h"

namespace zel {

using namespace host;

namespace {

// x of a text `w` wide aligned in the band from `left` (taLeftJustify), to
// `right` (taRightJustify) or centred at `centred`.
int AlignedX(TAlignment a, int left, int right, int centred) {
  switch (a) {
    case taLeftJustify:
      return left;
    case taRightJustify:
      return right;
    default:
      return centred;
  }
}

}  // namespace

TOnOffBut::TLayout TOnOffBut::Layout() { return ComputeLayout(TMeasureCanvas(Font()).Canvas()); }

TOnOffBut::TLayout TOnOffBut::ComputeLayout(TCanvas* c) const {
  const int W = Width(), LS = FLeftSpace, TS = FTopSpace;
  const int gw = FGlyphWidth, gh = FGlyphHeight;
  TLayout l;
  l.TextHeight = c->TextHeight(kTextHeightProbe);
  l.Glyph = Rect(LS + 1, TS + 1, LS + 1 + FButImg[1][1].Width(), TS + 1 + FButImg[1][1].Height());
  const int sideY = TS + (gh - l.TextHeight) / 2;
  int w = c->TextWidth(FLeftText);
  l.LeftText = {AlignedX(FLeftTextAlignment, 4, LS - w - 3, (LS - w) / 2), sideY};
  w = c->TextWidth(FRightText);
  l.RightText = {
      AlignedX(FRightTextAlignment, LS + gw + 4, W - w - 4, (W - LS - gw - w) / 2 + LS + gw + 1),
      sideY};
  w = c->TextWidth(FTopText);
  l.TopText = {AlignedX(FTopTextAlignment, 4, W - w - 4, LS + (gw - w) / 2), TS - l.TextHeight - 4};
  w = c->TextWidth(FBottomText);
  l.BottomText = {AlignedX(FBottomTextAlignment, 4, W - w - 4, LS + (gw - w) / 2), TS + gh + 4};
  return l;
}

bool TOnOffBut::InGlyph(int X, int Y) const {
  return FLeftSpace < X && X < FLeftSpace + FGlyphWidth && FTopSpace < Y &&
         Y < FTopSpace + FGlyphHeight;
}

void TOnOffBut::AdjustAutoCenter() {
  FLeftSpace = (Width() - FGlyphWidth) / 2;
  FTopSpace = (Height() - FGlyphHeight) / 2;
}

}  // namespace zel
