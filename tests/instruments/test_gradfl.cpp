// The gradient fill: band edges and colours by pixel, the mid-band rule, the
// band count's limits, the flipped colours, the grid and the frame.
#include <gtest/gtest.h>

#include "instruments/ZEL_gradfl.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::TColor;
using zeltest::PixelAt;

namespace {

class GradFill : public zeltest::HeadlessTest {
 protected:
  TGradFill* Fill(int w = 121, int h = 121) {
    Form()->SetBounds(0, 0, 300, 200);
    TGradFill* g = Make<TGradFill>(5, 5, w, h);
    zeltest::Pump();
    return g;
  }
};

constexpr TColor kMaroon = 0x000080, kYellow = 0x00FFFF;

TEST_F(GradFill, DefaultHasSixteenBandsFromMaroonTowardYellow) {
  TGradFill* g = Fill();
  // Band edges MulDiv(n, 121, 16): 8, 15, 23 ... 106, 113.
  EXPECT_EQ(PixelAt(g, 60, 0), kMaroon);
  EXPECT_EQ(PixelAt(g, 60, 7), kMaroon);
  EXPECT_EQ(PixelAt(g, 0, 8), TColor(0x001088));  // R 128 + 8, G 16
  EXPECT_EQ(PixelAt(g, 120, 14), TColor(0x001088));
  EXPECT_EQ(PixelAt(g, 60, 15), TColor(0x002090));
  EXPECT_EQ(PixelAt(g, 60, 112), TColor(0x00DFEF));  // band 14
  // The last band stops one step short of yellow.
  EXPECT_EQ(PixelAt(g, 60, 113), TColor(0x00EFF7));
  EXPECT_EQ(PixelAt(g, 60, 120), TColor(0x00EFF7));
}

TEST_F(GradFill, VerticalBandsRunFromLeftToRight) {
  TGradFill* g = Fill(100, 40);
  g->SetFillType(gtVert);
  g->SetNrColors(3);
  g->SetColorFirst(0x000000);
  g->SetColorLast(0x969696);
  zeltest::Pump();
  // Edges MulDiv(1, 100, 3) = 33 and MulDiv(2, 100, 3) = 67; colours 0, 50, 100.
  EXPECT_EQ(PixelAt(g, 32, 20), TColor(0x000000));
  EXPECT_EQ(PixelAt(g, 33, 0), TColor(0x323232));
  EXPECT_EQ(PixelAt(g, 66, 39), TColor(0x323232));
  EXPECT_EQ(PixelAt(g, 67, 20), TColor(0x646464));
  EXPECT_EQ(PixelAt(g, 99, 20), TColor(0x646464));
}

TEST_F(GradFill, MidBandRuleForOddAndEvenBandCounts) {
  const TColor a = 0x000000, b = 0xC8C8C8;  // 200 per channel
  auto grey = [](int v) { return TColor(v * 0x010101); };
  const int five[] = {0, 100, 200, 100, 0};
  for (int n = 0; n < 5; ++n) EXPECT_EQ(GradBandColor(a, b, gtMidBandHoriz, n, 5), grey(five[n]));
  // Kept as it draws: an even count is not symmetric, the last band is the first colour.
  const int four[] = {0, 100, 200, 0};
  for (int n = 0; n < 4; ++n) EXPECT_EQ(GradBandColor(a, b, gtMidBandVert, n, 4), grey(four[n]));
  const int six[] = {0, 67, 133, 200, 67, 0};
  for (int n = 0; n < 6; ++n) EXPECT_EQ(GradBandColor(a, b, gtMidBandHoriz, n, 6), grey(six[n]));
  EXPECT_EQ(GradBandColor(a, b, gtMidBandHoriz, 0, 2), grey(0));
  EXPECT_EQ(GradBandColor(a, b, gtMidBandHoriz, 1, 2), grey(200));
}

TEST_F(GradFill, ChannelsMoveIndependentlyAndDownward) {
  // Red falls, green rises, blue stays.
  const TColor c = GradBandColor(0x4000FF, 0x40FF00, gtHoriz, 1, 4);
  EXPECT_EQ(c, TColor(0x4040BF));
}

TEST_F(GradFill, MidBandFillPutsTheLastColourInTheMiddle) {
  TGradFill* g = Fill(50, 100);
  g->SetFillType(gtMidBandHoriz);
  g->SetNrColors(5);
  g->SetColorFirst(0x000000);
  g->SetColorLast(0xC8C8C8);
  zeltest::Pump();
  EXPECT_EQ(PixelAt(g, 25, 10), TColor(0x000000));
  EXPECT_EQ(PixelAt(g, 25, 30), TColor(0x646464));
  EXPECT_EQ(PixelAt(g, 25, 50), TColor(0xC8C8C8));
  EXPECT_EQ(PixelAt(g, 25, 70), TColor(0x646464));
  EXPECT_EQ(PixelAt(g, 25, 90), TColor(0x000000));
}

TEST_F(GradFill, BandCountIsClampedAndOneBandIsTheFirstColour) {
  TGradFill* g = Fill(60, 60);
  g->SetNrColors(0);
  EXPECT_EQ(g->NrColors(), 1);
  g->SetNrColors(1000);
  EXPECT_EQ(g->NrColors(), 255);
  g->SetNrColors(-7);
  EXPECT_EQ(g->NrColors(), 1);
  for (TGradType t : {gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert}) {
    g->SetFillType(t);
    zeltest::Pump();
    EXPECT_EQ(PixelAt(g, 0, 0), kMaroon) << int(t);
    EXPECT_EQ(PixelAt(g, 59, 59), kMaroon) << int(t);
  }
}

TEST_F(GradFill, MoreBandsThanRowsShowTheBandsThatOwnARow) {
  TGradFill* g = Fill(20, 10);
  g->SetNrColors(255);
  zeltest::Pump();
  // Bands 0..11 are empty (they round to row 0 at both edges); row 0 is band
  // 12: R 128 + 6, G 12.
  EXPECT_EQ(PixelAt(g, 10, 0), TColor(0x000C86));
  // Row 9 is band 242 (MulDiv(242, 10, 255) = 9): R 128 + 121, G 242.
  EXPECT_EQ(PixelAt(g, 10, 9), TColor(0x00F2F9));
}

TEST_F(GradFill, FlippingExchangesTheColoursAndRemembersWhatWasGiven) {
  TGradFill* g = Fill(40, 40);
  g->SetNrColors(2);
  g->SetColorFlipped(true);
  EXPECT_EQ(g->ColorFirst(), kYellow);
  EXPECT_EQ(g->ColorLast(), kMaroon);
  g->SetColorFlipped(true);  // the same value again does not toggle back
  EXPECT_EQ(g->ColorFirst(), kYellow);
  g->SetColorFirst(0x00FF00);
  zeltest::Pump();
  EXPECT_EQ(PixelAt(g, 20, 0), TColor(0x00FF00));
  g->SetColorFlipped(false);
  EXPECT_EQ(g->ColorFirst(), kMaroon);
  EXPECT_EQ(g->ColorLast(), TColor(0x00FF00));
}

TEST_F(GradFill, SystemColoursAreResolvedBeforeBlending) {
  TGradFill* g = Fill(40, 40);
  g->SetColorFirst(host::clBtnFace);
  g->SetColorLast(host::clBtnFace);
  zeltest::Pump();
  const TColor face = host::ColorToRGB(host::clBtnFace);
  EXPECT_EQ(PixelAt(g, 20, 0), face);
  EXPECT_EQ(PixelAt(g, 20, 39), face);
}

TEST_F(GradFill, GridLinesEveryTenPixelsUnderTheFrame) {
  TGradFill* g = Fill(45, 35);
  g->SetNrColors(1);
  g->SetGridColor(0x00FF00);
  g->SetGridMode(gmHoriz);
  zeltest::Pump();
  EXPECT_EQ(PixelAt(g, 5, 10), TColor(0x00FF00));
  EXPECT_EQ(PixelAt(g, 44, 30), TColor(0x00FF00));
  EXPECT_EQ(PixelAt(g, 10, 5), kMaroon);
  EXPECT_EQ(PixelAt(g, 5, 11), kMaroon);
  g->SetGridMode(gmBoth);
  g->SetFrameStyle(frSimple);
  zeltest::Pump();
  EXPECT_EQ(PixelAt(g, 10, 5), TColor(0x00FF00));
  EXPECT_EQ(PixelAt(g, 40, 5), TColor(0x00FF00));
  EXPECT_EQ(PixelAt(g, 5, 10), TColor(0x00FF00));
  EXPECT_EQ(PixelAt(g, 0, 10), TColor(0x808080));  // frame over the grid
  EXPECT_EQ(PixelAt(g, 10, 34), TColor(0x808080));
  EXPECT_EQ(PixelAt(g, 5, 5), kMaroon);
  EXPECT_TRUE(g->Layout().GridRows == (std::vector<int>{10, 20, 30}));
  EXPECT_TRUE(g->Layout().GridCols == (std::vector<int>{10, 20, 30, 40}));
}

TEST_F(GradFill, SettersRepaintEvenWhenUnchangedButFillTypeDoesNot) {
  TGradFill* g = Fill(40, 40);
  int paints = 0;
  g->SetOnPaint([&](host::TObject*) { ++paints; });
  g->SetNrColors(16);
  zeltest::Pump();
  EXPECT_EQ(paints, 1);
  g->SetFillType(gtHoriz);
  zeltest::Pump();
  EXPECT_EQ(paints, 1);
  g->SetFillType(gtVert);
  zeltest::Pump();
  EXPECT_EQ(paints, 2);
}

TEST_F(GradFill, AssignCopiesTheSettingsWithTheGivenColours) {
  TGradFill* g = Fill(40, 40);
  g->SetColorFlipped(true);
  g->SetNrColors(7);
  g->SetGridMode(gmVert);
  auto* copy = Make<TGradFill>(60, 5, 40, 40);
  copy->Assign(g);
  EXPECT_EQ(copy->NrColors(), 7);
  EXPECT_EQ(copy->GridMode(), gmVert);
  EXPECT_EQ(copy->ColorFirst(), kYellow);
  copy->SetColorFlipped(false);
  EXPECT_EQ(copy->ColorFirst(), kMaroon);
}

}  // namespace
