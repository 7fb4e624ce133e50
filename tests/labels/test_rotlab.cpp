// The rotated label: where the turned caption lands (measured from its drawn
// pixels), the font it is drawn with, the disabled look, the anchor rules and
// Assign.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <vector>

#include "foundation/Zel_captionbox.h"
#include "labels/ZEL_RotLab.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::TColor;

namespace {

// The bounding box of the pixels whose colour satisfies `ink`, inclusive.
struct Box {
  int Left = INT_MAX, Top = INT_MAX, Right = INT_MIN, Bottom = INT_MIN;
  bool Empty() const { return Left > Right; }
  void Add(int x, int y) {
    Left = std::min(Left, x);
    Right = std::max(Right, x);
    Top = std::min(Top, y);
    Bottom = std::max(Bottom, y);
  }
};

class RotLab : public zeltest::HeadlessTest {
 protected:
  TRotLab* Label(const std::string& caption, int angle = 0) {
    Form()->SetBounds(0, 0, 240, 240);
    TRotLab* l = Make<TRotLab>(0, 0, 200, 200);
    l->SetTransparent(false);
    l->SetColor(host::clWhite);
    l->SetFrameStyle(frNone);
    l->SetAntiAlias(false);
    l->Font()->SetColor(host::clBlack);
    l->SetCaption(caption);
    l->SetTextAngle(angle);
    zeltest::Pump();
    return l;
  }
  template <class Pred>
  static Box InkBox(TRotLab* l, Pred ink) {
    Box b;
    for (int y = 0; y < l->Height(); ++y)
      for (int x = 0; x < l->Width(); ++x)
        if (ink(zeltest::PixelAt(l, x, y))) b.Add(x, y);
    return b;
  }
  static Box InkBox(TRotLab* l) {
    return InkBox(l, [](TColor c) { return c != host::clWhite; });
  }
  // The ink pixels of a label, for turning them by hand.
  static std::vector<host::TPoint> Ink(TRotLab* l) {
    std::vector<host::TPoint> ink;
    for (int y = 0; y < l->Height(); ++y)
      for (int x = 0; x < l->Width(); ++x)
        if (zeltest::PixelAt(l, x, y) != host::clWhite) ink.push_back(host::Point(x, y));
    return ink;
  }
  // The box of upright ink turned by `angle` about the anchor (ax, ay).
  static Box TurnedBox(const std::vector<host::TPoint>& ink, int ax, int ay, int angle) {
    const double a = angle * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
    Box b;
    for (const host::TPoint& p : ink) {
      const double dx = p.x + 0.5 - ax, dy = p.y + 0.5 - ay;
      // Counter-clockwise on the screen, whose y axis points down.
      b.Add(int(std::floor(ax + dx * c + dy * s)), int(std::floor(ay - dx * s + dy * c)));
    }
    return b;
  }
};

void ExpectNear(const Box& actual, const Box& expected, int tolerance, int angle) {
  ASSERT_FALSE(actual.Empty()) << angle;
  EXPECT_NEAR(actual.Left, expected.Left, tolerance) << "angle " << angle;
  EXPECT_NEAR(actual.Right, expected.Right, tolerance) << "angle " << angle;
  EXPECT_NEAR(actual.Top, expected.Top, tolerance) << "angle " << angle;
  EXPECT_NEAR(actual.Bottom, expected.Bottom, tolerance) << "angle " << angle;
}

TEST_F(RotLab, UprightCentredCaptionSitsInItsCellAroundTheCentre) {
  TRotLab* l = Label("Hello Wg");
  EXPECT_EQ(l->PosX(), 100);
  EXPECT_EQ(l->PosY(), 100);
  TMeasureCanvas m(l->Font());
  const int w = m.Canvas()->TextWidth("Hello Wg"), h = m.Canvas()->TextHeight("Hello Wg");
  const Box ink = InkBox(l);
  EXPECT_GE(ink.Left, 100 - w / 2);
  EXPECT_LT(ink.Right, 100 - w / 2 + w);
  EXPECT_GE(ink.Top, 100 - h / 2);
  EXPECT_LT(ink.Bottom, 100 - h / 2 + h);
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 100, 2);
}

TEST_F(RotLab, RightAnglesTurnTheCaptionAboutTheAnchor) {
  const std::vector<host::TPoint> upright = Ink(Label("Hello Wg"));
  for (int angle : {90, 180, 270}) {
    TRotLab* turned = Label("Hello Wg", angle);
    ExpectNear(InkBox(turned), TurnedBox(upright, 100, 100, angle), 1, angle);
    turned->SetVisible(false);
  }
}

TEST_F(RotLab, ArbitraryAnglesTurnTheCaptionAboutTheAnchor) {
  const std::vector<host::TPoint> upright = Ink(Label("Angle 0123"));
  for (int angle : {30, -30, 135, 200, 395}) {
    TRotLab* turned = Label("Angle 0123", angle);
    ExpectNear(InkBox(turned), TurnedBox(upright, 100, 100, angle), 2, angle);
    turned->SetVisible(false);
  }
}

