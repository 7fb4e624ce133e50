// TProgBar: painting, back to front into a bitmap of the control's size that
// is copied to the screen in one step.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "instruments/ZEL_ProgBar.h"

namespace zel {

using namespace host;

namespace {

void PenAndBrush(TCanvas* c, TColor color) {
  c->Pen()->SetColor(color);
  c->Brush()->SetColor(color);
}

void Line(TCanvas* c, int x0, int y0, int x1, int y1) {
  c->MoveTo(x0, y0);
  c->LineTo(x1, y1);
}

// The first of start, start - step, start - 2 step ... at or below `limit`
// (a grid counted downward, skipping the lines below the control).
int64_t FirstStepDownFrom(int64_t start, int step, int64_t limit) {
  if (start <= limit) return start;
  return start - (start - limit + step - 1) / step * step;
}

}  // namespace

void TProgBar::PaintMargin(TCanvas* c) {
  PenAndBrush(c, FColorMargin);
  c->Rectangle(0, 0, Width(), Height());
}

void TProgBar::PaintBackground(TCanvas* c, const TLayout& l) {
  PenAndBrush(c, FColorBackGnd);
  c->Rectangle(l.Area);
}

// The picture, stretched over the bar area; where it cannot be drawn the
// plain area (already painted) shows.
void TProgBar::PaintPicture(TCanvas* c, const TLayout& l) {
  if (FBackGroundImg.empty() || l.Area.IsEmpty()) return;
  try {
    c->StretchDraw(l.Area, FAuxBmp.get());
  } catch (const std::exception&) {
    PaintBackground(c, l);
  }
}

int TProgBar::GradientIndex(int64_t k, const TLayout& l) const {
  const double top = kColorTableSize - 1;
  const double h = l.Length, n = double(l.Fill);
  int64_t i = 0;
  switch (FColorMapMode) {
    case cgmCover:
      i = Round(k * top / h);
      break;
    case cgmStretch:
      i = Round(k * top / n);
      break;
    case cgmMove:
      i = Round(k * top / h) - Round((n - 1) * top / h) + (kColorTableSize - 1);
      break;
  }
  return int(std::clamp<int64_t>(i, 0, kColorTableSize - 1));
}

// One line per pixel of the bar's length, k counted from the bar's start;
// only the lines inside the control are visited.
void TProgBar::PaintGradient(TCanvas* c, const TLayout& l) {
  const TRect& b = l.Bar;
  if (FDirection == drUp) {
    for (int y = b.Bottom - 1; y >= b.Top; --y) {
      c->Pen()->SetColor(FColorTable[size_t(GradientIndex(l.Area.Bottom - 1 - y, l))]);
      Line(c, b.Left, y, b.Right, y);
    }
  } else {
    for (int x = b.Left; x < b.Right; ++x) {
      c->Pen()->SetColor(FColorTable[size_t(GradientIndex(x - l.Area.Left, l))]);
      Line(c, x, b.Top, x, b.Bottom);
    }
  }
}

// Grid lines over the filled part: upward from the area's bottom row, or
// rightward from its left column up to and including the bar's edge.
void TProgBar::PaintGrid(TCanvas* c, const TLayout& l) {
  if (FGridDist <= 1) return;
  c->Pen()->SetColor(FColorGrid);
  const TRect& b = l.Bar;
  if (FDirection == drUp) {
    const int64_t first = FirstStepDownFrom(l.Area.Bottom - 1, FGridDist, b.Bottom - 1);
    for (int64_t y = first; y >= std::max<int64_t>(l.Edge, b.Top); y -= FGridDist)
      Line(c, b.Left, int(y), b.Right, int(y));
  } else {
    const int64_t last = std::min<int64_t>(l.Edge, Width() - 1);
    int64_t x = l.Area.Left;
    if (x < 0) x += (-x + FGridDist - 1) / FGridDist * FGridDist;
    for (; x <= last; x += FGridDist) Line(c, int(x), b.Top, int(x), b.Bottom);
  }
}

void TProgBar::PaintBar(TCanvas* c, const TLayout& l) {
  if (!l.HasBar || l.Bar.IsEmpty()) return;
  if (FShowColorGradient) {
    PaintGradient(c, l);
  } else {
    PenAndBrush(c, FColorTable[0]);
    c->Rectangle(l.Bar);
  }
  PaintGrid(c, l);
}

// The bar's own frame rule, the same for the inner and the outer frame. The
// bevels leave their two open corners in the margin colour.
void TProgBar::PaintFrame(TCanvas* c, TFrameStyle s, const TRect& box) {
  if (s == frNone || s > frEngraved) return;
  const int L = box.Left, T = box.Top, R = box.Right, B = box.Bottom;
  c->Brush()->SetStyle(bsClear);
  const auto rect = [c](TColor color, int l, int t, int r, int b) {
    c->Pen()->SetColor(color);
    c->Rectangle(l, t, r, b);
  };
  if (s == frSimple) {
    rect(FColGrayLine, L, T, R, B);
  } else if (s == frLowered || s == frRaised) {
    c->Pen()->SetColor(s == frLowered ? FColBlackLine : FColWhiteLine);
    c->MoveTo(L + 1, B - 3);
    c->LineTo(L + 1, T + 1);
    c->LineTo(R - 1, T + 1);
    c->Pen()->SetColor(s == frLowered ? FColWhiteLine : FColBlackLine);
    c->MoveTo(L + 1, B - 1);
    c->LineTo(R - 1, B - 1);
    c->LineTo(R - 1, T);
    rect(FColGrayLine, L, T, R - 1, B - 1);
  } else {
    const bool embossed = s == frEmbossed;
    rect(embossed ? FColGrayLine : FColWhiteLine, L + 1, T + 1, R, B);
    rect(embossed ? FColWhiteLine : FColGrayLine, L, T, R - 1, B - 1);
  }
  if (s != frSimple) {
    c->SetPixels(L, B - 1, FColorMargin);
    c->SetPixels(R - 1, T, FColorMargin);
  }
  c->Brush()->SetStyle(bsSolid);
}

// The text turned by TextAngle, placed so that the point of its mid-line the
// alignment names sits on the anchor at any angle.
void TProgBar::PaintValueText(TCanvas* c) {
  if (!FTextVisible) return;
  c->Font()->SetOrientation(FTextAngle * 10);
  c->Brush()->SetStyle(bsClear);
  const std::string text = ValueText();
  const int hw = c->TextWidth(text) / 2, hh = c->TextHeight(text) / 2;
  const double a = FTextAngle * std::numbers::pi / 180.0;
  const int k = FTextAlignment == taLeftJustify ? 0 : FTextAlignment == taCenter ? 1 : 2;
  const int x = FTextPosX + int(Round(-k * hw * std::cos(a) - hh * std::sin(a)));
  const int y = FTextPosY + int(Round(k * hw * std::sin(a) - hh * std::cos(a)));
  c->TextOut(x, y, text);
  c->Brush()->SetStyle(bsSolid);
}

void TProgBar::Paint() {
  if (!Parent() || (!Visible() && !Designing())) return;
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap bmp(Width(), Height());
  TCanvas* c = bmp.Canvas();
  c->SetFont(Font());
  const TLayout l = Layout();
  PaintMargin(c);
  PaintBackground(c, l);
  PaintPicture(c, l);
  PaintBar(c, l);
  PaintFrame(c, FFrameStyleInner, l.Area);
  PaintFrame(c, FFrameStyleOuter, Rect(0, 0, Width(), Height()));
  PaintValueText(c);
  Canvas()->Draw(0, 0, &bmp);
}

}  // namespace zel
