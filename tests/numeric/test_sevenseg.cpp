// The seven-segment display as a user sees it: which segments light, in which
// colours, at which sizes, and how it keeps its image cache.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "numeric/ZEL_sevenseg.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::TColor;
using host::TPoint;

namespace {

// Points well inside each piece of a glyph, on the 312 x 432 master canvas:
// the centres of segments 1..7 (top, upper left, upper right, middle, lower
// left, lower right, bottom), of the decimal point, of the colon's dots, a
// point of the degree ring, and the middle of the ring's hole.
constexpr TPoint kSegment[7] = {{194, 19}, {71, 118},  {278, 118}, {157, 216},
                                {34, 315}, {241, 315}, {120, 413}};
constexpr TPoint kPoint{288, 413};
constexpr TPoint kColonDots[2] = {{165, 168}, {147, 263}};
constexpr TPoint kRing{230, 69};
constexpr TPoint kRingHole{204, 50};

const std::string kDegree = "\xC2\xB0";

class SevenSeg : public zeltest::HeadlessTest {
 protected:
  TSevenSeg* Display(const std::string& caption, int numDigits = 4, int w = 216, int h = 76) {
    // Room for the displays a test adds below and for growing.
    Form()->SetBounds(0, 0, std::max(w, 420) + 20, std::max(h, 150) + 100);
    auto* s = Make<TSevenSeg>(4, 4, w, h);
    s->SetNumDigits(numDigits);
    s->SetCaption(caption);
    return s;
  }
  // The control's pixel at a point of the master glyph in digit position j.
  static TColor At(TSevenSeg* s, int j, TPoint master) {
    const TSevenSeg::TLayout& l = s->Layout();
    const host::TRect d = l.Digit(j);
    return zeltest::PixelAt(s, d.Left + master.x * l.DigitWidth / 312,
                            d.Top + master.y * l.DigitHeight / 432);
  }
  static bool Lit(TSevenSeg* s, int j, TPoint master) { return At(s, j, master) == s->ColorText(); }
  // The lit segments of position j as their numbers, e.g. "1257" for C.
  static std::string Segments(TSevenSeg* s, int j) {
    std::string lit;
    for (int k = 0; k < 7; ++k)
      if (Lit(s, j, kSegment[k])) lit += char('1' + k);
    return lit;
  }
};

}  // namespace

TEST_F(SevenSeg, StartsWithTheDefaults) {
  TSevenSeg s(nullptr);
  EXPECT_EQ(s.Width(), 216);
  EXPECT_EQ(s.Height(), 76);
  EXPECT_EQ(s.Caption(), "8.8.8.8.");
  EXPECT_EQ(s.NumDigits(), 4);
  EXPECT_EQ(s.ColorText(), host::clRed);
  EXPECT_EQ(s.ColorBackGnd(), host::RGB(51, 51, 51));
  EXPECT_EQ(s.Margin(), 8);
  EXPECT_EQ(s.InterDigDist(), 2);
  EXPECT_EQ(s.FrameStyle(), frLowered);
  EXPECT_EQ(s.ColorScheme(), csmFixed);
}

TEST_F(SevenSeg, DefaultCaptionLightsEverySegmentAndPoint) {
  TSevenSeg* s = Display("8.8.8.8.");
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(Segments(s, j), "1234567") << j;
    EXPECT_TRUE(Lit(s, j, kPoint)) << j;
  }
}

TEST_F(SevenSeg, ClockShowsColonAndCutsWhatHasNoPosition) {
  TSevenSeg* s = Display("12:30");
  EXPECT_EQ(Segments(s, 0), "36");
  EXPECT_EQ(Segments(s, 1), "13457");
  EXPECT_EQ(Segments(s, 2), "");
  EXPECT_TRUE(Lit(s, 2, kColonDots[0]));
  EXPECT_TRUE(Lit(s, 2, kColonDots[1]));
  EXPECT_EQ(Segments(s, 3), "13467");
  for (int j = 0; j < 4; ++j) EXPECT_FALSE(Lit(s, j, kPoint)) << j;
}

TEST_F(SevenSeg, PointsGoWithTheirDigitOrStandAlone) {
  TSevenSeg* lone = Display(".5");
  EXPECT_EQ(Segments(lone, 0), "");
  EXPECT_TRUE(Lit(lone, 0, kPoint));
  EXPECT_EQ(Segments(lone, 1), "12467");
  EXPECT_FALSE(Lit(lone, 1, kPoint));

  TSevenSeg* comma = Display("1,5");
  EXPECT_EQ(Segments(comma, 0), "36");
  EXPECT_TRUE(Lit(comma, 0, kPoint));
  EXPECT_EQ(Segments(comma, 1), "12467");
}

