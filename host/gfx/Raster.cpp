#include "host/gfx/Raster.h"

#include <algorithm>
#include <cmath>

namespace host::raster {

namespace {
// How far the ellipse reaches beyond the pixel centres of its box edges. Chosen
// so that tiny boxes come out as the platform draws them (2x2 a square, 3x3 a
// plus, 4x4 a square without corners) and large ones have the flat tops and
// sides of a midpoint-drawn ellipse.
constexpr double kEllipseGrow = 0.4;
constexpr double kEps = 1e-9;

int FloorToInt(double v) { return int(std::max(-2e9, std::min(2e9, std::floor(v)))); }
int CeilToInt(double v) { return int(std::max(-2e9, std::min(2e9, std::ceil(v)))); }

// Narrows [lo, hi] to the x where m <= c0 + c1*x <= M.
void Constrain(double c0, double c1, double m, double M, double& lo, double& hi) {
  if (c1 == 0) {
    if (c0 < m - kEps || c0 > M + kEps) hi = lo - 1;
    return;
  }
  double a = (m - c0) / c1, b = (M - c0) / c1;
  if (a > b) std::swap(a, b);
  lo = std::max(lo, a);
  hi = std::min(hi, b);
}

// Widens [lo, hi] by the part of row y inside the circle (cx, cy, r).
void AddCircle(double cx, double cy, double r, double y, double& lo, double& hi) {
  const double dy = y - cy;
  const double t = r * r - dy * dy;
  if (t < 0) return;
  const double s = std::sqrt(t);
  lo = std::min(lo, cx - s);
  hi = std::max(hi, cx + s);
}
}  // namespace

TPixel Mix(TPenMode m, TPixel d, TPixel p) {
  return WithPenMode(m, [&](auto op) { return TPixel(op(d, p) & kRgbMask); });
}

void FillPixels(TPixel* d, size_t n, TPixel colour) {
  const Pixels4 v = Pixels4{} + colour;
  size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    Store4(d + i, v);
    Store4(d + i + 4, v);
    Store4(d + i + 8, v);
    Store4(d + i + 12, v);
  }
  for (; i + 4 <= n; i += 4) Store4(d + i, v);
  for (; i < n; ++i) d[i] = colour;
}

void CopyPixelRun(TPixel* d, const TPixel* s, size_t n) {
  TransformSpan(d, s, n, [](auto, auto sv) { return sv & kRgbMask; });
}

void MixSpan(const Target& t, int y, int x0, int x1, TPixel colour, TPenMode m) {
  if (y < t.clip.Top || y >= t.clip.Bottom) return;
  x0 = std::max(x0, t.clip.Left);
  x1 = std::min(x1, t.clip.Right - 1);
  if (x0 > x1) return;
  TPixel* p = &t.At(x0, y);
  const size_t n = size_t(x1 - x0 + 1);
  if (m == pmCopy) {
    FillPixels(p, n, colour & kRgbMask);
    return;
  }
  WithPenMode(m, [&](auto op) {
    TransformSpan(p, p, n, [&](auto d, auto) { return op(d, colour) & kRgbMask; });
  });
}

void FillArea(const Target& t, const TRect& r, TPixel colour) {
  const TRect area = IntersectRect(r, t.clip);
  if (area.IsEmpty()) return;
  colour &= kRgbMask;
  const size_t w = size_t(area.Width());
  TPixel* first = &t.At(area.Left, area.Top);
  if (w == size_t(t.stride)) {
    FillPixels(first, w * size_t(area.Height()), colour);
    return;
  }
  for (int y = 0; y < area.Height(); ++y)
    FillPixels(first + size_t(y) * size_t(t.stride), w, colour);
}

bool DashOn(TPenStyle style, int64_t i) {
  // Dash lengths of the platform's one-pixel cosmetic pens: on, off, on, off...
  static constexpr int kDash[] = {18, 6};
  static constexpr int kDot[] = {3, 3};
  static constexpr int kDashDot[] = {9, 6, 3, 6};
  static constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  const int* pattern;
  int count;
  switch (style) {
    case psDash:
      pattern = kDash, count = 2;
      break;
    case psDot:
      pattern = kDot, count = 2;
      break;
    case psDashDot:
      pattern = kDashDot, count = 4;
      break;
    case psDashDotDot:
      pattern = kDashDotDot, count = 6;
      break;
    case psClear:
      return false;
    default:
      return true;
  }
  int period = 0;
  for (int k = 0; k < count; ++k) period += pattern[k];
  int pos = int(i % period);
  for (int k = 0; k < count; ++k) {
    if (pos < pattern[k]) return k % 2 == 0;
    pos -= pattern[k];
  }
  return true;
}

