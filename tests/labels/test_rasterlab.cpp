// The raster label on a form: defaults and limits, the dots as pixels, the
// frames, the automatic height and centring, and scrolling on the virtual clock.
#include <gtest/gtest.h>

#include <climits>

#include "host/ui/Windows.h"
#include "labels/ZEL_RasterLab.h"
#include "tests/support/Headless.h"

using namespace zel;
using host::TColor;
using zeltest::Advance;
using zeltest::PixelAt;

namespace {

constexpr TColor kOn = host::clLime, kOff = host::RGB(64, 64, 64), kBack = host::clBlack;

class RasterLab : public zeltest::HeadlessTest {
 protected:
  TRasterLab* Label(int w = 400, int h = 68) {
    Form()->SetBounds(0, 0, 420, 120);
    TRasterLab* l = Make<TRasterLab>(0, 0, w, h);
    l->SetName("Ticker");
    return l;
  }
  // A label of single-pixel dots without gaps or frame, text at (0, 0).
  TRasterLab* PixelLabel(const std::string& text) {
    TRasterLab* l = Label(120, 20);
    l->SetFrameStyle(frNone);
    l->SetDotSize(1);
    l->SetDotSpacing(0);
    l->SetCharBlockMode(rdbmOff);
    l->SetPosX(0);
    l->SetPosY(0);
    l->SetText(text);
    return l;
  }
};

TEST_F(RasterLab, DefaultsShowGreenDotsOnDarkDotsWithBlackGaps) {
  TRasterLab* l = Label();
  EXPECT_EQ(l->Width(), 400);
  EXPECT_EQ(l->Height(), 68);
  EXPECT_EQ(l->Text(), "Text");
  EXPECT_EQ(l->Font()->Name(), "default");
  EXPECT_EQ(l->Pitch(), 4);
  EXPECT_EQ(l->FrameStyle(), frLowered);
  EXPECT_EQ(l->ScrollMode(), rdsmOff);
  EXPECT_TRUE(l->ScrollLoop());
  EXPECT_TRUE(l->Proportional());
  // "T" starts with a bar of five dots on row 2: at PosX 1, PosY 1 + 2 * 4
  // (the sunken frame's inner line covers column 1).
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(PixelAt(l, 2 + c * 4, 9), kOn) << c;
    EXPECT_EQ(PixelAt(l, 3 + c * 4, 11), kOn) << c;   // a dot is 3 x 3
    EXPECT_EQ(PixelAt(l, 4 + c * 4, 9), kBack) << c;  // the gap after it
  }
  EXPECT_EQ(PixelAt(l, 2, 2), kOff);  // row 0 of "T" is unlit
  EXPECT_EQ(PixelAt(l, 2, 4), kBack);
  // After the five columns of "T" (20 pixels) a block gap of one pitch is black.
  EXPECT_EQ(PixelAt(l, 22, 5), kBack);
  EXPECT_EQ(PixelAt(l, 22, 45), kBack);
  // Beyond the text the label is unlit dots.
  EXPECT_EQ(PixelAt(l, 301, 5), kOff);
}

TEST_F(RasterLab, SettersClampDotsIntervalAndIncrement) {
  TRasterLab* l = Label();
  l->SetDotSize(50);
  EXPECT_EQ(l->DotSize(), 32);
  l->SetDotSize(0);
  EXPECT_EQ(l->DotSize(), 1);
  l->SetDotSpacing(5);
  EXPECT_EQ(l->DotSpacing(), 3);
  l->SetDotSpacing(-1);
  EXPECT_EQ(l->DotSpacing(), 0);
  l->SetScrollInterval(5);
  EXPECT_EQ(l->ScrollInterval(), 10);
  l->SetScrollIncrement(-3);
  EXPECT_EQ(l->ScrollIncrement(), 3);
  l->SetScrollIncrement(0);
  EXPECT_EQ(l->ScrollIncrement(), 1);
  l->SetScrollIncrement(INT_MIN);
  EXPECT_EQ(l->ScrollIncrement(), INT_MAX);
}

TEST_F(RasterLab, BuiltInGlyphIsDrawnDotForDotAndDotSizeOneDrawsSinglePixels) {
  TRasterLab* l = PixelLabel("A");
  const TRDCharMatrix& m = l->CharMatrix();
  const int first = m.LeftMostBit['A'];
  for (int r = 0; r < 12; ++r)
    for (int c = 0; c < 7; ++c) {
      const bool dot = c >= first && (m.BitData['A'][size_t(r)] >> c & 1);
      EXPECT_EQ(PixelAt(l, c - first, r), dot ? kOn : kBack) << r << "," << c;
    }
}

