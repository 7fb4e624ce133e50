#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "foundation/Zel_zelbase.h"

using namespace zel;
using host::RGB;
using host::TBitmap;
using host::TCanvas;
using host::TPoint;

namespace {

// Edge colours chosen so that every role is told apart in the pixels.
constexpr TColor kLight = RGB(250, 240, 230);   // c1, "white"
constexpr TColor kSilver = RGB(255, 0, 255);    // c2: must never appear
constexpr TColor kShadow = RGB(100, 110, 120);  // c3, "grey"
constexpr TColor kDark = RGB(10, 20, 30);       // c4, "black"
constexpr TColor kExtra = RGB(255, 255, 0);     // c5: must never appear
constexpr TColor kBack = RGB(0, 128, 255);

using Pixels = std::vector<TColor>;

struct Sheet {
  TBitmap bmp;
  Sheet(int w, int h, TColor bg = kBack) : bmp(w, h) {
    c()->Brush()->SetColor(bg);
    c()->FillRect(host::Rect(0, 0, w, h));
  }
  TCanvas* c() { return bmp.Canvas(); }
  Pixels Snapshot() {
    Pixels p;
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x) p.push_back(c()->Pixels(x, y));
    return p;
  }
};

// Coordinates where two snapshots of a w-wide bitmap differ.
std::vector<TPoint> Diff(const Pixels& a, const Pixels& b, int w) {
  std::vector<TPoint> d;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) d.push_back(host::Point(int(i) % w, int(i) / w));
  return d;
}

void Frame(TCanvas* c, int style, int l, int t, int r, int b) {
  DrawFrame(c, TFrameStyle(style), l, t, r, b, kLight, kSilver, kShadow, kDark, kExtra);
}

void Stroke(TCanvas* c, TColor colour, const std::vector<TPoint>& pts) {
  c->Pen()->SetColor(colour);
  c->Polyline(pts);
}

// The numeric input's text box, drawn the way that control draws it itself.
void NumericInputBox(TCanvas* c, int style, int ls, int tw, int h) {
  c->Brush()->SetStyle(host::bsClear);
  c->Pen()->SetColor(style == 4 ? kLight : kShadow);
  if (style < 2) {
    c->Rectangle(ls, 0, ls + tw + 2, h);
    return;
  }
  c->Rectangle(ls, 0, ls + tw + 2, h - 1);
  const int s = h - 4;
  const TColor tl[] = {kDark, kLight, kShadow, kLight};
  const TColor br[] = {kLight, kDark, kShadow, kLight};
  Stroke(c, tl[style - 2], {{ls + 1, s + 1}, {ls + 1, 1}, {ls + tw + 1, 1}});
  Stroke(c, br[style - 2], {{ls + 1, s + 3}, {ls + tw + 2, s + 3}, {ls + tw + 2, 0}});
}

// The raster label's frame round a w x h bitmap, drawn the way it draws it itself.
void RasterLabelFrame(TCanvas* c, int style, int w, int h) {
  auto outline = [&](TColor colour, int a, int b) {
    Stroke(c, colour, {{a, a}, {w - b, a}, {w - b, h - b}, {a, h - b}, {a, a}});
  };
  switch (style) {
    case 1:
      outline(kShadow, 0, 1);
      break;
    case 2:
    case 3:
      Stroke(c, style == 2 ? kDark : kLight, {{1, h - 3}, {1, 1}, {w - 2, 1}});
      Stroke(c, style == 2 ? kLight : kDark, {{2, h - 1}, {w - 1, h - 1}, {w - 1, 0}});
      outline(kShadow, 0, 2);
      break;
    case 4:
      outline(kShadow, 1, 1), outline(kLight, 0, 2);
      break;
    case 5:
      outline(kLight, 1, 1), outline(kShadow, 0, 2);
      break;
  }
}

}  // namespace

TEST(DrawFrame, MatchesTheNumericInputsOwnBoxPixelForPixel) {
  const int ls = 4, tw = 20, h = 17;
  for (int style = 1; style <= 5; ++style) {
    Sheet ref(32, 20), got(32, 20);
    NumericInputBox(ref.c(), style, ls, tw, h);
    // Its plain box is one column narrower than its bevelled ones.
    Frame(got.c(), style, ls, 0, ls + tw + (style == 1 ? 1 : 2), h - 1);
    EXPECT_EQ(Diff(ref.Snapshot(), got.Snapshot(), 32).size(), 0u) << "style " << style;
  }
}

