// Ellipses, arcs, pies, polygons and flood fills.
#include <algorithm>
#include <cmath>

#include "host/gfx/Graphics.h"
#include "host/gfx/Raster.h"

namespace host {

using raster::PixelMask;
using raster::PixelOf;
using raster::SafeCoord;
using raster::Target;

namespace {

// The part of the plane counter-clockwise from ray u1 to ray u2 (both rays
// included). Vectors are in doubled pixel units with y pointing up, so box
// centres on half pixels stay exact integers.
struct Sector {
  int64_t ux1, uy1, ux2, uy2;
  bool whole;

  Sector(int64_t x1, int64_t y1, int64_t x2, int64_t y2) : ux1(x1), uy1(y1), ux2(x2), uy2(y2) {
    const bool degenerate = (x1 == 0 && y1 == 0) || (x2 == 0 && y2 == 0);
    whole = degenerate || (Cross(x1, y1, x2, y2) == 0 && x1 * x2 + y1 * y2 > 0);
  }
  static int64_t Cross(int64_t ax, int64_t ay, int64_t bx, int64_t by) { return ax * by - ay * bx; }
  // The columns of one row inside the sector: those after the start ray and
  // before the end ray, as column ranges s0..s1 and e0..e1.
  struct RowCut {
    int64_t s0, s1, e0, e1;
    int64_t sweep;
    bool whole;
    bool Empty(int x0, int x1) const {
      int runs[4];
      const int n = Runs(x0, x1, runs);
      return runs[0] > runs[1] && (n == 1 || runs[2] > runs[3]);
    }
    // The columns x0..x1 inside, as up to two runs (they may overlap).
    int Runs(int x0, int x1, int runs[4]) const {
      auto put = [&](int k, int64_t lo, int64_t hi) {
        runs[2 * k] = int(std::max<int64_t>(x0, lo));
        runs[2 * k + 1] = int(std::min<int64_t>(x1, hi));
      };
      if (whole) {
        put(0, x0, x1);
        return 1;
      }
      if (sweep > 0) {  // less than half a turn: both
        put(0, std::max(s0, e0), std::min(s1, e1));
        return 1;
      }
      put(0, s0, s1);
      if (sweep == 0) return 1;  // exactly half a turn
      put(1, e0, e1);            // more than half a turn: either
      return 2;
    }
  };
  // The row whose points are v = (2x - cx2, vy).
  RowCut Row(int64_t vy, int64_t cx2) const {
    RowCut r{0, 0, 0, 0, Cross(ux1, uy1, ux2, uy2), whole};
    if (!whole) {
      Side(ux1 * vy + uy1 * cx2, -2 * uy1, r.s0, r.s1);    // Cross(u1, v) >= 0
      Side(-(ux2 * vy + uy2 * cx2), 2 * uy2, r.e0, r.e1);  // Cross(v, u2) >= 0
    }
    return r;
  }