bool BoxShape::Span(int y, int& x0, int& x1) const {
  if (box.IsEmpty() || y < box.Top || y >= box.Bottom) return false;
  if (!ellipse) {
    x0 = box.Left;
    x1 = box.Right - 1;
    return true;
  }
  const double w = double(box.Right) - box.Left, h = double(box.Bottom) - box.Top;
  const double cx = (double(box.Left) + box.Right - 1) / 2;
  const double cy = (double(box.Top) + box.Bottom - 1) / 2;
  // A narrow or flat ellipse still touches all four sides of its box: the
  // centre row(s) span the whole width, every row keeps the centre column(s).
  if (std::abs(y - cy) <= 0.5) {
    x0 = box.Left;
    x1 = box.Right - 1;
    return true;
  }
  const double a = (w - 1) / 2 + kEllipseGrow, b = (h - 1) / 2 + kEllipseGrow;
  const double t = (y - cy) / b;
  const double hw = a * std::sqrt(std::max(0.0, 1 - t * t));
  const int64_t twiceCx = int64_t(box.Left) + box.Right - 1;
  x0 = std::min(std::max(box.Left, CeilToInt(cx - hw - kEps)), int(twiceCx >> 1));
  x1 = std::max(std::min(box.Right - 1, FloorToInt(cx + hw + kEps)), int((twiceCx + 1) >> 1));
  return true;
}

namespace {
// The interior of a shape from its spans: inside, and so are all four neighbours.
template <class Shape>
bool InteriorOf(const Shape& shape, int y, int& x0, int& x1) {
  int a0, a1, b0, b1;
  if (!shape.Span(y, x0, x1) || !shape.Span(y - 1, a0, a1) || !shape.Span(y + 1, b0, b1))
    return false;
  x0 = std::max({x0 + 1, a0, b0});
  x1 = std::min({x1 - 1, a1, b1});
  return x0 <= x1;
}
}  // namespace

bool BoxShape::InteriorSpan(int y, int& x0, int& x1) const { return InteriorOf(*this, y, x0, x1); }

SpanTable::SpanTable(const BoxShape& shape, int top, int bottom) : FShape(shape), FTop(top) {
  const size_t n = bottom > top ? size_t(bottom - top) : 0;
  FX0.assign(n, kUnknown);
  FX1.assign(n, 0);
}

bool SpanTable::Span(int y, int& x0, int& x1) const {
  if (y < FTop || y >= FTop + int(FX0.size())) return false;
  const size_t i = size_t(y - FTop);
  if (FX0[i] == kUnknown) {
    // Row y and row Top + Bottom - 1 - y of an ellipse are the same span.
    const int m = FShape.box.Top + FShape.box.Bottom - 1 - y;
    const size_t j = size_t(m - FTop);
    if (FShape.ellipse && m >= FTop && j < FX0.size() && FX0[j] != kUnknown) {
      FX0[i] = FX0[j], FX1[i] = FX1[j];
    } else if (!FShape.Span(y, FX0[i], FX1[i])) {
      FX0[i] = 1, FX1[i] = 0;
    }
  }
  x0 = FX0[i];
  x1 = FX1[i];
  return x0 <= x1;
}

bool SpanTable::InteriorSpan(int y, int& x0, int& x1) const { return InteriorOf(*this, y, x0, x1); }

namespace {
BoxShape RingBox(const TRect& box, bool ellipse, int grow) {
  return BoxShape{Rect(box.Left - grow, box.Top - grow, box.Right + grow, box.Bottom + grow),
                  ellipse};
}
// Rows of the shape that `clip` needs, widened by `margin`.
SpanTable TableFor(const BoxShape& shape, const TRect& clip, int margin) {
  return SpanTable(shape, std::max(shape.box.Top, clip.Top - margin),
                   std::min(shape.box.Bottom, clip.Bottom + margin));
}
}  // namespace

ShapeRing::ShapeRing(const TRect& box, bool ellipse, int penWidth, const TRect& clip)
    : outer(RingBox(box, ellipse, penWidth / 2)),
      inner(RingBox(box, ellipse, -((penWidth - 1) / 2))),
      FOuter(TableFor(outer, clip, 0)),
      FInner(TableFor(inner, clip, 1)) {}

