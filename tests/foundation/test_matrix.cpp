#include <gtest/gtest.h>

#include "foundation/Zel_math1.h"
#include "foundation/Zel_matrix.h"

using zel::TIntMatrix;
using zel::TMatrix;

TEST(IntMatrix, ResizeKeepsOverlapAndAllowsZeroRows) {
  TIntMatrix m;
  EXPECT_EQ(m.NrOfRows(), 0);
  m.Resize(3, 2);
  m.SetVal(1, 1, 11);
  m.SetVal(3, 2, 32);
  m.Resize(2, 3);  // a column fewer, a row more
  EXPECT_EQ(m.GetVal(1, 1), 11);
  EXPECT_EQ(m.GetVal(3, 2), 0);
  EXPECT_EQ(m.GetVal(2, 3), 0);
  m.Resize(4, 0);
  EXPECT_EQ(m.NrOfRows(), 0);
  EXPECT_EQ(m.GetVal(1, 1), 0);
}

TEST(IntMatrix, SetNRowsKeepsTheRowsThatRemain) {
  TIntMatrix m(2, 3);
  for (int r = 1; r <= 3; ++r) m.SetVal(2, r, r * 10);
  m.SetNRows(2);
  EXPECT_EQ(m.GetVal(2, 1), 10);
  EXPECT_EQ(m.GetVal(2, 2), 20);
  EXPECT_EQ(m.GetVal(2, 3), 0);
  m.SetNRows(4);
  EXPECT_EQ(m.GetVal(2, 2), 20);
  EXPECT_EQ(m.GetVal(2, 3), 0) << "a row that came back starts blank";
}

TEST(IntMatrix, OutOfRangeIsIgnoredAndReadsZero) {
  TIntMatrix m(2, 2);
  m.SetVal(0, 1, 5);
  m.SetVal(3, 1, 5);
  m.SetVal(1, 3, 5);
  for (int r = 1; r <= 2; ++r)
    for (int c = 1; c <= 2; ++c) EXPECT_EQ(m.GetVal(c, r), 0);
  EXPECT_EQ(m.GetVal(-1, -1), 0);
}

TEST(Matrix, FillNotifiesOnceAndResizeNeverGoesBelowOne) {
  TMatrix m(3, 3);
  int calls = 0;
  m.SetOnChange([&] { ++calls; });
  m.Fill(2.5);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(m.Elem(3, 3), 2.5);
  m.Resize(0, -4);
  EXPECT_EQ(m.NrOfColumns(), 1);
  EXPECT_EQ(m.NrOfRows(), 1);
  EXPECT_EQ(m.Elem(1, 1), 2.5);
}

TEST(Matrix, AnAbsurdSizeRaisesAndLeavesTheMatrixAsItWas) {
  TMatrix m(2, 2);
  m.SetElem(2, 2, 7);
  EXPECT_THROW(m.Resize(100000, 100000), zel::EZELMatrixError);
  EXPECT_EQ(m.NrOfColumns(), 2);
  EXPECT_EQ(m.Elem(2, 2), 7);
}

TEST(Math1, IsValidDecIntAndIntNeg) {
  EXPECT_TRUE(zel::IsValidDecInt(" -12 "));
  EXPECT_TRUE(zel::IsValidDecInt("+7"));
  EXPECT_FALSE(zel::IsValidDecInt("1.5"));
  EXPECT_FALSE(zel::IsValidDecInt("99999999999"));
  EXPECT_EQ(zel::IntNeg(-0.5), -1);
  EXPECT_EQ(zel::IntNeg(2.9), 2);
}
