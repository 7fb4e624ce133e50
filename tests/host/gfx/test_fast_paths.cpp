// The fast drawing paths against the plain formulas they must equal: wide
// spans and blocks, every pen and copy mode four pixels at a time, shapes
// painted at once or through the mask, sector rows, line steps, stretching and
// glyph blending.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>

#include "host/gfx/Graphics.h"
#include "host/gfx/Raster.h"
#include "tests/host/gfx/test_canvas_art.h"

namespace host {
namespace {

using testing::Art;

constexpr TPenMode kPenModes[] = {pmBlack,       pmWhite,      pmNop,         pmNot,
                                  pmCopy,        pmNotCopy,    pmMergePenNot, pmMaskPenNot,
                                  pmMergeNotPen, pmMaskNotPen, pmMerge,       pmNotMerge,
                                  pmMask,        pmNotMask,    pmXor,         pmNotXor};
constexpr TCopyMode kCopyModes[] = {cmBlackness,  cmDstInvert,   cmMergeCopy, cmMergePaint,
                                    cmNotSrcCopy, cmNotSrcErase, cmPatCopy,   cmPatInvert,
                                    cmPatPaint,   cmSrcAnd,      cmSrcCopy,   cmSrcErase,
                                    cmSrcInvert,  cmSrcPaint,    cmWhiteness};

// A bitmap of random colours (the unused top byte random too, as scan lines allow).
void Noise(TBitmap& bmp, int w, int h, unsigned seed) {
  bmp.SetSize(w, h);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp.ScanLine(y)[x] = TPixel(rng());
}

std::vector<TPixel> PixelsOf(const TBitmap& bmp) {
  std::vector<TPixel> all;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) all.push_back(bmp.ScanLine(y)[x] & raster::kRgbMask);
  return all;
}

TEST(FastSpans, EveryPenModeMatchesItsFormulaForOddWidthsAndStarts) {
  const TPixel pen = 0xA5C33C;
  for (const TPenMode mode : kPenModes) {
    for (int x0 = 0; x0 < 5; ++x0) {
      for (int n = 1; n <= 21; n += 4) {
        TBitmap bmp;
        Noise(bmp, 32, 1, unsigned(mode) * 100 + unsigned(x0 * 30 + n));
        const std::vector<TPixel> before(bmp.ScanLine(0), bmp.ScanLine(0) + 32);
        raster::MixSpan(raster::Target(*bmp.Canvas()), 0, x0, x0 + n - 1, pen, mode);
        for (int x = 0; x < 32; ++x) {
          const TPixel expected =
              x >= x0 && x < x0 + n ? raster::Mix(mode, before[size_t(x)], pen) : before[size_t(x)];
          ASSERT_EQ(bmp.ScanLine(0)[x], expected) << int(mode) << " x0 " << x0 << " n " << n;
        }
      }
    }
  }
}

TEST(FastSpans, BlockFillStaysInsideAPaddedSurfaceAndTheClip) {
  // A framebuffer whose rows are wider than its picture: a fill covering the
  // whole width must still leave the padding alone.
  std::vector<TPixel> memory(8 * 4, 0x123456);
  TCanvas c;
  c.BindSurface(TSurface{memory.data(), 5, 4, 8});
  c.Brush()->SetColor(clRed);
  c.FillRect(Rect(-10, -10, 100, 100));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(memory[size_t(y * 8 + x)], x < 5 ? ColorToPixel(clRed) : 0x123456u)
          << x << "," << y;
  // Whole rows of a clipped band, and a single pixel.
  TBitmap bmp(7, 6);
  bmp.Canvas()->IntersectClip(Rect(0, 2, 7, 4));
  bmp.Canvas()->Brush()->SetColor(clBlack);
  bmp.Canvas()->FillRect(Rect(0, 0, 7, 6));
  bmp.Canvas()->FillRect(Rect(3, 5, 4, 6));  // outside the clip
  TBitmap whole;                             // its canvas reads every row
  whole.Assign(&bmp);
  EXPECT_EQ(Art(whole), (std::vector<std::string>{".......", ".......", "XXXXXXX", "XXXXXXX",
                                                  ".......", "......."}));
}

// What a copy must leave over d for source pixel s; a mode that reads no
// source sees black.
TPixel ExpectedCopy(TCopyMode rop, TPixel d, TPixel s, TPixel pattern, const TPixel* key) {
  const bool reads = rop != cmBlackness && rop != cmWhiteness && rop != cmDstInvert &&
                     rop != cmPatCopy && rop != cmPatInvert;
  s = reads ? s & raster::kRgbMask : 0;
  if (key != nullptr && s == *key) return d;
  return ApplyRop(rop, d, s, pattern);
}

TEST(FastBlits, EveryCopyModeMatchesItsFormulaAtUnalignedClippedPlaces) {
  for (const TCopyMode rop : kCopyModes) {
    for (const bool transparent : {false, true}) {
      TBitmap src, dst;
      Noise(src, 13, 3, unsigned(rop));
      Noise(dst, 17, 4, unsigned(rop) + 1);
      src.ScanLine(2)[0] = src.ScanLine(0)[5];  // the key colour also appears inside
      src.SetTransparent(transparent);
      const TPixel key = src.ScanLine(2)[0] & raster::kRgbMask;
      const std::vector<TPixel> before = PixelsOf(dst);
      dst.Canvas()->Brush()->SetColor(RGB(0x3C, 0x5A, 0xC3));
      dst.Canvas()->SetCopyMode(rop);
      dst.Canvas()->Draw(7, 2, &src);  // runs past the right and bottom edges
      const TPixel pattern = ColorToPixel(RGB(0x3C, 0x5A, 0xC3));
      const std::vector<TPixel> after = PixelsOf(dst);
      for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 17; ++x) {
          const TPixel d = before[size_t(y * 17 + x)];
          const bool inside = x >= 7 && y >= 2;
          const TPixel expected = inside ? ExpectedCopy(rop, d, src.ScanLine(y - 2)[x - 7], pattern,
                                                        transparent ? &key : nullptr)
                                         : d;
          ASSERT_EQ(after[size_t(y * 17 + x)], expected) << rop << " " << x << "," << y;
        }
      }
    }
  }
}