 private:
  static constexpr int64_t kFar = int64_t(1) << 31;  // beyond every column
  // The least x with a + b*x >= 0 for b > 0: a floating estimate made exact by
  // a step or two, cheaper than an integer division.
  static int64_t FirstInside(int64_t a, int64_t b) {
    int64_t x = int64_t(std::clamp(-double(a) / double(b), -double(kFar), double(kFar)));
    while (x > -kFar && a + b * (x - 1) >= 0) --x;
    while (x < kFar && a + b * x < 0) ++x;
    return x;
  }
  // The columns lo..hi where a + b*x >= 0.
  static void Side(int64_t a, int64_t b, int64_t& lo, int64_t& hi) {
    lo = -kFar, hi = kFar;
    if (b > 0)
      lo = FirstInside(a, b);
    else if (b < 0)
      hi = -FirstInside(a, -b);
    else if (a < 0)
      lo = kFar, hi = -kFar;
  }
};

// Where the ray from the box centre along u (doubled units, y up) meets the
// one-pixel outline of the ellipse; false for a flat box.
bool RayEnd(const TRect& box, int64_t ux, int64_t uy, TPoint& end) {
  const double a = (double(box.Right) - box.Left - 1) / 2;
  const double b = (double(box.Bottom) - box.Top - 1) / 2;
  if (a <= 0 || b <= 0) return false;
  const double k = 1 / std::hypot(ux / a, uy / b);
  const double cx = (double(box.Left) + box.Right - 1) / 2;
  const double cy = (double(box.Top) + box.Bottom - 1) / 2;
  end = Point(int(std::lround(cx + ux * k)), int(std::lround(cy - uy * k)));
  return true;
}

void DrawSector(TCanvas& c, const TRect& box, int x1, int y1, int x2, int y2, bool pie) {
  const bool pen = c.Pen()->Style() != psClear;
  const bool brush = pie && c.Brush()->Style() != bsClear;
  if (box.IsEmpty() || (!pen && !brush)) return;
  const Target t(c);
  const int64_t cx2 = int64_t(box.Left) + box.Right - 1, cy2 = int64_t(box.Top) + box.Bottom - 1;
  const Sector sector(2 * int64_t(SafeCoord(x1)) - cx2, cy2 - 2 * int64_t(SafeCoord(y1)),
                      2 * int64_t(SafeCoord(x2)) - cx2, cy2 - 2 * int64_t(SafeCoord(y2)));
  auto markRun = [&](PixelMask& m, int y, const Sector::RowCut& cut, int x0, int x1r,
                     uint8_t flag) {
    int runs[4];
    const int n = cut.Runs(x0, x1r, runs);
    for (int k = 0; k < n; ++k) m.MarkSpan(y, runs[2 * k], runs[2 * k + 1], flag);
  };

  const raster::ShapeRing ring(box, true, c.Pen()->Width(), t.clip);
  // With a clear pen the filled pie is one pixel smaller to the right and bottom.
  const raster::BoxShape bare{Rect(box.Left, box.Top, box.Right - 1, box.Bottom - 1), true};
  // One pixel of slack: a thick radius may reach past the band at its outer end.
  const TRect ringArea = ring.Bounds();
  const TPixel penColour = PixelOf(c.Pen()->Color());
  const TPixel brushColour = PixelOf(c.Brush()->Color());
  PixelMask mask(IntersectRect(pen ? Rect(ringArea.Left - 1, ringArea.Top - 1, ringArea.Right + 1,
                                          ringArea.Bottom + 1)
                                   : bare.box,
                               t.clip),
                 t, c.Pen()->Mode(), pen ? &penColour : nullptr, brush ? &brushColour : nullptr);
  const TRect area = mask.Area();
  for (int y = area.Top; y < area.Bottom; ++y) {
    const Sector::RowCut cut = sector.Row(cy2 - 2 * int64_t(y), cx2);
    if (cut.Empty(area.Left, area.Right - 1)) continue;  // the shape's rows cost a root each
    if (!pen) {
      int x0, x1r;
      if (bare.Span(y, x0, x1r)) markRun(mask, y, cut, x0, x1r, PixelMask::kFill);
      continue;
    }
    int out[4], fill[2];
    ring.Row(y, out, fill);
    markRun(mask, y, cut, out[0], out[1], PixelMask::kOutline);
    markRun(mask, y, cut, out[2], out[3], PixelMask::kOutline);
    if (brush) markRun(mask, y, cut, fill[0], fill[1], PixelMask::kFill);
  }
  if (pie && pen) {
    // The two radii; a whole-ellipse pie keeps the one where it starts and ends.
    const TPoint centre = Point(int(cx2 >> 1), int(cy2 >> 1));
    TPoint end;
    if (RayEnd(box, sector.ux1, sector.uy1, end))
      mask.MarkLine(centre.x, centre.y, end.x, end.y, *c.Pen(), true, PixelMask::kOutline);
    if (!sector.whole && RayEnd(box, sector.ux2, sector.uy2, end))
      mask.MarkLine(centre.x, centre.y, end.x, end.y, *c.Pen(), true, PixelMask::kOutline);
  }
  mask.Paint();
}

// A polygon side that is not horizontal, its corners clamped.
struct Edge {
  double ax, ay, bx, by;
  double yLo, yHi;  // it crosses the rows with yLo <= y + 0.5 < yHi
};

std::vector<Edge> EdgesOf(const std::vector<TPoint>& pts) {
  std::vector<Edge> edges;
  edges.reserve(pts.size());
  for (size_t i = 0; i < pts.size(); ++i) {
    const TPoint& p = pts[i];
    const TPoint& q = pts[(i + 1) % pts.size()];
    const double ax = SafeCoord(p.x), ay = SafeCoord(p.y);
    const double bx = SafeCoord(q.x), by = SafeCoord(q.y);
    if (ay != by) edges.push_back({ax, ay, bx, by, std::min(ay, by), std::max(ay, by)});
  }
  return edges;
}

// Marks the pixels whose centres lie inside the polygon by the alternate
// (even-odd) rule. Right and bottom edges stay out, so adjacent polygons share
// no pixel.
void MarkAlternateFill(PixelMask& mask, const std::vector<TPoint>& pts) {
  const TRect area = mask.Area();
  const std::vector<Edge> edges = EdgesOf(pts);
  std::vector<double> xs;
  for (int y = area.Top; y < area.Bottom; ++y) {
    const double sy = y + 0.5;
    xs.clear();
    for (const Edge& e : edges)
      if (e.yLo <= sy && sy < e.yHi)
        xs.push_back(e.ax + (sy - e.ay) * (e.bx - e.ax) / (e.by - e.ay));
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      const double first = std::ceil(xs[k] - 0.5), next = std::ceil(xs[k + 1] - 0.5);
      const double lo = std::max(first, double(area.Left));
      const double hi = std::min(next - 1, double(area.Right - 1));
      if (lo <= hi) mask.MarkSpan(y, int(lo), int(hi), PixelMask::kFill);
    }
  }
}

}  // namespace

