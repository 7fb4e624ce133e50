#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "foundation/Zel_numscan.h"

using zel::ScanNumber;
using zel::TNumScan;

namespace {

constexpr double kMax = std::numeric_limits<double>::max();

struct Cell {
  int Col, Row;
  double Value;
  friend bool operator==(const Cell&, const Cell&) = default;
};

std::vector<Cell> Cells(const std::string& text, bool commaSplits) {
  std::vector<Cell> cells;
  zel::ScanNumberGrid(text, commaSplits, [&](int c, int r, double v) {
    cells.push_back({c, r, v});
  });
  return cells;
}

}  // namespace

TEST(NumScan, ReadsDecimalsWithPointOrCommaAndStopsOnTheEndingCharacter) {
  TNumScan s = ScanNumber("x 12.5 y", 1);
  EXPECT_TRUE(s.Valid);
  EXPECT_EQ(s.Value, 12.5);
  EXPECT_EQ(s.Stop, 6u);  // the blank after the number
  EXPECT_EQ(ScanNumber("-1,25;", 0).Value, -1.25);
  EXPECT_EQ(ScanNumber("-1,25;", 0).Stop, 5u);
  EXPECT_EQ(ScanNumber("1.5e3 ", 0).Value, 1500);
  EXPECT_EQ(ScanNumber("2E-2 ", 0).Value, 0.02);
  EXPECT_EQ(ScanNumber("3. ", 0).Value, 3);
  EXPECT_EQ(ScanNumber(".5", 0).Value, 0.5);
  EXPECT_EQ(ScanNumber("+7", 0).Value, 7);  // the end of the text ends it too
  EXPECT_EQ(ScanNumber("+7", 0).Stop, 2u);
  EXPECT_EQ(ScanNumber("8-9", 0).Value, 8);
  EXPECT_EQ(ScanNumber("8-9", 0).Stop, 1u);
  // Leading blanks are skipped; "1E" without digits is 1.
  EXPECT_EQ(ScanNumber("   4", 0).Value, 4);
  EXPECT_EQ(ScanNumber("1E;", 0).Value, 1);
}

TEST(NumScan, ErrorsGiveZeroAndStopWhereTheTextWentWrong) {
  for (const char* t : {"--1", "+ 1", "1.2.3", "1E 5", "E5", "1e+-2", "x"}) {
    const TNumScan s = ScanNumber(t, 0);
    EXPECT_FALSE(s.Valid) << t;
    EXPECT_EQ(s.Value, 0) << t;
  }
  EXPECT_EQ(ScanNumber("--1", 0).Stop, 1u);
  EXPECT_EQ(ScanNumber("1.2.3", 0).Stop, 3u);
  // Only the chosen separators count as such.
  EXPECT_FALSE(ScanNumber(",5", 0, {true, false}).Valid);
  EXPECT_EQ(ScanNumber("1,5", 0, {true, false}).Value, 1);
  // Tabs, CRs and commas can be made blanks; the end of the text too.
  const zel::TScanSeparators walk{true, false, true, true, true};
  EXPECT_EQ(ScanNumber("\t-2.5\r", 0, walk).Value, -2.5);
  EXPECT_EQ(ScanNumber("\t-2.5\r", 0, walk).Stop, 5u);
  EXPECT_FALSE(ScanNumber("1E,", 0, walk).Valid);
  EXPECT_FALSE(ScanNumber("1E", 0, walk).Valid);
  EXPECT_EQ(ScanNumber("1E", 0).Value, 1);
}

TEST(NumScan, HugeExponentsStopAtTheLimitAndValuesStayFinite) {
  EXPECT_EQ(ScanNumber("1E9999 ", 0).Value, kMax);
  EXPECT_EQ(ScanNumber("-1E4200 ", 0).Value, -kMax);
  EXPECT_EQ(ScanNumber("1E400", 0).Value, kMax);
  EXPECT_EQ(ScanNumber("1E-9999 ", 0).Value, 0);
  EXPECT_EQ(ScanNumber("1E9999 ", 0).Stop, 6u);  // every digit is read, few are taken
  EXPECT_EQ(ScanNumber("0.0001E310", 0).Value, 1e306);
  // A mantissa longer than any buffer still reads right.
  EXPECT_DOUBLE_EQ(ScanNumber("1." + std::string(500, '0') + "1", 0).Value, 1.0);
  EXPECT_DOUBLE_EQ(ScanNumber(std::string(300, '0') + "42", 0).Value, 42);
}

TEST(NumScan, GridWalkSplitsRowsOnEveryKindOfLineEnd) {
  const std::vector<Cell> crlf{{0, 0, 1}, {1, 0, 2}, {0, 1, 3}, {1, 1, 4}};
  EXPECT_EQ(Cells("1\t2\r\n3\t4\r\n", true), crlf);
  // A bare LF right after a number starts a row as CRLF does.
  EXPECT_EQ(Cells("1\t2\n3\t4\n", true), crlf);
  EXPECT_EQ(Cells("1 2 \n3 4", true), crlf);
  // Text around and between the numbers is skipped; a failed scan keeps its cell.
  EXPECT_EQ(Cells("T=1,5 V -- 2", true),
            (std::vector<Cell>{{0, 0, 1}, {1, 0, 5}, {2, 0, 0}, {3, 0, 2}}));
  EXPECT_EQ(Cells("T=1,5", false), (std::vector<Cell>{{0, 0, 1.5}}));
  EXPECT_EQ(Cells("--1", true), (std::vector<Cell>{{0, 0, 0}, {1, 0, 1}}));
  // Empty lines between numbers count as rows.
  EXPECT_EQ(Cells("1\n\n2", true), (std::vector<Cell>{{0, 0, 1}, {0, 2, 2}}));
  EXPECT_TRUE(Cells("no numbers here", true).empty());
}

TEST(NumScan, CountingTakesTheWidestRowTheLastOneIncluded) {
  int c = 0, r = 0;
  EXPECT_TRUE(zel::CountNumberGrid("1\t2\r\n3\t4\r\n", c, r));
  EXPECT_EQ(c, 2);
  EXPECT_EQ(r, 3);  // a trailing line break counts one more row
  EXPECT_TRUE(zel::CountNumberGrid("1\n2\t3\t4", c, r));
  EXPECT_EQ(c, 3);  // the last line has no line break but counts
  EXPECT_EQ(r, 2);
  EXPECT_TRUE(zel::CountNumberGrid("1,5", c, r));
  EXPECT_EQ(c, 1);
  EXPECT_FALSE(zel::CountNumberGrid("\n\nabc\n", c, r));
  EXPECT_EQ(c, 1);
  EXPECT_EQ(r, 1);
}
