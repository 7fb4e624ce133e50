// TRasterLab: painting. The ground, the raster of dot gaps, the text and the
// frame are drawn into a bitmap of the label's size, then copied in one step.
#include <algorithm>

#include "labels/ZEL_RasterLab.h"

namespace zel {

using namespace host;

namespace {

void FillWith(TCanvas* c, const TRect& r, TColor color) {
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(color);
  c->FillRect(r);
}

// The lit dots of a glyph whose first column is at x.
void PaintDots(TCanvas* c, const TRDCharMatrix& m, uint8_t code, const TGlyphSpan& span, int x,
               int y, int DotSize, int Pitch, TColor On) {
  if (span.Blank) return;
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(On);
  const auto& rows = m.BitData[code];
  for (int r = 0; r < m.FontHeight; ++r) {
    const uint32_t bits = rows[size_t(r)];
    if (!bits) continue;
    const int dy = y + r * Pitch;
    for (int col = span.First; col <= span.Last; ++col)
      if (bits >> col & 1) {
        const int dx = x + (col - span.First) * Pitch;
        c->FillRect(Rect(dx, dy, dx + DotSize, dy + DotSize));
      }
  }
}

// Index of the glyph that starts at or before `offset` from the run's start
// (0 when none does).
size_t FirstGlyphAt(const TRasterRun& run, int offset) {
  const auto it = std::upper_bound(run.X.begin(), run.X.end(), offset);
  return it == run.X.begin() ? 0 : size_t(it - run.X.begin()) - 1;
}

}  // namespace

int TRasterLab::PaintChar(TCanvas* c, const TRDCharMatrix& m, int X, int Y, uint8_t ch, int DotSize,
                          int DotSpacing, TColor On, TColor, TColor, bool FixedWidth) {
  const int pitch = DotSize + DotSpacing;
  const TGlyphSpan span = GlyphSpan(m, ch, !FixedWidth);
  PaintDots(c, m, ch, span, X, Y, DotSize, pitch, On);
  return pitch * span.Columns();
}

// Draws the glyphs of the run that fall inside the canvas's clip, with the
// block stripes of rdbmOn before each of them and after the last.
void TRasterLab::PaintRun(TCanvas* c, const TRDCharMatrix& m, const TRasterRun& run, int X, int Y,
                          int DotSize, int DotSpacing, const TRasterColors& colors,
                          TRDBlockMode Mode) {
  const int pitch = DotSize + DotSpacing;
  const TRect clip = c->ClipRect();
  const auto stripe = [&](int x) {
    if (Mode == rdbmOn) FillWith(c, Rect(x - pitch, clip.Top, x, clip.Bottom), colors.Back);
  };
  size_t i = FirstGlyphAt(run, clip.Left - X);
  for (; i < run.Codes.size() && X + run.X[i] - pitch < clip.Right; ++i) {
    const int x = X + run.X[i];
    stripe(x);
    PaintDots(c, m, run.Codes[i], run.Spans[i], x, Y, DotSize, pitch, colors.On);
  }
  if (i == run.Codes.size()) stripe(X + run.BitLength - 1);
}

void TRasterLab::PaintString(TCanvas* c, const TRDCharMatrix& m, int X, int Y, const std::string& s,
                             int DotSize, int DotSpacing, TColor On, TColor Off, TColor Back,
                             TRDBlockMode Mode, bool Proportional, int& BitLength) {
  const TRasterRun run = LayoutRasterRun(m, s, DotSize + DotSpacing, Proportional);
  PaintRun(c, m, run, X, Y, DotSize, DotSpacing, {On, Off, Back}, Mode);
  BitLength = run.BitLength;
}

// Unlit dots everywhere when the blocks are shown, else the plain ground.
void TRasterLab::PaintBackground(TCanvas* c) {
  FillWith(c, c->ClipRect(), FCharBlockMode != rdbmOff ? FColors.Off : FColors.Back);
}

// The gaps between the dots, DotSpacing lines wide, in phase with the text so
// that every lit dot sits on an unlit one.
void TRasterLab::PaintRaster(TCanvas* c, int ox, int oy) {
  const int p = Pitch(), gap = FDotSpacing, w = Width(), h = Height();
  if (gap == 0) return;
  const int phaseX = (ox % p + p) % p, phaseY = (oy % p + p) % p;
  for (int b = 0; b <= h / p + 1; ++b) {
    const int y = phaseY + b * p - gap;
    FillWith(c, Rect(0, y, w, y + gap), FColors.Back);
  }
  for (int b = 0; b <= w / p + 1; ++b) {
    const int x = phaseX + b * p - gap;
    FillWith(c, Rect(x, 0, x + gap, h), FColors.Back);
  }
}

// A framed label's outermost ring shows its Color where the frame leaves a
// pixel out (the far corners of the bevels).
void TRasterLab::PaintBorderGround(TCanvas* c) {
  if (FrameStyle() == frNone) return;
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FrameRect(Rect(0, 0, Width(), Height()));
}

void TRasterLab::Paint() {
  if (!Parent() || (!Visible() && !Designing())) return;
  const std::unique_ptr<TBitmap> bmp = OffscreenBitmap();
  if (!bmp) return;
  TCanvas* c = bmp->Canvas();
  const int ox = SaturatedSum(FPosX, FScrollX), oy = SaturatedSum(FPosY, FScrollY);
  PaintBackground(c);
  if (FCharBlockMode != rdbmOff) PaintRaster(c, ox, oy);
  // A text scrolled out of view (its offset may sit at the int limit) draws
  // nothing, and its coordinates are never added to.
  const int64_t textHeight = int64_t(Pitch()) * FCharMatrix.FontHeight;
  if (ox < Width() && oy < Height() && int64_t(ox) + FRun.BitLength > 0 &&
      int64_t(oy) + textHeight > 0)
    PaintRun(c, FCharMatrix, FRun, ox, oy, FDotSize, FDotSpacing, FColors, FCharBlockMode);
  PaintBorderGround(c);
  DrawBoxFrame(c, FrameStyle(), Rect(0, 0, Width() - 1, Height() - 1), FrameColorsOf(LineColors()));
  Canvas()->Draw(0, 0, bmp.get());
}

}  // namespace zel