TEST(DrawFrame, MatchesTheRasterLabelsFrame) {
  const int w = 23, h = 15;
  for (int style = 1; style <= 5; ++style) {
    Sheet ref(w, h), got(w, h);
    RasterLabelFrame(ref.c(), style, w, h);
    Frame(got.c(), style, 0, 0, w - 1, h - 1);
    const std::vector<TPoint> d = Diff(ref.Snapshot(), got.Snapshot(), w);
    if (style == 2 || style == 3) {
      // The one pixel where the two controls disagree: the numeric input starts its
      // bottom line one column further left, closing the bevel symmetrically.
      ASSERT_EQ(d.size(), 1u) << "style " << style;
      EXPECT_EQ(d[0], host::Point(1, h - 1));
      EXPECT_EQ(got.c()->Pixels(1, h - 1), style == 2 ? kLight : kDark);
    } else {
      EXPECT_EQ(d.size(), 0u) << "style " << style;
    }
  }
}

TEST(DrawFrame, NumericLabelBoxHugsItsTextClip) {
  // The numeric label frames (LS+1, 0, LS+LW, H-2) and clips its number to
  // (LS+3, 2, LS+LW-1, H-3): the bevels must close round that clip exactly.
  const int ls = 5, lw = 30, h = 20;
  const host::TRect clip = host::Rect(ls + 3, 2, ls + lw - 1, h - 3);
  for (int style = 2; style <= 5; ++style) {
    Sheet s(48, h);
    Frame(s.c(), style, ls + 1, 0, ls + lw, h - 2);
    for (int y = clip.Top - 1; y <= clip.Bottom; ++y)
      for (int x = clip.Left - 1; x <= clip.Right; ++x) {
        const bool ring = !clip.Contains(x, y);
        EXPECT_EQ(s.c()->Pixels(x, y) != kBack, ring)
            << "style " << style << " at " << x << "," << y;
      }
  }
}

TEST(DrawFrame, TouchesOnlyFramePixelsAndRestoresThePen) {
  Sheet s(20, 16);
  TCanvas* c = s.c();
  c->Pen()->SetColor(host::clRed);
  c->Pen()->SetWidth(3);
  c->Pen()->SetMode(host::pmXor);
  c->Pen()->SetStyle(host::psDot);
  Frame(c, frLowered, 2, 3, 17, 12);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inBox = x >= 2 && x <= 17 && y >= 3 && y <= 12;
      const bool inner = x >= 4 && x <= 15 && y >= 5 && y <= 10;
      const TColor p = c->Pixels(x, y);
      if (!inBox || inner) {
        EXPECT_EQ(p, kBack) << x << "," << y;
      }
      EXPECT_NE(p, kSilver);
      EXPECT_NE(p, kExtra);
    }
  EXPECT_EQ(c->Pen()->Color(), host::clRed);
  EXPECT_EQ(c->Pen()->Width(), 3);
  EXPECT_EQ(c->Pen()->Mode(), host::pmXor);
  EXPECT_EQ(c->Pen()->Style(), host::psDot);
}

TEST(DrawFrame, NoneUnknownReversedAndTinyBoxes) {
  for (int style : {0, 6, 255}) {
    Sheet s(10, 10);
    Frame(s.c(), style, 0, 0, 9, 9);
    EXPECT_EQ(Diff(s.Snapshot(), Sheet(10, 10).Snapshot(), 10).size(), 0u) << style;
  }
  for (int style = 1; style <= 5; ++style) {
    Sheet a(12, 12), b(12, 12);
    Frame(a.c(), style, 1, 2, 10, 9);
    Frame(b.c(), style, 10, 9, 1, 2);
    EXPECT_EQ(a.Snapshot(), b.Snapshot()) << style;
    // Boxes of 1 to 3 pixels: something is drawn, nothing outside the box.
    for (int size = 0; size <= 2; ++size) {
      Sheet t(8, 8);
      Frame(t.c(), style, 3, 3, 3 + size, 3 + size);
      const std::vector<TPoint> d = Diff(Sheet(8, 8).Snapshot(), t.Snapshot(), 8);
      EXPECT_FALSE(d.empty());
      for (TPoint p : d) EXPECT_TRUE(p.x >= 3 && p.x <= 3 + size && p.y >= 3 && p.y <= 3 + size);
    }
  }
  Sheet clipped(6, 6);  // a frame mostly outside the bitmap is clipped, not a crash
  Frame(clipped.c(), frRaised, -20, -20, 3, 3);
  EXPECT_EQ(clipped.c()->Pixels(3, 3), kDark);
}

