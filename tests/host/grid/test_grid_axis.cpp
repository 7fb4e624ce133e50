// The axis against a plain model: every offset and lookup agrees with sums over
// a vector of sizes, however the sizes, count, default and line width change.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "host/grid/GridAxis.h"

using host::TGridAxis;

namespace {

// The same axis as a vector of sizes, summed by hand.
struct TPlainAxis {
  std::vector<int> Sizes;
  int Line = 0;
  int64_t Offset(int i) const {
    int64_t off = 0;
    for (int k = 0; k < i; ++k) off += Sizes[k] > 0 ? Sizes[k] + Line : 0;
    return off;
  }
};

void ExpectSame(const TGridAxis& a, const TPlainAxis& m) {
  const int n = int(m.Sizes.size());
  ASSERT_EQ(a.Count(), n);
  std::vector<int64_t> off(n + 1, 0);
  for (int i = 0; i < n; ++i) off[i + 1] = off[i] + (m.Sizes[i] > 0 ? m.Sizes[i] + m.Line : 0);
  for (int i = 0; i <= n; ++i) ASSERT_EQ(a.Offset(i), off[i]) << "offset of " << i;
  for (int64_t p = -1; p <= off[n] + 1; ++p) {
    int largest = 0, smallest = n;
    for (int i = 0; i <= n; ++i)
      if (off[i] <= p) largest = i;
    for (int i = n; i >= 0; --i)
      if (off[i] >= p) smallest = i;
    ASSERT_EQ(a.IndexAt(p), largest) << "pixel " << p;
    ASSERT_EQ(a.FirstAtOrAfter(p), smallest) << "pixel " << p;
  }
  for (int i = 0; i < n; ++i) {
    int after = i, before = i;
    while (after < n && m.Sizes[after] == 0) ++after;
    while (before >= 0 && m.Sizes[before] == 0) --before;
    ASSERT_EQ(a.ShownAtOrAfter(i), after) << "from " << i;
    ASSERT_EQ(a.ShownAtOrBefore(i), before) << "from " << i;
  }
}

// Spans several blocks of cells, with a part block at the end.
TEST(GridAxis, OffsetsAndLookupsMatchPlainSumsThroughRandomChanges) {
  std::mt19937 rng(7);
  TGridAxis a;
  TPlainAxis m;
  a.SetCount(700);
  a.SetDefaultSize(3);
  a.SetLineWidth(1);
  m.Sizes.assign(700, 3);
  m.Line = 1;
  for (int round = 0; round < 12; ++round) {
    for (int k = 0; k < 60; ++k) {
      const int i = int(rng() % m.Sizes.size());
      const int v = int(rng() % 4) == 0 ? 0 : int(rng() % 6);
      a.SetSize(i, v);
      m.Sizes[i] = v;
      // Queries between sets, as the grid makes them.
      ASSERT_EQ(a.Offset(i + 1), m.Offset(i + 1));
    }
    ExpectSame(a, m);
    if (round == 4) {
      a.SetLineWidth(0);
      m.Line = 0;
    }
    if (round == 6) {
      a.SetCount(513);
      m.Sizes.resize(513);
    }
    if (round == 8) {
      a.SetCount(900);
      m.Sizes.resize(900, 3);
    }
  }
  a.SetDefaultSize(2);
  m.Sizes.assign(900, 2);
  ExpectSame(a, m);
}

TEST(GridAxis, AllHiddenOrDefaultZeroLeavesNothingToFind) {
  TGridAxis a;
  a.SetCount(600);
  a.SetDefaultSize(5);
  for (int i = 0; i < 600; ++i) a.SetSize(i, 0);
  EXPECT_EQ(a.Offset(600), 0);
  EXPECT_EQ(a.IndexAt(0), 600);
  EXPECT_EQ(a.ShownAtOrAfter(0), 600);
  EXPECT_EQ(a.ShownAtOrBefore(599), -1);
  a.SetSize(300, 4);
  EXPECT_EQ(a.ShownAtOrAfter(0), 300);
  EXPECT_EQ(a.ShownAtOrBefore(599), 300);
  EXPECT_EQ(a.IndexAt(3), 300);
}

}  // namespace
