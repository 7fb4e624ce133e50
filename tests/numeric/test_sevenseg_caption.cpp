// Which glyph and point each position of a seven-segment display shows.
#include <gtest/gtest.h>

#include "numeric/ZEL_sevenseg.h"

using namespace zel;

namespace {

constexpr int kMinus = 10, kColon = 12, kDegree = 13, kC = 16;

TSevenSegPosition Digit(int cell, bool point = false) { return {cell, point}; }
TSevenSegPosition BlankPoint() { return {-1, true}; }

}  // namespace

TEST(SevenSegCell, FindsDigitsSignsAndLettersOfEitherCase) {
  EXPECT_EQ(SevenSegCell(U'0'), 0);
  EXPECT_EQ(SevenSegCell(U'9'), 9);
  EXPECT_EQ(SevenSegCell(U'-'), kMinus);
  EXPECT_EQ(SevenSegCell(U'+'), 11);
  EXPECT_EQ(SevenSegCell(U':'), kColon);
  EXPECT_EQ(SevenSegCell(U'\u00B0'), kDegree);
  EXPECT_EQ(SevenSegCell(U'A'), 14);
  EXPECT_EQ(SevenSegCell(U'f'), 19);
  EXPECT_EQ(SevenSegCell(U'.'), kSevenSegPointCell);
}

TEST(SevenSegCell, HasNoGlyphForOtherCharacters) {
  for (char32_t c : {U' ', U'G', U'g', U'x', U'\u00C4', U'\u2070', U'\uFFFD'})
    EXPECT_EQ(SevenSegCell(c), -1) << int(c);
}

TEST(SevenSegPositions, PointsJoinThePrecedingCharacter) {
  const std::vector<TSevenSegPosition> eights(4, Digit(8, true));
  EXPECT_EQ(SevenSegPositions("8.8.8.8.", 4), eights);
  EXPECT_EQ(SevenSegPositions("1,5", 4), (std::vector{Digit(1, true), Digit(5)}));
}

TEST(SevenSegPositions, APointWithoutACharacterTakesABlankPosition) {
  EXPECT_EQ(SevenSegPositions(".5", 4), (std::vector{BlankPoint(), Digit(5)}));
  EXPECT_EQ(SevenSegPositions("1..", 4), (std::vector{Digit(1, true), BlankPoint()}));
}

TEST(SevenSegPositions, StopsAtNumDigitsPositions) {
  EXPECT_EQ(SevenSegPositions("12:30", 4),
            (std::vector{Digit(1), Digit(2), Digit(kColon), Digit(3)}));
  // The point after the last shown character still belongs to it.
  EXPECT_EQ(SevenSegPositions("1.23", 1), (std::vector{Digit(1, true)}));
}

TEST(SevenSegPositions, WalksUtf8ByCodePoint) {
  EXPECT_EQ(SevenSegPositions("-9.\xC2\xB0"
                              "C",
                              4),
            (std::vector{Digit(kMinus), Digit(9, true), Digit(kDegree), Digit(kC)}));
  EXPECT_EQ(SevenSegPositions("\xC2\xB0.", 4), (std::vector{Digit(kDegree, true)}));
  // A character without a glyph, multi-byte or not, leaves one position blank.
  EXPECT_EQ(SevenSegPositions("\xC3\x84 1", 4), (std::vector{Digit(-1), Digit(-1), Digit(1)}));
}

TEST(SevenSegPositions, MalformedBytesAreBlankPositionsOfTheirOwn) {
  EXPECT_EQ(SevenSegPositions("\xFF"
                              "1\xC2",
                              4),
            (std::vector{Digit(-1), Digit(1), Digit(-1)}));
}

TEST(SevenSegPositions, LowerCaseLettersShowTheirGlyphs) {
  std::vector<TSevenSegPosition> letters;
  for (int cell = 14; cell <= 19; ++cell) letters.push_back(Digit(cell));
  EXPECT_EQ(SevenSegPositions("abcdef", 6), letters);
}

TEST(SevenSegLayout, UsesTheStoredValuesWhenTheyFit) {
  const TSevenSeg::TLayout l = TSevenSeg::ComputeLayout(216, 76, 4, 8, 2);
  EXPECT_EQ(l.Margin, 8);
  EXPECT_EQ(l.InterDigDist, 2);
  EXPECT_EQ(l.DigitWidth, 48);  // (216 - 16) div 4 - 2
  EXPECT_EQ(l.DigitHeight, 60);
  EXPECT_EQ(l.Digit(1), host::Rect(58, 8, 106, 68));
  EXPECT_EQ(l.PointIn(l.Digit(1)), host::Rect(98, 58, 106, 68));
}

TEST(SevenSegLayout, ClampsWhatDoesNotFitTheSize) {
  // A gap wider than the digit pitch leaves the digit one pixel.
  TSevenSeg::TLayout l = TSevenSeg::ComputeLayout(216, 76, 4, 8, 255);
  EXPECT_EQ(l.InterDigDist, 49);
  EXPECT_EQ(l.DigitWidth, 1);
  // A margin from a taller control.
  l = TSevenSeg::ComputeLayout(216, 20, 4, 37, 2);
  EXPECT_EQ(l.Margin, 9);
  EXPECT_EQ(l.DigitHeight, 2);
  // ... or from a wider one.
  l = TSevenSeg::ComputeLayout(10, 76, 1, 30, 0);
  EXPECT_EQ(l.Margin, 4);
  EXPECT_EQ(l.DigitWidth, 2);
}

TEST(SevenSegLayout, IsEmptyWhenNoDigitOrRowFits) {
  EXPECT_TRUE(TSevenSeg::ComputeLayout(3, 76, 4, 0, 2).Empty());
  EXPECT_TRUE(TSevenSeg::ComputeLayout(216, 0, 4, 8, 2).Empty());
  EXPECT_TRUE(TSevenSeg::ComputeLayout(0, 0, 1, 8, 2).Empty());
  EXPECT_FALSE(TSevenSeg::ComputeLayout(4, 1, 4, 8, 2).Empty());
}
