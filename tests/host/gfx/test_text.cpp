// Canvas text output: where text lands, what its background covers, clipping,
// rotation and rendering modes. Positions are checked against the measured cell
// (TextWidth, TextHeight), never against the pixels of a particular font.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "host/gfx/FontFace.h"
#include "host/gfx/Graphics.h"

using namespace host;

namespace {

// A canvas over pixel memory of its own, in a known background colour.
struct Page {
  int W, H;
  std::vector<TPixel> Pixels;
  TCanvas Canvas;

  Page(int w, int h, TColor background = clWhite)
      : W(w), H(h), Pixels(size_t(w) * size_t(h), ColorToPixel(background)) {
    Canvas.BindSurface(Surface());
    Canvas.Font()->SetName("Arial");
    Canvas.Font()->SetSize(11);
    Canvas.Font()->SetColor(clBlack);
  }
  TSurface Surface() { return TSurface{Pixels.data(), W, H, W}; }
  TColor At(int x, int y) const { return PixelToColor(Pixels[size_t(y * W + x)] & 0xFFFFFF); }

  // Bounding box of the pixels that differ from `c`.
  TRect BoxNot(TColor c) const {
    TRect box{W, H, 0, 0};
    ForEach([&](int x, int y, TColor p) {
      if (p == c) return;
      box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                 std::max(box.Bottom, y + 1));
    });
    return box.IsEmpty() ? TRect{} : box;
  }
  int CountNot(TColor c) const {
    int n = 0;
    ForEach([&](int, int, TColor p) { n += p != c; });
    return n;
  }
  std::set<TColor> Colours() const {
    std::set<TColor> s;
    ForEach([&](int, int, TColor p) { s.insert(p); });
    return s;
  }
  template <class F>
  void ForEach(F f) const {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) f(x, y, At(x, y));
  }
};

// Where the cell of text measuring w by h, anchored at (x, y), lies when turned
// by a right angle: the anchor stays the cell's top-left corner.
TRect TurnedCell(int x, int y, int w, int h, int tenths) {
  switch (tenths) {
    case 900:
      return Rect(x, y - w, x + h, y);
    case 1800:
      return Rect(x - w, y - h, x, y);
    case 2700:
      return Rect(x - h, y, x, y + w);
    default:
      return Rect(x, y, x + w, y + h);
  }
}

bool Inside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

}  // namespace

TEST(CanvasText, MeasuresTheCellWhateverTheText) {
  Page page(10, 10);
  TCanvas& c = page.Canvas;
  const int h = c.TextHeight("");
  EXPECT_GT(h, 0);
  EXPECT_EQ(c.TextHeight("(8g]}ÜÄ§"), h);
  EXPECT_EQ(c.TextHeight("x"), h);
  EXPECT_EQ(c.TextExtent("Hello"), Point(c.TextWidth("Hello"), h));
  // Turning the font changes neither measure.
  const int w = c.TextWidth("Hello");
  c.Font()->SetOrientation(900);
  EXPECT_EQ(c.TextExtent("Hello"), Point(w, h));
}

TEST(CanvasText, TextOutPutsTheCellTopLeftAtThePointAndKeepsAClearBackground) {
  Page page(120, 60, clBlue);
  TCanvas& c = page.Canvas;
  c.Brush()->SetStyle(bsClear);
  const TPoint cell = c.TextExtent("Hello");
  c.TextOut(20, 15, "Hello");
  const TRect ink = page.BoxNot(clBlue);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_TRUE(Inside(ink, Rect(20, 15, 20 + cell.x, 15 + cell.y)));
  EXPECT_GT(ink.Height(), cell.y / 2);  // capitals fill most of the cell
  EXPECT_EQ(page.At(20, 15), clBlue);
  EXPECT_EQ(page.At(20 + cell.x - 1, 15 + cell.y - 1), clBlue);
  EXPECT_EQ(c.PenPos(), Point(20 + cell.x, 15));

  // Moving the point moves the ink by exactly as much.
  Page moved(120, 60, clBlue);
  moved.Canvas.Brush()->SetStyle(bsClear);
  moved.Canvas.TextOut(23, 17, "Hello");
  EXPECT_EQ(moved.BoxNot(clBlue), OffsetRect(ink, 3, 2));
}