TEST_F(SevenSeg, TemperatureShowsSignPointDegreeAndUnit) {
  TSevenSeg* s = Display("-9." + kDegree + "C");
  EXPECT_EQ(Segments(s, 0), "4");
  EXPECT_EQ(Segments(s, 1), "123467");
  EXPECT_TRUE(Lit(s, 1, kPoint));
  EXPECT_TRUE(Lit(s, 2, kRing));
  EXPECT_EQ(Segments(s, 3), "1257");
}

TEST_F(SevenSeg, TheDegreeRingsHoleShowsTheBackground) {
  TSevenSeg* s = Display(kDegree, 1, 160, 200);
  s->SetColorBackGnd(host::clNavy);
  EXPECT_TRUE(Lit(s, 0, kRing));
  EXPECT_EQ(At(s, 0, kRingHole), host::clNavy);
}

TEST_F(SevenSeg, LowerCaseHexDigitsShowAbCdEF) {
  TSevenSeg* s = Display("abcdef", 6, 300, 76);
  const char* const expected[6] = {"123456", "24567", "1257", "34567", "12457", "1245"};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(Segments(s, j), expected[j]) << j;
}

TEST_F(SevenSeg, PlusAndUnknownCharacters) {
  TSevenSeg* s = Display("+x 0");
  EXPECT_TRUE(Lit(s, 0, kSegment[3]));  // the plus's bar crosses the middle
  EXPECT_EQ(Segments(s, 1), "");
  EXPECT_EQ(Segments(s, 2), "");
  EXPECT_EQ(Segments(s, 3), "123567");
}

TEST_F(SevenSeg, UnlitSegmentsMarginsAndGapsShowTheBackground) {
  TSevenSeg* s = Display("1");
  const TColor back = s->ColorBackGnd();
  EXPECT_EQ(At(s, 0, kSegment[0]), back);
  EXPECT_EQ(At(s, 0, kSegment[4]), back);
  EXPECT_EQ(zeltest::PixelAt(s, 5, 38), back);       // margin
  EXPECT_EQ(zeltest::PixelAt(s, 8 + 48, 38), back);  // gap after digit 0
  EXPECT_EQ(At(s, 1, kSegment[3]), back);            // position without a character
}

TEST_F(SevenSeg, ColourChangesRecolourTheCache) {
  TSevenSeg* s = Display("8");
  s->SetColorText(host::clLime);
  s->SetColorBackGnd(host::clBlack);
  EXPECT_EQ(At(s, 0, kSegment[0]), host::clLime);
  EXPECT_EQ(zeltest::PixelAt(s, 5, 38), host::clBlack);
  // A second change starts from the pristine pieces, not from the lime ones.
  s->SetColorText(host::clBlue);
  EXPECT_EQ(Segments(s, 0), "1234567");
}

TEST_F(SevenSeg, WhiteTextIsDrawnAlmostWhite) {
  TSevenSeg* s = Display("8");
  s->SetColorText(host::clWhite);
  EXPECT_EQ(At(s, 0, kSegment[3]), host::RGB(254, 254, 254));
  EXPECT_EQ(At(s, 0, kPoint), s->ColorBackGnd());
}

TEST_F(SevenSeg, NumDigitsOutsideOneToThirtyTwoIsIgnored) {
  TSevenSeg* s = Display("88888");
  s->SetNumDigits(0);
  EXPECT_EQ(s->NumDigits(), 4);
  s->SetNumDigits(33);
  EXPECT_EQ(s->NumDigits(), 4);
  s->SetNumDigits(32);
  EXPECT_EQ(s->NumDigits(), 32);
  s->SetNumDigits(1);
  EXPECT_EQ(s->Layout().DigitWidth, 198);  // 216 - 2 * 8 - 2
  EXPECT_EQ(Segments(s, 0), "1234567");
}

TEST_F(SevenSeg, MarginAndGapAreClampedWhenWritten) {
  TSevenSeg* s = Display("8");
  s->SetMargin(-5);
  EXPECT_EQ(s->Margin(), 0);
  s->SetMargin(100);
  EXPECT_EQ(s->Margin(), 37);  // 76 div 2 - 1
  s->SetInterDigDist(-1);
  EXPECT_EQ(s->InterDigDist(), 0);
  s->SetInterDigDist(300);
  EXPECT_EQ(s->InterDigDist(), 255);
}

