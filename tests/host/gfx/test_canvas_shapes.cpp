// Ellipses, arcs, pies, polygons and flood fills, pixel by pixel.
#include <gtest/gtest.h>

#include "host/gfx/Graphics.h"
#include "tests/host/gfx/test_canvas_art.h"

namespace host {
namespace {

using testing::Art;
using testing::CountColor;
using Rows = std::vector<std::string>;

Rows SmallEllipse(int size) {
  TBitmap bmp(size + 2, size + 2);
  bmp.Canvas()->Brush()->SetColor(clRed);
  bmp.Canvas()->Ellipse(1, 1, 1 + size, 1 + size);
  return Art(bmp, {{clRed, 'r'}});
}

TEST(CanvasEllipse, SmallBoxesLookAsThePlatformDrawsThem) {
  EXPECT_EQ(SmallEllipse(1), (Rows{"...", ".X.", "..."}));
  EXPECT_EQ(SmallEllipse(2), (Rows{"....", ".XX.", ".XX.", "...."}));
  EXPECT_EQ(SmallEllipse(3), (Rows{".....",  //
                                   "..X..",  //
                                   ".XrX.",  //
                                   "..X..",  //
                                   "....."}));
  EXPECT_EQ(SmallEllipse(4), (Rows{"......",  //
                                   "..XX..",  //
                                   ".XrrX.",  //
                                   ".XrrX.",  //
                                   "..XX..",  //
                                   "......"}));
  EXPECT_EQ(SmallEllipse(5), (Rows{".......",  //
                                   "..XXX..",  //
                                   ".XrrrX.",  //
                                   ".XrrrX.",  //
                                   ".XrrrX.",  //
                                   "..XXX..",  //
                                   "......."}));
}

TEST(CanvasEllipse, EverySizeIsSymmetricAndTouchesItsBox) {
  for (int w = 1; w <= 24; ++w) {
    for (int h = 1; h <= 24; h += 5) {
      TBitmap bmp(w, h);
      bmp.Canvas()->Brush()->SetColor(clRed);
      bmp.Canvas()->Ellipse(0, 0, w, h);
      const Rows art = Art(bmp, {{clRed, 'r'}});
      bool top = false, left = false;
      for (int y = 0; y < h; ++y) {
        EXPECT_EQ(art[y], std::string(art[y].rbegin(), art[y].rend())) << w << "x" << h;
        EXPECT_EQ(art[y], art[h - 1 - y]) << w << "x" << h;
        left |= art[y][0] == 'X';
      }
      top = art[0].find('X') != std::string::npos;
      EXPECT_TRUE(top && left) << w << "x" << h;
      // The outline closes: nothing of the brush touches the outside.
      for (int y = 0; y < h; ++y)
        EXPECT_TRUE(art[y].front() != 'r' && art[y].back() != 'r') << w << "x" << h;
      EXPECT_EQ(art[0].find('r'), std::string::npos);
    }
  }
}

TEST(CanvasEllipse, ClearPenFillsOnePixelLessRightAndBottom) {
  TBitmap bmp(6, 6);
  bmp.Canvas()->Brush()->SetColor(clRed);
  bmp.Canvas()->Pen()->SetStyle(psClear);
  bmp.Canvas()->Ellipse(1, 1, 6, 6);                   // the fill of a 4x4 box
  EXPECT_EQ(Art(bmp, {{clRed, 'r'}}), (Rows{"......",  //
                                            "..rr..",  //
                                            ".rrrr.",  //
                                            ".rrrr.",  //
                                            "..rr..",  //
                                            "......"}));
}

// A pie on a 21x21 box (centre 10,10) from ray 1 to ray 2.
TBitmap& PieOn(TBitmap& bmp, int x1, int y1, int x2, int y2) {
  bmp.SetSize(21, 21);
  bmp.Canvas()->Brush()->SetColor(clRed);
  bmp.Canvas()->Pie(0, 0, 21, 21, x1, y1, x2, y2);
  return bmp;
}

TEST(CanvasPie, RunsCounterClockwiseFromTheFirstRay) {
  TBitmap quarter;
  PieOn(quarter, 20, 10, 10, 0);  // east to north: the upper right quarter
  TCanvas* c = quarter.Canvas();
  EXPECT_EQ(c->Pixels(14, 6), clRed);
  EXPECT_EQ(c->Pixels(6, 6), clWhite);
  EXPECT_EQ(c->Pixels(6, 14), clWhite);
  EXPECT_EQ(c->Pixels(14, 14), clWhite);
  // Both radii are drawn, ending on the outline.
  for (int x = 10; x <= 20; ++x) EXPECT_EQ(c->Pixels(x, 10), clBlack) << x;
  for (int y = 0; y <= 10; ++y) EXPECT_EQ(c->Pixels(10, y), clBlack) << y;

  TBitmap rest;
  PieOn(rest, 10, 0, 20, 10);  // north to east: three quarters
  EXPECT_EQ(rest.Canvas()->Pixels(14, 6), clWhite);
  EXPECT_EQ(rest.Canvas()->Pixels(6, 6), clRed);
  EXPECT_EQ(rest.Canvas()->Pixels(6, 14), clRed);
  EXPECT_EQ(rest.Canvas()->Pixels(14, 14), clRed);
}

TEST(CanvasPie, EqualRaysMeanTheWholeEllipse) {
  TBitmap pie, ellipse(21, 21), farPoint;
  PieOn(pie, 20, 10, 20, 10);
  PieOn(farPoint, 15, 10, 40, 10);  // different points on the same ray
  EXPECT_EQ(Art(pie), Art(farPoint));
  ellipse.Canvas()->Brush()->SetColor(clRed);
  ellipse.Canvas()->Ellipse(0, 0, 21, 21);
  // The same as the ellipse except for the one radius where it starts and ends.
  for (int x = 10; x < 20; ++x) ellipse.Canvas()->SetPixels(x, 10, clBlack);
  EXPECT_EQ(Art(pie, {{clRed, 'r'}}), Art(ellipse, {{clRed, 'r'}}));
}

TEST(CanvasArc, DrawsOnlyTheOutlineOfTheSector) {
  TBitmap bmp(21, 21);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  c->Arc(0, 0, 21, 21, 20, 0, 0, 0);  // the upper quarter, from north-east to north-west
  EXPECT_EQ(c->Pixels(10, 0), clBlack);
  EXPECT_EQ(c->Pixels(10, 20), clWhite);
  EXPECT_EQ(c->Pixels(0, 10), clWhite);
  EXPECT_EQ(c->Pixels(20, 10), clWhite);
  EXPECT_EQ(CountColor(bmp, clRed), 0);
  // Reversed rays give the other three quarters.
  TBitmap other(21, 21);
  other.Canvas()->Arc(0, 0, 21, 21, 0, 0, 20, 0);
  EXPECT_EQ(other.Canvas()->Pixels(10, 0), clWhite);
  EXPECT_EQ(other.Canvas()->Pixels(10, 20), clBlack);
  EXPECT_EQ(other.Canvas()->Pixels(0, 10), clBlack);
}

TEST(CanvasPolygon, AlternateRuleLeavesTheStarCentreOpen) {
  TBitmap bmp(21, 21);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  c->Polygon({{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}});
  EXPECT_EQ(c->Pixels(10, 11), clWhite);  // the centre pentagon: crossed twice
  EXPECT_EQ(c->Pixels(10, 4), clRed);     // the top point
  EXPECT_EQ(c->Pixels(3, 8), clRed);      // the left point
  EXPECT_EQ(c->Pixels(10, 0), clBlack);   // a vertex lies on the outline
}

TEST(CanvasPolygon, FillExcludesRightAndBottomButTheOutlineCoversThem) {
  TBitmap bmp(6, 6);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  c->Pen()->SetStyle(psClear);
  c->Polygon({{1, 1}, {4, 1}, {4, 4}, {1, 4}});
  EXPECT_EQ(CountColor(bmp, clRed), 9);
  EXPECT_EQ(c->Pixels(3, 3), clRed);
  EXPECT_EQ(c->Pixels(4, 4), clWhite);
  c->Pen()->SetStyle(psSolid);
  c->Polygon({{1, 1}, {4, 1}, {4, 4}, {1, 4}});
  EXPECT_EQ(CountColor(bmp, clBlack), 12);
  EXPECT_EQ(CountColor(bmp, clRed), 4);
  EXPECT_EQ(c->Pixels(4, 4), clBlack);
}

TEST(CanvasFloodFill, SurfaceFillsTheSeedRegionFourConnected) {
  TBitmap bmp(7, 5);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(0, 0, 4, 4);
  c->SetPixels(3, 3, clWhite);  // a diagonal gap only: 4-connected fills stay in
  c->SetPixels(4, 4, clWhite);
  c->Brush()->SetColor(clRed);
  c->FloodFill(1, 1, clWhite, fsSurface);
  EXPECT_EQ(Art(bmp, {{clRed, 'r'}}), (Rows{"XXXX...",  //
                                            "XrrX...",  //
                                            "XrrX...",  //
                                            "XXX....",  //
                                            "......."}));
  c->FloodFill(5, 0, clBlack, fsSurface);  // the seed is not black: nothing happens
  EXPECT_EQ(CountColor(bmp, clRed), 4);
}

TEST(CanvasFloodFill, BorderFillsUpToTheColour) {
  TBitmap bmp(6, 5);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(0, 0, 5, 5);
  c->SetPixels(2, 2, clBlue);  // a different colour inside is filled over
  c->Brush()->SetColor(clRed);
  c->FloodFill(1, 1, clBlack, fsBorder);
  EXPECT_EQ(CountColor(bmp, clRed), 9);
  EXPECT_EQ(c->Pixels(5, 0), clWhite);
}

TEST(CanvasFloodFill, FillingWithTheRegionColourEndsAndLargeAreasNeedNoRecursion) {
  TBitmap bmp(1000, 1000);
  TCanvas* c = bmp.Canvas();
  c->FloodFill(500, 500, clWhite, fsSurface);  // brush white on white
  EXPECT_EQ(c->Pixels(0, 0), clWhite);
  // A comb: many runs on every row.
  c->Pen()->SetColor(clBlack);
  for (int x = 1; x < 1000; x += 2) {
    c->MoveTo(x, (x % 4 == 1) ? 0 : 1);
    c->LineTo(x, (x % 4 == 1) ? 999 : 1000);
  }
  c->Brush()->SetColor(clRed);
  c->FloodFill(0, 0, clBlack, fsBorder);
  // Every tooth leaves a one-pixel passage at its end, so the whole white area
  // is one winding region.
  EXPECT_EQ(CountColor(bmp, clRed), 1000 * 1000 - 500 * 999);
}

}  // namespace
}  // namespace host
