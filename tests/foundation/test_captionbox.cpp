// The caption-box layout arithmetic, the line colours of the schemes, the
// embossed caption and the shared properties of a caption-box control.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "foundation/Zel_captionbox.h"

using namespace zel;
using host::RGB;
using host::taCenter;
using host::taLeftJustify;
using host::taRightJustify;

namespace {

// A 200-pixel control with a 50-pixel left zone and an 80-pixel box; the
// left caption is 20 pixels wide, the right one 10.
TCaptionBoxMetrics Metrics() {
  TCaptionBoxMetrics m;
  m.Width = 200;
  m.BandHeight = 28;
  m.ProbeHeight = 15;
  m.LeftSpace = 50;
  m.BoxWidth = 80;
  m.LeftTextWidth = 20;
  m.RightTextWidth = 10;
  return m;
}

TCaptionBoxLayout With(host::TAlignment left, host::TAlignment right, int gap = 0) {
  TCaptionBoxMetrics m = Metrics();
  m.LeftTextAlignment = left;
  m.RightTextAlignment = right;
  m.RightGap = gap;
  return CaptionBoxLayout(m);
}

}  // namespace

TEST(CaptionBoxLayout, CaptionsSitInTheirZonesByAlignment) {
  EXPECT_EQ(With(taLeftJustify, taLeftJustify).LeftCaption.X, 7);
  EXPECT_EQ(With(taRightJustify, taLeftJustify).LeftCaption.X, 50 - 20 - 5);
  EXPECT_EQ(With(taCenter, taLeftJustify).LeftCaption.X, 15);
  // The right zone starts at the box's end, 130.
  EXPECT_EQ(With(taLeftJustify, taLeftJustify).RightCaption.X, 137);
  EXPECT_EQ(With(taLeftJustify, taRightJustify).RightCaption.X, 200 - 10 - 6);
  EXPECT_EQ(With(taLeftJustify, taCenter).RightCaption.X, (200 - 140) / 2 + 131);
  // Buttons between the box and the right text push only the right caption.
  const TCaptionBoxLayout gap = With(taLeftJustify, taLeftJustify, 21);
  EXPECT_EQ(gap.RightCaption.X, 158);
  EXPECT_EQ(gap.BoxRight, 130);
  // The light pass of the embossed look lies one pixel to the right.
  for (host::TAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
    const TCaptionBoxLayout l = With(a, a);
    EXPECT_EQ(l.LeftCaption.ShadowX, l.LeftCaption.X + 1);
    EXPECT_EQ(l.RightCaption.ShadowX, l.RightCaption.X + 1);
  }
}

TEST(CaptionBoxLayout, TextsAreCentredOnTheProbeHeightTruncatingTowardZero) {
  EXPECT_EQ(CaptionBoxLayout(Metrics()).TextTop, 6);
  EXPECT_EQ(CenteredTextTop(10, 15), -2);  // a font taller than the band: not -3
  host::TBitmap bmp(1, 1);
  const int probe = bmp.Canvas()->TextHeight(kTextHeightProbe);
  EXPECT_EQ(CenteredTextTop(bmp.Canvas(), 40), (40 - probe) / 2);
}

TEST(CaptionBoxLayout, ABorderPixelBelongsToTheZoneOnItsLeft) {
  const TCaptionBoxLayout l = With(taLeftJustify, taLeftJustify, 21);
  EXPECT_EQ(l.ZoneAt(-5), czLeftText);
  EXPECT_EQ(l.ZoneAt(50), czLeftText);
  EXPECT_EQ(l.ZoneAt(51), czBox);
  EXPECT_EQ(l.ZoneAt(130), czBox);
  EXPECT_EQ(l.ZoneAt(131), czRightText);  // the gap counts as right text
  EXPECT_EQ(l.ZoneAt(500), czRightText);
}

TEST(CaptionBoxLayout, BoxTextFollowsTheAlignmentAndTruncatesOverWideTexts) {
  TCaptionBoxMetrics m = Metrics();
  for (auto [a, x] : {std::pair{taLeftJustify, 54}, {taRightJustify, 98}, {taCenter, 77}}) {
    m.Alignment = a;
    EXPECT_EQ(CaptionBoxLayout(m).BoxTextX(30), x) << int(a);
  }
  // Centred: (80 - 31) div 2 = 24, and (80 - 85) div 2 = -2 (toward zero).
  EXPECT_EQ(CaptionBoxLayout(m).BoxTextX(31), 76);
  EXPECT_EQ(CaptionBoxLayout(m).BoxTextX(85), 50);
}

TEST(FrameColours, SchemesSelectTheGreyAndWhiteLines) {
  const TFrameLineColors fixed = FrameLineColors(csmFixed);
  EXPECT_EQ(fixed.Black, host::clBlack);
  EXPECT_EQ(fixed.Gray, RGB(128, 128, 128));
  EXPECT_EQ(fixed.White, RGB(255, 255, 255));
  const TFrameLineColors sys = FrameLineColors(csmSystem);
  EXPECT_EQ(sys.Black, host::clBlack);
  EXPECT_EQ(sys.Gray, host::clBtnShadow);
  EXPECT_EQ(sys.White, host::clBtnHighlight);

  const TFrameColors f = FrameColorsOf(sys);
  EXPECT_EQ(f.Light, host::clBtnHighlight);
  EXPECT_EQ(f.Shadow, host::clBtnShadow);
  EXPECT_EQ(f.Dark, host::clBlack);

  // The box's own outline vanishes without a frame and is light on the ridge.
  EXPECT_EQ(BoxOutlineColor(frNone, sys, host::clYellow), host::clYellow);
  EXPECT_EQ(BoxOutlineColor(frEmbossed, sys, host::clYellow), host::clBtnHighlight);
  for (TFrameStyle s : {frSimple, frLowered, frRaised, frEngraved})
    EXPECT_EQ(BoxOutlineColor(s, sys, host::clYellow), host::clBtnShadow) << int(s);
}

