// Internal rasterising helpers shared by the canvas and blit code: pixel access
// through a canvas's origin and clip, raster mixing, line and shape spans, and a
// pixel mask that lets a shape touch every pixel exactly once (so xor and not
// modes never cancel themselves where outline, fill or segments overlap).
// Not part of the public drawing API.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/gfx/Graphics.h"

namespace host::raster {

constexpr TPixel kRgbMask = 0x00FFFFFF;

// The pixels a canvas may touch, addressed in its logical coordinates.
struct Target {
  TPixel* bits;
  int stride;
  int ox, oy;
  TRect clip;  // logical coordinates; empty when the canvas has no surface

  explicit Target(const TCanvas& c)
      : bits(c.Surface().Bits),
        stride(c.Surface().Stride),
        ox(c.Origin().x),
        oy(c.Origin().y),
        clip(c.ClipRect()) {}
  // Only valid for a point inside clip.
  TPixel& At(int x, int y) const { return bits[size_t(y + oy) * size_t(stride) + size_t(x + ox)]; }
};

// The canvas colour of a TColor (system colours resolved).
inline TPixel PixelOf(TColor c) { return ColorToPixel(ColorToRGB(c)); }

// Four pixels at once. The raster operations are bitwise, so one generic lambda
// serves a single TPixel and a Pixels4 alike; spans then run four at a time.
typedef TPixel Pixels4 __attribute__((vector_size(16)));

inline Pixels4 Load4(const TPixel* p) {
  Pixels4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store4(TPixel* p, Pixels4 v) { std::memcpy(p, &v, sizeof v); }

// v where s is not the key colour, d where it is (a transparent copy's test).
inline TPixel KeepKey(TPixel s, TPixel key, TPixel d, TPixel v) { return s == key ? d : v; }
inline Pixels4 KeepKey(Pixels4 s, TPixel key, Pixels4 d, Pixels4 v) {
  const Pixels4 hit = Pixels4(s == key);
  return (d & hit) | (v & ~hit);
}

// d[i] = f(d[i], s[i]) for n pixels, four at a time; s may be d.
template <class F>
void TransformSpan(TPixel* d, const TPixel* s, size_t n, F f) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const Pixels4 a = f(Load4(d + i), Load4(s + i));
    const Pixels4 b = f(Load4(d + i + 4), Load4(s + i + 4));
    Store4(d + i, a);
    Store4(d + i + 4, b);
  }
  for (; i + 4 <= n; i += 4) Store4(d + i, f(Load4(d + i), Load4(s + i)));
  for (; i < n; ++i) d[i] = f(d[i], s[i]);
}

// n pixels of one colour with wide stores.
void FillPixels(TPixel* d, size_t n, TPixel colour);
// n pixels of s without their unused top byte.
void CopyPixelRun(TPixel* d, const TPixel* s, size_t n);

// Calls visit with the operation of pen mode m, a generic op(d, p).
template <class Visit>
decltype(auto) WithPenMode(TPenMode m, Visit&& visit) {
  switch (m) {
    case pmBlack:
      return visit([](auto d, auto) { return d ^ d; });
    case pmWhite:
      return visit([](auto d, auto) { return d | ~d; });
    case pmNop:
      return visit([](auto d, auto) { return d; });
    case pmNot:
      return visit([](auto d, auto) { return ~d; });
    case pmNotCopy:
      return visit([](auto d, auto p) { return (d ^ d) | ~p; });
    case pmMergePenNot:
      return visit([](auto d, auto p) { return p | ~d; });
    case pmMaskPenNot:
      return visit([](auto d, auto p) { return p & ~d; });
    case pmMergeNotPen:
      return visit([](auto d, auto p) { return ~p | d; });
    case pmMaskNotPen:
      return visit([](auto d, auto p) { return ~p & d; });
    case pmMerge:
      return visit([](auto d, auto p) { return p | d; });
    case pmNotMerge:
      return visit([](auto d, auto p) { return ~(p | d); });
    case pmMask:
      return visit([](auto d, auto p) { return p & d; });
    case pmNotMask:
      return visit([](auto d, auto p) { return ~(p & d); });
    case pmXor:
      return visit([](auto d, auto p) { return p ^ d; });
    case pmNotXor:
      return visit([](auto d, auto p) { return ~(p ^ d); });
    default:  // pmCopy, and anything unknown draws as a copy
      return visit([](auto d, auto p) { return (d ^ d) | p; });
  }
}

