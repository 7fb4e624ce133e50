// The scanner's choices the legacy edit box uses (separator set, exponent or
// not, how much of the text it read) and the whole-text readers.
#include <gtest/gtest.h>

#include <limits>

#include "numeric/ZEL_NumIOFormat.h"

using namespace zel;

namespace {

constexpr TSepSet kPoint{true, false};
constexpr TSepSet kComma{false, true};
constexpr TSepSet kEither{true, true};

}  // namespace

TEST(FloatScanChoices, UsedCountsTheCharactersOfTheNumber) {
  struct Case {
    std::string Text;
    TSepSet Sep;
    bool Exponent;
    size_t Used;
    double Value;
  };
  for (const Case& c : {
           Case{"12.5", kPoint, true, 4, 12.5},
           Case{"12.5x", kPoint, true, 4, 12.5},
           Case{"1e5", kPoint, true, 3, 1e5},
           Case{"1e5", kPoint, false, 1, 1},  // without exponent "e" ends the number
           Case{"1,5", kPoint, true, 1, 1},   // "," is no separator here
           Case{"1,5", kComma, true, 3, 1.5},
           Case{"1.5", kComma, true, 1, 1},
           Case{"1,5", kEither, true, 3, 1.5},
           Case{"1e+", kEither, true, 3, 1},
           Case{"-.5", kEither, true, 3, -0.5},
           Case{"  7", kEither, true, 3, 7},
       }) {
    const TFloatScanResult r = FloatScan(c.Text, c.Sep, c.Exponent);
    EXPECT_TRUE(r.Number) << c.Text;
    EXPECT_EQ(r.Used, c.Used) << c.Text;
    EXPECT_DOUBLE_EQ(r.Value, c.Value) << c.Text;
  }
  for (const char* noNumber : {"", "-", "e5", "x", "+-1"})
    EXPECT_FALSE(FloatScan(noNumber, kEither, true).Number) << noNumber;
}

TEST(FloatScanChoices, HugeExponentsAreClampedAndTheReaderIsUnchanged) {
  const TFloatScanResult r = FloatScan("1e99999", kEither, true);
  EXPECT_TRUE(r.Number);
  EXPECT_EQ(r.Used, 7u);
  EXPECT_EQ(r.Value, std::numeric_limits<double>::max());
  EXPECT_DOUBLE_EQ(FloatScanRead("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(FloatScanRead("12abc"), 12);
}

TEST(WholeTextReaders, IntegersWithinThe32BitRange) {
  int32_t v = 5;
  EXPECT_TRUE(ReadWholeInt("-2147483648", v));
  EXPECT_EQ(v, std::numeric_limits<int32_t>::min());
  EXPECT_TRUE(ReadWholeInt("+2147483647", v));
  EXPECT_EQ(v, std::numeric_limits<int32_t>::max());
  v = 5;
  for (const char* refused : {"2147483648", "-2147483649", "99999999999999999999999", "", "-",
                              "1.0", "12a", " 1"})
    EXPECT_FALSE(ReadWholeInt(refused, v)) << refused;
  EXPECT_EQ(v, 5);  // untouched by a refused text
}

TEST(WholeTextReaders, BaseDigitsAsA32BitPattern) {
  int32_t v = 5;
  EXPECT_TRUE(ReadWholeBase("ffffffff", 16, v));
  EXPECT_EQ(v, -1);
  EXPECT_TRUE(ReadWholeBase("00000000FF", 16, v));
  EXPECT_EQ(v, 255);
  EXPECT_TRUE(ReadWholeBase("37777777777", 8, v));
  EXPECT_EQ(v, -1);
  EXPECT_TRUE(ReadWholeBase("", 2, v));
  EXPECT_EQ(v, 0);
  v = 5;
  for (const char* refused : {"100000000", "1g", "$1"}) EXPECT_FALSE(ReadWholeBase(refused, 16, v));
  EXPECT_FALSE(ReadWholeBase("40000000000", 8, v));
  EXPECT_FALSE(ReadWholeBase("102", 2, v));
  EXPECT_FALSE(ReadWholeBase(std::string(33, '1'), 2, v));
  EXPECT_EQ(v, 5);
}

TEST(WholeTextReaders, LowBitsOfNonFiniteValuesAreZero) {
  EXPECT_EQ(LowBits32(std::numeric_limits<double>::quiet_NaN()), 0u);
  EXPECT_EQ(LowBits32(-std::numeric_limits<double>::infinity()), 0u);
  EXPECT_EQ(LowBits32(-1), 0xFFFFFFFFu);
  EXPECT_EQ(LowBits32(4294967296.0 + 2.5), 2u);  // rounded half to even
}
