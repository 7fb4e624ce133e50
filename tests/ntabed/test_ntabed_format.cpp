#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "ntabed/ZEL_ntabed_format.h"

using zel::FormatTableNumber;

TEST(TableNumberText, FixedNotationWithinTheFieldOfItsPrecision) {
  EXPECT_EQ(FormatTableNumber(3.14159, 1, 2), "3.14");
  EXPECT_EQ(FormatTableNumber(0, 1, 2), "0.00");
  EXPECT_EQ(FormatTableNumber(-2.5, 1, 0), "-2");  // half to even
  EXPECT_EQ(FormatTableNumber(42, 6, 1), "  42.0");
  EXPECT_EQ(FormatTableNumber(999999999, 1, 0), "999999999");
  EXPECT_EQ(FormatTableNumber(0.99999999, 1, 8), "0.99999999");
}

TEST(TableNumberText, ValuesOutsideTheFixedFieldTurnToTheExponentForm) {
  const std::string small = FormatTableNumber(0.001, 1, 2);
  EXPECT_EQ(small.size(), 7u);
  EXPECT_EQ(small, "1.0E-03");
  EXPECT_EQ(FormatTableNumber(1.5e9, 1, 0), "1.5E+09");
  EXPECT_EQ(FormatTableNumber(1.0, 1, 8), "1.0E+00") << "above 0.99999999 at 8 decimals";
  EXPECT_EQ(FormatTableNumber(9999999.9, 1, 1), "9999999.9");
  EXPECT_EQ(FormatTableNumber(10000000, 1, 1), "1.0E+07");
}

TEST(TableNumberText, PrecisionsMinusOneNineAndTenAlwaysUseTheExponent) {
  for (int d : {-1, 9, 10}) EXPECT_EQ(FormatTableNumber(12.5, 1, d), "1.2E+01") << d;
  // A wider field carries more mantissa digits, still Width + 6 characters.
  EXPECT_EQ(FormatTableNumber(12.5, 5, -1), "1.25000E+01");
  EXPECT_EQ(FormatTableNumber(-12.5, 5, -1), "-1.2500E+01");
  EXPECT_EQ(FormatTableNumber(-0.5, 1, -1).substr(0, 2), "-5");
}

TEST(TableNumberText, AnExponentOfThreeDigitsBecomesARowOfStars) {
  EXPECT_EQ(FormatTableNumber(1e200, 1, 2), "*******");
  EXPECT_EQ(FormatTableNumber(-1e-120, 3, 4), std::string(9, '*'));
  EXPECT_EQ(FormatTableNumber(1e99, 1, 2), "1.0E+99");
}

TEST(TableNumberText, NonFiniteValuesAreNamedNotFormatted) {
  EXPECT_EQ(FormatTableNumber(std::numeric_limits<double>::quiet_NaN(), 1, 2), "    NaN");
  EXPECT_EQ(FormatTableNumber(-HUGE_VAL, 1, 2), "   -Inf");
}

TEST(CategoryText, HugeInfiniteAndNaNValuesAreNeverTakenForACode) {
  auto name = [](int n) { return n == 3 ? std::string("red") : std::string(); };
  EXPECT_EQ(zel::CategoryCellText(3.2, "nominal", name), "red");
  EXPECT_EQ(zel::CategoryCellText(200, "nominal", name), "nominal:200");
  EXPECT_EQ(zel::CategoryCellText(4, "nominal", name), "nominal:4") << "a code without a name";
  EXPECT_EQ(zel::CategoryCellText(1e300, "nominal", name), "nominal:1e+300");
  EXPECT_EQ(zel::CategoryCellText(HUGE_VAL, "ordinal", name), "ordinal:Inf");
  EXPECT_FALSE(zel::RoundToInt(std::nan("")));
  EXPECT_FALSE(zel::RoundToInt(4294967296.0 + 3));  // would wrap to 3
  EXPECT_EQ(*zel::RoundToInt(-2147483648.0), -2147483648);
}

// Over a sweep of magnitudes, widths and precisions: exponent texts keep their
// width, and every text that is not the overflow row reads back as the value
// to the digits it shows.
TEST(TableNumberText, EveryTextKeepsItsWidthAndReadsBackAsTheValue) {
  for (int w = 1; w <= 20; w += 3)
    for (int d = -1; d <= 10; ++d)
      for (int e = -105; e <= 105; e += 7)
        for (double m : {1.0, -3.75, 9.999999}) {
          const double x = m * std::pow(10.0, e);
          const std::string s = FormatTableNumber(x, w, d);
          ASSERT_GE(int(s.size()), w) << x;
          if (s.find('E') == std::string::npos && s.find('*') == std::string::npos) {
            ASSERT_GE(d, 0) << s;
            ASSERT_NEAR(std::strtod(s.c_str(), nullptr), x, 0.50001 * std::pow(10.0, -d)) << s;
            continue;
          }
          const int expected = w + 6 + (x < 0 && w == 1 ? 1 : 0);
          ASSERT_EQ(int(s.size()), expected) << s << " for " << x;
          if (s[0] == '*') {
            ASSERT_GE(std::fabs(e), 99) << "stars only for three-digit exponents: " << x;
            continue;
          }
          const double back = std::strtod(s.c_str(), nullptr);
          ASSERT_NEAR(back / x, 1.0, 0.05) << s << " for " << x;
        }
}
