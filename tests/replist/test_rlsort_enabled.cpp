#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "replist/ZEL_replist.h"

using namespace zel;

namespace {

using Strings = std::vector<std::string>;
constexpr uint8_t kDisabled = 64;

// Rows of (name, group, tag); rows whose name starts with "d" are disabled.
struct EnabledSortTable : ::testing::Test {
  TRLData t{nullptr};
  void SetUp() override {
    const std::vector<Strings> rows = {
        {"e1", "2", "a"}, {"d1", "1", "b"}, {"e2", "1", "c"}, {"d2", "2", "a"},
        {"e3", "2", "b"}, {"d3", "1", "a"}, {"e4", "1", "a"},
    };
    t.SetNrOfColumns(3);
    t.SetNrOfRows(int(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
      for (size_t c = 0; c < 3; ++c) t.SetElem(int(c) + 1, int(r) + 1, rows[r][c]);
      // Other attribute bits must not decide the group.
      t.SetRowAttrib(int(r) + 1, rows[r][0][0] == 'd' ? kDisabled | 128 : (r % 2 ? 128 : 0));
    }
  }
  Strings Names() const {
    Strings out;
    for (int r = 1; r <= t.NrOfRows(); ++r) out.push_back(t.Elem(1, r));
    return out;
  }
};

}  // namespace

TEST_F(EnabledSortTable, EnabledRowsFirstEachGroupSortedAndStable) {
  t.SortEnabledState(2, -1, true);
  EXPECT_EQ(Names(), (Strings{"e2", "e4", "e1", "e3", "d1", "d3", "d2"}));
  EXPECT_EQ(t.LastSortColumn(), 2);
  EXPECT_EQ(t.SecondarySortColumn(), -1);
  EXPECT_TRUE(t.LastSortOrder());
  // Attributes travel with their rows.
  EXPECT_EQ(t.RowAttrib(5) & kDisabled, kDisabled);
  EXPECT_EQ(t.RowAttrib(4) & kDisabled, 0);
}

TEST_F(EnabledSortTable, DescendingKeepsTheGroupsAndTheTieOrder) {
  t.SortEnabledState(2, -1, false);
  EXPECT_EQ(Names(), (Strings{"e1", "e3", "e2", "e4", "d2", "d1", "d3"}));
  EXPECT_FALSE(t.LastSortOrder());
}

TEST_F(EnabledSortTable, SecondaryColumnBreaksTies) {
  t.SortEnabledState(2, 3, true);
  EXPECT_EQ(Names(), (Strings{"e4", "e2", "e1", "e3", "d3", "d1", "d2"}));
  EXPECT_EQ(t.SecondarySortColumn(), 3);
  t.UnSort();
  EXPECT_EQ(Names(), (Strings{"e1", "d1", "e2", "d2", "e3", "d3", "e4"}));
}

TEST_F(EnabledSortTable, CheckColumnOrdersByStateWithinEachGroup) {
  t.SetColumnCheckMode(3, cmBox);
  t.SetElemChecked(3, 1, true);  // e1
  t.SetElemChecked(3, 6, true);  // d3
  t.SortEnabledState(3, 1, true);
  EXPECT_EQ(Names(), (Strings{"e4", "e3", "e2", "e1", "d2", "d1", "d3"}));
}

TEST_F(EnabledSortTable, SortKeyHookIsAskedAsForSort) {
  std::vector<std::string> offered;
  t.SetOnBeforeSortExchange([&](host::TObject*, const std::string& text, std::string& key) {
    offered.push_back(text);
    key = text == "e3" ? "0" : text;  // moves e3 to the front of its group
  });
  t.SortEnabledState(1, -1, true);
  EXPECT_EQ(offered.size(), 7u);
  EXPECT_EQ(Names(), (Strings{"e3", "e1", "e2", "e4", "d1", "d2", "d3"}));
}

TEST_F(EnabledSortTable, WithoutDisabledRowsItIsSort) {
  for (int r = 1; r <= t.NrOfRows(); ++r) t.SetRowAttrib(r, 0);
  t.SortEnabledState(2, 1, false);
  const Strings grouped = Names();
  t.Sort(2, 1, false);
  EXPECT_EQ(Names(), grouped);
}

// Texts that share long prefixes, differ past the 16th byte, are prefixes of
// one another or hold multi-byte characters: the sort (on its own and as a
// secondary key) must order them byte by byte after folding, stably.
TEST(TableSort, TextOrderMatchesFoldedByteOrder) {
  const char* const pieces[] = {"a", "B", "é", "0123456789abcdef", "", "z"};
  std::vector<std::string> texts;
  uint32_t seed = 12345;
  const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int i = 0; i < 400; ++i) {
    std::string s;
    for (unsigned n = next() % 5; n > 0; --n) s += pieces[next() % 6];
    texts.push_back(s);
  }
  TRLData t(nullptr);
  t.SetNrOfColumns(2);
  t.SetNrOfRows(int(texts.size()));
  for (size_t i = 0; i < texts.size(); ++i) {
    t.SetElem(1, int(i) + 1, texts[i]);
    t.SetElem(2, int(i) + 1, std::to_string(i % 3));
  }
  std::vector<size_t> expected(texts.size());
  for (size_t i = 0; i < expected.size(); ++i) expected[i] = i;
  std::stable_sort(expected.begin(), expected.end(),
                   [&](size_t a, size_t b) { return FoldCase(texts[a]) < FoldCase(texts[b]); });
  t.Sort(1, -1, true);
  for (size_t i = 0; i < expected.size(); ++i)
    ASSERT_EQ(t.Strings()->GetSortOrder(int(i) + 1), int(expected[i]) + 1) << "row " << i + 1;
  // As the tie breaker of a numeric column.
  std::stable_sort(expected.begin(), expected.end(), [&](size_t a, size_t b) {
    if (a % 3 != b % 3) return a % 3 < b % 3;
    return FoldCase(texts[a]) < FoldCase(texts[b]);
  });
  t.Sort(2, 1, true);
  for (size_t i = 0; i < expected.size(); ++i)
    ASSERT_EQ(t.Strings()->GetSortOrder(int(i) + 1), int(expected[i]) + 1) << "row " << i + 1;
}
