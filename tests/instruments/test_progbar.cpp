// TProgBar on a headless form: settings, the colour table, the bar by pixels in
// every mapping and direction, the grid, the frames, the value text, the
// background picture and Assign.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "instruments/ZEL_ProgBar.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::TColor;

namespace {

constexpr TColor kMargin = 0x00FFFF;  // yellow
constexpr TColor kBack = 0xFFFFFF;
constexpr TColor kGrid = 0x00FF00;
constexpr TColor kBlue = 0xFF0000;

class ProgBarTest : public zeltest::HeadlessTest {
 protected:
  // A plain bar: no frames and no text, so every pixel is margin, area or bar.
  // 108 x 30 with margins 4 makes a bar area of 100 x 22 at (4, 4).
  TProgBar* Plain(int w = 108, int h = 30) {
    auto* b = Make<TProgBar>(10, 10, w, h);
    b->SetOuterFrameStyle(frNone);
    b->SetInnerFrameStyle(frNone);
    b->SetShowValue(false);
    b->SetColorMargin(kMargin);
    b->SetColorBakG(kBack);
    b->SetColorGrid(kGrid);
    return b;
  }
  // A plain gradient bar whose table entry i holds the colour i, so that a
  // pixel tells its table index.
  TProgBar* Indexed(TColorMapping m, double value) {
    TProgBar* b = Plain();
    for (int i = 0; i < TProgBar::kColorTableSize; ++i) b->SetBarColorElem(i, TColor(i));
    b->SetColorGrad(true);
    b->SetColorMapMode(m);
    b->SetPBarValue(value);
    return b;
  }
  static TColor At(TProgBar* b, int x, int y) { return zeltest::PixelAt(b, x, y); }
};

}  // namespace

TEST_F(ProgBarTest, AFreshBarIsTenPercentFilledInBlueWithTheTextCentredOnItsAnchor) {
  auto* b = new TProgBar(Form());
  EXPECT_EQ(b->Width(), 300);
  EXPECT_EQ(b->Height(), 28);
  EXPECT_EQ(b->Direction(), drRight);
  EXPECT_EQ(b->ColorMin(), 0xFF0000u);
  EXPECT_EQ(b->ColorMax(), 0x0000FFu);
  EXPECT_EQ(b->ValueText(), "10");
  const TProgBar::TLayout l = b->Layout();
  EXPECT_EQ(l.Area, host::Rect(4, 4, 296, 24));
  EXPECT_EQ(l.Fill, 29);  // Round(292 * 0.1)
  EXPECT_EQ(l.Bar, host::Rect(4, 4, 33, 24));
}

TEST_F(ProgBarTest, SettersClampAsDocumented) {
  TProgBar* b = Plain();
  b->SetRange(80, 20);
  EXPECT_EQ(b->Min(), 20);
  EXPECT_EQ(b->Max(), 80);
  b->SetStartIv(3);
  EXPECT_EQ(b->StartInterval(), 10);
  b->SetRepeatIv(-5);
  EXPECT_EQ(b->RepeatInterval(), 10);
  b->SetAutoIncStep(2.5);
  b->SetAutoIncStep(0);
  EXPECT_EQ(b->AutoIncStep(), 2.5);
  b->SetTextDecPl(20);
  EXPECT_EQ(b->TextDecPlaces(), 10);
  b->SetTextDecPl(-7);
  EXPECT_EQ(b->TextDecPlaces(), -2);
  b->SetTextAngle(-10);
  EXPECT_EQ(b->TextAngle(), 0);
  b->SetTextAngle(400);
  EXPECT_EQ(b->TextAngle(), 360);
  b->SetTextPosX(1000);
  EXPECT_EQ(b->TextPosX(), 108);
  b->SetTextPosY(-3);
  EXPECT_EQ(b->TextPosY(), 0);
  b->SetColorScheme(csmSystem);
  EXPECT_EQ(b->ColGrayLine(), host::clBtnShadow);
  EXPECT_EQ(b->ColWhiteLine(), host::clBtnHighlight);
}