TEST(FastBlits, OverlappingCopiesOntoItselfReadTheOriginalInEveryDirection) {
  const TPoint shifts[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {3, 2}, {-2, -3}};
  for (const TPoint& s : shifts) {
    TBitmap bmp, original;
    Noise(bmp, 11, 9, unsigned(s.x * 10 + s.y + 50));
    original.Assign(&bmp);
    bmp.Canvas()->CopyRect(Rect(2 + s.x, 2 + s.y, 9 + s.x, 7 + s.y), bmp.Canvas(),
                           Rect(2, 2, 9, 7));
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 11; ++x) {
        const bool moved = x >= 2 + s.x && x < 9 + s.x && y >= 2 + s.y && y < 7 + s.y;
        const TPixel expected =
            moved ? original.ScanLine(y - s.y)[x - s.x] : original.ScanLine(y)[x];
        ASSERT_EQ(bmp.ScanLine(y)[x] & raster::kRgbMask, expected & raster::kRgbMask)
            << s.x << "," << s.y << " at " << x << "," << y;
      }
    }
  }
}

// The covered-area mean of destination pixel (kx, ky) of a sw x sh -> dw x dh
// stretch, in whole units: source pixel j spans [j*dw, (j+1)*dw), output pixel
// k spans [k*sw, (k+1)*sw).
int64_t Overlap(int64_t k, int64_t j, int64_t sn, int64_t dn) {
  return std::max<int64_t>(0, std::min((k + 1) * sn, (j + 1) * dn) - std::max(k * sn, j * dn));
}