// Whether the result of pen mode m ignores the destination, so painting a pixel
// twice leaves what painting it once does.
inline bool ModeIgnoresDest(TPenMode m) {
  return m == pmBlack || m == pmWhite || m == pmCopy || m == pmNotCopy || m == pmNop;
}

// Binary raster operation of a pen mode: d is the destination, p the pen colour.
TPixel Mix(TPenMode m, TPixel d, TPixel p);

// The rounded blend (s*a + d*(255-a)) / 255 of one colour channel, without
// the division: exact for every channel and coverage value.
inline uint32_t BlendChannel(uint32_t s, uint32_t d, uint32_t a) {
  const uint32_t n = s * a + d * (255u - a) + 127u;
  return (n * 0x8081u) >> 23;
}
// The pixel d covered to `alpha` by colour s.
inline TPixel BlendOver(TPixel d, TPixel s, uint32_t alpha) {
  return BlendChannel(s & 0xFF, d & 0xFF, alpha) |
         BlendChannel((s >> 8) & 0xFF, (d >> 8) & 0xFF, alpha) << 8 |
         BlendChannel((s >> 16) & 0xFF, (d >> 16) & 0xFF, alpha) << 16;
}

// Paints columns x0..x1 (inclusive) of row y through mode m, clipped.
void MixSpan(const Target& t, int y, int x0, int x1, TPixel colour, TPenMode m);

// Fills the clipped area with colour: as one block when it covers whole rows of
// the surface, row by row otherwise.
void FillArea(const Target& t, const TRect& area, TPixel colour);

// Whether step i of a one-pixel line with a cosmetic pen style is drawn.
bool DashOn(TPenStyle style, int64_t i);
inline bool StyleOn(TPenStyle style, int64_t i) { return style == psSolid || DashOn(style, i); }

// Visits the pixels of a one-pixel line from (x0, y0) toward (x1, y1), calling
// plot(x, y, step). The end point is left out unless includeEnd. Only steps whose
// major coordinate lies within `bounds` are visited, so an absurdly long line
// costs no more than the clip is wide. Each pixel is computed in closed form
// (the minor coordinate is the rounded exact value), so the result does not
// depend on where the visit starts.
template <class Plot>
void LinePixels(int x0, int y0, int x1, int y1, bool includeEnd, const TRect& bounds, Plot plot) {
  const int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
  const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
  const bool xMajor = adx >= ady;
  const int64_t n = xMajor ? adx : ady;  // steps to the end point
  const int64_t last = includeEnd ? n : n - 1;
  if (last < 0) return;
  const int64_t major0 = xMajor ? x0 : y0;
  const int64_t dir = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int64_t lo = xMajor ? bounds.Left : bounds.Top;
  const int64_t hi = (xMajor ? bounds.Right : bounds.Bottom) - 1;
  // Steps i with lo <= major0 + dir*i <= hi.
  int64_t iFirst = dir > 0 ? lo - major0 : major0 - hi;
  int64_t iLast = dir > 0 ? hi - major0 : major0 - lo;
  if (iFirst < 0) iFirst = 0;
  if (iLast > last) iLast = last;
  const int64_t minorSpan = xMajor ? dy : dx;
  const int64_t minor0 = xMajor ? y0 : x0;
  const int64_t aMinor = std::llabs(minorSpan);
  // The minor offset of step i is the rounded i*minorSpan/n (halves away from
  // the start point): the quotient of 2*i*|minorSpan| + n by 2n. Far-away end
  // points need 128 bits for the first quotient; after it each step adds
  // 2*|minorSpan| <= 2n to the remainder, so one subtraction keeps it exact.
  __extension__ using Wide = __int128;
  const int64_t twoN = 2 * n, step = 2 * aMinor;
  int64_t off = 0, rem = 0;
  if (n > 0) {
    const Wide num = 2 * Wide(iFirst) * aMinor + n;
    off = int64_t(num / twoN);
    rem = int64_t(num % twoN);
  }
  const int64_t minorDir = minorSpan < 0 ? -1 : 1;
  for (int64_t i = iFirst; i <= iLast; ++i) {
    const int64_t minor = minor0 + minorDir * off;
    const int64_t major = major0 + dir * i;
    if (xMajor)
      plot(int(major), int(minor), i);
    else
      plot(int(minor), int(major), i);
    rem += step;
    if (rem >= twoN && n > 0) {
      rem -= twoN;
      ++off;
    }
  }
}

