// TGradFill: the band colours and the rectangles of the bands and grid lines.
#include "instruments/ZEL_gradfl.h"

namespace zel {

using namespace host;

namespace {

bool IsMidBand(TGradType t) { return t == gtMidBandHoriz || t == gtMidBandVert; }
bool IsStacked(TGradType t) { return t == gtHoriz || t == gtMidBandHoriz; }

// One channel (at `shift`) of the first colour moved `step` of `steps` toward
// the last, kept as one byte.
TColor Channel(TColor first, TColor last, int shift, int step, int steps) {
  const int b0 = int((first >> shift) & 0xFF), b1 = int((last >> shift) & 0xFF);
  return TColor((b0 + MulDiv(step, b1 - b0, steps)) & 0xFF) << shift;
}

// Lines every kGradGridPitch pixels strictly inside 0..extent-1.
std::vector<int> GridLines(int extent) {
  std::vector<int> lines;
  for (int v = kGradGridPitch; v < extent - 1; v += kGradGridPitch) lines.push_back(v);
  return lines;
}

}  // namespace

TColor GradBandColor(TColor First, TColor Last, TGradType Type, int n, int N) {
  if (N < 2) return First & 0xFFFFFF;
  int step = n, steps = N;
  if (IsMidBand(Type)) {
    steps = N / 2;
    if (n > steps) step = N - n - 1;
  }
  return Channel(First, Last, 0, step, steps) | Channel(First, Last, 8, step, steps) |
         Channel(First, Last, 16, step, steps);
}

TGradFill::TLayout TGradFill::Layout() const {
  TLayout l;
  const int w = Width(), h = Height(), n = FNrColors;
  const TColor first = ColorToRGB(FColorFirst), last = ColorToRGB(FColorLast);
  l.Bands.reserve(size_t(n));
  for (int i = 0; i < n; ++i) {
    const TRect r = IsStacked(FFillType) ? Rect(0, MulDiv(i, h, n), w, MulDiv(i + 1, h, n))
                                         : Rect(MulDiv(i, w, n), 0, MulDiv(i + 1, w, n), h);
    l.Bands.push_back({r, GradBandColor(first, last, FFillType, i, n)});
  }
  if (FGridMode == gmHoriz || FGridMode == gmBoth) l.GridRows = GridLines(h);
  if (FGridMode == gmVert || FGridMode == gmBoth) l.GridCols = GridLines(w);
  return l;
}

}  // namespace zel
