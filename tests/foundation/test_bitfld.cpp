#include <gtest/gtest.h>

#include "foundation/Zel_dstruct.h"

namespace {

using zel::TBitFld;

TEST(BitFld, ANewFieldHoldsAHundredFalseBitsBeforeItIsSized) {
  TBitFld f;
  EXPECT_EQ(f.Size(), 100);
  f.SetBit(99, true);
  EXPECT_TRUE(f.GetBit(99));
  EXPECT_EQ(f.CountTrueBits(), 1);
}

TEST(BitFld, SetGetAndCountAcrossWordBoundaries) {
  TBitFld f;
  f.SetSize(200);
  for (int i : {0, 63, 64, 127, 128, 199}) f.SetBit(i, true);
  EXPECT_EQ(f.CountTrueBits(), 6);
  EXPECT_TRUE(f.GetBit(64));
  EXPECT_FALSE(f.GetBit(65));
  f.SetBit(0, false);
  EXPECT_EQ(f.FirstTrueBit(), 63);
  EXPECT_EQ(f.CountTrueBits(), 5);
}

TEST(BitFld, IndicesOutsideTheFieldAreIgnoredAndReadFalse) {
  TBitFld f;
  f.SetSize(10);
  f.SetBit(-1, true);
  f.SetBit(10, true);
  EXPECT_EQ(f.CountTrueBits(), 0);
  EXPECT_FALSE(f.GetBit(-1));
  EXPECT_FALSE(f.GetBit(10));
  EXPECT_EQ(f.FirstTrueBit(), -1);
}

TEST(BitFld, SetSizeKeepsExistingBitsAndShrunkBitsComeBackFalse) {
  TBitFld f;
  f.SetSize(130);
  f.SetBit(5, true);
  f.SetBit(70, true);
  f.SetBit(129, true);
  f.SetSize(71);
  EXPECT_TRUE(f.GetBit(5));
  EXPECT_TRUE(f.GetBit(70));
  EXPECT_EQ(f.CountTrueBits(), 2);
  f.SetSize(130);
  EXPECT_FALSE(f.GetBit(129));
  EXPECT_EQ(f.CountTrueBits(), 2);
}

TEST(BitFld, IsNeverSizedBelowOneBit) {
  TBitFld f;
  f.SetSize(0);
  EXPECT_EQ(f.Size(), 1);
  f.SetSize(-5);
  EXPECT_EQ(f.Size(), 1);
  f.SetBit(0, true);
  EXPECT_EQ(f.FirstTrueBit(), 0);
}

TEST(BitFld, ClearResetsEveryBit) {
  TBitFld f;
  f.SetSize(1000);
  for (int i = 0; i < 1000; i += 7) f.SetBit(i, true);
  f.Clear();
  EXPECT_EQ(f.CountTrueBits(), 0);
  EXPECT_EQ(f.FirstTrueBit(), -1);
  EXPECT_EQ(f.Size(), 1000);
}

}  // namespace