void ShapeRing::Row(int y, int out[4], int fill[2]) const {
  out[0] = out[2] = fill[0] = 1;
  out[1] = out[3] = fill[1] = 0;
  int o0, o1;
  if (!FOuter.Span(y, o0, o1)) return;
  int i0, i1;
  if (!FInner.InteriorSpan(y, i0, i1)) {
    out[0] = o0, out[1] = o1;
    return;
  }
  out[0] = o0, out[1] = i0 - 1;
  out[2] = i1 + 1, out[3] = o1;
  fill[0] = i0, fill[1] = i1;
}

PixelMask::PixelMask(const TRect& area, const Target& t, TPenMode mode, const TPixel* pen,
                     const TPixel* brush)
    : FArea(area.IsEmpty() ? TRect{} : area),
      FTarget(t),
      FMode(mode),
      FPen(pen),
      FBrush(brush),
      FDirect(ModeIgnoresDest(mode)) {
  if (!FDirect) FBits.assign(size_t(FArea.Width()) * size_t(FArea.Height()), 0);
}

const TPixel* PixelMask::ColourOf(uint8_t flags) const {
  return (flags & kOutline) ? FPen : (flags & kFill) ? FBrush : nullptr;
}

void PixelMask::Mark(int x, int y, uint8_t flag) {
  if (!FArea.Contains(x, y)) return;
  if (!FDirect) {
    FBits[size_t(y - FArea.Top) * size_t(FArea.Width()) + size_t(x - FArea.Left)] |= flag;
  } else if (const TPixel* colour = ColourOf(flag)) {
    TPixel& d = FTarget.At(x, y);
    d = Mix(FMode, d, *colour);
  }
}

void PixelMask::MarkSpan(int y, int x0, int x1, uint8_t flag) {
  if (y < FArea.Top || y >= FArea.Bottom) return;
  x0 = std::max(x0, FArea.Left);
  x1 = std::min(x1, FArea.Right - 1);
  if (x0 > x1) return;
  if (FDirect) {
    if (const TPixel* colour = ColourOf(flag)) MixSpan(FTarget, y, x0, x1, *colour, FMode);
    return;
  }
  uint8_t* row = &FBits[size_t(y - FArea.Top) * size_t(FArea.Width())];
  for (int x = x0; x <= x1; ++x) row[x - FArea.Left] |= flag;
}

void PixelMask::MarkThickLine(int x0, int y0, int x1, int y1, int w, uint8_t flag) {
  // An even width cannot be centred on a pixel row; it leans up and left by half
  // a pixel, as the band of a thick rectangle outline does.
  const double shift = w % 2 == 0 ? -0.5 : 0.0;
  const double r = (w - 1) / 2.0 + 0.25;
  const double ax = x0 + shift, ay = y0 + shift, bx = x1 + shift, by = y1 + shift;
  const double dx = bx - ax, dy = by - ay;
  const double len = std::hypot(dx, dy);
  const int top = std::max(FArea.Top, FloorToInt(std::min(ay, by) - r));
  const int bottom = std::min(FArea.Bottom - 1, CeilToInt(std::max(ay, by) + r));
  for (int y = top; y <= bottom; ++y) {
    double lo = 1e300, hi = -1e300;
    AddCircle(ax, ay, r, y, lo, hi);
    AddCircle(bx, by, r, y, lo, hi);
    if (len > 0) {
      // The band swept by the segment: 0 <= (P-A).d <= |d|^2, |d x (P-A)| <= r|d|.
      double blo = -1e300, bhi = 1e300;
      Constrain(-ax * dx + (y - ay) * dy, dx, 0, len * len, blo, bhi);
      Constrain(dx * (y - ay) + dy * ax, -dy, -r * len, r * len, blo, bhi);
      if (blo <= bhi) {
        lo = std::min(lo, blo);
        hi = std::max(hi, bhi);
      }
    }
    if (lo <= hi) MarkSpan(y, CeilToInt(lo - kEps), FloorToInt(hi + kEps), flag);
  }
}

void PixelMask::MarkLine(int x0, int y0, int x1, int y1, const TPen& pen, bool includeEnd,
                         uint8_t flag) {
  if (pen.Width() > 1) {
    MarkThickLine(x0, y0, x1, y1, pen.Width(), flag);
    return;
  }
  const TPenStyle style = pen.Style();
  LinePixels(x0, y0, x1, y1, includeEnd, FArea, [&](int x, int y, int64_t i) {
    if (StyleOn(style, i)) Mark(x, y, flag);
  });
}

