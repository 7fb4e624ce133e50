// The numeric input's value model: scanners, checks, readers and writers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numeric/ZEL_NumIOFormat.h"

using namespace zel;

namespace {

constexpr TSepSet kEither{true, true};
constexpr TSepSet kPoint{true, false};
constexpr TSepSet kComma{false, true};

TNumFormat Fmt(TInFormat f) {
  TNumFormat n;
  n.Format = f;
  return n;
}

}  // namespace

TEST(FloatScanner, AcceptsANumberFollowedByAnything) {
  for (const char* s :
       {"1", "-1.5", "+.5", ".", "1.", "1E", "1E+", "1e-7", "12abc", "  3", "3 x", "1.5E3.", "1-"})
    EXPECT_TRUE(FloatScanCheck(s, kEither)) << s;
  for (const char* s : {"", " ", "E5", "-", "+", "--1", "1..5", "abc", "- 1", "1E5000", "1e+4201"})
    EXPECT_FALSE(FloatScanCheck(s, kEither)) << s;
  EXPECT_TRUE(FloatScanCheck("1E4200", kEither));
  EXPECT_TRUE(FloatScanCheck("1E-04200", kEither));
}

TEST(FloatScanner, SeparatorSettingDecidesWhatCounts) {
  // Under "point only" a comma ends the number (accepted), but a leading comma
  // is no number at all.
  EXPECT_TRUE(FloatScanCheck("1,5", kPoint));
  EXPECT_FALSE(FloatScanCheck(",5", kPoint));
  EXPECT_FALSE(FloatScanCheck(".5", kComma));
  EXPECT_TRUE(FloatScanCheck(",5", kComma));
}