TEST(FastStretch, AveragingRoundsTheExactMeanAtEveryScale) {
  const int sizes[][4] = {{2, 2, 1, 1},  {8, 6, 4, 3},  {7, 5, 3, 2},      {9, 9, 2, 5},
                          {3, 2, 7, 5},  {12, 4, 3, 2}, {312, 43, 40, 11}, {15, 6, 5, 3},
                          {14, 3, 7, 1}, {18, 4, 9, 2}, {40, 8, 5, 2}};
  for (const auto& z : sizes) {
    for (const TCopyMode rop : {cmSrcCopy, cmSrcPaint}) {
      const int sw = z[0], sh = z[1], dw = z[2], dh = z[3];
      TBitmap src, dst;
      Noise(src, sw, sh, unsigned(sw * 7 + dh));
      Noise(dst, dw, dh, unsigned(dw * 5 + sh));
      const std::vector<TPixel> before = PixelsOf(dst);
      ASSERT_TRUE(
          StretchBlt(dst.Canvas(), 0, 0, dw, dh, src.Canvas(), 0, 0, sw, sh, rop, HALFTONE));
      for (int ky = 0; ky < dh; ++ky) {
        for (int kx = 0; kx < dw; ++kx) {
          int64_t sum[3] = {0, 0, 0};
          for (int j = 0; j < sh; ++j)
            for (int i = 0; i < sw; ++i) {
              const int64_t w = Overlap(kx, i, sw, dw) * Overlap(ky, j, sh, dh);
              const TPixel p = src.ScanLine(j)[i];
              for (int c = 0; c < 3; ++c) sum[c] += w * ((p >> (8 * c)) & 0xFF);
            }
          const int64_t total = int64_t(sw) * sh;  // the weights of one output pixel
          TPixel mean = 0;
          for (int c = 0; c < 3; ++c) mean |= TPixel((sum[c] + total / 2) / total) << (8 * c);
          ASSERT_EQ(dst.ScanLine(ky)[kx] & raster::kRgbMask,
                    ApplyRop(rop, before[size_t(ky * dw + kx)], mean, 0))
              << sw << "x" << sh << "->" << dw << "x" << dh << " at " << kx << "," << ky;
        }
      }
    }
  }
}

TEST(FastStretch, NearestTakesThePixelUnderEachCentreMirroredAndClipped) {
  for (const bool mirrored : {false, true}) {
    for (const TCopyMode rop : {cmSrcCopy, cmSrcInvert}) {
      TBitmap src, dst;
      Noise(src, 13, 5, 7);
      Noise(dst, 9, 7, 8);
      const std::vector<TPixel> before = PixelsOf(dst);
      dst.Canvas()->IntersectClip(Rect(1, 1, 8, 6));
      dst.Canvas()->SetCopyMode(rop);
      // Reaching past the clip on all sides.
      if (mirrored)
        StretchBlt(dst.Canvas(), 9, -1, -10, 9, src.Canvas(), 0, 0, 13, 5, rop, COLORONCOLOR);
      else
        StretchBlt(dst.Canvas(), 0, -1, 10, 9, src.Canvas(), 0, 0, 13, 5, rop, COLORONCOLOR);
      for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
          TPixel expected = before[size_t(y * 9 + x)];
          if (x >= 1 && x < 8 && y >= 1 && y < 6) {
            const int kx = mirrored ? 9 - x : x, ky = y + 1;  // destination steps
            const TPixel s = src.ScanLine((2 * ky + 1) * 5 / 18)[(2 * kx + 1) * 13 / 20];
            expected = ApplyRop(rop, expected, s & raster::kRgbMask, 0);
          }
          ASSERT_EQ(dst.ScanLine(y)[x] & raster::kRgbMask, expected)
              << mirrored << " " << rop << " at " << x << "," << y;
        }
      }
    }
  }
}

// The source pixels (coordinate, share) under step k of an axis stretching sn
// source pixels from s0 onto dn steps; negative lengths walk backwards.
std::vector<std::pair<int, int64_t>> StepTaps(int64_t k, int s0, int sn, int dn, bool average) {
  const int64_t asn = std::abs(sn), adn = std::abs(dn), sign = sn < 0 ? -1 : 1;
  if (!average) return {{int(s0 + sign * ((2 * k + 1) * asn / (2 * adn))), 1}};
  std::vector<std::pair<int, int64_t>> taps;
  for (int64_t j = 0; j < asn; ++j)
    if (const int64_t w = Overlap(k, j, asn, adn)) taps.push_back({int(s0 + sign * j), w});
  return taps;
}

