// The progress bar's value text in fixed point and both scientific forms.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "instruments/ZEL_ProgBar.h"

using zel::ProgBarValueText;

TEST(ProgBarValueText, FixedPointHasTheGivenDecimalsAndAPoint) {
  EXPECT_EQ(ProgBarValueText(10, 0), "10");
  EXPECT_EQ(ProgBarValueText(3.14159, 2), "3.14");
  EXPECT_EQ(ProgBarValueText(-0.5, 3), "-0.500");
  EXPECT_EQ(ProgBarValueText(1.0 / 3, 10), "0.3333333333");
  EXPECT_EQ(ProgBarValueText(1.0 / 3, 25), "0.3333333333");  // at most 10
  EXPECT_EQ(ProgBarValueText(1e12, 0), "1000000000000");
  EXPECT_EQ(ProgBarValueText(-1e308, 1).size(), 312u);  // the widest double fits
}

TEST(ProgBarValueText, ShortScientificHasATwoDigitExponent) {
  EXPECT_EQ(ProgBarValueText(12345, -1), "1.2345E+04");
  EXPECT_EQ(ProgBarValueText(0.00012, -1), "1.2E-04");
  EXPECT_EQ(ProgBarValueText(-7, -1), "-7.0E+00");
  EXPECT_EQ(ProgBarValueText(0, -1), "0.0E+00");
  EXPECT_EQ(ProgBarValueText(1.0 / 3, -1), "3.33333333333333E-01");
  // Rounding to 15 digits may carry into the exponent.
  EXPECT_EQ(ProgBarValueText(9.999999999999999e99, -1), "********");
  EXPECT_EQ(ProgBarValueText(9.999999999999999e99, -2), "1.0E+100");
}

TEST(ProgBarValueText, AnExponentOfThreeDigitsBecomesStarsOfTheSameLength) {
  EXPECT_EQ(ProgBarValueText(1e100, -1), "********");       // 1.0E+100
  EXPECT_EQ(ProgBarValueText(-2.5e-300, -1), "*********");  // -2.5E-300
  EXPECT_EQ(ProgBarValueText(1e100, -2), "1.0E+100");
}

TEST(ProgBarValueText, FullScientificKeepsThreeExponentDigits) {
  EXPECT_EQ(ProgBarValueText(12345, -2), "1.2345E+004");
  EXPECT_EQ(ProgBarValueText(5e-7, -2), "5.0E-007");
  EXPECT_EQ(ProgBarValueText(12345, -9), "1.2345E+004");  // below -2 counts as -2
}

TEST(ProgBarValueText, NonNumbersAreNamed) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ProgBarValueText(inf, 0), "INF");
  EXPECT_EQ(ProgBarValueText(-inf, -1), "-INF");
  EXPECT_EQ(ProgBarValueText(std::nan(""), 2), "NAN");
}
