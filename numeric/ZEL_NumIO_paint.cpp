// TNumIO2: painting. Everything is drawn into a bitmap of the control's size
// that is copied to the screen in one step.
#include <algorithm>

#include "numeric/ZEL_NumIO.h"

namespace zel {

using namespace host;

namespace {

constexpr TColor kGrey = RGB(128, 128, 128);

void Line(TCanvas* c, int x1, int y1, int x2, int y2) {
  c->MoveTo(x1, y1);
  c->LineTo(x2, y2);
}

}  // namespace

// Two stacked buttons sharing one outline, a divider on row hb - 1, optional
// bevels, and three-line arrows pointing up and down.
void TNumIO2::PaintButtons(TCanvas* c, const TLayout& l) {
  const int x0 = l.Buttons.Left, bw = FButWidth, hb = l.ButtonSplit, cx = x0 + bw / 2;
  FillBox(c, l.Buttons, kGrey, FButColor);
  Line(c, x0, hb - 1, x0 + bw, hb - 1);
  if (FBut3D) {
    c->Pen()->SetColor(clWhite);
    c->Polyline({Point(x0 + 1, 2 * hb - 3), Point(x0 + 1, hb), Point(x0 + bw, hb)});
    c->Polyline({Point(x0 + 1, hb - 2), Point(x0 + 1, 1), Point(x0 + bw, 1)});
    c->Pen()->SetColor(clBlack);
    c->Polyline({Point(x0 + 1, 2 * hb - 1), Point(x0 + bw + 1, 2 * hb - 1), Point(x0 + bw + 1, 1)});
  }
  c->Pen()->SetColor(Enabled() ? clBlack : kGrey);
  const int up = hb / 2, down = hb + hb / 2;
  for (int k = 0; k < 3; ++k) {
    Line(c, cx - k, up - 1 + k, cx + 2 + k, up - 1 + k);
    Line(c, cx - k, down - k, cx + 2 + k, down - k);
  }
}

// The plain outline is drawn in the frame colour of its own; the other
// styles are the scheme's bevels.
void TNumIO2::PaintGauge(TCanvas* c, const TLayout& l) {
  const TRect& g = l.Gauge;
  FillBox(c, g, FGaugeFrameStyle == frNone ? FGaugeColorBg : FGaugeColorFrame, FGaugeColorBg);
  const TColor bar = Enabled() ? FGaugeColor : kGrey;
  FillBox(c, Rect(g.Left, g.Top, l.GaugeFill, g.Bottom), bar, bar);
  if (FGaugeFrameStyle == frSimple) {
    TFrameColors plain;
    plain.Shadow = FGaugeColorFrame;
    DrawBoxFrame(c, frSimple, Rect(g.Left, g.Top, g.Right - 1, g.Bottom - 1), plain);
  } else {
    DrawBoxFrame(c, FGaugeFrameStyle, g, FrameColorsOf(LineColors()));
  }
}

// Plain and unframed boxes are their own rectangle; the bevelled styles frame
// it in the scheme's line colours.
void TNumIO2::PaintTextBox(TCanvas* c, const TLayout& l) {
  const TColor fill = !Enabled() ? clSilver : (OutOfRange() ? FColorWarnBG : FColorBoxBG);
  FillBox(c, l.TextBox, BoxOutlineColor(FrameStyle(), LineColors(), fill), fill);
  if (FrameStyle() >= frLowered)
    DrawBoxFrame(c, FrameStyle(), l.TextBox, FrameColorsOf(LineColors()));
}

// The caret stands one pixel left of its gap and only inside the box; the
// selection is inverted in place.
void TNumIO2::PaintCaretAndSelection(TCanvas* c, const TLayout& l) {
  const int LS = LeftSpace();
  const int caretX = GapX(c, l, FBuf.Caret()) - LS - 1;
  if (CaretVisible() && caretX > 0 && caretX < FTextBoxWidth) {
    c->Pen()->SetColor(clBlack);
    Line(c, LS + caretX, l.CaretTop, LS + caretX, l.CaretBottom);
  }
  if (FSelBegin < FSelEnd && (Focused() || !FHideSelection)) {
    const int lo = LS, hi = LS + FTextBoxWidth;
    const TRect r = Rect(std::clamp(GapX(c, l, FSelBegin), lo, hi), l.CaretTop,
                         std::clamp(GapX(c, l, FSelEnd), lo, hi), l.CaretBottom);
    c->SetCopyMode(cmNotSrcCopy);
    c->CopyRect(r, c, r);
    c->SetCopyMode(cmSrcCopy);
  }
}

void TNumIO2::Paint() {
  if (FPaintSuppressed || !Parent() || (!Visible() && !(ComponentState() & csDesigning))) return;
  if (FAutoSize) {
    TMeasureCanvas m(Font());
    const int h = m.Canvas()->TextHeight("E0") + 6;
    if (h != Height()) TCustomControl::SetBounds(Left(), Top(), Width(), h);
  }
  const std::unique_ptr<TBitmap> bmp = OffscreenBitmap();
  if (!bmp) return;
  TCanvas* c = bmp->Canvas();
  const TLayout l = ComputeLayout(c);
  const int ty = l.Captions.TextTop;

  FillBox(c, Rect(0, 0, Width(), Height()), FColorOutBG, FColorOutBG);
  DrawCaption(c, LeftText(), l.Captions.LeftCaption, ty, Enabled(), ColorOutText());
  if (FButVisible) PaintButtons(c, l);
  DrawCaption(c, RightText(), l.Captions.RightCaption, ty, Enabled(), ColorOutText());
  if (FGaugeVisible) PaintGauge(c, l);
  PaintTextBox(c, l);

  c->Font()->SetColor(!Enabled() ? kGrey : (OutOfRange() ? FColorWarnText : FColorBoxText));
  c->TextRect(l.TextClip, l.TextX, ty, FBuf.Text());
  PaintCaretAndSelection(c, l);

  Canvas()->SetCopyMode(cmSrcCopy);
  Canvas()->Draw(0, 0, bmp.get());
}

}  // namespace zel
