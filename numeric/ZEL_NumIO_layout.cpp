// TNumIO2: where the captions, the text box, the buttons and the gauge go, and
// the mapping between character positions and x coordinates.
#include <algorithm>

#include "numeric/ZEL_NumIO.h"

namespace zel {

using namespace host;

// From the top: the text rows (the box, the buttons beside it), then the gauge
// band of g rows (GaugeTopMargin, the gauge, one row below it). The bevelled
// box ends one row above the band for its outer edge; the plain outlines take
// that row themselves.
TNumIO2::TLayout TNumIO2::ComputeLayout(TCanvas* c) {
  TLayout l;
  const int H = Height(), LS = LeftSpace(), TW = FTextBoxWidth;
  l.Height = H;
  l.GaugeBand = FGaugeVisible ? FGaugeHeight + FGaugeTopMargin + 1 : 0;
  const int band = H - l.GaugeBand;
  l.Captions =
      CaptionBoxLayout(CaptionMetrics(c, TW, band, FButVisible ? FButWidth + FButSpace : 0));

  const bool plain = FrameStyle() == frNone || FrameStyle() == frSimple;
  l.TextBox = Rect(LS, 0, LS + TW + 2, plain ? band : band - 1);
  l.TextClip = Rect(LS + 3, 2, LS + TW - 1, band - 3);
  l.TextWidth = c->TextWidth(FBuf.Text());
  l.TextX = l.Captions.BoxTextX(l.TextWidth);
  l.CaretTop = 3;
  l.CaretBottom = band - 3;

  const int x0 = LS + TW + FButSpace, hb = FButHeight / 2;
  l.Buttons = Rect(x0, 0, x0 + FButWidth + 1, 2 * hb - 1);
  l.ButtonSplit = hb;
  // The upper half, the middle row included, steps up.
  l.UpButton = Rect(x0 + 1, 1, x0 + FButWidth, hb + 1);
  l.DownButton = Rect(x0 + 1, hb + 1, x0 + FButWidth, FButHeight);

  const int L = FGaugeLeftMargin, W = FGaugeWidth;
  l.Gauge = Rect(L, H - FGaugeHeight - 1, L + W, H - 1);
  double f = 1;
  if (FRangeHigh > FRangeLow) f = (GetNioValue() - FRangeLow) / (FRangeHigh - FRangeLow);
  l.GaugeFill = L + int(Round(W * std::clamp(f, 0.0, 1.0)));
  return l;
}

int TNumIO2::GapX(TCanvas* c, const TLayout& l, int i) const {
  return l.TextX + c->TextWidth(FBuf.Slice(0, i));
}

int TNumIO2::CharPosToXCoords(int i) {
  TMeasureCanvas m(Font());
  return GapX(m.Canvas(), ComputeLayout(m.Canvas()), i);
}

// Counts average character widths from one pixel left of the text, so a
// point on a gap, or up to half a character right of it, gives that gap.
int TNumIO2::CharPosAt(const TLayout& l, int x) const {
  const int n = Length();
  if (n == 0) return 0;
  const int w = l.TextWidth;
  const int a = std::max(w / n, 1);
  const int c = std::max(x - l.TextX + 1, 0);
  return std::min((std::min(w, c) + a / 2) / a, n);
}

int TNumIO2::XCoordsToCharPos(int x) { return CharPosAt(Layout(), x); }

}  // namespace zel