// Row spans of a rectangle or of the ellipse inscribed in it (box columns
// Left..Right-1, rows Top..Bottom-1).
struct BoxShape {
  TRect box;
  bool ellipse;
  // The columns of row y inside the shape; false when none.
  bool Span(int y, int& x0, int& x1) const;
  // The shape's pixels whose four neighbours are all inside the shape; what is
  // inside the shape but not in here is its one-pixel outline.
  bool InteriorSpan(int y, int& x0, int& x1) const;
};

// The spans of a box shape for rows top..bottom-1, each computed once when
// first asked for; the rows of an ellipse mirror about its centre, so a row
// and its mirror share one computation.
class SpanTable {
 public:
  SpanTable(const BoxShape& shape, int top, int bottom);
  bool Span(int y, int& x0, int& x1) const;
  bool InteriorSpan(int y, int& x0, int& x1) const;

 private:
  static constexpr int kUnknown = INT32_MIN;
  BoxShape FShape;
  int FTop = 0;
  mutable std::vector<int> FX0, FX1;  // x0 > x1: no span; x0 == kUnknown: not computed yet
};

// The outline band and the interior of a box shape drawn with a pen of width w:
// the pen is centred on the one-pixel outline, reaching w/2 pixels outward and
// (w-1)/2 inward; the brush fills what lies inside the band. Rows are
// prepared for `clip` (logical); Row answers for those.
struct ShapeRing {
  BoxShape outer, inner;
  ShapeRing(const TRect& box, bool ellipse, int penWidth, const TRect& clip);
  // Rows that may hold pixels of the band.
  TRect Bounds() const { return outer.box; }
  // Up to two outline runs and one fill run of row y; an empty run has x0 > x1.
  void Row(int y, int out[4], int fill[2]) const;

 private:
  SpanTable FOuter, FInner;
};

// A set of pixels marked as outline or fill, each painted once: outline pixels
// in pen colour, fill-only pixels in brush colour (when given), both through
// the pen mode. When the mode ignores the destination, painting twice equals
// painting once, so marks are painted as they come; otherwise they are kept in
// a mask and painted run by run at the end. Fill is marked before outline.
class PixelMask {
 public:
  static constexpr uint8_t kFill = 1;
  static constexpr uint8_t kOutline = 2;
  // `area` in logical coordinates, already clipped to t.
  PixelMask(const TRect& area, const Target& t, TPenMode mode, const TPixel* pen,
            const TPixel* brush);
  const TRect& Area() const { return FArea; }
  void Mark(int x, int y, uint8_t flag);
  void MarkSpan(int y, int x0, int x1, uint8_t flag);
  // A thick line: the pixels within about w/2 of the segment (round ends).
  void MarkThickLine(int x0, int y0, int x1, int y1, int w, uint8_t flag);
  // A line of the given pen: one pixel (styled) or thick.
  void MarkLine(int x0, int y0, int x1, int y1, const TPen& pen, bool includeEnd, uint8_t flag);
  // Paints what the mask holds (nothing is left when marks were painted at once).
  void Paint() const;

 private:
  const TPixel* ColourOf(uint8_t flags) const;
  TRect FArea;
  Target FTarget;
  TPenMode FMode;
  const TPixel* FPen;
  const TPixel* FBrush;
  bool FDirect;
  std::vector<uint8_t> FBits;
};

// Shape coordinates are clamped to +-kCoordLimit first, so that absurd input
// cannot overflow the arithmetic; no real surface comes near it.
constexpr int kCoordLimit = 1 << 28;
int SafeCoord(int v);
// The box l..r, t..b with its corners put in order and clamped.
TRect NormalizedBox(int l, int t, int r, int b);
// The clip part of the bounding box of pts, grown by `grow` pixels on each side.
TRect MaskArea(const Target& t, const std::vector<TPoint>& pts, int grow);

// Draws a rectangle or an ellipse in box with the canvas pen and brush: the pen
// centred on the outline, the brush inside; with a clear pen the filled shape is
// one pixel smaller to the right and bottom. Both go through the pen mode.
void DrawBoxShape(TCanvas& c, const TRect& box, bool ellipse);
// Paints the band of ring in pen and, when given, its interior in brush.
void PaintRing(const Target& t, const ShapeRing& ring, TPixel pen, const TPixel* brush,
               TPenMode mode);
// Marks the segments of the polyline pts drawn with pen (see StrokePolyline).
void MarkPolyline(PixelMask& mask, const std::vector<TPoint>& pts, const TPen& pen, bool closed);
// Strokes the polyline pts with the canvas pen, each pixel once; `closed` adds
// the segment from the last point back to the first. One-pixel segments leave
// out their end points.
void StrokePolyline(TCanvas& c, const std::vector<TPoint>& pts, bool closed);

}  // namespace host::raster