struct StretchCase {
  int dx, dy, dw, dh, sx, sy, sw, sh;
  TRect dstClip = Rect(-100, -100, 100, 100);
  TRect srcClip = Rect(-100, -100, 100, 100);
};

// A source just wide and tall enough for the case, so that the last taps can
// be its last pixels.
void StretchSource(TBitmap& src, const StretchCase& c, unsigned seed) {
  const int w = c.sw < 0 ? c.sx + 1 : c.sx + c.sw, h = c.sh < 0 ? c.sy + 1 : c.sy + c.sh;
  Noise(src, w, h, seed);
}

// What a stretch must leave over `before`: the copy mode applied to the rounded
// mean (or the centre pixel) of every step inside the destination clip whose
// taps the source can all read; everything else unchanged.
std::vector<TPixel> ExpectedStretch(const std::vector<TPixel>& before, int width,
                                    const TBitmap& src, const StretchCase& c, TCopyMode rop,
                                    bool average, const TPixel* key) {
  std::vector<TPixel> out = before;
  const TRect readable = IntersectRect(c.srcClip, Rect(0, 0, src.Width(), src.Height()));
  const bool reads = ExpectedCopy(rop, 0, 1, 0, nullptr) != ExpectedCopy(rop, 0, 2, 0, nullptr);
  const TPixel pattern = ColorToPixel(RGB(0x3C, 0x5A, 0xC3));
  for (int ky = 0; ky < std::abs(c.dh); ++ky) {
    for (int kx = 0; kx < std::abs(c.dw); ++kx) {
      const int x = c.dx + (c.dw < 0 ? -kx : kx), y = c.dy + (c.dh < 0 ? -ky : ky);
      const int height = int(before.size()) / width;
      if (!IntersectRect(c.dstClip, Rect(0, 0, width, height)).Contains(x, y)) continue;
      int64_t sum[3] = {0, 0, 0}, total = 0;
      bool readableTaps = true;
      for (const auto& [ty, wy] : StepTaps(ky, c.sy, c.sh, c.dh, average))
        for (const auto& [tx, wx] : StepTaps(kx, c.sx, c.sw, c.dw, average)) {
          readableTaps = readableTaps && readable.Contains(tx, ty);
          if (!readableTaps) continue;
          const TPixel p = src.ScanLine(ty)[tx];
          for (int ch = 0; ch < 3; ++ch) sum[ch] += wx * wy * ((p >> (8 * ch)) & 0xFF);
          total += wx * wy;
        }
      if (reads && !readableTaps) continue;
      TPixel mean = 0;
      for (int ch = 0; ch < 3 && total > 0; ++ch)
        mean |= TPixel((sum[ch] + total / 2) / total) << (8 * ch);
      TPixel& d = out[size_t(y * width + x)];
      d = ExpectedCopy(rop, d, reads ? mean : 0, pattern, key);
    }
  }
  return out;
}

// Runs the case through StretchBlt on a noisy 24 x 10 destination and compares
// every pixel with the plain formula.
void CheckStretch(const StretchCase& c, TCopyMode rop, TStretchMode mode, unsigned seed) {
  TBitmap src, dst;
  StretchSource(src, c, seed);
  Noise(dst, 24, 10, seed + 1);
  const std::vector<TPixel> before = PixelsOf(dst);
  dst.Canvas()->Brush()->SetColor(RGB(0x3C, 0x5A, 0xC3));
  dst.Canvas()->IntersectClip(c.dstClip);
  src.Canvas()->IntersectClip(c.srcClip);
  ASSERT_TRUE(StretchBlt(dst.Canvas(), c.dx, c.dy, c.dw, c.dh, src.Canvas(), c.sx, c.sy, c.sw, c.sh,
                         rop, mode));
  const std::vector<TPixel> expected =
      ExpectedStretch(before, 24, src, c, rop, mode == HALFTONE, nullptr);
  const std::vector<TPixel> after = PixelsOf(dst);
  for (size_t i = 0; i < after.size(); ++i)
    ASSERT_EQ(after[i], expected[i])
        << (mode == HALFTONE ? "halftone " : "nearest ") << rop << " " << c.sw << "x" << c.sh << "+"
        << c.sx << "+" << c.sy << " -> " << c.dw << "x" << c.dh << "+" << c.dx << "+" << c.dy
        << " at " << i % 24 << "," << i / 24;
}