TEST(CanvasText, SolidBrushFillsExactlyTheCell) {
  Page page(120, 60);
  TCanvas& c = page.Canvas;
  c.Brush()->SetColor(clYellow);
  const TPoint cell = c.TextExtent("Hello");
  c.TextOut(20, 15, "Hello");
  EXPECT_EQ(page.BoxNot(clWhite), Rect(20, 15, 20 + cell.x, 15 + cell.y));
  EXPECT_EQ(page.CountNot(clWhite), cell.x * cell.y);
  EXPECT_EQ(page.At(20, 15), clYellow);
  EXPECT_EQ(page.At(20 + cell.x - 1, 15 + cell.y - 1), clYellow);

  // An empty text has an empty cell: nothing is drawn, the pen stays.
  Page empty(20, 20);
  empty.Canvas.TextOut(5, 5, "");
  EXPECT_EQ(empty.CountNot(clWhite), 0);
  EXPECT_EQ(empty.Canvas.PenPos(), Point(5, 5));
}

TEST(CanvasText, TextRectFillsTheRectangleAndClipsTheText) {
  const TRect r = Rect(30, 20, 70, 32);
  Page solid(120, 60);
  solid.Canvas.Brush()->SetColor(clAqua);
  solid.Canvas.TextRect(r, 22, 16, "Hello world");
  EXPECT_EQ(solid.BoxNot(clWhite), r);
  EXPECT_EQ(solid.CountNot(clWhite), r.Width() * r.Height());

  Page clear(120, 60);
  clear.Canvas.Brush()->SetStyle(bsClear);
  clear.Canvas.TextRect(r, 22, 16, "Hello world");
  const TRect ink = clear.BoxNot(clWhite);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_TRUE(Inside(ink, r));
  // The text runs past the rectangle on the right, so the ink reaches its edge.
  EXPECT_EQ(ink.Right, r.Right);
}

TEST(CanvasText, DrawingHonoursTheCanvasOriginAndClip) {
  Page page(100, 60);
  TCanvas& c = page.Canvas;
  c.BindSurface(page.Surface(), 10, 20, Rect(15, 25, 60, 40));
  c.Brush()->SetColor(clRed);
  const TPoint cell = c.TextExtent("Hello world");
  c.TextOut(0, 0, "Hello world");
  EXPECT_EQ(page.BoxNot(clWhite),
            IntersectRect(Rect(10, 20, 10 + cell.x, 20 + cell.y), Rect(15, 25, 60, 40)));
  // Far outside the surface nothing is drawn and nothing breaks.
  c.TextOut(-100000, 100000, "Hello");
  c.TextRect(Rect(-50, -50, -10, -10), -40, -40, "Hello");
  EXPECT_EQ(page.BoxNot(clWhite),
            IntersectRect(Rect(10, 20, 10 + cell.x, 20 + cell.y), Rect(15, 25, 60, 40)));
}

TEST(CanvasText, TurnedTextKeepsTheAnchorAtTheCellTopLeft) {
  for (int tenths : {0, 900, 1800, 2700}) {
    SCOPED_TRACE(tenths);
    Page solid(160, 160);
    TCanvas& c = solid.Canvas;
    c.Font()->SetOrientation(tenths);
    c.Brush()->SetColor(clLime);
    const TPoint cell = c.TextExtent("Hello");
    const TRect expected = TurnedCell(80, 80, cell.x, cell.y, tenths);
    c.TextOut(80, 80, "Hello");
    EXPECT_EQ(solid.BoxNot(clWhite), expected);
    EXPECT_EQ(solid.CountNot(clWhite), cell.x * cell.y);
    EXPECT_EQ(c.PenPos(), Point(80 + cell.x, 80));

    // "H" then blanks: the ink sits at the start of the baseline and above it,
    // which shows the text is turned, not mirrored or flipped.
    Page clear(160, 160);
    clear.Canvas.Font()->SetOrientation(tenths);
    clear.Canvas.Brush()->SetStyle(bsClear);
    const int w = clear.Canvas.TextWidth("H     ");
    const int ascent = clear.Canvas.Font()->Face().Ascent();
    clear.Canvas.TextOut(80, 80, "H     ");
    const TRect ink = clear.BoxNot(clWhite);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_TRUE(Inside(ink, TurnedCell(80, 80, w, cell.y, tenths)));
    const TRect start = TurnedCell(80, 80, w / 3, ascent, tenths);
    EXPECT_TRUE(Inside(ink, start)) << "ink outside the first third, above the baseline";
  }
}

