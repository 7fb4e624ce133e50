#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/widgets/Buttons.h"
#include "instruments/ZEL_onoffbut.h"
#include "tests/support/Headless.h"

namespace {

using namespace host;
using namespace zel;
using zeltest::HeadlessTest;
using zeltest::PixelAt;

class OnOffBut : public HeadlessTest {
 protected:
  // A 100 x 50 button, glyph centred; clicks at the glyph's middle toggle it.
  TOnOffBut* Button(int left = 0, int top = 0) { return Make<TOnOffBut>(left, top, 100, 50); }
  static void ClickGlyph(TOnOffBut* b, TMouseButton mb = mbLeft) {
    zeltest::Click(b, b->LeftSpace() + b->GlyphWidth() / 2, b->TopSpace() + b->GlyphHeight() / 2,
                   mb);
  }
  // The glyph pixel at (x, y) of a state as the button shows it.
  static TColor GlyphPixel(TOnOffBut* b, bool on, bool enabled, int x, int y) {
    return b->Glyph(on, enabled)->Canvas()->Pixels(x, y);
  }
};

TEST_F(OnOffBut, EveryBuiltInStyleHasTheGlyphSizeOfItsBitmap) {
  struct Size {
    TOnOffButStyle Style;
    int W, H;
  };
  const Size sizes[] = {
      {oobsCheckbox, 16, 16},       {oobsRadioBut, 14, 14},     {oobsSlideTB, 18, 30},
      {oobsSlideLR, 30, 18},        {oobsColSlideTB, 18, 30},   {oobsColSlideLR, 30, 18},
      {oobsLedRedGreen, 14, 14},    {oobsArrowTopRgt, 25, 25},  {oobsArrowUpDown, 25, 25},
      {oobsArrowLeftRight, 25, 25}, {oobsTrafficLPed, 31, 31},  {oobsBeveledLed, 17, 17},
      {oobsSmileyYellow, 18, 18},   {oobsSmileyRedGrn, 18, 18}, {oobsBulb, 39, 49},
      {oobsButLamp, 49, 24},        {oobsHDLeft, 48, 16},       {oobsHDRight, 48, 16},
      {oobsUser1, 24, 24},          {oobsUser2, 24, 24},        {oobsUser3, 24, 24},
      {oobsUser4, 24, 24},          {oobsUser5, 24, 24}};
  auto* b = Button();
  EXPECT_EQ(b->GlyphWidth(), 30);  // oobsColSlideLR, loaded at creation
  for (const Size& s : sizes) {
    b->SetButtonStyle(s.Style);
    SCOPED_TRACE(OnOffStyleResource(s.Style));
    EXPECT_EQ(b->GlyphWidth(), s.W);
    EXPECT_EQ(b->GlyphHeight(), s.H);
    // The four states differ where they should: on from off, enabled from disabled.
    int onOff = 0, greyed = 0;
    for (int y = 0; y < s.H; ++y)
      for (int x = 0; x < s.W; ++x) {
        onOff += GlyphPixel(b, true, true, x, y) != GlyphPixel(b, false, true, x, y);
        greyed += GlyphPixel(b, true, true, x, y) != GlyphPixel(b, true, false, x, y);
      }
    EXPECT_GT(onOff, 0);
    EXPECT_GT(greyed, 0);
  }
}

TEST_F(OnOffBut, RoundGlyphsHaveTheKeyColourInTheirCorners) {
  auto* b = Button();
  for (TOnOffButStyle s : {oobsRadioBut, oobsLedRedGreen, oobsArrowUpDown, oobsSmileyYellow,
                           oobsBulb, oobsHDLeft, oobsHDRight, oobsColSlideLR}) {
    b->SetButtonStyle(s);
    SCOPED_TRACE(OnOffStyleResource(s));
    for (bool on : {false, true})
      for (bool enabled : {false, true})
        EXPECT_EQ(GlyphPixel(b, on, enabled, 0, 0), kOnOffKeyColor);
  }
}

TEST_F(OnOffBut, KeyPixelsTakeTheBackgroundColourAndTheOthersShowTheGlyph) {
  auto* b = Button();
  b->SetButtonStyle(oobsLedRedGreen);
  b->SetColorBackgnd(clYellow);
  const TRect g = b->Layout().Glyph;
  EXPECT_EQ(g.Left, b->LeftSpace() + 1);
  EXPECT_EQ(PixelAt(b, g.Left, g.Top), clYellow);  // the LED's corner is key
  EXPECT_EQ(PixelAt(b, g.Left + 7, g.Top + 7), GlyphPixel(b, true, true, 7, 7));
  b->SetOnOff(false);
  EXPECT_EQ(PixelAt(b, g.Left + 7, g.Top + 7), GlyphPixel(b, false, true, 7, 7));
  b->SetEnabled(false);
  EXPECT_EQ(PixelAt(b, g.Left + 7, g.Top + 7), GlyphPixel(b, false, false, 7, 7));
}

TEST_F(OnOffBut, GlyphStaysCentredAcrossStyleChangesAndResizes) {
  auto* b = Button();
  b->SetButtonStyle(oobsBulb);
  EXPECT_EQ(b->LeftSpace(), 30);
  EXPECT_EQ(b->TopSpace(), 0);
  b->SetBounds(0, 0, 201, 100);
  EXPECT_EQ(b->LeftSpace(), 81);
  EXPECT_EQ(b->TopSpace(), 25);
  b->SetAutoCenter(false);
  b->SetBounds(0, 0, 100, 50);
  EXPECT_EQ(b->LeftSpace(), 81);
}

TEST_F(OnOffBut, SpacesAreLimitedToTheSizeAndIgnoredWhileCentred) {
  auto* b = Button();
  const int centredLeft = b->LeftSpace();
  b->SetLeftSpace(500);
  EXPECT_EQ(b->LeftSpace(), centredLeft);
  b->SetAutoCenter(false);
  b->SetLeftSpace(500);
  b->SetTopSpace(70);
  EXPECT_EQ(b->LeftSpace(), 100);
  EXPECT_EQ(b->TopSpace(), 50);
  b->SetLeftSpace(-3);
  EXPECT_EQ(b->LeftSpace(), 100);
}

TEST_F(OnOffBut, ClicksToggleOnlyStrictlyInsideTheGlyphAndOnlyWithTheLeftButton) {
  auto* b = Button();
  ClickGlyph(b);
  EXPECT_FALSE(b->OnOff());
  zeltest::Click(b, b->LeftSpace(), b->TopSpace() + 5);  // on the left edge
  ClickGlyph(b, mbRight);
  EXPECT_FALSE(b->OnOff());
  zeltest::Click(b, b->LeftSpace() + 1, b->TopSpace() + 1);
  EXPECT_TRUE(b->OnOff());
  b->SetMouseAction(oomaPlain);
  zeltest::Click(b, 2, 2);
  EXPECT_FALSE(b->OnOff());
  b->SetMouseAction(oomaNone);
  ClickGlyph(b);
  EXPECT_FALSE(b->OnOff());
}

TEST_F(OnOffBut, OnClickFiresAtAReleaseThatCountsOnly) {
  auto* b = Button();
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  ClickGlyph(b);
  zeltest::Click(b, 2, 2);
  ClickGlyph(b, mbRight);
  EXPECT_EQ(clicks, 1);
}

TEST_F(OnOffBut, GroupWithoutAllowAllOffKeepsExactlyOneOn) {
  std::vector<TOnOffBut*> g{Button(0, 0), Button(0, 50), Button(100, 0)};
  for (auto* b : g) {
    b->SetOnOff(false);
    b->SetGroupIndex(1);
  }
  g[0]->SetAllowAllOff(false);  // passed on to the group at its next press
  ClickGlyph(g[1]);
  ClickGlyph(g[0]);
  EXPECT_TRUE(g[0]->OnOff());
  EXPECT_FALSE(g[1]->OnOff());
  EXPECT_FALSE(g[2]->OnOff());
  EXPECT_FALSE(g[2]->AllowAllOff());
  ClickGlyph(g[0]);
  EXPECT_TRUE(g[0]->OnOff());
  g[0]->SetOnOff(false);
  EXPECT_TRUE(g[0]->OnOff());
  ClickGlyph(g[2]);
  EXPECT_FALSE(g[0]->OnOff());
  EXPECT_TRUE(g[2]->OnOff());
}

TEST_F(OnOffBut, GroupWithAllowAllOffCanBeAllOff) {
  auto* a = Button(0, 0);
  auto* b = Button(0, 50);
  a->SetGroupIndex(2);
  b->SetGroupIndex(2);
  ClickGlyph(b);  // b was on: off
  ClickGlyph(b);  // on: a goes off
  EXPECT_FALSE(a->OnOff());
  ClickGlyph(b);
  EXPECT_FALSE(a->OnOff());
  EXPECT_FALSE(b->OnOff());
}

TEST_F(OnOffBut, NegativeGroupIndexIgnoresGroupMessages) {
  auto* a = Button(0, 0);
  auto* b = Button(0, 50);
  a->SetGroupIndex(-1);
  b->SetGroupIndex(-1);
  b->SetOnOff(false);
  b->SetOnOff(true);
  EXPECT_TRUE(a->OnOff());
}

TEST_F(OnOffBut, SpeedButtonOfTheSameGroupIsNoMember) {
  auto* onoff = Button(0, 0);
  onoff->SetGroupIndex(1);
  auto* speed = Make<TSpeedButton>(120, 10, 30, 30);
  speed->SetGroupIndex(1);
  speed->SetDown(true);  // its message reaches the on/off button too
  EXPECT_TRUE(onoff->OnOff());
  onoff->SetOnOff(false);
  onoff->SetOnOff(true);  // and the on/off button's reaches the speed button
  EXPECT_TRUE(speed->Down());
  EXPECT_FALSE(speed->AllowAllUp());
}

TEST_F(OnOffBut, SpeedModeIsOnWhileHeldAndOffAfterAnyRelease) {
  auto* b = Button();
  b->SetMode(oobmSpeedBut);
  EXPECT_FALSE(b->OnOff());
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  const int x = b->LeftSpace() + 1 + 14, y = b->TopSpace() + 1 + 8;
  const TPoint at = {b->Left() + x, b->Top() + y};
  zeltest::MouseDown(Form(), at.x, at.y);
  EXPECT_TRUE(b->OnOff());
  EXPECT_EQ(PixelAt(b, x, y), GlyphPixel(b, true, true, 14, 8));
  zeltest::MouseUp(Form(), at.x, at.y);
  EXPECT_FALSE(b->OnOff());
  EXPECT_EQ(clicks, 1);
  // Pressed on the glyph, released beside it: the press ends all the same.
  zeltest::MouseDown(Form(), at.x, at.y);
  zeltest::MouseUp(Form(), 2, 2);
  EXPECT_FALSE(b->OnOff());
  EXPECT_EQ(clicks, 1);
}

// A pixel opaque in the on glyph and key in the off glyph, or (-1, -1).
TPoint OnlyOnIsOpaqueAt(TOnOffBut* b) {
  for (int y = 0; y < b->GlyphHeight(); ++y)
    for (int x = 0; x < b->GlyphWidth(); ++x)
      if (b->Glyph(true, true)->Canvas()->Pixels(x, y) != kOnOffKeyColor &&
          b->Glyph(false, true)->Canvas()->Pixels(x, y) == kOnOffKeyColor)
        return {x, y};
  return {-1, -1};
}

TEST_F(OnOffBut, TransparentButtonShowsTheParentAndNeverItsPreviousGlyph) {
  Form()->SetColor(clTeal);
  auto* b = Button();
  b->SetButtonStyle(oobsArrowUpDown);
  b->SetTransparent(true);
  const TRect g = b->Layout().Glyph;
  EXPECT_EQ(PixelAt(b, 10, 10), clTeal);
  EXPECT_EQ(PixelAt(b, g.Left, g.Top), clTeal);  // the arrow's key corner
  const TPoint p = OnlyOnIsOpaqueAt(b);
  ASSERT_GE(p.x, 0);
  EXPECT_EQ(PixelAt(b, g.Left + p.x, g.Top + p.y), GlyphPixel(b, true, true, p.x, p.y));
  b->SetOnOff(false);
  EXPECT_EQ(PixelAt(b, g.Left + p.x, g.Top + p.y), clTeal);
  ClickGlyph(b);
  ClickGlyph(b);
  EXPECT_EQ(PixelAt(b, g.Left + p.x, g.Top + p.y), clTeal);
}

TEST_F(OnOffBut, DisabledCaptionsAreGreyWithAWhiteShadow) {
  auto* b = Button();
  b->SetColorBackgnd(clNavy);
  b->SetLeftText("Pump");
  b->SetEnabled(false);
  const TOnOffBut::TLayout l = b->Layout();
  bool grey = false, white = false;
  for (int y = l.LeftText.y; y < l.LeftText.y + l.TextHeight + 1; ++y)
    for (int x = 1; x < b->LeftSpace(); ++x) {
      grey |= PixelAt(b, x, y) == RGB(128, 128, 128);
      white |= PixelAt(b, x, y) == clWhite;
    }
  EXPECT_TRUE(grey);
  EXPECT_TRUE(white);
}

TEST_F(OnOffBut, UserGlyphsAreCutFromAnyImageOfAtLeastTwoByTwo) {
  auto* b = Button();
  b->SetButtonStyle(oobsUser);
  EXPECT_EQ(b->GlyphWidth(), 20);  // the placeholders, not the slide's 30 x 18
  EXPECT_EQ(b->LeftSpace(), 40);
  TBitmap img(31, 22);  // odd width: 15-pixel glyphs, the last column unused
  img.Canvas()->Brush()->SetColor(clRed);
  img.Canvas()->FillRect(Rect(0, 0, 15, 11));  // on, enabled
  b->SetUserGlyph(&img);
  EXPECT_EQ(b->GlyphWidth(), 15);
  EXPECT_EQ(b->GlyphHeight(), 11);
  EXPECT_EQ(GlyphPixel(b, true, true, 14, 10), clRed);
  EXPECT_EQ(GlyphPixel(b, false, true, 0, 0), clWhite);
  const TRect g = b->Layout().Glyph;
  EXPECT_EQ(PixelAt(b, g.Left + 3, g.Top + 3), clRed);
}

TEST_F(OnOffBut, BadUserGlyphRaisesAndLeavesTheSetAsItWas) {
  auto* b = Button();
  b->SetName("Valve");
  b->SetButtonStyle(oobsUser);
  TBitmap tiny(1, 5);
  EXPECT_THROW(b->SetUserGlyph(&tiny), EZELError);
  EXPECT_THROW(b->SetUserGlyph(nullptr), EZELError);
  try {
    b->LoadUserGlyph("/nonexistent/glyphs.bmp");
    FAIL() << "no error";
  } catch (const EZELError& e) {
    const std::string msg = e.what();
    EXPECT_EQ(msg.rfind("Component \"Valve\": cannot read user glyph file "
                        "\"/nonexistent/glyphs.bmp\"",
                        0),
              0u)
        << msg;
  }
  EXPECT_EQ(b->GlyphWidth(), 20);
  EXPECT_EQ(GlyphPixel(b, true, true, 10, 5), clBlack);  // the placeholder circle
}

TEST_F(OnOffBut, AssignCopiesAllButTheGroupSettings) {
  auto* a = Button(0, 0);
  auto* b = Button(0, 50);
  a->SetButtonStyle(oobsBulb);
  a->SetOnOff(false);
  a->SetTopText("Light");
  a->SetColorScheme(csmSystem);
  a->SetTransparent(true);
  a->SetEnabled(false);
  a->SetGroupIndex(3);
  a->SetMode(oobmSpeedBut);
  b->Assign(a);
  EXPECT_EQ(b->ButtonStyle(), oobsBulb);
  EXPECT_EQ(b->GlyphHeight(), 49);
  EXPECT_FALSE(b->OnOff());
  EXPECT_EQ(b->TopText(), "Light");
  EXPECT_EQ(b->ColGrayLine(), clBtnShadow);
  EXPECT_TRUE(b->Transparent());
  EXPECT_FALSE(b->Enabled());
  EXPECT_EQ(b->GroupIndex(), 0);
  EXPECT_EQ(b->Mode(), oobmNormalBut);
  EXPECT_EQ(b->Glyph(true, true)->Canvas()->Pixels(19, 20),
            a->Glyph(true, true)->Canvas()->Pixels(19, 20));
}

}  // namespace