TEST(FastStretch, EvenlySpacedNearestTapsEqualTheCentrePixels) {
  // Reductions by 1, 2 and 3 pick whole vectors, 4 gathers; every width leaves
  // a different tail, and with sx + sw the source's width the last tap of a
  // halving is the last pixel of the surface.
  for (const int f : {1, 2, 3, 4})
    for (const int dw : {1, 2, 3, 4, 5, 7, 8, 9, 13})
      for (const int sx : {0, 1, 3})
        for (const TCopyMode rop : {cmSrcCopy, cmSrcInvert, cmNotSrcCopy})
          CheckStretch({1, 1, dw, 3, sx, 1, f * dw, 6}, rop, COLORONCOLOR, unsigned(f * 100 + dw));
  // Clipped on both sides of the destination, and by the source's clip (then
  // steps are left out one by one); a mirrored source or destination.
  const StretchCase others[] = {
      {0, 0, 11, 4, 1, 0, 22, 8, Rect(2, 1, 9, 3)},
      {2, 0, 10, 4, 0, 0, 30, 8, Rect(0, 0, 7, 10)},
      {0, 0, 9, 3, 0, 0, 18, 6, Rect(-100, -100, 100, 100), Rect(3, 0, 15, 5)},
      {0, 0, 9, 3, 17, 0, -18, 6},
      {12, 0, -9, 3, 0, 0, 18, 6}};
  for (const StretchCase& c : others)
    for (const TCopyMode rop : {cmSrcCopy, cmSrcPaint}) CheckStretch(c, rop, COLORONCOLOR, 5);
}

TEST(FastStretch, HalvingAveragesEachTwoByTwoBlockExactly) {
  // Straight from the rows for every tail width and odd source starts, with
  // rows walking either way; copy modes with and without a source.
  for (const int dw : {1, 2, 3, 4, 5, 7, 8, 9, 13})
    for (const int sx : {0, 1})
      for (const bool mirrored : {false, true})
        for (const TCopyMode rop : {cmSrcCopy, cmSrcPaint, cmDstInvert}) {
          const StretchCase c = mirrored ? StretchCase{1, 1, dw, 3, sx, 6, 2 * dw, -6}
                                         : StretchCase{1, 1, dw, 3, sx, 1, 2 * dw, 6};
          CheckStretch(c, rop, HALFTONE, unsigned(dw * 10 + sx));
        }
  // Clipped destinations and sources, a mirrored destination row, and
  // neighbours that halve one way only or reduce by three.
  const StretchCase others[] = {
      {0, 0, 11, 4, 1, 0, 22, 8, Rect(2, 1, 9, 3)},
      {0, 0, 9, 4, 0, 0, 18, 8, Rect(-100, -100, 100, 100), Rect(3, 1, 15, 7)},
      {12, 0, -9, 3, 0, 0, 18, 6},
      {0, 8, 9, -3, 0, 0, 18, 6},
      {0, 0, 9, 3, 0, 0, 18, 9},
      {0, 0, 9, 3, 0, 0, 9, 6},
      {0, 0, 7, 3, 0, 0, 21, 9}};
  for (const StretchCase& c : others)
    for (const TCopyMode rop : {cmSrcCopy, cmSrcInvert}) CheckStretch(c, rop, HALFTONE, 9);
}