TEST_F(RotLab, AlignmentPutsTheLeftOrRightEndOnTheAnchor) {
  TRotLab* l = Label("Left end");
  l->SetAlignment(host::taLeftJustify);
  zeltest::Pump();
  Box ink = InkBox(l);
  EXPECT_GE(ink.Left, 100);
  EXPECT_LE(ink.Left, 102);
  l->SetAlignment(host::taRightJustify);
  zeltest::Pump();
  ink = InkBox(l);
  EXPECT_LE(ink.Right, 100);
  EXPECT_GE(ink.Right, 96);
  // Turned by 90 the text runs upwards and ends at the anchor: it lies below.
  l->SetTextAngle(90);
  zeltest::Pump();
  ink = InkBox(l);
  EXPECT_GE(ink.Top, 100);
  EXPECT_LE(ink.Top, 104);
  EXPECT_GE(ink.Bottom, 100 + 30);
}

TEST_F(RotLab, EscapementAndQualityOfTheFontAreKept) {
  TRotLab* l = Label("x", 360);
  host::LOGFONTW lf;
  ASSERT_GT(host::GetObjectW(l->Canvas()->Font()->Handle(), sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfEscapement, 3600);
  EXPECT_EQ(lf.lfOrientation, 3600);
  EXPECT_EQ(lf.lfQuality, host::NONANTIALIASED_QUALITY);
  l->SetTextAngle(-30);
  l->SetAntiAlias(true);
  zeltest::Pump();
  ASSERT_GT(host::GetObjectW(l->Canvas()->Font()->Handle(), sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfEscapement, -300);
  EXPECT_EQ(lf.lfQuality, host::ANTIALIASED_QUALITY);
  EXPECT_EQ(l->TextAngle(), -30);
  EXPECT_EQ(RotatedEscapement(INT_MAX), (INT_MAX % 360) * 10);
}

TEST_F(RotLab, AntiAliasOffDrawsOnlyInkAndGround) {
  TRotLab* l = Label("Smooth edges", 30);
  const auto grey = [](TColor c) { return c != host::clWhite && c != host::clBlack; };
  EXPECT_TRUE(InkBox(l, grey).Empty());
  l->SetAntiAlias(true);
  zeltest::Pump();
  EXPECT_FALSE(InkBox(l, grey).Empty());
}

TEST_F(RotLab, DisabledCaptionIsHighlightOnePixelRightAndDownUnderTheShadow) {
  TRotLab* l = Label("Off");
  l->SetColor(host::clYellow);
  l->SetEnabled(false);
  zeltest::Pump();
  const TColor shadow = host::ColorToRGB(host::clBtnShadow);
  const TColor light = host::ColorToRGB(host::clBtnHighlight);
  const Box dark = InkBox(l, [&](TColor c) { return c == shadow; });
  const Box lit = InkBox(l, [&](TColor c) { return c == light; });
  ASSERT_FALSE(dark.Empty());
  ASSERT_FALSE(lit.Empty());
  EXPECT_EQ(lit.Right, dark.Right + 1);
  EXPECT_EQ(lit.Bottom, dark.Bottom + 1);
}

TEST_F(RotLab, AnEmptyCaptionDrawsOnlyTheFrame) {
  TRotLab* l = Label("");
  l->SetFrameStyle(frLowered);
  zeltest::Pump();
  const Box inside = InkBox(l, [](TColor c) { return c != host::clWhite; });
  EXPECT_EQ(inside.Left, 0);
  EXPECT_EQ(inside.Top, 0);
  for (int y = 2; y < 197; ++y)
    for (int x = 2; x < 197; ++x) ASSERT_EQ(zeltest::PixelAt(l, x, y), host::clWhite);
}

TEST_F(RotLab, AutoCenterKeepsTheAnchorCentredThroughSettersAndResizes) {
  TRotLab* l = Label("c");
  l->SetPosX(5);
  l->SetPosY(7);
  EXPECT_EQ(l->PosX(), 100);
  EXPECT_EQ(l->PosY(), 100);
  int resizes = 0;
  l->SetOnResize([&](host::TObject*) { ++resizes; });
  l->SetBounds(0, 0, 120, 60);
  EXPECT_EQ(l->PosX(), 60);
  EXPECT_EQ(l->PosY(), 30);
  EXPECT_EQ(resizes, 1);
  l->SetAutoCenter(false);
  l->SetPosX(5);
  l->SetBounds(0, 0, 150, 80);
  EXPECT_EQ(l->PosX(), 5);
  EXPECT_EQ(l->PosY(), 30);
  l->SetAutoCenter(true);
  EXPECT_EQ(l->PosX(), 75);
}

TEST_F(RotLab, AssignCopiesTheTurnAndAnchorButNotAlignmentTransparencyOrColour) {
  TRotLab* a = Label("a");
  TRotLab* b = Make<TRotLab>(0, 0, 100, 100);
  a->SetAutoCenter(false);
  a->SetPosX(12);
  a->SetPosY(34);
  a->SetTextAngle(45);
  a->SetAntiAlias(false);
  a->SetFrameStyle(frEngraved);
  a->SetAlignment(host::taLeftJustify);
  b->Assign(a);
  EXPECT_FALSE(b->AutoCenter());
  EXPECT_EQ(b->PosX(), 12);
  EXPECT_EQ(b->PosY(), 34);
  EXPECT_EQ(b->TextAngle(), 45);
  EXPECT_FALSE(b->AntiAlias());
  EXPECT_EQ(b->FrameStyle(), frEngraved);
  EXPECT_EQ(b->Alignment(), host::taCenter);
  EXPECT_TRUE(b->Transparent());
  EXPECT_EQ(b->Color(), host::clBtnFace);
}

}  // namespace
