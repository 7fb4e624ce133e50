// TMarkSel: the grid of the visible marks and the nearest-mark rule, shared by
// paint, the hover highlight and the click.
#include <limits>

#include "instruments/ZEL_marksel.h"

namespace zel {

using namespace host;

TRect TMarkSel::TLayout::Cell(int Mark) const {
  const TPoint p = Points[size_t(Mark)];
  const int hh = MarkDistHorz / 2, hv = MarkDistVert / 2;
  return Rect(p.x - hh + 3, p.y - hv + 3, p.x + hh + 3, p.y + hv + 3);
}

TRect TMarkSel::TLayout::HiLiteCell(int Mark) const {
  const TPoint p = Points[size_t(Mark)];
  const int hh = MarkDistHorz / 2, hv = MarkDistVert / 2;
  return Rect(p.x - hh + 4, p.y - hv + 4, p.x + hh + 2, p.y + hv + 2);
}

TMarkSel::TLayout TMarkSel::Layout() const {
  TLayout l;
  l.MarkDistHorz = (Width() - 4) / FNrOfColumns;
  l.MarkDistVert = (Height() - 4) / FNrOfRows;
  l.MarkMarginHorz = l.MarkDistHorz / 2;
  l.MarkMarginVert = l.MarkDistVert / 2;
  const TRect client = ClientRect();
  int k = 0;  // slot of the next visible mark
  for (int i = 0; i < kNumMarks; ++i) {
    if (!FVisible[size_t(i)]) continue;
    l.OnGrid[size_t(i)] = true;
    l.Points[size_t(i)] = Point(l.MarkMarginHorz + l.MarkDistHorz * (k % FNrOfColumns),
                                l.MarkMarginVert + l.MarkDistVert * (k / FNrOfColumns));
    const TRect cell = l.Cell(i);
    l.Inside[size_t(i)] = cell.Left >= client.Left && cell.Top >= client.Top &&
                          cell.Right <= client.Right && cell.Bottom <= client.Bottom;
    ++k;
  }
  return l;
}

int TMarkSel::MarkAt(int X, int Y) const {
  const TLayout l = Layout();
  int best = 0;
  int64_t bestDist = std::numeric_limits<int64_t>::max();
  for (int i = 0; i < kNumMarks; ++i) {
    if (i != 0 && !l.Inside[size_t(i)]) continue;
    const int64_t dx = int64_t(X) - l.Points[size_t(i)].x, dy = int64_t(Y) - l.Points[size_t(i)].y;
    const int64_t d = dx * dx + dy * dy;
    // Strictly smaller: a tie stays with the lower index found first.
    if (d < bestDist) {
      bestDist = d;
      best = i;
    }
  }
  return best;
}

}  // namespace zel