TEST(FastStretch, TransparentHalvingKeepsTheKeyColourWherePicked) {
  // Drawing a transparent bitmap at half size picks every other pixel through
  // the keyed copy; the key colour also lies under some picked pixels.
  for (const int dw : {3, 8, 9}) {
    const StretchCase c{1, 1, dw, 3, 0, 0, 2 * dw, 6};
    TBitmap src, dst;
    StretchSource(src, c, unsigned(dw));
    const TPixel key = src.ScanLine(5)[0] & raster::kRgbMask;
    for (int x = 1; x < 2 * dw; x += 3) src.ScanLine(1)[x] = key;
    src.SetTransparent(true);
    Noise(dst, 24, 10, 77);
    const std::vector<TPixel> before = PixelsOf(dst);
    dst.Canvas()->StretchDraw(Rect(1, 1, 1 + dw, 4), &src);
    EXPECT_EQ(PixelsOf(dst), ExpectedStretch(before, 24, src, c, cmSrcCopy, false, &key)) << dw;
  }
}

// Each shape drawn with `mode` on its own canvas of `background`, reaching past
// the clip; all their pixels one after another.
std::vector<TPixel> Shapes(TPenMode mode, TColor background, int penWidth, TPenStyle style) {
  const std::function<void(TCanvas*)> shapes[] = {
      [](TCanvas* c) {
        c->Polygon({{20, -5}, {32, 29}, {-3, 10}, {43, 10}, {8, 29}});
      },
      [](TCanvas* c) { c->Pie(-6, 4, 18, 26, 18, 0, 0, 26); },
      [](TCanvas* c) { c->Pie(5, 2, 38, 29, 0, 20, 40, 21); },
      [](TCanvas* c) { c->Arc(22, 2, 44, 24, 44, 24, 22, 13); },
      [](TCanvas* c) {
        c->Polyline({{0, 29}, {15, 15}, {39, 20}, {25, 0}, {20, 28}});
      }};
  std::vector<TPixel> all;
  for (const auto& draw : shapes) {
    TBitmap bmp(40, 30);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(background);
    c->FillRect(Rect(0, 0, 40, 30));
    c->IntersectClip(Rect(2, 1, 37, 28));
    c->Pen()->SetMode(mode);
    c->Pen()->SetWidth(penWidth);
    c->Pen()->SetStyle(style);
    c->Pen()->SetColor(RGB(10, 200, 30));
    c->Brush()->SetColor(RGB(200, 40, 120));
    draw(c);
    const std::vector<TPixel> pixels = PixelsOf(bmp);
    all.insert(all.end(), pixels.begin(), pixels.end());
  }
  return all;
}

TEST(FastShapes, PaintingAtOnceEqualsPaintingThroughTheMask) {
  // Over white, pmMask leaves the pen colour as pmCopy does but goes through the
  // mask; over black, pmMerge does; pmNotMask over white is pmNotCopy.
  for (const int width : {1, 3}) {
    for (const TPenStyle style : {psSolid, psDashDot}) {
      const std::vector<TPixel> copy = Shapes(pmCopy, clWhite, width, style);
      EXPECT_EQ(copy, Shapes(pmMask, clWhite, width, style)) << width << " " << style;
      EXPECT_EQ(Shapes(pmCopy, clBlack, width, style), Shapes(pmMerge, clBlack, width, style));
      EXPECT_EQ(Shapes(pmNotCopy, clWhite, width, style), Shapes(pmNotMask, clWhite, width, style));
      EXPECT_NE(copy, Shapes(pmCopy, clBlack, width, style));  // the picture is not empty
    }
  }
}

