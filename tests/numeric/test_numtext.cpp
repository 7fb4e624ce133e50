// The numeric label's number texts and the shared number formatting.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/ui/FormatSettings.h"
#include "numeric/ZEL_NumText.h"

using namespace zel;

namespace {

std::string Text(double v, TDisplay t, int precision = 2) {
  TNumTextSettings s;
  s.DisplayType = t;
  s.Precision = precision;
  return NumberText(v, s);
}

}  // namespace

TEST(NumberText, SeparatorAndSignRules) {
  TNumTextSettings s;
  EXPECT_EQ(NumberText(3.14159, s), "3.14");
  s.Comma = true;
  EXPECT_EQ(NumberText(3.14159, s), "3,14");
  s.Comma = false;
  s.ForcePlusSign = true;
  EXPECT_EQ(NumberText(3.14159, s), "+3.14");
  EXPECT_EQ(NumberText(0, s), "0.00");
  EXPECT_EQ(NumberText(-2, s), "-2.00");
  // A comma locale changes nothing: only Comma decides.
  const char saved = host::FormatSettings().DecimalSeparator;
  host::FormatSettings().DecimalSeparator = ',';
  s.ForcePlusSign = false;
  EXPECT_EQ(NumberText(3.14159, s), "3.14");
  host::FormatSettings().DecimalSeparator = saved;
}

TEST(NumberText, TypesThatSkipTheSeparatorAndSignStep) {
  TNumTextSettings s;
  s.Comma = true;
  s.ForcePlusSign = true;
  s.DisplayType = dtHex;
  EXPECT_EQ(NumberText(255, s), "FF");
  s.DisplayType = dtBin;
  EXPECT_EQ(NumberText(5, s), "101");
  s.DisplayType = dtState;
  s.StateText = "a.b";
  EXPECT_EQ(NumberText(5, s), "a.b");
  s.DisplayType = dtOct;  // takes the sign step
  EXPECT_EQ(NumberText(8, s), "+10");
}

TEST(NumberText, FourFormatsOfTheSystem) {
  EXPECT_EQ(Text(1234.5, dtExp), "1.2E+003");
  EXPECT_EQ(Text(-0.000123456, dtExp, 4), "-1.235E-004");
  EXPECT_EQ(Text(2.5, dtInt), "2");
  EXPECT_EQ(Text(3.5, dtInt), "4");
  EXPECT_EQ(Text(-2.5, dtInt), "-2");
  EXPECT_EQ(Text(1e15, dtFixP), "1000000000000000.00");
  EXPECT_EQ(Text(3.14159, dtFloat, 3), "3.14");
  EXPECT_EQ(Text(2.5, dtFloat, 6), "2.5");
  EXPECT_EQ(Text(100, dtFloat, 3), "100");
  EXPECT_EQ(Text(1000, dtFloat, 3), "1E+03");
  EXPECT_EQ(Text(1234, dtFloat, 2), "1.2E+03");
  EXPECT_EQ(Text(9.99, dtFloat, 2), "10");
  EXPECT_EQ(Text(0.00001, dtFloat, 3), "0.00001");
  EXPECT_EQ(Text(0.0000099, dtFloat, 3), "9.9E-06");
  EXPECT_EQ(Text(0, dtFloat, 3), "0");
}

TEST(NumberText, IntegerPatterns) {
  EXPECT_EQ(Text(42, dtZeroInt, 5), "00042");
  EXPECT_EQ(Text(-42, dtZeroInt, 4), "-0042");
  EXPECT_EQ(Text(123456, dtZeroInt, 2), "123456");
  EXPECT_EQ(Text(-26, dtHex), "-1A");
  EXPECT_EQ(Text(15.4, dtOct), "17");
  EXPECT_EQ(Text(0, dtBin), "0");
}

TEST(NumberText, Degrees) {
  EXPECT_EQ(Text(12.5, dtDeg), "12.50\xC2\xB0");
  EXPECT_EQ(Text(12.5, dtDegMin),
            "12\xC2\xB0"
            "30.00'");
  EXPECT_EQ(Text(-12.0875, dtDegMinSec, 1),
            "-12\xC2\xB0"
            "05'15.0\"");
  // Rounding of the last field carries into the ones before it.
  EXPECT_EQ(Text(12.999999, dtDegMin, 2),
            "13\xC2\xB0"
            "00.00'");
  EXPECT_EQ(Text(12.9999999, dtDegMinSec, 2),
            "13\xC2\xB0"
            "00'00.00\"");
  EXPECT_EQ(Text(-0.0000001, dtDegMin, 2),
            "0\xC2\xB0"
            "00.00'");
  TNumTextSettings s;
  s.DisplayType = dtDegMin;
  s.Comma = true;
  EXPECT_EQ(NumberText(1.25, s),
            "1\xC2\xB0"
            "15,00'");
}

TEST(NumberText, Engineering) {
  EXPECT_EQ(Text(12345, dtEEng), "12.35E+03");
  EXPECT_EQ(Text(12345, dtEEngNoDP), "12E+03");
  EXPECT_EQ(Text(0.5, dtEEng, 1), "500.0E-03");
  EXPECT_EQ(Text(-0.000002, dtEEng, 0), "-2E-06");
  EXPECT_EQ(Text(999.999, dtEEng, 2), "1.00E+03");
  EXPECT_EQ(Text(0, dtEEng, 2), "0.00E+00");
  EXPECT_EQ(Text(1, dtEEng, 2), "1.00E+00");
  EXPECT_EQ(Text(4.9e-324, dtEEngNoDP).back(), '4');
}

TEST(NumberText, DateTimeAndNonFiniteValues) {
  EXPECT_EQ(Text(45296.75, dtDateTime), "Jan-05, 2024");
  TNumTextSettings s;
  s.DisplayType = dtDateTime;
  s.DTFormat = "yyyy-mm-dd hh:nn:ss";
  EXPECT_EQ(NumberText(45296.75, s), "2024-01-05 18:00:00");
  EXPECT_EQ(NumberText(1e20, s), s.OverflowIndicator);
  EXPECT_EQ(Text(std::nan(""), dtFixP), "NAN");
  EXPECT_EQ(Text(-std::numeric_limits<double>::infinity(), dtInt), "-INF");
}

TEST(FormatDateTime, Letters) {
  using host::FormatDateTime;
  const double t = 45296.75 + 5.0 / 86400 + 0.007 / 86400;  // 2024-01-05 18:00:05.007, a Friday
  EXPECT_EQ(FormatDateTime("d/m/yy", t), "5/1/24");
  EXPECT_EQ(FormatDateTime("ddd dddd mmmm", t), "Fri Friday January");
  EXPECT_EQ(FormatDateTime("h:mm:ss.zzz", t), "18:00:05.007");
  EXPECT_EQ(FormatDateTime("hh:nn am/pm", t), "06:00 pm");
  EXPECT_EQ(FormatDateTime("h A/P", t), "6 P");
  EXPECT_EQ(FormatDateTime("\"day\" d 'of' mmm", t), "day 5 of Jan");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", 0), "1899-12-30");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", -693593), "0001-01-01");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", 1.0 - 1e-10), "1899-12-31 00:00:00");
  EXPECT_THROW(FormatDateTime("yyyy", 2958466), host::EConvertError);
  EXPECT_THROW(FormatDateTime("yyyy", std::nan("")), host::EConvertError);
}
