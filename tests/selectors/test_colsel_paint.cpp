// TColSel's items by pixel: the colour bar, the edit mark and its colour, the
// disabled look; and whole boxes as a golden picture.
#include <gtest/gtest.h>

#include "selectors/ZEL_Colbut.h"
#include "selectors/ZEL_Colsel.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::TColor;

namespace {

constexpr TColor kSilver = 0xC0C0C0, kGrey = 0x808080;

// The closed box draws its item in (3, 3) .. (button, height - 3), so the bar
// runs from x 6 to 6 + ColorBarWidth and the edit mark's left edge is x 8.
class ColSelPaint : public zeltest::HeadlessTest {
 protected:
  TColSel* Box(int top = 10) {
    auto* b = Make<TColSel>(10, top, 170, 0);
    b->Font()->SetQuality(host::fqNonAntialiased);
    b->LoadBasicVGAPalette();
    return b;
  }
  static int Mid(TColSel* b) { return b->Height() / 2; }
};

}  // namespace

TEST_F(ColSelPaint, TheBarShowsTheSlotColourInsideItsOutline) {
  TColSel* b = Box();
  b->SetSelColor(host::clTeal);
  EXPECT_EQ(zeltest::PixelAt(b, 7, Mid(b)), host::clTeal);
  EXPECT_EQ(zeltest::PixelAt(b, 34, 6), host::clTeal);
  EXPECT_EQ(zeltest::PixelAt(b, 35, Mid(b)), host::clBlack);  // the right edge of the outline
  EXPECT_NE(zeltest::PixelAt(b, 37, Mid(b)), host::clTeal);
  b->SetColorBarWidth(60);
  EXPECT_EQ(zeltest::PixelAt(b, 60, Mid(b)), host::clTeal);
  b->SetColorBarWidth(-1);
  EXPECT_EQ(b->ColorBarWidth(), 60);
}

TEST_F(ColSelPaint, TheEditMarkIsWhiteOnDarkBarsAndBlackOnLightOnes) {
  TColSel* b = Box();
  b->SetAllColorEditFlags();
  EXPECT_EQ(zeltest::PixelAt(b, 8, 9), host::clWhite);    // on black
  EXPECT_EQ(zeltest::PixelAt(b, 14, 10), host::clWhite);  // its right edge
  b->SetSelColor(host::clYellow);  // brightness sqrt(255² + 2·255²) / 2 > 180
  EXPECT_EQ(zeltest::PixelAt(b, 8, 9), host::clBlack);
  b->SetSelColor(host::clGreen);  // sqrt(2·128²) / 2 = 90.5: dark
  EXPECT_EQ(zeltest::PixelAt(b, 8, 9), host::clWhite);
  b->SetArrayColor(3, host::RGB(0, 179, 255));  // sqrt(255² + 2·179²) / 2 = 179.7: dark
  EXPECT_EQ(zeltest::PixelAt(b, 8, 9), host::clWhite);
  b->SetArrayColor(3, host::RGB(0, 180, 255));  // 180.2: light
  EXPECT_EQ(zeltest::PixelAt(b, 8, 9), host::clBlack);
}

TEST_F(ColSelPaint, NoEditMarkOnANarrowBarANonEditableSlotOrADisabledBox) {
  TColSel* b = Box();
  b->SetArrayAllowEdit(1, true);
  b->SetColorBarWidth(11);
  EXPECT_EQ(zeltest::PixelAt(b, 8, 9), host::clBlack);
  b->SetColorBarWidth(12);
  EXPECT_EQ(zeltest::PixelAt(b, 8, 9), host::clWhite);
  b->ResetAllColorEditFlags();
  EXPECT_EQ(zeltest::PixelAt(b, 8, 9), host::clBlack);
}

TEST_F(ColSelPaint, ADisabledBoxShowsAGreyBarOnSilver) {
  TColSel* b = Box();
  b->SetSelColor(host::clRed);
  b->SetAllColorEditFlags();
  b->SetEnabled(false);
  EXPECT_FALSE(b->Enabled());
  EXPECT_EQ(zeltest::PixelAt(b, 20, Mid(b)), kSilver);
  EXPECT_EQ(zeltest::PixelAt(b, 8, 9), kSilver);  // no edit mark
  EXPECT_EQ(zeltest::PixelAt(b, 6, Mid(b)), kGrey);
  EXPECT_EQ(zeltest::PixelAt(b, 4, 4), kSilver);
  EXPECT_EQ(zeltest::PixelAt(b, 40, 4), kSilver);  // behind the name
  b->SetEnabled(true);
  EXPECT_EQ(zeltest::PixelAt(b, 20, Mid(b)), host::clRed);
}

TEST_F(ColSelPaint, BoxesAndColourButtonsInTheirLooks) {
  Form()->SetBounds(0, 0, 380, 130);
  TColSel* vga = Box(8);
  vga->SetSelColor(host::clNavy);
  TColSel* edit = Box(40);
  edit->SetAllColorEditFlags();
  edit->SetSelColor(host::clYellow);
  edit->SetColorBarWidth(50);
  TColSel* sys = Box(72);
  sys->LoadWindowsSystemPalette();
  sys->SetSelColor(host::clHighlight);
  TColSel* off = Box(100);
  off->SetSelColor(host::clRed);
  off->SetEnabled(false);
  for (int i = 0; i < 2; ++i) {
    auto* cb = Make<TColorButton>(200, 8 + 60 * i, 160, 50);
    cb->Font()->SetQuality(host::fqNonAntialiased);
    cb->SetColor(i ? host::RGB(250, 230, 120) : host::RGB(40, 60, 140));
    cb->Font()->SetColor(i ? host::clBlack : host::clWhite);
    cb->SetCaption(i ? "light" : "dark");
  }
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "colsel-looks"));
}
