// Canvas core: pixels, clip and origin, lines, rectangles and pen modes.
#include <gtest/gtest.h>

#include "host/gfx/Graphics.h"
#include "host/gfx/Raster.h"
#include "tests/host/gfx/test_canvas_art.h"

namespace host {
namespace {

using testing::Art;
using testing::CountColor;
using Rows = std::vector<std::string>;

TEST(CanvasPixels, OutsideReadsMinusOneAndWritesNothing) {
  TBitmap bmp(4, 3);
  TCanvas* c = bmp.Canvas();
  EXPECT_EQ(c->Pixels(0, 0), clWhite);
  EXPECT_EQ(c->Pixels(-1, 0), TColor(-1));
  EXPECT_EQ(c->Pixels(4, 0), TColor(-1));
  EXPECT_EQ(c->Pixels(0, 3), TColor(-1));
  c->SetPixels(4, 0, clBlack);
  c->SetPixels(-1, 2, clBlack);
  EXPECT_EQ(CountColor(bmp, clWhite), 12);
  c->SetPixels(3, 2, clBtnShadow);  // system colours are stored resolved
  EXPECT_EQ(c->Pixels(3, 2), RGB(128, 128, 128));
  TCanvas unbound;
  EXPECT_EQ(unbound.Pixels(0, 0), TColor(-1));
  unbound.Rectangle(0, 0, 10, 10);  // no surface: nothing to do, nothing to break
}

TEST(CanvasPixels, BlendRoundsToNearest) {
  TBitmap bmp(3, 1);
  TCanvas* c = bmp.Canvas();
  c->BlendPixel(0, 0, clBlack, 0);
  c->BlendPixel(1, 0, clBlack, 255);
  c->BlendPixel(2, 0, RGB(0, 100, 255), 128);
  EXPECT_EQ(c->Pixels(0, 0), clWhite);
  EXPECT_EQ(c->Pixels(1, 0), clBlack);
  // 255 + (0 - 255) * 128/255 = 127; 255 + (100 - 255) * 128/255 = 177.2; 255.
  EXPECT_EQ(c->Pixels(2, 0), RGB(127, 177, 255));
}

TEST(CanvasClip, OriginMapsAndNothingLeaksOutsideTheClip) {
  TBitmap frame(12, 10);
  TCanvas control;
  // A control at (3, 2), 4 x 3 pixels, on the frame's surface.
  control.BindSurface(frame.Surface(), 3, 2, Rect(3, 2, 7, 5));
  EXPECT_EQ(control.ClipRect(), Rect(0, 0, 4, 3));
  control.SetPixels(0, 0, clRed);
  EXPECT_EQ(frame.Canvas()->Pixels(3, 2), clRed);
  EXPECT_EQ(control.Pixels(-1, 0), TColor(-1));  // frame pixel exists, but is outside

  control.Brush()->SetColor(clBlack);
  control.Pen()->SetWidth(5);
  control.Rectangle(-50, -50, 50, 50);
  control.Ellipse(-20, -20, 30, 30);
  control.Pie(-20, -20, 30, 30, 0, -20, -20, 0);
  control.Polygon({{-9, -9}, {40, 0}, {0, 40}});
  control.MoveTo(-100, 1);
  control.LineTo(100, 1);
  control.FillRect(Rect(-100, -100, 100, 100));
  control.FloodFill(1, 1, clBlack, fsSurface);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool in = x >= 3 && x < 7 && y >= 2 && y < 5;
      EXPECT_EQ(frame.Canvas()->Pixels(x, y), in ? clBlack : clWhite) << x << "," << y;
    }
  control.SetCopyMode(cmWhiteness);
  control.Draw(-5, -5, &frame);
  control.StretchDraw(Rect(-9, -9, 40, 40), &frame);
  EXPECT_EQ(CountColor(frame, clWhite), 120);
}

TEST(CanvasClip, IntersectClipNarrowsInLogicalCoordinates) {
  TBitmap frame(10, 10);
  TCanvas c;
  c.BindSurface(frame.Surface(), 2, 2, Rect(0, 0, 10, 10));
  c.IntersectClip(Rect(1, 1, 3, 2));
  EXPECT_EQ(c.ClipRect(), Rect(1, 1, 3, 2));
  c.Brush()->SetColor(clBlack);
  c.FillRect(Rect(-10, -10, 20, 20));
  EXPECT_EQ(CountColor(frame, clBlack), 2);
  EXPECT_EQ(frame.Canvas()->Pixels(3, 3), clBlack);
  EXPECT_EQ(frame.Canvas()->Pixels(4, 3), clBlack);
}

TEST(CanvasRectangle, OutlineInsideTheBoxAndBrushInterior) {
  TBitmap bmp(7, 5);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  c->Rectangle(1, 1, 6, 5);
  EXPECT_EQ(Art(bmp, {{clRed, 'r'}}), (Rows{".......",  //
                                            ".XXXXX.",  //
                                            ".XrrrX.",  //
                                            ".XrrrX.",  //
                                            ".XXXXX."}));
}

TEST(CanvasRectangle, ClearPenFillsOnePixelLessRightAndBottom) {
  TBitmap bmp(6, 5);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  c->Pen()->SetStyle(psClear);
  c->Rectangle(1, 1, 5, 4);
  EXPECT_EQ(Art(bmp, {{clRed, 'r'}}), (Rows{"......",  //
                                            ".rrr..",  //
                                            ".rrr..",  //
                                            "......",  //
                                            "......"}));
}

TEST(CanvasRectangle, ClearBrushLeavesTheInterior) {
  TBitmap bmp(5, 5);
  TCanvas* c = bmp.Canvas();
  c->SetPixels(2, 2, clBlue);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(0, 0, 5, 5);
  EXPECT_EQ(c->Pixels(2, 2), clBlue);
  EXPECT_EQ(CountColor(bmp, clBlack), 16);
  // Reversed corners describe the same box.
  TBitmap other(5, 5);
  other.Canvas()->Brush()->SetStyle(bsClear);
  other.Canvas()->Rectangle(5, 5, 0, 0);
  EXPECT_EQ(Art(other), Art(bmp, {{clBlue, '.'}}));
}

TEST(CanvasRectangle, ThickPenIsCentredOnTheOutline) {
  TBitmap bmp(9, 9);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  c->Pen()->SetWidth(3);
  c->Rectangle(2, 2, 7, 7);
  EXPECT_EQ(Art(bmp, {{clRed, 'r'}}), (Rows{".........",  //
                                            ".XXXXXXX.",  //
                                            ".XXXXXXX.",  //
                                            ".XXXXXXX.",  //
                                            ".XXXrXXX.",  //
                                            ".XXXXXXX.",  //
                                            ".XXXXXXX.",  //
                                            ".XXXXXXX.",  //
                                            "........."}));
}

TEST(CanvasFrames, FillRectAndFrameRectUseTheBrush) {
  TBitmap bmp(5, 4);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  c->Pen()->SetMode(pmXor);  // FillRect and FrameRect ignore the pen mode
  c->FrameRect(Rect(0, 0, 5, 4));
  c->Brush()->SetColor(clBlue);
  c->FillRect(Rect(2, 1, 3, 3));
  c->FillRect(Rect(4, 4, 2, 2));                                     // inverted: nothing
  EXPECT_EQ(Art(bmp, {{clRed, 'r'}, {clBlue, 'b'}}), (Rows{"rrrrr",  //
                                                           "r.b.r",  //
                                                           "r.b.r",  //
                                                           "rrrrr"}));
}

TEST(CanvasLine, EndPointIsExcludedInEveryOctant) {
  const TPoint ends[] = {{6, 1}, {6, 4}, {4, 6}, {1, 6}, {-6, 1}, {-6, -4}, {-4, -6}, {1, -6}};
  for (const TPoint& e : ends) {
    TBitmap bmp(15, 15);
    TCanvas* c = bmp.Canvas();
    c->MoveTo(7, 7);
    c->LineTo(7 + e.x, 7 + e.y);
    EXPECT_EQ(c->PenPos(), Point(7 + e.x, 7 + e.y));
    EXPECT_EQ(c->Pixels(7, 7), clBlack) << e.x << "," << e.y;
    EXPECT_EQ(c->Pixels(7 + e.x, 7 + e.y), clWhite) << e.x << "," << e.y;
    EXPECT_EQ(CountColor(bmp, clBlack), std::max(std::abs(e.x), std::abs(e.y)));
    // The last pixel drawn is next to the end point.
    bool neighbour = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        neighbour |= c->Pixels(7 + e.x + dx, 7 + e.y + dy) == clBlack;
    EXPECT_TRUE(neighbour);
  }
}

TEST(CanvasLine, FarAwayEndPointsStillDrawTheVisiblePart) {
  TBitmap bmp(10, 3);
  TCanvas* c = bmp.Canvas();
  c->MoveTo(-2000000000, 1);
  c->LineTo(2000000000, 1);
  EXPECT_EQ(CountColor(bmp, clBlack), 10);
  c->Pen()->SetWidth(3);
  c->Pen()->SetColor(clRed);
  c->MoveTo(2000000000, 1);
  c->LineTo(-2000000000, 1);
  EXPECT_EQ(CountColor(bmp, clRed), 30);
}

TEST(CanvasLine, DotsAndDashesFollowTheCosmeticPattern) {
  TBitmap bmp(30, 2);
  TCanvas* c = bmp.Canvas();
  c->Pen()->SetStyle(psDot);
  c->MoveTo(0, 0);
  c->LineTo(13, 0);
  c->Pen()->SetStyle(psDash);
  c->MoveTo(0, 1);
  c->LineTo(30, 1);
  EXPECT_EQ(Art(bmp), (Rows{"XXX...XXX...X.................",  //
                            "XXXXXXXXXXXXXXXXXX......XXXXXX"}));
}

TEST(CanvasLine, ThickLineCoversItsWidth) {
  TBitmap bmp(12, 7);
  TCanvas* c = bmp.Canvas();
  c->Pen()->SetWidth(3);
  c->MoveTo(2, 3);
  c->LineTo(9, 3);
  for (int y = 0; y < 7; ++y)
    EXPECT_EQ(c->Pixels(5, y), (y >= 2 && y <= 4) ? clBlack : clWhite) << y;
  c->Pen()->SetWidth(2);  // an even width leans up
  c->Pen()->SetColor(clRed);
  c->MoveTo(5, 0);
  c->LineTo(5, 6);
  EXPECT_EQ(c->Pixels(4, 3), clRed);
  EXPECT_EQ(c->Pixels(5, 3), clRed);
  EXPECT_NE(c->Pixels(6, 3), clRed);
}

TEST(CanvasPolyline, KeepsPenPosAndPaintsJointsOnce) {
  TBitmap bmp(8, 8);
  TCanvas* c = bmp.Canvas();
  c->MoveTo(7, 7);
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetColor(clWhite);  // white xor: inverts
  const std::vector<TPoint> path{{1, 1}, {6, 1}, {6, 6}, {1, 6}, {1, 2}};
  c->Polyline(path);
  EXPECT_EQ(c->PenPos(), Point(7, 7));
  EXPECT_EQ(CountColor(bmp, clBlack), 19);  // 5 + 5 + 5 + 4: joints once, last end left out
  EXPECT_EQ(c->Pixels(6, 1), clBlack);
  EXPECT_EQ(c->Pixels(1, 2), clWhite);
  c->Polyline(path);
  EXPECT_EQ(CountColor(bmp, clWhite), 64);
  c->Pen()->SetWidth(3);  // thick xor polylines also touch each pixel once
  c->Polyline(path);
  c->Polyline(path);
  EXPECT_EQ(CountColor(bmp, clWhite), 64);
}

TEST(PenModes, EachModeIsItsTruthTable) {
  // Destination bits 1100, pen bits 1010 in every byte give each mode a
  // distinct result.
  const TPixel d = 0xCCCCCC, p = 0xAAAAAA;
  const std::pair<TPenMode, TPixel> table[] = {
      {pmBlack, 0x000000},       {pmWhite, 0xFFFFFF},      {pmNop, 0xCCCCCC},
      {pmNot, 0x333333},         {pmCopy, 0xAAAAAA},       {pmNotCopy, 0x555555},
      {pmMergePenNot, 0xBBBBBB}, {pmMaskPenNot, 0x222222}, {pmMergeNotPen, 0xDDDDDD},
      {pmMaskNotPen, 0x444444},  {pmMerge, 0xEEEEEE},      {pmNotMerge, 0x111111},
      {pmMask, 0x888888},        {pmNotMask, 0x777777},    {pmXor, 0x666666},
      {pmNotXor, 0x999999}};
  for (const auto& [mode, expected] : table) {
    EXPECT_EQ(raster::Mix(mode, d, p), expected) << int(mode);
    TBitmap bmp(1, 1);
    bmp.Canvas()->SetPixels(0, 0, PixelToColor(d));
    bmp.Canvas()->Pen()->SetColor(PixelToColor(p));
    bmp.Canvas()->Pen()->SetMode(mode);
    bmp.Canvas()->PlotPenPixel(0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), PixelToColor(expected)) << int(mode);
  }
}

TEST(PenModes, NotAndXorShapesUndoThemselves) {
  TBitmap bmp(12, 12);
  TCanvas* c = bmp.Canvas();
  c->SetPixels(5, 5, clRed);
  c->Brush()->SetColor(clBlue);
  c->Pen()->SetMode(pmNot);
  c->Rectangle(2, 2, 10, 10);
  EXPECT_EQ(c->Pixels(2, 2), clBlack);
  EXPECT_EQ(c->Pixels(5, 5), clAqua);  // not red: the interior is inverted too
  c->Rectangle(2, 2, 10, 10);
  EXPECT_EQ(c->Pixels(5, 5), clRed);
  EXPECT_EQ(CountColor(bmp, clWhite), 143);
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetWidth(2);
  c->Ellipse(1, 1, 11, 11);
  c->Ellipse(1, 1, 11, 11);
  EXPECT_EQ(CountColor(bmp, clWhite), 143);
}

}  // namespace
}  // namespace host
