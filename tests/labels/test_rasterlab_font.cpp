// The bit fonts of the raster label as data: the built-in table, sampling a
// host font, the limits of a given matrix and the widths of texts.
#include <gtest/gtest.h>

#include "host/gfx/Graphics.h"
#include "labels/ZEL_RasterLab.h"

using namespace zel;

namespace {

// A host font to sample: DejaVu Sans at a size.
void UseDejaVu(host::TFont& f, int points) {
  f.SetName("DejaVu Sans");
  f.SetSize(points);
}

TRDCharMatrix SampledDejaVu(int points) {
  host::TFont f;
  UseDejaVu(f, points);
  return SampleCharMatrix(&f);
}

uint32_t AllColumns(const TRDCharMatrix& m, int code) {
  uint32_t all = 0;
  for (uint32_t row : m.BitData[size_t(code)]) all |= row;
  return all;
}

TEST(BuiltInFont, EveryPrintableAsciiGlyphHasDotsInsideItsExtentsAndRows) {
  const TRDCharMatrix m = BuiltInCharMatrix();
  EXPECT_EQ(m.FontWidth, 7);
  EXPECT_EQ(m.FontHeight, 12);
  for (int code = 33; code < 127; ++code) {
    const uint32_t all = AllColumns(m, code);
    ASSERT_NE(all, 0u) << "code " << code;
    const int l = m.LeftMostBit[size_t(code)], r = m.RightMostBit[size_t(code)];
    EXPECT_TRUE(all & (1u << l)) << code;
    EXPECT_TRUE(all & (1u << r)) << code;
    EXPECT_EQ(all >> (r + 1), 0u) << code;
    EXPECT_LT(r, 7) << code;
    for (int row = 12; row < 32; ++row) EXPECT_EQ(m.BitData[size_t(code)][size_t(row)], 0u);
  }
}

TEST(BuiltInFont, LatinOneLettersDifferFromTheirBaseLetters) {
  const TRDCharMatrix m = BuiltInCharMatrix();
  // An accent or a cedilla adds dots to the base letter: "Ä" and "A", "ç" and "c".
  for (auto [accented, base] : {std::pair{0xC4, 'A'}, {0xE7, 'c'}, {0xE9, 'e'}, {0xF1, 'n'}}) {
    EXPECT_NE(m.BitData[size_t(accented)], m.BitData[size_t(base)]) << accented;
    EXPECT_NE(AllColumns(m, accented), 0u);
  }
}

TEST(BuiltInFont, CodesWithoutGlyphHaveNoDotsAndReversedExtents) {
  const TRDCharMatrix m = BuiltInCharMatrix();
  for (int code : {127, 128, 150, 159}) {
    EXPECT_EQ(AllColumns(m, code), 0u);
    EXPECT_EQ(m.LeftMostBit[size_t(code)], 31);
    EXPECT_EQ(m.RightMostBit[size_t(code)], 0);
  }
}

TEST(GlyphSpans, ABlankOrReversedGlyphTakesTheBlanksColumnsAndDrawsNothing) {
  const TRDCharMatrix m = BuiltInCharMatrix();
  const TGlyphSpan blank = GlyphSpan(m, ' ', true);
  EXPECT_EQ(blank.First, 0);
  EXPECT_EQ(blank.Last, 3);
  for (uint8_t code : {uint8_t(0), uint8_t(9), uint8_t(31), uint8_t(128)}) {
    const TGlyphSpan s = GlyphSpan(m, code, true);
    EXPECT_TRUE(s.Blank) << int(code);
    EXPECT_EQ(s.Columns(), blank.Columns()) << int(code);
  }
  // Fixed width: every glyph is FontWidth wide, a control code still draws nothing.
  EXPECT_EQ(GlyphSpan(m, 'i', false).Columns(), 7);
  EXPECT_TRUE(GlyphSpan(m, 9, false).Blank);
}

TEST(GlyphSpans, AMatrixWithReversedBlankExtentsFallsBackToHalfTheWidth) {
  TRDCharMatrix m = BuiltInCharMatrix();
  m.LeftMostBit[32] = 5;
  m.RightMostBit[32] = 1;
  const TGlyphSpan s = GlyphSpan(m, 128, true);
  EXPECT_EQ(s.First, 0);
  EXPECT_EQ(s.Last, 3);
}

TEST(ClampCharMatrix, HeightIsAtMost32RowsAndColumnsAtMost31) {
  TRDCharMatrix m;
  m.FontHeight = 40;
  m.FontWidth = 50;
  m.LeftMostBit[65] = 200;
  m.RightMostBit[65] = 255;
  const TRDCharMatrix c = ClampCharMatrix(m);
  EXPECT_EQ(c.FontHeight, 32);
  EXPECT_EQ(c.FontWidth, 32);
  EXPECT_EQ(c.LeftMostBit[65], 31);
  EXPECT_EQ(c.RightMostBit[65], 31);
  m.FontHeight = -3;
  m.FontWidth = -1;
  EXPECT_EQ(ClampCharMatrix(m).FontHeight, 0);
  EXPECT_EQ(ClampCharMatrix(m).FontWidth, 0);
}

TEST(RasterCodes, AreTheLowEightBitsOfEachCodePoint) {
  // A, a-umlaut (U+00E4) and the euro sign (U+20AC).
  EXPECT_EQ(RasterCodes("A\xC3\xA4\xE2\x82\xAC"), (std::vector<uint8_t>{0x41, 0xE4, 0xAC}));
  EXPECT_TRUE(RasterCodes("").empty());
}

TEST(RasterTextWidth, ProportionalSumsColumnsPlusOneGapFixedUsesTheFontWidth) {
  const TRDCharMatrix m = BuiltInCharMatrix();
  // "I" and "l" are three columns each; at pitch 4 each takes 4 * (3 + 1).
  EXPECT_EQ(RasterTextWidth(m, "Il", 4, true), 32);
  EXPECT_EQ(RasterTextWidth(m, "Il", 4, false), 64);
  EXPECT_EQ(RasterTextWidth(m, "", 4, true), 0);
  const TRasterRun run = LayoutRasterRun(m, "Il", 4, true);
  EXPECT_EQ(run.BitLength, 33);
  EXPECT_EQ(run.X, (std::vector<int>{0, 16}));
}

TEST(SampledFont, IsReadWithoutAntialiasingWhateverTheFontsQuality) {
  host::TFont smooth;
  UseDejaVu(smooth, 12);
  host::TFont crisp;
  crisp.Assign(&smooth);
  crisp.SetQuality(host::fqNonAntialiased);
  const TRDCharMatrix a = SampleCharMatrix(&smooth), b = SampleCharMatrix(&crisp);
  EXPECT_EQ(a.BitData, b.BitData);
  EXPECT_EQ(a.FontHeight, b.FontHeight);
}

TEST(SampledFont, MeasuresGlyphsAndGivesBlanksTheirExtents) {
  const TRDCharMatrix m = SampledDejaVu(12);
  EXPECT_GT(m.FontHeight, 8);
  EXPECT_LE(m.FontHeight, 32);
  EXPECT_GT(m.FontWidth, 4);
  // "W" is wider than "l".
  EXPECT_GT(m.RightMostBit['W'] - m.LeftMostBit['W'], m.RightMostBit['l'] - m.LeftMostBit['l']);
  EXPECT_EQ(m.LeftMostBit[32], 0);
  EXPECT_EQ(m.RightMostBit[32], m.FontWidth / 2);
  // The no-break space has no dots: reversed extents, measured as a blank.
  EXPECT_EQ(m.LeftMostBit[0xA0], 31);
  EXPECT_EQ(m.RightMostBit[0xA0], 0);
  EXPECT_EQ(RasterTextWidth(m, "\xC2\xA0", 4, true), RasterTextWidth(m, " ", 4, true));
}

TEST(SampledFont, ABigFontIsCutToTheTopLeft32By32) {
  const TRDCharMatrix m = SampledDejaVu(40);
  EXPECT_EQ(m.FontHeight, 32);
  EXPECT_LE(m.FontWidth, 32);
}

}  // namespace