TEST_F(RasterLab, PaintCharDrawsSquaresAtThePitchAndReturnsTheGlyphWidth) {
  host::TBitmap bmp(40, 60);
  const TRDCharMatrix m = BuiltInCharMatrix();
  const int w = TRasterLab::PaintChar(bmp.Canvas(), m, 2, 1, '|', 3, 2, kOn, kOff, kBack,
                                      /*FixedWidth=*/false);
  EXPECT_EQ(w, 5);  // one column at pitch 5
  // "|" has dots on rows 2..8: squares 3 x 3 every 5 pixels down.
  EXPECT_EQ(bmp.Canvas()->Pixels(2, 1 + 2 * 5), kOn);
  EXPECT_EQ(bmp.Canvas()->Pixels(4, 3 + 2 * 5), kOn);
  EXPECT_NE(bmp.Canvas()->Pixels(5, 1 + 2 * 5), kOn);
  EXPECT_NE(bmp.Canvas()->Pixels(2, 4 + 2 * 5), kOn);
  EXPECT_EQ(TRasterLab::PaintChar(bmp.Canvas(), m, 0, 0, '|', 3, 2, kOn, kOff, kBack, true), 35);
}

TEST_F(RasterLab, ControlCodesAndDotlessGlyphsAreBlanksEvenWithBitsInAGivenMatrix) {
  TRasterLab* l = PixelLabel("\t\xC2\x80");  // a tab and U+0080
  TRDCharMatrix m = BuiltInCharMatrix();
  m.BitData[9].fill(0xFF);
  m.BitData[0x80].fill(0xFF);  // reversed extents 31, 0 stay
  l->SetCharMatrix(m);
  const int blank = l->CalcTextBitLength(" ");
  EXPECT_EQ(l->CalcTextBitLength("\t"), blank);
  EXPECT_EQ(l->CalcTextBitLength("\xC2\x80"), blank);
  for (int x = 0; x < 20; ++x)
    for (int y = 0; y < 12; ++y) ASSERT_NE(PixelAt(l, x, y), kOn) << x << "," << y;
}

TEST_F(RasterLab, SetCharMatrixClampsAndPaintsAnOversizedMatrixSafely) {
  TRasterLab* l = PixelLabel("AB");
  TRDCharMatrix m = BuiltInCharMatrix();
  m.FontHeight = 99;
  m.LeftMostBit['A'] = 0;
  m.RightMostBit['A'] = 200;
  l->SetCharMatrix(m);
  EXPECT_EQ(l->CharMatrix().FontHeight, 32);
  EXPECT_EQ(l->CharMatrix().RightMostBit['A'], 31);
  EXPECT_EQ(l->CalcTextBitLength("A"), 33);
  zeltest::Pump();
}

TEST_F(RasterLab, AutoHeightFollowsFrameFontAndDots) {
  TRasterLab* l = Label();
  l->SetAutoHeight(true);
  EXPECT_EQ(l->Height(), 49);  // 1 + 4 * 12
  l->SetDotSize(2);
  EXPECT_EQ(l->Height(), 37);
  l->SetFrameStyle(frEmbossed);
  l->SetDotSize(3);
  EXPECT_EQ(l->Height(), 50);
}

TEST_F(RasterLab, AutoCenterCentresTheTextAndOffPutsItBackAtOne) {
  TRasterLab* l = Label();
  l->SetAutoCenter(true);
  const int len = l->CalcTextBitLength("Text");
  EXPECT_EQ(l->PosX(), (400 - len) / 2 + 2);
  l->SetText("Il");
  EXPECT_EQ(l->PosX(), (400 - 32) / 2 + 2);
  l->SetAutoCenter(false);
  EXPECT_EQ(l->PosX(), 1);
}

TEST_F(RasterLab, AHostFontIsSampledAndDefaultInAnyCaseSelectsTheBuiltInFont) {
  TRasterLab* l = Label();
  l->SetAutoHeight(true);
  l->Font()->SetName("DejaVu Sans");
  l->Font()->SetSize(14);
  EXPECT_NE(l->CharMatrix().FontHeight, 12);
  EXPECT_EQ(l->Height(), 1 + 4 * l->CharMatrix().FontHeight);
  l->Font()->SetName("DEFAULT");
  EXPECT_EQ(l->CharMatrix().FontHeight, 12);
  EXPECT_EQ(l->CharMatrix().BitData, BuiltInCharMatrix().BitData);
}