TEST(DrawRectangle, OutlineIncludesBothCornersAndDrawsEachPixelOnce) {
  Sheet s(10, 10);
  TCanvas* c = s.c();
  c->Pen()->SetColor(host::clBlack);
  DrawRectangle(c, 2, 3, 6, 8);
  int drawn = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool edge =
          ((x == 2 || x == 6) && y >= 3 && y <= 8) || ((y == 3 || y == 8) && x >= 2 && x <= 6);
      EXPECT_EQ(c->Pixels(x, y) == host::clBlack, edge) << x << "," << y;
      drawn += edge;
    }
  EXPECT_EQ(drawn, 18);
  // With an xor pen a second outline undoes the first: no corner is drawn twice.
  Sheet x(10, 10);
  x.c()->Pen()->SetMode(host::pmXor);
  x.c()->Pen()->SetColor(host::clWhite);
  for (int pass = 0; pass < 2; ++pass) {
    DrawRectangle(x.c(), 8, 8, 1, 1);
    DrawRectangle(x.c(), 4, 2, 4, 6);  // one pixel wide
    DrawRectangle(x.c(), 5, 5, 5, 5);  // a dot
  }
  EXPECT_EQ(x.Snapshot(), Sheet(10, 10).Snapshot());
}

namespace {

constexpr int kCell = 21;  // a mark centred at (10, 10) with room around it

Pixels RenderMark(int kind, host::TBrushStyle brush = host::bsSolid) {
  Sheet s(kCell, kCell, host::clWhite);
  s.c()->Pen()->SetColor(host::clBlack);
  s.c()->Brush()->SetColor(host::clRed);
  s.c()->Brush()->SetStyle(brush);
  DrawMarkOnCanvas(s.c(), kind, 10, 10);
  return s.Snapshot();
}

TColor At(const Pixels& p, int dx, int dy) { return p[(10 + dy) * kCell + 10 + dx]; }

// The mark's pixels as a set of (dx, dy, colour), for symmetry comparisons.
std::set<std::tuple<int, int, TColor>> Shape(const Pixels& p) {
  std::set<std::tuple<int, int, TColor>> s;
  for (int i = 0; i < kCell * kCell; ++i)
    if (p[i] != host::clWhite) s.insert({i % kCell - 10, i / kCell - 10, p[i]});
  return s;
}

template <typename F>
std::set<std::tuple<int, int, TColor>> Mapped(const Pixels& p, F f) {
  std::set<std::tuple<int, int, TColor>> s;
  for (auto [x, y, c] : Shape(p)) {
    auto [mx, my] = f(x, y);
    s.insert({mx, my, c});
  }
  return s;
}

}  // namespace

TEST(DrawMarkOnCanvas, EveryMarkIsDrawnDistinctAndFitsNineByNine) {
  std::vector<Pixels> marks;
  for (int k = 0; k < kNumMarks; ++k) {
    marks.push_back(RenderMark(k));
    const auto shape = Shape(marks.back());
    EXPECT_FALSE(shape.empty()) << "mark " << k;
    for (auto [x, y, c] : shape) EXPECT_TRUE(std::abs(x) <= 4 && std::abs(y) <= 4) << "mark " << k;
    for (int j = 0; j < k; ++j) EXPECT_NE(marks[j], marks[k]) << "marks " << j << " and " << k;
  }
  EXPECT_EQ(Shape(marks[0]).size(), 1u);  // mark 0 is a single dot at the centre
  EXPECT_EQ(At(marks[0], 0, 0), host::clBlack);
  for (int kind : {-1, 52, 255, 1000}) EXPECT_TRUE(Shape(RenderMark(kind)).empty()) << kind;
}