TEST(CanvasText, ObliqueTextStaysInItsTurnedCell) {
  Page page(160, 160);
  TCanvas& c = page.Canvas;
  c.Font()->SetOrientation(300);
  c.Brush()->SetColor(clBlack);
  const TPoint cell = c.TextExtent("Hello");
  c.TextOut(40, 100, "Hello");
  // Every changed pixel lies in the cell turned by 30 degrees (half a pixel of
  // slack for the centre rule), and the filled area is the cell's.
  const double cs = std::cos(M_PI / 6), sn = std::sin(M_PI / 6);
  int outside = 0;
  page.ForEach([&](int x, int y, TColor p) {
    if (p == clWhite) return;
    const double dx = x + 0.5 - 40, dy = y + 0.5 - 100;
    const double u = dx * cs - dy * sn, v = dx * sn + dy * cs;
    outside += u < -0.5 || u > cell.x + 0.5 || v < -0.5 || v > cell.y + 0.5;
  });
  EXPECT_EQ(outside, 0);
  EXPECT_NEAR(page.CountNot(clWhite), cell.x * cell.y, cell.x + cell.y);
}

TEST(CanvasText, AntialiasingCanBeSwitchedOff) {
  for (int tenths : {0, 300}) {
    SCOPED_TRACE(tenths);
    Page smooth(120, 120), mono(120, 120);
    smooth.Canvas.Brush()->SetStyle(bsClear);
    mono.Canvas.Brush()->SetStyle(bsClear);
    smooth.Canvas.Font()->SetOrientation(tenths);
    mono.Canvas.Font()->SetOrientation(tenths);
    mono.Canvas.Font()->SetQuality(fqNonAntialiased);
    smooth.Canvas.TextOut(20, 80, "Rag(8g]}");
    mono.Canvas.TextOut(20, 80, "Rag(8g]}");
    EXPECT_GT(smooth.Colours().size(), 2u);
    EXPECT_EQ(mono.Colours(), (std::set<TColor>{clBlack, clWhite}));
  }
}

TEST(CanvasText, UnderlineAndStrikeOutSpanTheTextBelowAndAboveTheBaseline) {
  Page plain(120, 60);
  plain.Canvas.Brush()->SetStyle(bsClear);
  plain.Canvas.TextOut(10, 10, "Hello");
  const TPoint cell = plain.Canvas.TextExtent("Hello");
  const int baseline = 10 + plain.Canvas.Font()->Face().Ascent();

  const auto lineBox = [&](TFontStyles style) {
    Page styled(120, 60);
    styled.Canvas.Brush()->SetStyle(bsClear);
    styled.Canvas.Font()->SetStyle(style);
    styled.Canvas.TextOut(10, 10, "Hello");
    TRect box{};
    for (int y = 0; y < styled.H; ++y)
      for (int x = 0; x < styled.W; ++x)
        if (styled.At(x, y) != plain.At(x, y)) box = UnionRect(box, Rect(x, y, x + 1, y + 1));
    return box;
  };
  const TRect under = lineBox(fsUnderline);
  EXPECT_EQ(under.Left, 10);
  EXPECT_EQ(under.Right, 10 + cell.x);
  EXPECT_GE(under.Top, baseline);
  EXPECT_LE(under.Bottom, 10 + cell.y);
  const TRect strike = lineBox(fsStrikeOut);
  EXPECT_EQ(strike.Left, 10);
  EXPECT_EQ(strike.Right, 10 + cell.x);
  EXPECT_LE(strike.Bottom, baseline);
  EXPECT_GT(strike.Top, 10);
}

TEST(CanvasText, ItalicLeansToTheRight) {
  Page page(80, 80);
  TCanvas& c = page.Canvas;
  c.Brush()->SetStyle(bsClear);
  c.Font()->SetSize(40);
  c.Font()->SetStyle(fsItalic);
  c.TextOut(10, 0, "l");
  const TRect ink = page.BoxNot(clWhite);
  ASSERT_GT(ink.Height(), 20);
  const auto meanX = [&](int top, int bottom) {
    double sum = 0, n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < page.W; ++x)
        if (page.At(x, y) != clWhite) sum += x, n += 1;
    return sum / n;
  };
  const int quarter = ink.Height() / 4;
  EXPECT_GT(meanX(ink.Top, ink.Top + quarter), meanX(ink.Bottom - quarter, ink.Bottom) + 3);
}