TEST_F(ProgBarTest, ColourTableInterpolatesBetweenItsEnds) {
  TProgBar* b = Plain();
  // Entry 512 of blue..red: trunc(255 - 255 * 512/1023) blue, trunc(255 * 512/1023) red.
  EXPECT_EQ(b->GetBarColorElem(512), 0x7F007Fu);
  EXPECT_EQ(b->GetBarColorElem(1), 0xFE0000u);
  EXPECT_EQ(b->GetBarColorElem(-1), 0u);
  EXPECT_EQ(b->GetBarColorElem(1024), 0u);
  b->SetBarColorElem(1024, 0x123456);  // ignored, no crash

  // A loaded entry stays until an end colour is set again.
  b->SetBarColorElem(300, 0x123456);
  EXPECT_EQ(b->GetBarColorElem(300), 0x123456u);
  b->SetColorMax(0x00FF00);
  EXPECT_EQ(b->GetBarColorElem(1023), 0x00FF00u);
  EXPECT_EQ(b->GetBarColorElem(1022), 0x00FE00u);
  EXPECT_NE(b->GetBarColorElem(300), 0x123456u);
}

TEST_F(ProgBarTest, ASystemColourAtAnEndBlendsAsTheColourItStandsFor) {
  TProgBar* b = Plain();
  b->SetColorMin(host::clBtnFace);
  b->SetColorMax(host::clBtnFace);
  EXPECT_EQ(b->ColorMin(), host::clBtnFace);
  EXPECT_EQ(b->GetBarColorElem(1), host::ColorToRGB(host::clBtnFace));
  EXPECT_EQ(b->GetBarColorElem(1022), host::ColorToRGB(host::clBtnFace));
}

TEST_F(ProgBarTest, OneColourBarFillsItsShareOfTheArea) {
  TProgBar* b = Plain();
  b->SetPBarValue(50);  // 50 of 100 columns: 4..53
  EXPECT_EQ(At(b, 4, 4), kBlue);
  EXPECT_EQ(At(b, 53, 25), kBlue);
  EXPECT_EQ(At(b, 54, 10), kBack);
  EXPECT_EQ(At(b, 3, 10), kMargin);
  EXPECT_EQ(At(b, 10, 26), kMargin);

  b->SetDirection(drUp);  // 11 of 22 rows from the bottom: 15..25
  EXPECT_EQ(At(b, 4, 25), kBlue);
  EXPECT_EQ(At(b, 103, 15), kBlue);
  EXPECT_EQ(At(b, 50, 14), kBack);
  EXPECT_EQ(At(b, 104, 20), kMargin);
}

TEST_F(ProgBarTest, TheOtherDirectionsDrawNoBar) {
  TProgBar* b = Plain();
  b->SetPBarValue(100);
  for (TDirection d : {drDown, drLeft}) {
    b->SetDirection(d);
    EXPECT_FALSE(b->Layout().HasBar);
    EXPECT_EQ(At(b, 10, 10), kBack) << int(d);
    EXPECT_EQ(At(b, 100, 20), kBack) << int(d);
  }
}

TEST_F(ProgBarTest, AValueBelowMinDrawsNothingInEitherDirection) {
  TProgBar* b = Plain();
  b->SetGridDist(5);
  b->SetPBarValue(-50);
  for (bool gradient : {false, true}) {
    b->SetColorGrad(gradient);
    for (TDirection d : {drUp, drRight}) {
      b->SetDirection(d);
      EXPECT_FALSE(b->Layout().HasBar);
      // Not turned round into the margin before or below the area either.
      EXPECT_EQ(At(b, 4, 27), kMargin);
      EXPECT_EQ(At(b, 1, 10), kMargin);
      EXPECT_EQ(At(b, 4, 25), kBack);
      EXPECT_EQ(At(b, 4, 10), kBack);
    }
  }
}

TEST_F(ProgBarTest, NoRangeOrNoNumberShowsAnEmptyBar) {
  TProgBar* b = Plain();
  b->SetColorGrad(true);
  b->SetRange(5, 5);
  for (double v : {5.0, 7.0, std::nan("")}) {
    b->SetPBarValue(v);
    EXPECT_EQ(b->Layout().Fill, 0);
    EXPECT_EQ(At(b, 4, 10), kBack);
  }
  b->SetRange(0, 100);
  b->SetMarginLeft(200);  // no area at all
  b->SetPBarValue(50);
  EXPECT_FALSE(b->Layout().HasBar);
}