TEST_F(SevenSeg, StoredMarginAndGapOutliveASizeTheyDoNotFit) {
  TSevenSeg* s = Display("8");
  s->SetMargin(30);
  s->SetInterDigDist(255);
  s->SetBounds(4, 4, 100, 20);
  EXPECT_EQ(s->Margin(), 30);
  EXPECT_EQ(s->InterDigDist(), 255);
  EXPECT_EQ(s->Layout().Margin, 9);
  EXPECT_EQ(s->Layout().DigitWidth, 1);
  s->SetBounds(4, 4, 216, 76);
  EXPECT_EQ(s->Layout().Margin, 30);
}

TEST_F(SevenSeg, TooSmallToHoldADigitDrawsBackgroundAndFrameOnly) {
  TSevenSeg* s = Display("8888", 4, 3, 40);
  EXPECT_TRUE(s->Layout().Empty());
  s->SetFrameStyle(frNone);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(zeltest::PixelAt(s, x, 20), s->ColorBackGnd());
  s->SetBounds(4, 4, 0, 0);  // no area at all
  s->SetBounds(4, 4, 216, 76);
  EXPECT_EQ(Segments(s, 0), "1234567");
}

TEST_F(SevenSeg, OneVeryWideDigitStillGetsACache) {
  TSevenSeg* s = Display("8.", 1, 1800, 60);
  EXPECT_EQ(s->Layout().DigitWidth, 1782);
  EXPECT_EQ(Segments(s, 0), "1234567");
  EXPECT_TRUE(Lit(s, 0, kPoint));
}

TEST_F(SevenSeg, ResizingRebuildsTheCacheWhateverOnResizeHolds) {
  TSevenSeg* s = Display("8");
  int calls = 0;
  s->SetOnResize([&calls](host::TObject*) { ++calls; });
  s->SetBounds(4, 4, 416, 150);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(s->Layout().DigitHeight, 134);
  EXPECT_EQ(Segments(s, 0), "1234567");
  EXPECT_EQ(At(s, 0, kPoint), s->ColorBackGnd());
}

TEST_F(SevenSeg, AssignCopiesTheSettingsIntoItsOwnCache) {
  TSevenSeg* src = Display("12");
  src->SetColorText(host::clYellow);
  src->SetColorBackGnd(host::clBlack);
  src->SetNumDigits(2);
  src->SetMargin(4);
  src->SetInterDigDist(6);
  src->SetFrameStyle(frRaised);
  auto* dst = Make<TSevenSeg>(4, 84, 216, 76);
  dst->Assign(src);
  EXPECT_EQ(dst->Caption(), "12");
  EXPECT_EQ(dst->NumDigits(), 2);
  EXPECT_EQ(dst->Margin(), 4);
  EXPECT_EQ(dst->InterDigDist(), 6);
  EXPECT_EQ(dst->FrameStyle(), frRaised);
  EXPECT_EQ(dst->Layout().DigitWidth, 98);  // (216 - 8) div 2 - 6
  EXPECT_EQ(Segments(dst, 1), "13457");
  src->SetColorText(host::clRed);
  EXPECT_EQ(At(dst, 1, kSegment[0]), host::clYellow);
}

TEST_F(SevenSeg, AssignToAnotherDisplayCallsItsAssign) {
  TSevenSeg* src = Display("42");
  auto* dst = Make<TSevenSeg>(4, 84, 216, 76);
  src->AssignTo(dst);
  EXPECT_EQ(dst->Caption(), "42");
}

TEST_F(SevenSeg, LooksLikeASevenSegmentDisplay) {
  Form()->SetBounds(0, 0, 460, 180);
  Make<TSevenSeg>(4, 4, 216, 76);
  auto* clock = Make<TSevenSeg>(230, 4, 216, 76);
  clock->SetCaption("12:30");
  clock->SetColorText(host::clLime);
  auto* temp = Make<TSevenSeg>(4, 90, 216, 76);
  temp->SetCaption("-9." + kDegree + "C");
  temp->SetColorText(host::RGB(255, 160, 0));
  temp->SetFrameStyle(frRaised);
  auto* hex = Make<TSevenSeg>(230, 90, 216, 40);
  hex->SetNumDigits(6);
  hex->SetCaption("c0FFEE");
  hex->SetColorText(host::clBlack);
  hex->SetColorBackGnd(host::RGB(170, 200, 150));
  hex->SetMargin(4);
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "sevenseg-looks"));
}
