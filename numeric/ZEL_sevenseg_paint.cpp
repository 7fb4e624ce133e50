// TSevenSeg: painting, a copy of cached cells per digit position.
#include "numeric/ZEL_sevenseg.h"

namespace zel {

using namespace host;

void TSevenSeg::PaintPosition(TCanvas* c, int j, const TSevenSegPosition& p) {
  const TRect digit = FLayout.Digit(j);
  if (p.Cell >= 0) c->CopyRect(digit, FCache.Canvas(), CacheCell(p.Cell));
  if (p.Point)
    c->CopyRect(FLayout.PointIn(digit), FCache.Canvas(),
                FLayout.PointIn(CacheCell(kSevenSegPointCell)));
}

void TSevenSeg::Paint() {
  if (!Parent() || (!Visible() && !(ComponentState() & csDesigning))) return;
  const std::unique_ptr<TBitmap> bmp = OffscreenBitmap();
  if (!bmp) return;
  TCanvas* c = bmp->Canvas();
  const TColor back = ColorToRGB(FColorBackGnd);
  FillBox(c, Rect(0, 0, Width(), Height()), back, back);
  if (!FLayout.Empty()) {
    c->SetCopyMode(cmSrcCopy);
    const std::vector<TSevenSegPosition> positions = SevenSegPositions(Caption(), FNumDigits);
    for (size_t j = 0; j < positions.size(); ++j) PaintPosition(c, int(j), positions[j]);
  }
  DrawBoxFrame(c, FrameStyle(), Rect(0, 0, Width() - 1, Height() - 1), ClassicFrameColors());
  Canvas()->SetCopyMode(cmSrcCopy);
  Canvas()->Draw(0, 0, bmp.get());
}

}  // namespace zel
