// TMeter: painting. The picture is built back to front into a bitmap of the
// control's size (background, bands, scale, caption, needles, cover, anchor,
// lamps, frame) and copied to the screen in one step.
#include <cmath>

#include "instruments/ZEL_Meter.h"

namespace zel {

using namespace host;

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180;
const TColor kBevelLight = RGB(255, 255, 255);
const TColor kBevelShadow = RGB(128, 128, 128);

void SetPenAndBrush(TCanvas* c, TColor pen, TColor brush) {
  c->Pen()->SetColor(pen);
  c->Brush()->SetColor(brush);
  c->Brush()->SetStyle(bsSolid);
}

void MoveTo(TCanvas* c, TPoint p) { c->MoveTo(p.x, p.y); }
void LineTo(TCanvas* c, TPoint p) { c->LineTo(p.x, p.y); }

void Path(TCanvas* c, std::initializer_list<TPoint> pts) {
  auto it = pts.begin();
  MoveTo(c, *it);
  for (++it; it != pts.end(); ++it) LineTo(c, *it);
}
void Continue(TCanvas* c, std::initializer_list<TPoint> pts) {
  for (const TPoint& p : pts) LineTo(c, p);
}

}  // namespace

std::vector<TPoint> NeedlePolygon(const TNeedleLayout& L, double theta, int cx, int cy, double Ln) {
  const double t = theta * kDegToRad;
  const double ct = std::cos(t), st = std::sin(t);
  const int xt = int(Round(cx + Ln * ct)), yt = int(Round(cy - Ln * st));
  const double a = L.HeadAngle() * kDegToRad;
  const double wx = st * L.Thickness() / 2.0, wy = ct * L.Thickness() / 2.0;
  const double hs = L.HeadSize(), hm = L.HeadMidLeng();
  auto pt = [](double x, double y) { return Point(int(Round(x)), int(Round(y))); };
  return {pt(xt - hs * std::cos(t + a / 2), yt + hs * std::sin(t + a / 2)),
          Point(xt, yt),
          pt(xt - hs * std::cos(t - a / 2), yt + hs * std::sin(t - a / 2)),
          pt(xt - wx - hm * ct, yt - wy + hm * st),
          pt(cx - wx, cy - wy),
          pt(cx + wx, cy + wy),
          pt(xt + wx - hm * ct, yt + wy + hm * st)};
}

std::vector<TRect> BackgroundTiles(int W, int H, int bw, int bh) {
  std::vector<TRect> tiles;
  if (bw <= 0 || bh <= 0 || W <= 0 || H <= 0) return tiles;
  const int cols = (W - 1) / bw + 1, rows = (H - 1) / bh + 1;
  for (int i = 1; i <= cols; ++i)
    for (int j = 1; j <= rows; ++j)
      tiles.push_back(Rect(bw * (i - 1), bh * (j - 1), bw * i, bh * j));
  return tiles;
}

void TMeter::PaintBackground(TCanvas* c) {
  const int W = Width(), H = Height();
  if (FBackGroundImg.empty()) {
    SetPenAndBrush(c, FColorBakG, FColorBakG);
    c->Rectangle(0, 0, W, H);
    return;
  }
  TBitmap* img = AuxBGBmp.get();
  const int bw = img->Width(), bh = img->Height();
  switch (FBkgndFillMode) {
    case bfSimple:
      // The fresh canvas's own black pen and white brush round the image.
      c->Rectangle(0, 0, W, H);
      c->StretchDraw(Rect(0, 0, bw, bh), img);
      break;
    case bfStretch:
      c->StretchDraw(Rect(0, 0, W, H), img);
      break;
    case bfTile:
      for (const TRect& r : BackgroundTiles(W, H, bw, bh)) c->StretchDraw(r, img);
      break;
  }
}

