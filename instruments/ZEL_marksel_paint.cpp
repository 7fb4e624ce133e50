// TMarkSel: the full picture (into a bitmap copied to the screen in one step)
// and the hover highlight (straight onto the control's canvas).
#include "instruments/ZEL_marksel.h"

namespace zel {

using namespace host;

namespace {

// The picture's colours: the properties, or greys while disabled.
struct TMarkColors {
  TColor Fg, Bg, SelFg, SelBg;
};

void PenAndBrush(TCanvas* c, TColor pen, TColor brush) {
  c->Pen()->SetColor(pen);
  c->Brush()->SetColor(brush);
}

void Line(TCanvas* c, int x0, int y0, int x1, int y1) {
  c->MoveTo(x0, y0);
  c->LineTo(x1, y1);
}

// A disabled selector is drawn in fixed greys.
TMarkColors ColorsOf(const TMarkSel& s) {
  if (!s.Enabled()) return {0x808080, 0xC0C0C0, 0x808080, 0xDEDEDE};
  return {s.ColorMarks(), s.ColorBackGnd(), s.ColorSelFG(), s.ColorSelBG()};
}

void SolidCopyPen(TCanvas* c) {
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetMode(pmCopy);
}

}  // namespace

void TMarkSel::DrawSymbol(TCanvas* c, const TLayout& l, int Mark) const {
  if (Mark == 0 && FShowZeroAsCross) {
    const int dh = l.MarkDistHorz, dv = l.MarkDistVert;
    Line(c, 4, 4, dh + 1, dv + 1);
    Line(c, 4, dv, dh + 1, 3);
    return;
  }
  const TPoint p = l.Points[size_t(Mark)];
  DrawMarkOnCanvas(c, Mark, p.x + 2, p.y + 2);
}

void TMarkSel::DrawMarks(TBitmap& Bitmap) {
  const TMarkColors col = ColorsOf(*this);
  const int w = Bitmap.Width(), h = Bitmap.Height();
  TCanvas* c = Bitmap.Canvas();
  PenAndBrush(c, col.Bg, col.Bg);
  c->Rectangle(0, 0, w, h);
  SolidCopyPen(c);
  const TLayout l = Layout();
  for (int i = 0; i < kNumMarks; ++i) {
    if (!l.OnGrid[size_t(i)]) continue;
    if (i == FSelected) {
      PenAndBrush(c, col.SelFg, col.SelBg);
      c->Rectangle(l.Cell(i));
    } else {
      PenAndBrush(c, col.Fg, col.Bg);
    }
    DrawSymbol(c, l, i);
  }
  DrawFrame(c, FFrameStyle, 0, 0, w - 1, h - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000, col.Fg);
}

bool TMarkSel::CanDrawOnScreen() const {
  return Parent() && (Visible() || (ComponentState() & csDesigning));
}

void TMarkSel::Paint() {
  if (!CanDrawOnScreen() || Width() <= 0 || Height() <= 0) return;
  TBitmap bmp(Width(), Height());
  DrawMarks(bmp);
  Canvas()->Draw(0, 0, &bmp);
  if (FOnPaint) FOnPaint(this);
}

void TMarkSel::HiLite(int Mark) {
  if (Mark < 0 || Mark >= kNumMarks || !CanDrawOnScreen()) return;
  const TLayout l = Layout();
  if (!l.OnGrid[size_t(Mark)]) return;
  TCanvas* c = Canvas();
  SolidCopyPen(c);
  PenAndBrush(c, FColorHiLiteBG, FColorHiLiteBG);
  c->Rectangle(l.HiLiteCell(Mark));
  c->Pen()->SetColor(FColorHiLiteSymbol);
  DrawSymbol(c, l, Mark);
}

// Puts the last highlighted cell back as the picture has it. A mark that is
// no longer on the grid (hidden since) has nothing to restore: drawing it at
// a grid point another mark now holds would leave a ghost symbol.
void TMarkSel::ResetLastHiLite() {
  const TLayout l = Layout();
  const int m = FLastHiLite;
  if (!CanDrawOnScreen() || !l.OnGrid[size_t(m)]) return;
  const TMarkColors col = ColorsOf(*this);
  TCanvas* c = Canvas();
  SolidCopyPen(c);
  if (m == FSelected)
    PenAndBrush(c, col.SelFg, col.SelBg);
  else
    PenAndBrush(c, col.Bg, col.Bg);
  c->Rectangle(l.Cell(m));
  c->Pen()->SetColor(m == FSelected ? col.SelFg : col.Fg);
  DrawSymbol(c, l, m);
}

}  // namespace zel