void TCanvas::Ellipse(int l, int t, int r, int b) {
  raster::DrawBoxShape(*this, raster::NormalizedBox(l, t, r, b), true);
}

void TCanvas::Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
  DrawSector(*this, raster::NormalizedBox(l, t, r, b), x1, y1, x2, y2, false);
}

void TCanvas::Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
  DrawSector(*this, raster::NormalizedBox(l, t, r, b), x1, y1, x2, y2, true);
}

void TCanvas::Polygon(const std::vector<TPoint>& pts) {
  const bool pen = FPen.Style() != psClear;
  const bool brush = FBrush.Style() != bsClear;
  if (pts.size() < 2 || (!pen && !brush)) return;
  const Target t(*this);
  const TPixel penColour = PixelOf(FPen.Color());
  const TPixel brushColour = PixelOf(FBrush.Color());
  PixelMask mask(raster::MaskArea(t, pts, pen ? FPen.Width() : 0), t, FPen.Mode(),
                 pen ? &penColour : nullptr, brush ? &brushColour : nullptr);
  if (mask.Area().IsEmpty()) return;
  if (brush) MarkAlternateFill(mask, pts);
  if (pen) raster::MarkPolyline(mask, pts, FPen, true);
  mask.Paint();
}

void TCanvas::FloodFill(int x, int y, TColor c, TFillStyle style) {
  const Target t(*this);
  if (FBrush.Style() == bsClear || !t.clip.Contains(x, y)) return;
  const TPixel key = PixelOf(c);
  const TPixel fill = PixelOf(FBrush.Color());
  const TRect& clip = t.clip;
  // Pixels already filled: the fill colour may itself belong to the region.
  std::vector<uint8_t> done(size_t(clip.Width()) * size_t(clip.Height()), 0);
  auto seen = [&](int px, int py) -> uint8_t& {
    return done[size_t(py - clip.Top) * size_t(clip.Width()) + size_t(px - clip.Left)];
  };
  auto open = [&](int px, int py) {
    if (seen(px, py)) return false;
    const bool isKey = (t.At(px, py) & raster::kRgbMask) == key;
    return style == fsSurface ? isKey : !isKey;
  };
  // Iterative scanline fill, 4-connected: each popped seed grows into its whole
  // run, and one seed is pushed for every open run above and below it.
  std::vector<TPoint> seeds{Point(x, y)};
  while (!seeds.empty()) {
    const TPoint s = seeds.back();
    seeds.pop_back();
    if (!open(s.x, s.y)) continue;
    int l = s.x, r = s.x;
    while (l > clip.Left && open(l - 1, s.y)) --l;
    while (r < clip.Right - 1 && open(r + 1, s.y)) ++r;
    for (int px = l; px <= r; ++px) {
      seen(px, s.y) = 1;
      t.At(px, s.y) = fill;
    }
    for (int ny : {s.y - 1, s.y + 1}) {
      if (ny < clip.Top || ny >= clip.Bottom) continue;
      for (int px = l; px <= r; ++px)
        if (open(px, ny) && (px == l || !open(px - 1, ny))) seeds.push_back(Point(px, ny));
    }
  }
}

}  // namespace host