// Three sectors out to R + 4, then the inside cleared so that rings remain.
void TMeter::PaintBands(TCanvas* c) {
  const int cx = FMeterCenterX, cy = FMeterCenterY;
  const double R = FMeterRadius;
  const int Ro = int(Round(R + 4));
  const int Ri = int(Round((100 - FScaleBkWidth) * R / 100));
  const double a0 = 90 + FMeterAngle / 2.0, a1 = 90 - FMeterAngle / 2.0;
  const double aL = AngleOf(FThresholdLow), aH = AngleOf(FThresholdHigh);
  auto sector = [&](double from, double to, TColor col) {
    if (std::fabs(from - to) * kDegToRad <= 1e-6) return;
    SetPenAndBrush(c, col, col);
    const TPoint p = PointAt(from, R), q = PointAt(to, R);
    c->Pie(cx - Ro, cy - Ro, cx + Ro + 1, cy + Ro, p.x, p.y, q.x, q.y);
  };
  sector(aL, a0, FColorSclBkLow);
  sector(aH, aL, FColorSclBkNorm);
  sector(a1, aH, FColorSclBkHigh);
  SetPenAndBrush(c, FColorBakG, FColorBakG);
  c->Ellipse(cx - Ri, cy - Ri, cx + Ri + 1, cy + Ri);
}

void TMeter::PaintMajorTick(TCanvas* c, const TMeterTick& t, double dx, double dy) {
  const double a = AngleOfFraction(t.Fraction);
  MoveTo(c, PointAt(a, FMeterRadius));
  LineTo(c, PointAt(a, FMeterRadius - 8));
  if (!t.Labelled) return;
  const double r = a * kDegToRad;
  const int mx = int(Round(FMeterCenterX + (FMeterRadius - dx) * std::cos(r)));
  const int my = int(Round(FMeterCenterY - (FMeterRadius - dy) * std::sin(r)));
  std::string label = MeterLabelText(t.Value, FDecPlaces);
  if (FOnBeforeDrawScaleLabel)
    FOnBeforeDrawScaleLabel(this, c, label, mx - c->TextWidth(label) / 2,
                            my - c->TextHeight(label) / 2);
  if (!label.empty())
    c->TextOut(mx - c->TextWidth(label) / 2, my - c->TextHeight(label) / 2, label);
}

void TMeter::PaintScale(TCanvas* c) {
  const double R = FMeterRadius;
  const int cx = FMeterCenterX, cy = FMeterCenterY, Rr = int(Round(R));
  c->Pen()->SetColor(FColorScale);
  if (FScaleLine) {
    const TPoint p = PointAt(90 - FMeterAngle / 2.0, R), q = PointAt(90 + FMeterAngle / 2.0, R);
    c->Arc(cx - Rr, cy - Rr, cx + Rr + 1, cy + Rr, p.x, p.y, q.x, q.y);
  }
  if (FShortTicks) {
    for (const TMeterTick& t : MeterMinorTicks(FMinValue, FMaxValue, FNrTicks, FLogarithmic)) {
      const double a = AngleOfFraction(t.Fraction);
      MoveTo(c, PointAt(a, R));
      LineTo(c, PointAt(a, R - 4));
    }
  }
  c->SetFont(Font());
  const std::string m = MeterLabelText(FMaxValue, FDecPlaces);
  const double dx = c->TextWidth(m) / 2.0 + 15, dy = c->TextHeight(m) / 2.0 + 15;
  std::vector<TMeterTick> ticks = MeterMajorTicks(FMinValue, FMaxValue, FNrTicks, FLogarithmic);
  // On a full circle the ends meet: the label at max would be printed over the
  // label at min.
  if (FMeterAngle == 360 && ticks.size() > 1 && std::fabs(ticks.front().Fraction) < 1e-9 &&
      std::fabs(ticks.back().Fraction - 1) < 1e-9)
    ticks.back().Labelled = false;
  for (const TMeterTick& t : ticks) PaintMajorTick(c, t, dx, dy);
}

void TMeter::PaintCaption(TCanvas* c) {
  if (FCaption.empty()) return;
  c->SetFont(&FFontCaption);
  c->TextOut(FMeterCenterX - c->TextWidth(FCaption) / 2,
             FMeterCenterY - int(Round(FMeterRadius / 3)) - c->TextHeight(FCaption) / 2, FCaption);
}

void TMeter::PaintNeedle(TCanvas* c, TNeedleLayout& L, double v) {
  const double Ln = L.PercentNeedleLength() * (FMeterRadius - 4) * 0.01;
  std::vector<TPoint> pts = NeedlePolygon(L, AngleOf(v), FMeterCenterX, FMeterCenterY, Ln);
  c->Brush()->SetStyle(bsSolid);
  if (L.ShadowDx() != 0 || L.ShadowDy() != 0) {
    std::vector<TPoint> shadow = pts;
    for (TPoint& p : shadow) p = Point(p.x - L.ShadowDx(), p.y - L.ShadowDy());
    SetPenAndBrush(c, L.ShadowColor(), L.ShadowColor());
    c->Polygon(shadow);
  }
  SetPenAndBrush(c, L.ColorOutline(), L.ColorBody());
  c->Polygon(pts);
}