TEST_F(RasterLab, FramesTakeTheSchemesLineColoursAndUncoveredCornersTheColor) {
  TRasterLab* l = Label(60, 30);
  const TColor grey = host::RGB(128, 128, 128);
  l->SetFrameStyle(frSimple);
  EXPECT_EQ(PixelAt(l, 0, 0), grey);
  EXPECT_EQ(PixelAt(l, 59, 29), grey);
  l->SetFrameStyle(frLowered);
  EXPECT_EQ(PixelAt(l, 0, 0), grey);
  EXPECT_EQ(PixelAt(l, 1, 1), kBack);
  EXPECT_EQ(PixelAt(l, 59, 29), host::clWhite);
  EXPECT_EQ(PixelAt(l, 59, 0), host::ColorToRGB(l->Color()));
  l->SetFrameStyle(frRaised);
  EXPECT_EQ(PixelAt(l, 1, 1), host::clWhite);
  EXPECT_EQ(PixelAt(l, 59, 29), kBack);
  l->SetColorScheme(csmSystem);
  EXPECT_EQ(PixelAt(l, 0, 0), host::ColorToRGB(host::clBtnShadow));
  l->SetFrameStyle(frNone);
  EXPECT_EQ(PixelAt(l, 1, 1), kOff);
  EXPECT_EQ(PixelAt(l, 0, 1), kBack);
}

TEST_F(RasterLab, ALongScrolledTextShowsTheSameDotsAsGlyphByGlyphDrawing) {
  TRasterLab* l = Label(200, 60);
  std::string text;
  for (int i = 0; i < 300; ++i) text += char('!' + i % 90);
  l->SetText(text);
  l->SetScrollIncrement(373);
  l->SetScrollMode(rdsmLeft);
  Advance(300);  // three steps: the text starts 1119 pixels left of the label
  ASSERT_EQ(l->ScrollX(), -1119);
  host::TBitmap ref(200, 60);
  ref.Canvas()->Brush()->SetColor(kOff);
  ref.Canvas()->FillRect(host::Rect(0, 0, 200, 60));
  int x = l->PosX() + l->ScrollX();
  for (uint8_t code : RasterCodes(text))
    x += TRasterLab::PaintChar(ref.Canvas(), l->CharMatrix(), x, 1, code, 3, 1, kOn, kOff, kBack,
                               false) +
         4;
  for (int px = 2; px < 198; ++px)
    for (int py = 2; py < 58; ++py)
      if (ref.Canvas()->Pixels(px, py) == kOn) {
        ASSERT_EQ(PixelAt(l, px, py), kOn) << px << "," << py;
      }
}

TEST_F(RasterLab, ScrollingRightMovesOnePixelEachIntervalAndReentersFromTheLeft) {
  TRasterLab* l = Label(40, 20);
  int ticks = 0, restarts = 0;
  l->SetOnScrollTimer([&](host::TObject*) { ++ticks; });
  l->SetOnScrollLoopRestart([&](host::TObject*) { ++restarts; });
  l->SetScrollMode(rdsmRight);
  EXPECT_TRUE(l->TimerRunning());
  Advance(300);
  EXPECT_EQ(l->ScrollX(), 3);
  EXPECT_EQ(ticks, 3);
  Advance(100 * 38);
  EXPECT_EQ(l->ScrollX(), -l->BitLength());  // 41 > 40: back to the left
  EXPECT_EQ(restarts, 1);
  EXPECT_EQ(ticks, 41);
}

TEST_F(RasterLab, ScrollingLeftReentersAtTheRightEdge) {
  TRasterLab* l = Label(40, 20);
  int restarts = 0;
  l->SetOnScrollLoopRestart([&](host::TObject*) { ++restarts; });
  l->SetScrollIncrement(10);
  l->SetScrollMode(rdsmLeft);
  const int len = l->BitLength();
  int steps = 0;
  while (restarts == 0 && steps < 100) {
    Advance(100);
    ++steps;
  }
  EXPECT_EQ(steps, (len + 1 + 9) / 10);
  EXPECT_EQ(l->ScrollX(), 40 - 1);
  Advance(100);
  EXPECT_EQ(l->ScrollX(), 29);
}