TEST_F(ProgBarTest, AValueFarAboveMaxRunsToTheControlsEdgeUnderTheFrames) {
  TProgBar* b = Plain();
  for (double v : {1e12, 1e300, std::numeric_limits<double>::infinity()}) {
    b->SetDirection(drRight);
    b->SetPBarValue(v);
    EXPECT_EQ(b->Layout().Bar, host::Rect(4, 4, 108, 26));
    EXPECT_EQ(At(b, 107, 10), kBlue);
    EXPECT_EQ(At(b, 10, 27), kMargin);
    b->SetDirection(drUp);
    EXPECT_EQ(b->Layout().Bar, host::Rect(4, 0, 104, 26));
    EXPECT_EQ(At(b, 10, 0), kBlue);
  }
  b->SetOuterFrameStyle(frSimple);
  EXPECT_EQ(At(b, 10, 0), 0x808080u);
}

TEST_F(ProgBarTest, CoverMappingFixesTheTableToTheArea) {
  TProgBar* b = Indexed(cgmCover, 50);
  EXPECT_EQ(At(b, 4, 10), 0u);
  EXPECT_EQ(At(b, 4 + 49, 10), 501u);  // Round(49 * 1023 / 100)
  EXPECT_EQ(At(b, 4 + 50, 10), kBack);
  b->SetPBarValue(100);
  EXPECT_EQ(At(b, 4 + 49, 10), 501u);
  EXPECT_EQ(At(b, 4 + 99, 10), 1013u);
  b->SetDirection(drUp);  // 22 rows; the line k is row 25 - k
  EXPECT_EQ(At(b, 50, 25), 0u);
  EXPECT_EQ(At(b, 50, 15), 465u);  // Round(10 * 1023 / 22)
}

TEST_F(ProgBarTest, StretchMappingSqueezesTheTableOntoTheBar) {
  TProgBar* b = Indexed(cgmStretch, 50);
  EXPECT_EQ(At(b, 4, 10), 0u);
  EXPECT_EQ(At(b, 4 + 25, 10), 512u);   // Round(25 * 1023 / 50) = Round(511.5)
  EXPECT_EQ(At(b, 4 + 49, 10), 1003u);  // Round(49 * 1023 / 50)
  b->SetPBarValue(1e12);                // the true length squeezes the table: the area starts blue
  EXPECT_EQ(At(b, 4 + 99, 10), 0u);
}

TEST_F(ProgBarTest, MoveMappingEndsWithTheLastColourAtTheLeadingEdge) {
  TProgBar* b = Indexed(cgmMove, 50);
  EXPECT_EQ(At(b, 4 + 49, 10), 1023u);
  EXPECT_EQ(At(b, 4, 10), 522u);  // 0 - Round(49 * 1023 / 100) + 1023
  b->SetPBarValue(10);
  EXPECT_EQ(At(b, 4 + 9, 10), 1023u);
  b->SetDirection(drUp);  // fill Round(2.2) = 2: rows 25 and 24
  EXPECT_EQ(At(b, 50, 24), 1023u);
  EXPECT_EQ(At(b, 50, 25), 977u);  // 0 - Round(1023 / 22) + 1023
  b->SetPBarValue(1e12);           // everything before the edge is below entry 0
  EXPECT_EQ(At(b, 50, 5), 0u);
}

TEST_F(ProgBarTest, GridLinesCoverTheFilledPartOnly) {
  TProgBar* b = Plain();
  b->SetPBarValue(50);  // bar columns 4..53, edge 54
  b->SetGridDist(10);
  for (int x : {4, 14, 44, 54}) EXPECT_EQ(At(b, x, 10), kGrid) << x;
  EXPECT_EQ(At(b, 15, 10), kBlue);
  EXPECT_EQ(At(b, 64, 10), kBack);

  b->SetDirection(drUp);  // rows 15..25, lines at 25 and 15
  EXPECT_EQ(At(b, 50, 25), kGrid);
  EXPECT_EQ(At(b, 50, 15), kGrid);
  EXPECT_EQ(At(b, 50, 16), kBlue);
  EXPECT_EQ(At(b, 50, 5), kBack);

  b->SetPBarValue(1e12);  // over the whole area, but not into the margin
  EXPECT_EQ(At(b, 50, 5), kGrid);
  EXPECT_EQ(At(b, 50, 3), kBlue);
  b->SetGridDist(1);
  EXPECT_EQ(At(b, 50, 5), kBlue);
}

