// The arrow triangle every scroll bar, drop-down button and menu draws.
#include <gtest/gtest.h>

#include "host/widgets/Look.h"
#include "tests/host/gfx/test_canvas_art.h"

namespace host {
namespace {

using testing::Art;
using Rows = std::vector<std::string>;

// An arrow drawn on a 9 x 9 button face, its rectangle the whole picture.
Rows ArrowArt(TArrowDirection d, int size, bool enabled) {
  TBitmap bmp(9, 9);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(Rect(0, 0, 9, 9));
  DrawArrow(c, Rect(0, 0, 9, 9), d, size, clBlack, enabled);
  return Art(bmp, {{ColorToRGB(clBtnFace), '.'},
                   {ColorToRGB(clBtnHighlight), 'h'},
                   {ColorToRGB(clBtnShadow), 's'}});
}

TEST(DrawArrow, UpAndDownShareTheirRowsAroundTheCentre) {
  EXPECT_EQ(ArrowArt(adUp, 4, true), (Rows{".........",  //
                                           ".........",  //
                                           "....X....",  //
                                           "...XXX...",  //
                                           "..XXXXX..",  //
                                           ".XXXXXXX.",  //
                                           ".........",  //
                                           ".........",  //
                                           "........."}));
  EXPECT_EQ(ArrowArt(adDown, 4, true), (Rows{".........",  //
                                             ".........",  //
                                             ".XXXXXXX.",  //
                                             "..XXXXX..",  //
                                             "...XXX...",  //
                                             "....X....",  //
                                             ".........",  //
                                             ".........",  //
                                             "........."}));
}

TEST(DrawArrow, LeftAndRightAreTheUprightOnesTurned) {
  EXPECT_EQ(ArrowArt(adLeft, 3, true), (Rows{".........",  //
                                             ".........",  //
                                             ".....X...",  //
                                             "....XX...",  //
                                             "...XXX...",  //
                                             "....XX...",  //
                                             ".....X...",  //
                                             ".........",  //
                                             "........."}));
  EXPECT_EQ(ArrowArt(adRight, 3, true), (Rows{".........",  //
                                              ".........",  //
                                              "...X.....",  //
                                              "...XX....",  //
                                              "...XXX...",  //
                                              "...XX....",  //
                                              "...X.....",  //
                                              ".........",  //
                                              "........."}));
}

TEST(DrawArrow, DisabledIsEmbossedAndIgnoresTheColour) {
  EXPECT_EQ(ArrowArt(adDown, 3, false), (Rows{".........",  //
                                              ".........",  //
                                              ".........",  //
                                              "..sssss..",  //
                                              "...ssshh.",  //
                                              "....shh..",  //
                                              ".....h...",  //
                                              ".........",  //
                                              "........."}));
}

TEST(DrawArrow, LeavesTheBrushAsItFoundIt) {
  TBitmap bmp(9, 9);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  c->Brush()->SetStyle(bsClear);
  DrawArrow(c, Rect(0, 0, 9, 9), adUp, 4, clBlue, true);
  EXPECT_EQ(c->Brush()->Color(), clRed);
  EXPECT_EQ(c->Brush()->Style(), bsClear);
  EXPECT_EQ(c->Pixels(4, 2), clBlue);  // drawn even though the brush was clear
}

}  // namespace
}  // namespace host
