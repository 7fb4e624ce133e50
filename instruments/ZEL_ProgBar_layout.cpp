// TProgBar: the bar area and the filled part, from the range, the value, the
// margins and the direction.
#include <algorithm>
#include <cmath>

#include "instruments/ZEL_ProgBar.h"

namespace zel {

using namespace host;

namespace {

// Far beyond any bitmap side (32767 pixels), so a bar cut to this length covers
// the control exactly as the true one would, and coordinates stay in range.
constexpr int64_t kFarBeyond = int64_t(1) << 40;

}  // namespace

// Round(length * (Value - Min) / (Max - Min)). Max = Min (no range) and a value
// that is not a number give an empty bar rather than an undefined fraction.
int64_t TProgBar::FillLength(int length) const {
  if (FMax == FMin) return 0;
  const double fill = length * (FValue - FMin) / (FMax - FMin);
  if (std::isnan(fill)) return 0;
  return Round(fill);
}

TProgBar::TLayout TProgBar::Layout() const {
  TLayout l;
  const int W = Width(), H = Height();
  l.Area = Rect(FMarginLeft, FMarginTop, W - FMarginRight, H - FMarginBottom);
  const bool vertical = FDirection == drUp;
  l.Length = vertical ? l.Area.Height() : l.Area.Width();
  l.Fill = FillLength(l.Length);
  // A fill of 0 or less is no bar; a negative one must not draw backwards
  // into the margin.
  l.HasBar = (vertical || FDirection == drRight) && l.Length > 0 && l.Fill > 0;
  if (!l.HasBar) return l;
  const int64_t reach = std::min(l.Fill, kFarBeyond);
  TRect bar = l.Area;
  if (vertical) {
    l.Edge = l.Area.Bottom - reach;
    bar.Top = int(std::max<int64_t>(l.Edge, -1));
  } else {
    l.Edge = l.Area.Left + reach;
    bar.Right = int(std::min<int64_t>(l.Edge, int64_t(W) + 1));
  }
  l.Bar = IntersectRect(bar, Rect(0, 0, W, H));
  return l;
}

}  // namespace zel