void TMeter::PaintNeedles(TCanvas* c) {
  bool drawn = false;
  if (FOnBeforeDrawNeedle) FOnBeforeDrawNeedle(this, c, drawn);
  if (!drawn) PaintNeedle(c, FNeedleLayout, FValue);
  if (FNeedleLayoutSec.Visible()) PaintNeedle(c, FNeedleLayoutSec, FValueSec);
}

void TMeter::PaintCover(TCanvas* c) {
  const int W = Width(), H = Height();
  SetPenAndBrush(c, FColorCover, FColorCover);
  c->Rectangle(0, 0, FRimSide - 1, H);
  c->Rectangle(0, 0, W, FRimTop);
  c->Rectangle(W - FRimSide, 0, W, H);
  c->Rectangle(0, H - FRimBottom, W, H);
}

// The opening of the dial, lit from the lower right: its bottom and right
// edges light, its top and left edges in shadow (a recess in the cover).
void TMeter::PaintBevel(TCanvas* c) {
  const int W = Width(), H = Height(), S = FRimSide, T = FRimTop, B = FRimBottom;
  c->Pen()->SetColor(kBevelLight);
  Path(c, {{S - 1, H - B}, {W - S, H - B}, {W - S, T}});
  c->Pen()->SetColor(kBevelShadow);
  Continue(c, {{S - 1, T}, {S - 1, H - B}});
}

void TMeter::PaintAnchor(TCanvas* c) {
  const int W = Width(), H = Height(), S = FRimSide, T = FRimTop, B = FRimBottom;
  const int cx = FMeterCenterX, cy = FMeterCenterY, AS = FAnchorSize;
  if (!FAnchorCovered) {
    PaintBevel(c);
    return;
  }
  if (!FAnchorImage.empty()) {
    PaintBevel(c);
    const int iw = AuxACBmp->Width(), ih = AuxACBmp->Height();
    const TRect r = Rect(cx - iw / 2, cy - ih / 2, cx - iw / 2 + iw, cy - ih / 2 + ih);
    c->SetCopyMode(cmSrcAnd);
    c->StretchDraw(r, AuxACMaskBmp.get());
    c->SetCopyMode(cmSrcPaint);
    c->StretchDraw(r, AuxACBmp.get());
    c->SetCopyMode(cmSrcCopy);
    return;
  }
  if (FMeterLayout == mlCirc270 || FMeterLayout == mlCirc300 || FMeterLayout == mlCirc360) {
    // A full disc, lit on its upper left.
    c->Ellipse(cx - AS, cy - AS, cx + AS, cy + AS);
    PaintBevel(c);
    c->Pen()->SetColor(kBevelLight);
    c->Arc(cx - AS, cy - AS, cx + AS, cy + AS, cx + AS, cy - AS, cx - AS, cy + AS);
    c->Pen()->SetColor(kBevelShadow);
    c->Arc(cx - AS, cy - AS, cx + AS, cy + AS, cx - AS, cy + AS, cx + AS, cy - AS);
    return;
  }
  // A half disc on a post down to the bottom rim, its outline part of the bevel.
  c->Pie(cx - AS, cy - AS, cx + AS, cy + AS, W, cy, 0, cy);
  c->Rectangle(cx - AS, H - B, cx + AS, cy);
  c->Pen()->SetColor(kBevelShadow);
  Path(c, {{cx + AS - 1, cy}, {cx + AS - 1, H - B}});
  c->Pen()->SetColor(kBevelLight);
  Continue(c, {{W - S, H - B}, {W - S, T}});
  c->Pen()->SetColor(kBevelShadow);
  Continue(c, {{S - 1, T}, {S - 1, H - B}});
  c->Pen()->SetColor(kBevelLight);
  Continue(c, {{cx - AS, H - B}, {cx - AS, cy - 1}});
  c->Arc(cx - AS, cy - AS, cx + AS, cy + AS, W, cy, 0, cy);
  c->Pen()->SetColor(kBevelShadow);
  c->Arc(cx - AS, cy - AS, cx + AS, cy + AS, cx + AS, cy, cx + AS, cy - AS);
}