TEST_F(ProgBarTest, FramesFollowTheirRuleInTheLineColours) {
  TProgBar* b = Plain(40, 20);
  b->SetPBarValue(0);
  const TColor grey = 0x808080, black = 0, white = 0xFFFFFF;
  struct Case {
    TFrameStyle Style;
    TColor TopLeft, Inner, BottomRight, NextToRight;
  };
  // (0,0), (1,1), (39,19) and (38,1) of a 40 x 20 frame.
  const Case cases[] = {{frSimple, grey, kMargin, grey, kMargin},
                        {frLowered, grey, black, white, grey},
                        {frRaised, grey, white, black, grey},
                        {frEmbossed, white, grey, grey, white},
                        {frEngraved, grey, white, white, grey}};
  for (const Case& c : cases) {
    b->SetOuterFrameStyle(c.Style);
    EXPECT_EQ(At(b, 0, 0), c.TopLeft) << int(c.Style);
    EXPECT_EQ(At(b, 1, 1), c.Inner) << int(c.Style);
    EXPECT_EQ(At(b, 39, 19), c.BottomRight) << int(c.Style);
    EXPECT_EQ(At(b, 38, 1), c.NextToRight) << int(c.Style);
    if (c.Style != frSimple) {
      EXPECT_EQ(At(b, 0, 19), kMargin) << int(c.Style);
      EXPECT_EQ(At(b, 39, 0), kMargin) << int(c.Style);
    }
  }
  // The inner frame on the area's box (4, 4, 36, 16).
  b->SetOuterFrameStyle(frNone);
  b->SetInnerFrameStyle(frLowered);
  EXPECT_EQ(At(b, 5, 5), black);
  EXPECT_EQ(At(b, 35, 15), white);
  EXPECT_EQ(At(b, 4, 15), kMargin);
}

namespace {

// The box round the pixels in `ink` inside the bar (empty when there are none).
host::TRect InkBox(TProgBar* b, TColor ink) {
  host::TRect r{b->Width(), b->Height(), 0, 0};
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x)
      if (zeltest::PixelAt(b, x, y) == ink) {
        r.Left = std::min(r.Left, x), r.Right = std::max(r.Right, x + 1);
        r.Top = std::min(r.Top, y), r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

int CentreX(const host::TRect& r) { return (r.Left + r.Right) / 2; }
int CentreY(const host::TRect& r) { return (r.Top + r.Bottom) / 2; }

}  // namespace

TEST_F(ProgBarTest, ValueTextSitsOnItsAnchorAtAnyAngle) {
  TProgBar* b = Plain(110, 100);
  b->Font()->SetQuality(host::fqNonAntialiased);
  b->Font()->SetColor(0x0000FF);
  b->SetTextPosX(55);
  b->SetTextPosY(50);
  b->SetPBarValue(-88888);  // no bar, and a text of some length
  b->SetShowValue(true);
  for (int angle : {0, 45, 90, 180, 270}) {
    b->SetTextAngle(angle);
    const host::TRect ink = InkBox(b, 0x0000FF);
    // The glyphs' ink is not the text cell: allow for its leading and descent.
    EXPECT_NEAR(CentreX(ink), 55, 3) << angle;
    EXPECT_NEAR(CentreY(ink), 50, 3) << angle;
  }
  // Upright and turned a quarter, the text runs along its baseline.
  b->SetTextAngle(0);
  EXPECT_GT(InkBox(b, 0x0000FF).Width(), 2 * InkBox(b, 0x0000FF).Height());
  b->SetTextAngle(90);
  EXPECT_GT(InkBox(b, 0x0000FF).Height(), 2 * InkBox(b, 0x0000FF).Width());
  // Left aligned, the text starts at the anchor; right aligned, it ends there.
  b->SetTextAngle(0);
  b->SetAlignment(host::taLeftJustify);
  EXPECT_NEAR(InkBox(b, 0x0000FF).Left, 55, 2);
  b->SetAlignment(host::taRightJustify);
  EXPECT_NEAR(InkBox(b, 0x0000FF).Right, 55, 2);
  b->SetShowValue(false);
  EXPECT_TRUE(InkBox(b, 0x0000FF).IsEmpty());
}

TEST_F(ProgBarTest, OnShowValueMayReplaceTheText) {
  TProgBar* b = Plain();
  b->SetTextDecPl(2);
  b->SetPBarValue(3.14159);
  EXPECT_EQ(b->ValueText(), "3.14");
  b->SetOnShowValue([b](host::TObject* sender, std::string& text) {
    EXPECT_EQ(sender, b);
    text += " %";
  });
  EXPECT_EQ(b->ValueText(), "3.14 %");
}

TEST_F(ProgBarTest, BackgroundPictureIsStretchedOverTheAreaAndABadFileKeepsTheOldOne) {
  TProgBar* b = Plain();
  b->SetPBarValue(0);
  const auto dir = std::filesystem::temp_directory_path() / "zel-progbar-test";
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "halves.png").string();
  host::TBitmap pic(2, 1);
  pic.Canvas()->SetPixels(0, 0, 0x0000FF);
  pic.Canvas()->SetPixels(1, 0, 0x00FF00);
  pic.SaveToFile(file);