TEST(FloatScanner, ReadsEitherSeparatorAndStopsAtTheEnd) {
  EXPECT_DOUBLE_EQ(FloatScanRead("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(FloatScanRead("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(FloatScanRead("12abc"), 12);
  EXPECT_DOUBLE_EQ(FloatScanRead("-2.5E1"), -25);
  EXPECT_DOUBLE_EQ(FloatScanRead("1E"), 1);
  EXPECT_DOUBLE_EQ(FloatScanRead("2e+"), 2);
  EXPECT_DOUBLE_EQ(FloatScanRead(" 3."), 3);
  EXPECT_DOUBLE_EQ(FloatScanRead("."), 0);
  EXPECT_DOUBLE_EQ(FloatScanRead("E5"), 0);
  EXPECT_DOUBLE_EQ(FloatScanRead(""), 0);
  EXPECT_DOUBLE_EQ(FloatScanRead("-"), 0);
  EXPECT_DOUBLE_EQ(FloatScanRead("1.5e3x"), 1500);
  // Huge exponents are clamped rather than infinite; tiny ones give 0.
  EXPECT_EQ(FloatScanRead("1E5000"), std::numeric_limits<double>::max());
  EXPECT_EQ(FloatScanRead("-9E400"), -std::numeric_limits<double>::max());
  EXPECT_EQ(FloatScanRead("1E-5000"), 0);
}

TEST(PlainDecimal, StateTable) {
  for (const char* s : {"-", "+", ".", "1", "-1.", "+.5", "12.34", "007"})
    EXPECT_TRUE(PlainDecimalCheck(s, kEither)) << s;
  for (const char* s : {"", "1.2.3", "1-", "--", "1e5", " 1", "1 ", ".-", "1.2,3"})
    EXPECT_FALSE(PlainDecimalCheck(s, kEither)) << s;
  EXPECT_FALSE(PlainDecimalCheck("3.14", kComma));
  EXPECT_TRUE(PlainDecimalCheck("3,14", kComma));
  EXPECT_FALSE(PlainDecimalCheck("3,14", kPoint));
}

TEST(FixPoint, SeparatorMustStandDecPlacesFromTheEnd) {
  EXPECT_TRUE(FixPointCheck("12.34", kEither, 2));
  EXPECT_TRUE(FixPointCheck(".34", kEither, 2));
  EXPECT_TRUE(FixPointCheck("12", kEither, 2));  // no separator counts as position 0
  EXPECT_FALSE(FixPointCheck("12.3", kEither, 2));
  EXPECT_FALSE(FixPointCheck("1234", kEither, 2));
  EXPECT_FALSE(FixPointCheck("1", kEither, 2));
  EXPECT_TRUE(FixPointCheck("1.234", kEither, 3));
  // The separator the setting accepts is the one that counts.
  EXPECT_TRUE(FixPointCheck("12,34", kComma, 2));
  EXPECT_FALSE(FixPointCheck("12.34", kComma, 2));
}

TEST(IntegerAndBaseChecks, Rules) {
  for (const char* s : {"0", "-1", "+12", "0042"}) EXPECT_TRUE(IntCheck(s)) << s;
  for (const char* s : {"", "-", "+", "1-", "1.0", "a", " 1"}) EXPECT_FALSE(IntCheck(s)) << s;
  EXPECT_TRUE(BaseDigitsCheck("09afAF", 16));
  EXPECT_FALSE(BaseDigitsCheck("0G", 16));
  EXPECT_TRUE(BaseDigitsCheck("01234567", 8));
  EXPECT_FALSE(BaseDigitsCheck("8", 8));
  EXPECT_TRUE(BaseDigitsCheck("0101", 2));
  EXPECT_FALSE(BaseDigitsCheck("012", 2));
  EXPECT_FALSE(BaseDigitsCheck("", 2));
}

TEST(DynamicFormat, PrefixesChooseTheBase) {
  const TNumFormat f = Fmt(itDynamic);
  EXPECT_TRUE(CheckText("$1F", f));
  EXPECT_TRUE(CheckText("%101", f));
  EXPECT_TRUE(CheckText("&17", f));
  EXPECT_TRUE(CheckText("-2.5E1", f));
  EXPECT_FALSE(CheckText("$", f));
  EXPECT_FALSE(CheckText("%102", f));
  EXPECT_FALSE(CheckText("&8", f));
  EXPECT_FALSE(CheckText("", f));
  EXPECT_DOUBLE_EQ(ReadText("$1F", f), 31);
  EXPECT_DOUBLE_EQ(ReadText("%101", f), 5);
  EXPECT_DOUBLE_EQ(ReadText("&17", f), 15);
  EXPECT_DOUBLE_EQ(ReadText("-2.5E1", f), -25);
  EXPECT_DOUBLE_EQ(ReadText("$FFFFFFFF", f), -1);
  EXPECT_DOUBLE_EQ(ReadText("$ 1Fz9", f), 31);
  EXPECT_DOUBLE_EQ(ReadText("", f), 0);
}

TEST(IntegerFormat, ReadsAndSaturates) {
  const TNumFormat f = Fmt(itInt);
  EXPECT_DOUBLE_EQ(ReadText("-42", f), -42);
  EXPECT_DOUBLE_EQ(ReadText("+7", f), 7);
  EXPECT_DOUBLE_EQ(ReadText("", f), 0);
  EXPECT_DOUBLE_EQ(ReadText("12x", f), 0);
  EXPECT_DOUBLE_EQ(ReadText("2147483647", f), 2147483647.0);
  EXPECT_DOUBLE_EQ(ReadText("99999999999999999999", f), 2147483647.0);
  EXPECT_DOUBLE_EQ(ReadText("-2147483648", f), -2147483648.0);
  // A large negative number saturates at the negative end, not the positive one.
  EXPECT_DOUBLE_EQ(ReadText("-99999999999", f), -2147483648.0);
}

TEST(Writers, EveryFormat) {
  TNumFormat f = Fmt(itFloat);
  EXPECT_EQ(WriteText(3.14159, f), "3.14");
  EXPECT_EQ(WriteText(-0.001, f), "0.00");
  f.FixPointDecPlaces = 4;
  EXPECT_EQ(WriteText(2.5, f), "2.5000");
  f.WriteSeparator = ',';
  EXPECT_EQ(WriteText(2.5, f), "2,5000");

  f = Fmt(itExp);
  EXPECT_EQ(WriteText(123456.7, f), " 1.23457E+05");
  EXPECT_EQ(WriteText(-0.00125, f), "-1.25000E-03");
  EXPECT_EQ(WriteText(0, f), " 0.00000E+00");
  EXPECT_EQ(WriteText(1.0E150, f), std::string(12, '*'));
  f.SignificantDigits = 3;
  EXPECT_EQ(WriteText(1500, f), " 1.50E+03");

  EXPECT_EQ(WriteText(2.5, Fmt(itInt)), "2");
  EXPECT_EQ(WriteText(3.5, Fmt(itDynamic)), "4");
  EXPECT_EQ(WriteText(-1, Fmt(itHex)), "FFFFFFFF");
  EXPECT_EQ(WriteText(255, Fmt(itHex)), "000000FF");
  EXPECT_EQ(WriteText(8, Fmt(itOct)), "00000000010");
  EXPECT_EQ(WriteText(5, Fmt(itBin)), std::string(29, '0') + "101");
  EXPECT_EQ(WriteText(std::numeric_limits<double>::infinity(), Fmt(itFloat)).substr(0, 5), "17976");
}

TEST(Writers, RoundTripThroughTheReaders) {
  const double values[] = {0, 1, -1, 12.5, -1234.25, 65535, 1e-3};
  for (TInFormat fmt : {itExp, itFloat, itFixPoint, itInt, itHex, itOct, itBin, itDynamic}) {
    for (double v : values) {
      const TNumFormat f = Fmt(fmt);
      const std::string text = WriteText(v, f);
      EXPECT_TRUE(CheckText(text, f)) << int(fmt) << " " << text;
      const double back = ReadText(text, f);
      const double expected = (fmt == itExp)        ? v
                              : (fmt <= itFixPoint) ? std::round(v * 100) / 100
                                                    : double(std::nearbyint(v));
      EXPECT_NEAR(back, expected, std::fabs(expected) * 1e-5) << int(fmt) << " " << text;
    }
  }
}