TEST_F(RasterLab, ScrollingDownAndUpReenterFromTheOppositeEdge) {
  TRasterLab* l = Label(80, 30);
  int restarts = 0;
  l->SetOnScrollLoopRestart([&](host::TObject*) { ++restarts; });
  l->SetScrollIncrement(7);
  l->SetScrollMode(rdsmDown);
  Advance(500);
  EXPECT_EQ(l->ScrollY(), -48);  // 35 > 30: one text height above the top
  EXPECT_EQ(restarts, 1);
  l->SetScrollMode(rdsmOff);
  EXPECT_EQ(l->ScrollY(), 0);
  EXPECT_FALSE(l->TimerRunning());
  l->SetScrollMode(rdsmUp);
  Advance(700);  // 1 - 49 + 48 <= 0 at the seventh step
  EXPECT_EQ(l->ScrollY(), 30 - 1);
  EXPECT_EQ(restarts, 2);
  Advance(100);
  EXPECT_EQ(l->ScrollY(), 22);
}

TEST_F(RasterLab, WithoutLoopTheTextStopsOnceOutOfViewInEveryDirection) {
  TRasterLab* l = Label(40, 20);
  l->SetScrollLoop(false);
  l->SetScrollIncrement(INT_MAX);
  for (TRDScrollMode mode : {rdsmRight, rdsmLeft, rdsmDown, rdsmUp}) {
    l->SetScrollMode(rdsmOff);
    l->SetScrollMode(mode);
    Advance(100);
    const int x = l->ScrollX(), y = l->ScrollY();
    Advance(1000);
    EXPECT_EQ(l->ScrollX(), x) << int(mode);
    EXPECT_EQ(l->ScrollY(), y) << int(mode);
    EXPECT_TRUE(x != 0 || y != 0) << int(mode);
  }
  // One pixel at a time the text stops right behind the edge.
  l->SetScrollMode(rdsmOff);
  l->SetScrollIncrement(1);
  l->SetScrollMode(rdsmRight);
  Advance(100 * 60);
  EXPECT_EQ(l->PosX() + l->ScrollX(), 40);
}

TEST_F(RasterLab, ATimerThatCannotBeSetRaisesTheNoTimerMessageAndKeepsTheMode) {
  TRasterLab* l = Label();
  host::FailNextSetTimers();
  try {
    l->SetScrollMode(rdsmUp);
    FAIL() << "no exception";
  } catch (const EZELRasterLabError& e) {
    EXPECT_STREQ(e.what(), "Component \"Ticker\": no timer available");
  }
  EXPECT_EQ(l->ScrollMode(), rdsmUp);
  EXPECT_FALSE(l->TimerRunning());
  l->SetScrollInterval(50);  // the next restart finds a timer
  EXPECT_TRUE(l->TimerRunning());
}

TEST_F(RasterLab, AtDesignTimeTheModeIsStoredButTheTimerStaysOff) {
  TRasterLab* l = Label();
  l->SetDesigning(true);
  l->SetScrollMode(rdsmRight);
  l->SetScrollInterval(20);
  EXPECT_EQ(l->ScrollMode(), rdsmRight);
  EXPECT_FALSE(l->TimerRunning());
  Advance(500);
  EXPECT_EQ(l->ScrollX(), 0);
}

TEST_F(RasterLab, AnExceptionInOnScrollTimerReachesTheApplicationAndScrollingGoesOn) {
  TRasterLab* l = Label();
  int handled = 0;
  host::Application->SetOnException([&](host::TObject*, const std::exception&) { ++handled; });
  l->SetOnScrollTimer([](host::TObject*) { throw std::runtime_error("handler failed"); });
  l->SetScrollMode(rdsmDown);
  Advance(200);
  EXPECT_EQ(handled, 2);
  EXPECT_EQ(l->ScrollY(), 2);
}

TEST_F(RasterLab, AssignCopiesTextFrameAndTwoColoursOnly) {
  TRasterLab* a = Label();
  TRasterLab* b = Make<TRasterLab>(0, 70, 400, 40);
  a->SetText("Source");
  a->SetFrameStyle(frEngraved);
  a->SetColorScheme(csmSystem);
  a->SetColorLabBakG(host::clNavy);
  a->SetColorDotOn(host::clRed);
  a->SetColorDotOff(host::clBlue);
  a->SetDotSize(5);
  b->Assign(a);
  EXPECT_EQ(b->Text(), "Source");
  EXPECT_EQ(b->FrameStyle(), frEngraved);
  EXPECT_EQ(b->ColorScheme(), csmSystem);
  EXPECT_EQ(b->ColGrayLine(), a->ColGrayLine());
  EXPECT_EQ(b->ColorLabBakG(), host::clNavy);
  EXPECT_EQ(b->ColorDotOn(), host::clRed);
  EXPECT_EQ(b->ColorDotOff(), kOff);
  EXPECT_EQ(b->DotSize(), 3);
  EXPECT_EQ(b->BitLength(), a->CalcTextBitLength("Source") * 4 / 6 + 1);
}

}  // namespace