  b->SetBakGndFile(file);
  EXPECT_EQ(b->BackGroundImg(), file);
  EXPECT_EQ(At(b, 10, 10), 0x0000FFu);
  EXPECT_EQ(At(b, 90, 20), 0x00FF00u);
  EXPECT_EQ(At(b, 2, 10), kMargin);

  b->SetBakGndFile((dir / "missing.png").string());
  EXPECT_EQ(b->BackGroundImg(), file);
  EXPECT_EQ(b->BackGroundPicture().Width(), 2);
  EXPECT_EQ(At(b, 90, 20), 0x00FF00u);

  b->SetBakGndFile("");
  EXPECT_EQ(b->BackGroundImg(), "");
  EXPECT_EQ(At(b, 90, 20), kBack);
  std::filesystem::remove_all(dir);
}

TEST_F(ProgBarTest, AssignCopiesTheLookButNotTheTimerOrFont) {
  TProgBar* a = Plain();
  a->SetRange(-10, 10);
  a->SetPBarValue(5);
  a->SetDirection(drUp);
  a->SetBarColorElem(700, 0x010203);
  a->SetColorScheme(csmSystem);
  a->SetTextDecPl(-1);
  a->SetMarginBottom(9);
  a->SetAutoIncStep(7);
  a->SetRepeatIv(50);
  a->Font()->SetSize(20);

  auto* b = Make<TProgBar>(10, 60, 108, 30);
  b->Assign(a);
  EXPECT_EQ(b->Min(), -10);
  EXPECT_EQ(b->Value(), 5);
  EXPECT_EQ(b->Direction(), drUp);
  EXPECT_EQ(b->GetBarColorElem(700), 0x010203u);
  EXPECT_EQ(b->ColGrayLine(), host::clBtnShadow);
  EXPECT_EQ(b->ColorMargin(), kMargin);
  EXPECT_EQ(b->TextDecPlaces(), -1);
  EXPECT_EQ(b->MarginBottom(), 9);
  EXPECT_FALSE(b->TextVisible());
  EXPECT_EQ(b->AutoIncStep(), 1.0);
  EXPECT_EQ(b->RepeatInterval(), 700);
  EXPECT_NE(b->Font()->Size(), 20);
  EXPECT_EQ(zeltest::PixelAt(b, 50, 10), kBlue);  // repainted: 3/4 of the area

  auto* c = Make<TProgBar>(10, 100, 108, 30);
  a->SetPBarValue(-3);
  a->AssignTo(c);
  EXPECT_EQ(c->Value(), -3);
}