// A 10 x 10 lamp below the top rim, with a three-colour bevel.
void TMeter::PaintLamp(TCanvas* c, int X, bool active) {
  const int T = FRimTop;
  SetPenAndBrush(c, clBlack, active ? FLimWatchActColor : FLimWatchPsvColor);
  c->Rectangle(X, T + 18, X + 10, T + 8);
  c->Pen()->SetColor(RGB(255, 255, 255));
  Path(c, {{X + 1, T + 17}, {X + 9, T + 17}, {X + 9, T + 8}});
  c->Pen()->SetColor(RGB(192, 192, 192));
  Path(c, {{X + 2, T + 16}, {X + 8, T + 16}, {X + 8, T + 9}});
  c->Pen()->SetColor(RGB(128, 128, 128));
  Path(c, {{X + 1, T + 16}, {X + 1, T + 9}, {X + 9, T + 9}});
}

void TMeter::PaintFrame(TCanvas* c) {
  const int W = Width(), H = Height();
  const TColor G = ColGrayLine(), Wl = ColWhiteLine();
  auto bevel = [&](TColor first, TColor second) {
    c->Pen()->SetColor(first);
    Path(c, {{0, H - 1}, {0, 0}, {W - 1, 0}});
    c->Pen()->SetColor(second);
    Continue(c, {{W - 1, H - 1}, {0, H - 1}});
  };
  auto etched = [&](TColor outer, TColor inner) {
    c->Pen()->SetColor(outer);
    Path(c, {{0, 0}, {W - 2, 0}, {W - 2, H - 2}, {0, H - 2}, {0, 0}});
    c->Pen()->SetColor(inner);
    Path(c, {{1, H - 3}, {1, 1}, {W - 2, 1}});
    Path(c, {{1, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
  };
  switch (FrameStyle()) {
    case frNone:
      break;
    case frSimple:
      c->Pen()->SetColor(FColorBakG);
      Path(c, {{0, H - 1}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
      break;
    case frLowered:
      bevel(G, Wl);
      break;
    case frRaised:
      bevel(Wl, G);
      break;
    case frEmbossed:
      etched(Wl, G);
      break;
    case frEngraved:
      etched(G, Wl);
      break;
  }
}

// The picture is drawn afresh on every paint, but into the same pixels while
// the size stays: a new bitmap would cost an allocation and a clearing pass.
// The canvas starts each paint as a new one would, in the control's font.
TBitmap* TMeter::PaintBuffer() {
  if (Width() <= 0 || Height() <= 0) return nullptr;
  if (!FBuffer || FBuffer->Width() != Width() || FBuffer->Height() != Height())
    FBuffer = std::make_unique<TBitmap>(Width(), Height());
  TCanvas* c = FBuffer->Canvas();
  c->Pen()->SetColor(clBlack);
  c->Pen()->SetWidth(1);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetMode(pmCopy);
  c->Brush()->SetColor(clWhite);
  c->Brush()->SetStyle(bsSolid);
  c->SetCopyMode(cmSrcCopy);
  c->SetFont(Font());
  return FBuffer.get();
}

void TMeter::Paint() {
  if (!Parent() || (!Visible() && !(ComponentState() & csDesigning))) return;
  if (FMeterRadius <= 0) return;
  TBitmap* bmp = PaintBuffer();
  if (!bmp) return;
  TCanvas* c = bmp->Canvas();
  PaintBackground(c);
  if (FScaleBkVisible) PaintBands(c);
  c->Brush()->SetStyle(bsClear);
  if (FScaleVisible) PaintScale(c);
  PaintCaption(c);
  PaintNeedles(c);
  PaintCover(c);
  PaintAnchor(c);
  if (FLimWatchHighOn) PaintLamp(c, Width() - FRimSide - 18, FOFL);
  if (FLimWatchLowOn) PaintLamp(c, FRimSide + 8, FUFL);
  if (FOnMeterRendered) FOnMeterRendered(this, c);
  PaintFrame(c);
  Canvas()->SetCopyMode(cmSrcCopy);
  Canvas()->Draw(0, 0, bmp);
}

}  // namespace zel
