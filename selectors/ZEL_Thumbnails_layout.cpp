// The geometry of the strip: one TThumbLayout that paint, the hit test and the
// hover outline all read.
#include <algorithm>
#include <cmath>

#include "selectors/ZEL_Thumbnails.h"

namespace zel {

using namespace host;

namespace {
constexpr int kBorder = 10;  // the strip round the slides
}

TPoint TThumbLayout::SlidePos(int SldNum) const {
  // Floor division, so slides above the top row get rows above it too.
  const int rel = SldNum - First;
  int row = rel / Cols;
  if (rel % Cols != 0 && rel < 0) --row;
  const int col = rel - row * Cols;
  return TPoint{Pitch * col + kBorder, Pitch * row + Distance - ScrollUp + kBorder};
}

int TThumbLayout::SlideAt(int X, int Y) const {
  if (X < kBorder || X > Width - kBorder || Y < kBorder || Y > Height - kBorder) return 0;
  const int b = (X - kBorder) / Pitch;
  if (X > Pitch * b + Box() + kBorder || b + 1 > Cols) return 0;
  const int e = (Y + ScrollUp - Distance - kBorder) / Pitch;
  const int top = Pitch * e + Distance - ScrollUp + kBorder;
  if (Y < top || Y > top + Box()) return 0;
  const long s = long(First) + long(Cols) * e + b;
  return (s >= Min && s <= Max) ? int(s) : 0;
}

bool TThumbLayout::SlideShows(int SldNum) const {
  if (SldNum < Min || SldNum > Max || SldNum < First) return false;
  const long rel = long(SldNum) - First;
  if (rel >= long(Cols) * Rows) return false;
  const TPoint p = SlidePos(SldNum);
  return p.y + Box() >= kBorder && p.y < Height - kBorder;
}

TThumbLayout TThumbnails::Layout() const {
  TThumbLayout L;
  L.Width = Width();
  L.Height = Height();
  L.Size = FSlideSize;
  L.Margin = FSlideMargin;
  L.Distance = FSlideDistance;
  L.Pitch = FSlideSize + FSlideDistance + 2 * FSlideMargin;
  L.Cols = std::max(1, (L.Width + L.Distance - 2 * kBorder) / L.Pitch);
  L.Rows = L.Height / L.Pitch + 1;
  L.First = int(Trunc(FFirstThumbIx));
  L.ScrollUp = int(Round(Frac(FFirstThumbIx) * L.Pitch));
  L.Min = FMin;
  L.Max = FMax;
  return L;
}

void TThumbnails::CalcSlidePos(int SldNum, int& XPos, int& YPos) const {
  const TPoint p = Layout().SlidePos(SldNum);
  XPos = p.x;
  YPos = p.y;
}

}  // namespace zel