void PixelMask::Paint() const {
  if (FDirect) return;
  const int w = FArea.Width();
  for (int y = FArea.Top; y < FArea.Bottom; ++y) {
    const uint8_t* row = &FBits[size_t(y - FArea.Top) * size_t(w)];
    int x = 0;
    while (x < w) {
      // Runs of pixels that take the same colour become one span.
      const TPixel* colour = ColourOf(row[x]);
      int end = x + 1;
      while (end < w && ColourOf(row[end]) == colour) ++end;
      if (colour != nullptr)
        MixSpan(FTarget, y, FArea.Left + x, FArea.Left + end - 1, *colour, FMode);
      x = end;
    }
  }
}

}  // namespace host::raster

namespace host::raster {

int SafeCoord(int v) { return std::clamp(v, -kCoordLimit, kCoordLimit); }

TRect NormalizedBox(int l, int t, int r, int b) {
  return Rect(SafeCoord(std::min(l, r)), SafeCoord(std::min(t, b)), SafeCoord(std::max(l, r)),
              SafeCoord(std::max(t, b)));
}

TRect MaskArea(const Target& t, const std::vector<TPoint>& pts, int grow) {
  if (pts.empty()) return TRect{};
  int l = kCoordLimit, tp = kCoordLimit, r = -kCoordLimit, b = -kCoordLimit;
  for (const TPoint& p : pts) {
    l = std::min(l, SafeCoord(p.x));
    r = std::max(r, SafeCoord(p.x));
    tp = std::min(tp, SafeCoord(p.y));
    b = std::max(b, SafeCoord(p.y));
  }
  return IntersectRect(Rect(l - grow, tp - grow, r + grow + 1, b + grow + 1), t.clip);
}

void DrawBoxShape(TCanvas& c, const TRect& box, bool ellipse) {
  const bool pen = c.Pen()->Style() != psClear;
  const bool brush = c.Brush()->Style() != bsClear;
  if (box.IsEmpty() || (!pen && !brush)) return;
  const Target t(c);
  const TPenMode mode = c.Pen()->Mode();
  const TPixel penColour = PixelOf(c.Pen()->Color());
  const TPixel brushColour = PixelOf(c.Brush()->Color());
  if (!pen) {
    const BoxShape shape{Rect(box.Left, box.Top, box.Right - 1, box.Bottom - 1), ellipse};
    const TRect rows = IntersectRect(shape.box, t.clip);
    int x0, x1;
    for (int y = rows.Top; y < rows.Bottom; ++y)
      if (shape.Span(y, x0, x1)) MixSpan(t, y, x0, x1, brushColour, mode);
    return;
  }
  PaintRing(t, ShapeRing(box, ellipse, c.Pen()->Width(), t.clip), penColour,
            brush ? &brushColour : nullptr, mode);
}

void PaintRing(const Target& t, const ShapeRing& ring, TPixel pen, const TPixel* brush,
               TPenMode mode) {
  const TRect rows = IntersectRect(ring.Bounds(), t.clip);
  for (int y = rows.Top; y < rows.Bottom; ++y) {
    int out[4], fill[2];
    ring.Row(y, out, fill);
    MixSpan(t, y, out[0], out[1], pen, mode);
    MixSpan(t, y, out[2], out[3], pen, mode);
    if (brush != nullptr) MixSpan(t, y, fill[0], fill[1], *brush, mode);
  }
}

void MarkPolyline(PixelMask& mask, const std::vector<TPoint>& pts, const TPen& pen, bool closed) {
  if (pts.empty()) return;
  const size_t segments = closed ? pts.size() : pts.size() - 1;
  for (size_t i = 0; i < segments; ++i) {
    const TPoint& a = pts[i];
    const TPoint& b = pts[(i + 1) % pts.size()];
    mask.MarkLine(a.x, a.y, b.x, b.y, pen, false, PixelMask::kOutline);
  }
}

void StrokePolyline(TCanvas& c, const std::vector<TPoint>& pts, bool closed) {
  const TPen& pen = *c.Pen();
  if (pen.Style() == psClear || pts.empty()) return;
  const Target t(c);
  const TPixel colour = PixelOf(pen.Color());
  PixelMask mask(MaskArea(t, pts, pen.Width()), t, pen.Mode(), &colour, nullptr);
  if (mask.Area().IsEmpty()) return;
  MarkPolyline(mask, pts, pen, closed);
  mask.Paint();
}

}  // namespace host::raster