TEST(DrawMarkOnCanvas, OpenMarksTakeTheBrushInsideSolidMarksThePen) {
  const Pixels open = RenderMark(12), solid = RenderMark(15);  // squares of 9 pixels
  EXPECT_EQ(At(open, -4, -4), host::clBlack);
  EXPECT_EQ(At(open, 4, 0), host::clBlack);
  EXPECT_EQ(At(open, 0, 0), host::clRed);
  EXPECT_EQ(At(open, 3, 3), host::clRed);
  EXPECT_EQ(At(solid, 0, 0), host::clBlack);
  EXPECT_EQ(At(RenderMark(12, host::bsClear), 0, 0), host::clWhite);
  EXPECT_EQ(At(RenderMark(46), 0, 0), host::clBlack);  // square with a centre dot
  // Sizes 5, 7 and 9 pixels.
  for (int i = 0; i < 3; ++i) {
    const auto s = Shape(RenderMark(10 + i));
    int maxX = 0;
    for (auto [x, y, c] : s) maxX = std::max(maxX, x);
    EXPECT_EQ(maxX, 2 + i);
  }
}

TEST(DrawMarkOnCanvas, ShapesHaveTheirSymmetries) {
  auto mirrorY = [](int x, int y) { return std::pair(x, -y); };
  auto transpose = [](int x, int y) { return std::pair(y, x); };
  for (int v = 0; v < 6; ++v) {
    EXPECT_EQ(Mapped(RenderMark(22 + v), mirrorY), Shape(RenderMark(28 + v))) << v;  // up/down
    for (int k : {10 + v, 16 + v, 34 + v})  // square, circle, diamond
      EXPECT_EQ(Mapped(RenderMark(k), transpose), Shape(RenderMark(k))) << k;
  }
  EXPECT_EQ(Mapped(RenderMark(24), transpose), Shape(RenderMark(40)));  // up -> left
  EXPECT_EQ(Mapped(RenderMark(33), transpose), Shape(RenderMark(43)));  // down -> right
  EXPECT_EQ(Mapped(RenderMark(50), transpose), Shape(RenderMark(51)));  // hourglass/bow tie
}

TEST(DrawMarkOnCanvas, DrawsThroughThePenMode) {
  Sheet s(kCell, kCell, host::clWhite);
  s.c()->Pen()->SetMode(host::pmXor);
  s.c()->Pen()->SetColor(host::clWhite);
  s.c()->Brush()->SetStyle(host::bsClear);
  DrawMarkOnCanvas(s.c(), 9, 10, 10);
  EXPECT_EQ(s.c()->Pixels(10, 10), host::clBlack);
  DrawMarkOnCanvas(s.c(), 9, 10, 10);
  EXPECT_EQ(s.Snapshot(), Sheet(kCell, kCell, host::clWhite).Snapshot());
  s.c()->Pen()->SetStyle(host::psClear);  // a clear pen draws no outline
  DrawMarkOnCanvas(s.c(), 19, 10, 10);
  EXPECT_EQ(s.Snapshot(), Sheet(kCell, kCell, host::clWhite).Snapshot());
}

TEST(ZelBase, DelimitersAndLogic) {
  EXPECT_EQ(CSVDelimiterChar(csvComma), ',');
  EXPECT_EQ(CSVDelimiterChar(csvSemicolon), ';');
  EXPECT_EQ(CSVDelimiterChar(csvTab), '\t');
  EXPECT_EQ(CSVDelimiterChar(csvSpace), ' ');
  EXPECT_EQ(CSVDelimiterChar(TCSVDelimiters(9)), ',');
  EXPECT_TRUE(CombineLogic(loNone, true, false));
  EXPECT_FALSE(CombineLogic(loAnd, true, false));
  EXPECT_TRUE(CombineLogic(loOr, false, true));
  EXPECT_FALSE(CombineLogic(loXor, true, true));
  EXPECT_TRUE(CombineLogic(loXor, false, true));
  EXPECT_EQ(Round(2.5), 2);  // the shared half-to-even rounding
  EXPECT_EQ(Round(3.5), 4);
}