// The sector test of one pixel, in doubled units with y up (box centre cx2/2, cy2/2).
bool InSector(int64_t x, int64_t y, int64_t cx2, int64_t cy2, TPoint a, TPoint b) {
  const int64_t vx = 2 * x - cx2, vy = cy2 - 2 * y;
  const int64_t ux1 = 2 * a.x - cx2, uy1 = cy2 - 2 * a.y, ux2 = 2 * b.x - cx2, uy2 = cy2 - 2 * b.y;
  auto cross = [](int64_t ax, int64_t ay, int64_t bx, int64_t by) { return ax * by - ay * bx; };
  const int64_t sweep = cross(ux1, uy1, ux2, uy2);
  if (sweep == 0 && ux1 * ux2 + uy1 * uy2 > 0) return true;  // the same ray: everything
  const bool afterStart = cross(ux1, uy1, vx, vy) >= 0, beforeEnd = cross(vx, vy, ux2, uy2) >= 0;
  if (sweep > 0) return afterStart && beforeEnd;
  if (sweep < 0) return afterStart || beforeEnd;
  return afterStart;
}

TEST(FastShapes, ArcRowsKeepExactlyTheOutlinePixelsInsideTheSector) {
  const std::pair<TPoint, TPoint> rays[] = {
      {{40, 20}, {20, 0}},  {{20, 0}, {40, 20}}, {{0, 0}, {40, 40}},  {{40, 21}, {0, 19}},
      {{3, 40}, {39, 1}},   {{20, 40}, {20, 0}}, {{33, 7}, {33, 7}},  {{-50, 22}, {41, 23}},
      {{21, -9}, {19, 50}}, {{0, 20}, {40, 20}}, {{40, 20}, {0, 20}}, {{25, 39}, {24, 39}}};
  TBitmap outline(41, 41);
  outline.Canvas()->Brush()->SetStyle(bsClear);
  outline.Canvas()->Ellipse(0, 0, 41, 41);
  for (const auto& [a, b] : rays) {
    TBitmap arc(41, 41);
    arc.Canvas()->Arc(0, 0, 41, 41, a.x, a.y, b.x, b.y);
    for (int y = 0; y < 41; ++y)
      for (int x = 0; x < 41; ++x) {
        const bool expected =
            outline.Canvas()->Pixels(x, y) == clBlack && InSector(x, y, 40, 40, a, b);
        ASSERT_EQ(arc.Canvas()->Pixels(x, y) == clBlack, expected)
            << a.x << "," << a.y << " " << b.x << "," << b.y << " at " << x << "," << y;
      }
  }
}

TEST(FastLines, StepsMatchTheRoundedExactLineWhereverTheClipStarts) {
  std::mt19937 rng(11);
  for (int k = 0; k < 200; ++k) {
    // End points up to far outside the bitmap, so the visit often starts late.
    const int far = k % 4 == 0 ? 100000 : 60;
    auto coord = [&] { return int(rng() % unsigned(2 * far)) - far + 16; };
    const int x0 = coord(), y0 = coord(), x1 = coord(), y1 = coord();
    TBitmap bmp(32, 32);
    bmp.Canvas()->MoveTo(x0, y0);
    bmp.Canvas()->LineTo(x1, y1);
    TBitmap expected(32, 32);
    const int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    for (int64_t i = 0; i < n; ++i) {
      const int64_t major = i * ((xMajor ? dx : dy) < 0 ? -1 : 1);
      const int64_t span = xMajor ? dy : dx;
      const int64_t off = (2 * i * std::llabs(span) + n) / (2 * n) * (span < 0 ? -1 : 1);
      const int64_t px = x0 + (xMajor ? major : off), py = y0 + (xMajor ? off : major);
      if (px >= 0 && px < 32 && py >= 0 && py < 32)
        expected.Canvas()->SetPixels(int(px), int(py), clBlack);
    }
    ASSERT_EQ(Art(bmp), Art(expected)) << x0 << "," << y0 << " -> " << x1 << "," << y1;
  }
}

TEST(FastText, BlendingWithoutDivisionEqualsTheRoundedQuotient) {
  for (uint32_t a = 0; a < 256; ++a)
    for (uint32_t s = 0; s < 256; ++s)
      for (uint32_t d = 0; d < 256; ++d)
        ASSERT_EQ(raster::BlendChannel(s, d, a), (s * a + d * (255 - a) + 127) / 255)
            << s << " " << d << " " << a;
}

}  // namespace
}  // namespace host
