#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/Zel_dstruct.h"

using zel::TStringArray;

namespace {

// Column col of every displayed row, top to bottom.
std::vector<std::string> Column(const TStringArray& a, int col) {
  std::vector<std::string> out;
  for (int r = 1; r <= a.NrOfRows(); ++r) out.push_back(a.GetString(col, r));
  return out;
}

void FillColumn(TStringArray& a, int col, const std::vector<std::string>& texts) {
  if (a.NrOfRows() < int(texts.size())) a.Resize(std::max(a.NrOfCols(), col), int(texts.size()));
  for (size_t i = 0; i < texts.size(); ++i) a.SetString(col, int(i) + 1, texts[i]);
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(StringArray, ResizeKeepsTextAndIgnoresOutOfRange) {
  TStringArray a;
  a.Resize(2, 2);
  a.SetString(0, 1, "hidden");
  a.SetString(2, 2, "x");
  a.SetString(3, 1, "no");  // beyond the last column
  a.SetString(1, 0, "no");  // row 0 is not a row
  a.SetString(1, 3, "no");
  a.Resize(3, 4);
  EXPECT_EQ(a.GetString(0, 1), "hidden");
  EXPECT_EQ(a.GetString(2, 2), "x");
  EXPECT_EQ(a.GetString(3, 1), "");
  EXPECT_EQ(a.GetString(1, 0), "");
  EXPECT_EQ(a.GetString(-1, 1), "");
  EXPECT_EQ(a.GetRowAttrib(9), 0);
  a.Resize(1, 1);
  EXPECT_EQ(a.GetString(2, 2), "");
  EXPECT_EQ(a.NrOfCols(), 1);
  EXPECT_EQ(a.NrOfRows(), 1);
}

TEST(StringArray, CellTextIsCutAtWholeCharactersAndMadeValid) {
  TStringArray a;
  a.Resize(1, 1);
  std::string euros;
  for (int i = 0; i < 300; ++i) euros += "\xE2\x82\xAC";  // 300 euro signs
  a.SetString(1, 1, euros);
  EXPECT_EQ(a.GetString(1, 1), euros.substr(0, 255 * 3));
  a.SetString(1, 1,
              std::string("a\xFF"
                          "b\0c",
                          5));
  EXPECT_EQ(a.GetString(1, 1),
            "a\xEF\xBF\xBD"
            "bc");            // U+FFFD, NUL dropped
  a.SetString(1, 1, "\xC3");  // truncated sequence
  EXPECT_EQ(a.GetString(1, 1), "\xEF\xBF\xBD");
}

TEST(StringArray, AttributesTravelWithRowsAndColumns) {
  TStringArray a;
  a.Resize(3, 3);
  for (int r = 1; r <= 3; ++r) {
    a.SetRowAttrib(r, uint8_t(r * 10));
    a.SetString(1, r, "r" + std::to_string(r));
  }
  for (int c = 1; c <= 3; ++c) a.SetColAttrib(c, uint8_t(c));
  a.SetString(2, 1, "b");
  a.SetString(3, 1, "c");

  a.InsertRow(2);
  EXPECT_EQ(Column(a, 1), (Strings{"r1", "", "r2", "r3"}));
  EXPECT_EQ(a.GetRowAttrib(2), 0);
  EXPECT_EQ(a.GetRowAttrib(3), 20);
  a.RemoveRow(1);
  EXPECT_EQ(Column(a, 1), (Strings{"", "r2", "r3"}));
  EXPECT_EQ(a.GetRowAttrib(3), 30);
  a.InsertRow(4);  // appends
  EXPECT_EQ(a.NrOfRows(), 4);

  a.InsertColumn(2);
  EXPECT_EQ(a.NrOfCols(), 4);
  EXPECT_EQ(a.GetColAttrib(2), 0);
  EXPECT_EQ(a.GetColAttrib(3), 2);
  a.RemoveColumn(1);
  EXPECT_EQ(a.GetColAttrib(1), 0);
  EXPECT_EQ(a.GetColAttrib(2), 2);
  EXPECT_EQ(a.GetColAttrib(3), 3);
  a.RemoveColumn(0);  // the hidden column stays
  EXPECT_EQ(a.NrOfCols(), 3);
}

TEST(StringArray, SortOrdersEmptyThenNumbersThenFoldedText) {
  TStringArray a;
  a.Resize(1, 0);
  FillColumn(a, 1, {"banana", "10", "", "Apple", "9,5", "été", "-3", " 2 ", "Zebra", "Éclair"});
  a.Sort(1, -1, true);
  EXPECT_EQ(Column(a, 1),
            (Strings{"", "-3", " 2 ", "9,5", "10", "Apple", "banana", "Zebra", "Éclair", "été"}));
  a.Sort(1, -1, false);
  EXPECT_EQ(Column(a, 1),
            (Strings{"été", "Éclair", "Zebra", "banana", "Apple", "10", "9,5", " 2 ", "-3", ""}));
}

TEST(StringArray, ACheckFlagColumnSortsByStateThenByTheTextAfterTheFlag) {
  TStringArray a;
  a.Resize(2, 0);
  FillColumn(a, 2, {"X10", " b", "", "X9", "Za", " 2"});
  a.SetColHasFlag(2, true);
  a.InsertColumn(1);  // the setting travels with its column
  EXPECT_FALSE(a.ColHasFlag(2));
  ASSERT_TRUE(a.ColHasFlag(3));
  std::vector<std::string> keys;
  a.SetOnBeforeSortExchange(
      [&](host::TObject*, const std::string&, std::string& key) { keys.push_back(key); });
  a.Sort(3, -1, true);
  EXPECT_EQ(Column(a, 3), (Strings{"", " 2", " b", "X9", "X10", "Za"}));
  EXPECT_EQ(keys, (Strings{"10", "b", "", "9", "a", "2"}));  // the flag is not in the key
  a.Sort(3, -1, false);
  EXPECT_EQ(Column(a, 3), (Strings{"Za", "X10", "X9", " b", " 2", ""}));
  a.SetColHasFlag(3, false);
  a.Sort(3, -1, true);  // plain text again: "X10" before "X9"
  EXPECT_EQ(Column(a, 3), (Strings{"", " 2", " b", "X10", "X9", "Za"}));
}

TEST(StringArray, SortIsStableAndUsesTheSecondaryColumn) {
  TStringArray a;
  a.Resize(2, 0);
  FillColumn(a, 1, {"b", "a", "B", "a", "A"});
  FillColumn(a, 2, {"1", "3", "2", "1", "2"});
  a.Sort(1, -1, true);  // ties keep storage order
  EXPECT_EQ(Column(a, 2), (Strings{"3", "1", "2", "1", "2"}));
  a.Sort(1, 2, true);
  EXPECT_EQ(Column(a, 2), (Strings{"1", "2", "3", "1", "2"}));
  a.Sort(1, 2, false);
  EXPECT_EQ(Column(a, 1), (Strings{"B", "b", "a", "A", "a"}));
  EXPECT_EQ(Column(a, 2), (Strings{"2", "1", "3", "2", "1"}));
}

TEST(StringArray, UnSortCommitAndTheSortOrder) {
  TStringArray a;
  a.Resize(1, 0);
  FillColumn(a, 1, {"c", "a", "b"});
  a.SetRowAttrib(1, 7);
  a.Sort(1, -1, true);
  EXPECT_TRUE(a.IsSorted());
  EXPECT_EQ(a.GetSortOrder(1), 2);
  EXPECT_EQ(a.GetSortOrder(3), 1);
  EXPECT_EQ(a.GetRowAttrib(3), 7);  // the attribute is shown with its row
  a.UnSort();
  EXPECT_EQ(Column(a, 1), (Strings{"c", "a", "b"}));

  a.Sort(1, -1, true);
  a.CommitSorting();
  EXPECT_FALSE(a.IsSorted());
  a.UnSort();
  EXPECT_EQ(Column(a, 1), (Strings{"a", "b", "c"}));

  a.SetSortOrder(1, 3);
  a.SetSortOrder(3, 1);
  a.SetSortOrder(2, 9);  // ignored
  EXPECT_EQ(Column(a, 1), (Strings{"c", "b", "a"}));
}

TEST(StringArray, RowChangesOnASortedStoreKeepTheDisplayedOrder) {
  TStringArray a;
  a.Resize(1, 0);
  FillColumn(a, 1, {"d", "b", "a", "c"});
  a.Sort(1, -1, false);
  a.RemoveRow(2);  // "c"
  EXPECT_EQ(Column(a, 1), (Strings{"d", "b", "a"}));
  a.InsertRow(1);
  a.SetString(1, 1, "x");
  EXPECT_EQ(Column(a, 1), (Strings{"x", "d", "b", "a"}));
  a.Sort(1, -1, true);
  a.Resize(1, 2);  // shrinking drops the last displayed rows
  EXPECT_EQ(Column(a, 1), (Strings{"a", "b"}));
  a.Sort(1, -1, false);
  a.Resize(1, 3);
  EXPECT_EQ(Column(a, 1), (Strings{"b", "a", ""}));
}

TEST(StringArray, SortKeyHookIsAskedOncePerCell) {
  TStringArray a;
  a.Resize(2, 0);
  FillColumn(a, 1, {"3 kg", "12 kg", "1 kg"});
  FillColumn(a, 2, {"x", "y", "z"});
  int calls = 0;
  std::vector<int> columns;
  a.SetOnBeforeSortExchange([&](host::TObject* sender, const std::string& text, std::string& key) {
    EXPECT_EQ(sender, &a);
    ++calls;
    columns.push_back(a.SortKeyColumn());
    key = text.substr(0, text.find(' '));
  });
  a.Sort(1, 2, true);
  EXPECT_EQ(Column(a, 1), (Strings{"1 kg", "3 kg", "12 kg"}));
  EXPECT_EQ(calls, 6);
  EXPECT_EQ(columns, (std::vector<int>{1, 1, 1, 2, 2, 2}));
  EXPECT_EQ(a.SortKeyColumn(), -1);
}

TEST(StringArray, CopyFromKeepsStorageOrderAndPermutationButNotEvents) {
  TStringArray a;
  a.Resize(2, 0);
  FillColumn(a, 1, {"b", "c", "a"});
  a.SetColAttrib(2, 128);
  a.SetAllocRowsBy(33);
  a.Sort(1, -1, true);
  int changes = 0;
  TStringArray b;
  b.SetOnChange([&](host::TObject*) { ++changes; });
  b.CopyFrom(a);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(b.OnBeforeSortExchange());
  EXPECT_EQ(Column(b, 1), (Strings{"a", "b", "c"}));
  EXPECT_EQ(b.GetColAttrib(2), 128);
  EXPECT_EQ(b.AllocRowsBy(), 33);
  b.UnSort();
  EXPECT_EQ(Column(b, 1), (Strings{"b", "c", "a"}));
}

TEST(StringArray, EventsReportChangesAndSortProgress) {
  TStringArray a;
  int changes = 0;
  std::vector<int> percents;
  a.SetOnChange([&](host::TObject*) { ++changes; });
  a.SetOnPercentDone([&](host::TObject*, int p) { percents.push_back(p); });
  a.Resize(1, 300);
  a.SetString(1, 1, "x");
  a.SetString(5, 1, "ignored");
  EXPECT_EQ(changes, 2);
  a.Sort(1, -1, true);
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.front(), 0);
  EXPECT_EQ(percents.back(), 100);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
}

TEST(FoldCase, FoldsCapitalsIndependentOfLocale) {
  EXPECT_EQ(zel::FoldCase("AbC Straße ÄÖÜ ŁÓDŹ ΣΊΣΥΦΟΣ ЖУК"), "abc strasse äöü łódź σίσυφοσ жук");
  EXPECT_EQ(zel::FoldCase("\xFF"
                          "A"),
            "\xFF"
            "a");  // stray bytes pass through
}

TEST(ParseDecimal, AcceptsPlainDecimalNumbersOnly) {
  double v = 0;
  for (const auto& [text, value] :
       std::vector<std::pair<std::string, double>>{{"3.5", 3.5},
                                                   {"3,5", 3.5},
                                                   {"+2", 2},
                                                   {"-.5", -0.5},
                                                   {"1e3", 1000},
                                                   {"7.", 7},
                                                   {"+1" + std::string(99, '0'), 1e99},
                                                   {"0," + std::string(120, '5'), 5.0 / 9.0}}) {
    EXPECT_TRUE(zel::ParseDecimal(text, v)) << text;
    EXPECT_DOUBLE_EQ(v, value) << text;
  }
  for (const char* bad : {"", "+", "-", "+-5", " 1", "1 ", "1.2.3", "1,000.5", "0x1A", "inf", "nan",
                          "-infinity", "1e999", "5e", "."})
    EXPECT_FALSE(zel::ParseDecimal(bad, v)) << bad;
}

TEST(StringArray, RemoveRowsDropsTheMarkedDisplayedRows) {
  TStringArray a;
  a.Resize(1, 0);
  FillColumn(a, 1, {"c", "a", "d", "b"});
  a.SetRowAttrib(4, 9);
  a.Sort(1, -1, true);  // a b c d
  a.RemoveRows({false, true, false, true});
  EXPECT_EQ(Column(a, 1), (Strings{"a", "c"}));
  a.RemoveRows({true, true, true});  // longer than the table: fine
  EXPECT_EQ(a.NrOfRows(), 0);
}