TEST(DrawCaption, DisabledCaptionsAreEmbossed) {
  constexpr TColor kLight = RGB(255, 0, 0);
  constexpr TColor kBack = RGB(0, 0, 255);
  auto draw = [&](bool enabled, bool greyPass) {
    auto bmp = std::make_unique<host::TBitmap>(40, 30);
    host::TCanvas* c = bmp->Canvas();
    c->Font()->SetQuality(host::fqNonAntialiased);
    c->Brush()->SetColor(kBack);
    c->FillRect(host::Rect(0, 0, 40, 30));
    DrawCaption(c, "W", TCaptionPlace{5, 6}, 4, enabled, host::clBlack, kLight, greyPass);
    EXPECT_EQ(c->Brush()->Style(), host::bsSolid);
    return bmp;
  };
  auto inkOf = [](host::TBitmap& b, TColor col) {
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        if (b.Canvas()->Pixels(x, y) == col) s.emplace(x, y);
    return s;
  };
  auto enabled = draw(true, true);
  const auto ink = inkOf(*enabled, host::clBlack);
  ASSERT_FALSE(ink.empty());

  auto grey = draw(false, true);
  EXPECT_EQ(inkOf(*grey, RGB(128, 128, 128)), ink);
  auto light = draw(false, false);
  std::set<std::pair<int, int>> shifted;
  for (auto [x, y] : ink) shifted.emplace(x + 1, y + 1);
  EXPECT_EQ(inkOf(*light, kLight), shifted);  // without the grey pass: light only
  for (auto p : shifted) {
    if (!ink.count(p)) {
      EXPECT_EQ(grey->Canvas()->Pixels(p.first, p.second), kLight);
    }
  }
}

namespace {

// A control of the given kind that counts its paints.
template <class TKind>
class TCounting : public TKind {
 public:
  using TKind::TKind;
  int Paints = 0;

 protected:
  void Paint() override { ++Paints; }
};

class TProbe : public TCounting<TCaptionBoxControl<host::TGraphicControl>> {
 public:
  using TCounting::TCounting;
  void CopyFrom(const TProbe& p) { AssignCaptionBox(p); }
};

// A framed control whose frame starts raised (as a meter's does).
class TRaisedProbe : public TCounting<TFramedControl<host::TGraphicControl>> {
 public:
  explicit TRaisedProbe(host::TComponent* AOwner) : TCounting(AOwner, frRaised) {}
  void CopyFrom(const TRaisedProbe& p) { AssignFrame(p); }
};

}  // namespace

TEST(CaptionBoxControl, SettersRepaintOnlyOnChange) {
  TProbe p(nullptr);
  p.SetLeftText("a");
  p.SetLeftText("a");
  p.SetFrameStyle(frLowered);  // the default
  EXPECT_EQ(p.Paints, 1);
  p.SetColorScheme(csmSystem);
  EXPECT_EQ(p.Paints, 2);
  EXPECT_EQ(p.ColGrayLine(), host::clBtnShadow);
  EXPECT_EQ(p.ColWhiteLine(), host::clBtnHighlight);
  p.SetColorScheme(csmSystem);
  EXPECT_EQ(p.Paints, 2);
}

TEST(CaptionBoxControl, AssignCopiesEverySettingWithoutPainting) {
  TProbe a(nullptr), b(nullptr);
  a.SetLeftText("U");
  a.SetRightText("V");
  a.SetAlignment(taLeftJustify);
  a.SetLeftTextAlignment(taCenter);
  a.SetRightTextAlignment(taRightJustify);
  a.SetColorOutText(host::clRed);
  a.SetFrameStyle(frRaised);
  a.SetColorScheme(csmSystem);
  b.CopyFrom(a);
  EXPECT_EQ(b.Paints, 0);
  EXPECT_EQ(b.LeftText(), "U");
  EXPECT_EQ(b.RightText(), "V");
  EXPECT_EQ(b.Alignment(), taLeftJustify);
  EXPECT_EQ(b.LeftTextAlignment(), taCenter);
  EXPECT_EQ(b.RightTextAlignment(), taRightJustify);
  EXPECT_EQ(b.ColorOutText(), host::clRed);
  EXPECT_EQ(b.FrameStyle(), frRaised);
  EXPECT_EQ(b.ColorScheme(), csmSystem);
  EXPECT_EQ(b.ColGrayLine(), host::clBtnShadow);
}

TEST(FramedControl, StartsWithItsOwnStyleAndCopiesTheSchemeLines) {
  TRaisedProbe a(nullptr), b(nullptr);
  EXPECT_EQ(a.FrameStyle(), frRaised);
  a.SetFrameStyle(frEngraved);
  a.SetColorScheme(csmSystem);
  EXPECT_EQ(a.Paints, 2);
  b.CopyFrom(a);
  EXPECT_EQ(b.Paints, 0);
  EXPECT_EQ(b.FrameStyle(), frEngraved);
  EXPECT_EQ(b.ColorScheme(), csmSystem);
  EXPECT_EQ(b.ColWhiteLine(), host::clBtnHighlight);
  EXPECT_EQ(b.ColBlackLine(), host::clBlack);
}
