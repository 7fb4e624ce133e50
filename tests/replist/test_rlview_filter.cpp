// Filtering in the view: rows hidden by FilterAndSort stay hidden with their
// records through sorts and removals, and navigation, selection and the
// indicator skip them.
#include <gtest/gtest.h>

#include "tests/replist/RLViewFixture.h"

using namespace zel;
using namespace host;
using rltest::RLViewTest;
using Strings = std::vector<std::string>;

namespace {

// The data rows that are shown, by their column-1 text.
Strings Shown(TReportListView* v) {
  Strings out;
  for (int r = 1; r <= v->NrOfRows(); ++r)
    if (v->RowHeights(r + v->HeadCount() - 1) > 0) out.push_back(v->Elem(1, r));
  return out;
}

}  // namespace

class RLViewFilterTest : public RLViewTest {
 protected:
  TReportListView* Channels() {
    return View({{"CH1", "V", "3"},
                 {"CH2", "A", "1"},
                 {"ch3", "V", "2"},
                 {"CH4", "Hz", "5"},
                 {"CH5", "V", "4"}});
  }
};

TEST_F(RLViewFilterTest, SimpleFilterHidesRowsAndAnEmptyExpressionShowsThemAgain) {
  auto* v = Channels();
  v->FilterAndSort("V", {2}, false, fmSimple, -1, true);
  EXPECT_EQ(Shown(v), (Strings{"CH1", "ch3", "CH5"}));
  EXPECT_EQ(v->NumVisibleRows(), 3);
  EXPECT_TRUE(v->RowFilteredOut(2));
  EXPECT_TRUE(v->CellRect(0, 2).IsEmpty());  // nothing paints for a hidden row
  v->FilterAndSort("", {}, false, fmSimple, -1, true);
  EXPECT_EQ(v->NumVisibleRows(), 5);
  EXPECT_EQ(Shown(v).size(), 5u);
}

TEST_F(RLViewFilterTest, FilterThenSortKeepsTheHiddenStateWithTheRecords) {
  auto* v = Channels();
  v->FilterAndSort("ch?", {1}, true, fmSimple, 3, false);
  EXPECT_EQ(v->NumVisibleRows(), 5);
  v->FilterAndSort("V", {2}, false, fmSimple, 3, true);  // by column 3: CH2 ch3 CH1 CH5 CH4
  EXPECT_EQ(Shown(v), (Strings{"ch3", "CH1", "CH5"}));
  ClickCell(v, 3, -1);  // header sort, descending: CH4 CH5 CH1 ch3 CH2
  EXPECT_EQ(Shown(v), (Strings{"CH5", "CH1", "ch3"}));
  v->RemoveRow(1);  // CH4, hidden
  EXPECT_EQ(Shown(v), (Strings{"CH5", "CH1", "ch3"}));
  EXPECT_EQ(v->NumVisibleRows(), 3);
  v->InsertRow(1);
  EXPECT_EQ(v->NumVisibleRows(), 4);  // a new row is shown
}

TEST_F(RLViewFilterTest, MalformedExpressionsRaiseAndChangeNothing) {
  auto* v = Channels();
  v->FilterAndSort("V", {2}, false, fmSimple, -1, true);
  EXPECT_THROW(v->FilterAndSort("(CH1 AND", {}, false, fmBoolean, 1, true), EZELRepListError);
  EXPECT_THROW(v->FilterAndSort("a(", {}, false, fmGrep, 1, true), EZELRepListError);
  EXPECT_EQ(Shown(v), (Strings{"CH1", "ch3", "CH5"}));
  EXPECT_EQ(v->LastSortColumn(), -1);
}

TEST_F(RLViewFilterTest, BooleanAndGrepModesFilterRows) {
  auto* v = Channels();
  v->FilterAndSort("V AND NOT CH5", {}, false, fmBoolean, -1, true);
  EXPECT_EQ(Shown(v), (Strings{"CH1", "ch3"}));
  v->FilterAndSort("^CH[24]$", {1}, false, fmGrep, -1, true);
  EXPECT_EQ(Shown(v), (Strings{"CH2", "CH4"}));
}

TEST_F(RLViewFilterTest, BeforeFilterHookSeesTheViewAndCombinesWithTheSearch) {
  auto* v = Channels();
  std::vector<int> asked;
  v->SetOnBeforeFilter([&](TObject* sender, int row, bool& found, TLogicOp& op) {
    EXPECT_EQ(sender, v);
    asked.push_back(row);
    found = row == 4;
    op = loOr;
  });
  v->FilterAndSort("A", {2}, false, fmSimple, -1, true);
  EXPECT_EQ(asked.size(), 5u);
  EXPECT_EQ(Shown(v), (Strings{"CH2", "CH4"}));
}

TEST_F(RLViewFilterTest, SelectionAndKeysSkipHiddenRows) {
  auto* v = Channels();
  v->SetRowSelectMode(2);
  v->SelectRow(2);
  int events = 0;
  v->SetOnSelectedChange([&](TObject*) { ++events; });
  v->FilterAndSort("V", {2}, false, fmSimple, -1, true);
  EXPECT_FALSE(v->RowSelected(2));  // a hidden row loses its selection
  EXPECT_EQ(events, 1);
  v->SelectAllRows();
  EXPECT_EQ(v->NumSelectedRows(), 3);
  ClickCell(v, 1, 1);
  zeltest::PressKey(Form(), VK_DOWN);  // over hidden CH2 to ch3
  EXPECT_TRUE(v->RowSelected(3));
  EXPECT_EQ(v->NumSelectedRows(), 1);
  ClickCell(v, 1, 5, ssShift);  // range 3..5 without hidden CH4
  EXPECT_TRUE(v->RowSelected(5));
  EXPECT_FALSE(v->RowSelected(4));
}

TEST_F(RLViewFilterTest, IndicatorOnAHiddenRowSitsOnTheNextShownRow) {
  auto* v = Channels();
  v->SetRowSelectMode(0);
  v->SetRowColPattern(0);
  v->FilterAndSort("V", {2}, false, fmSimple, -1, true);
  v->SetInterRowIndicatorPos(2);  // CH2 is hidden: the line goes on top of ch3
  zeltest::Pump();
  const int y = v->CellRect(0, 3).Top;
  EXPECT_EQ(zeltest::PixelAt(v, 10, y), v->InterRowIndicatorColor());
}

TEST_F(RLViewFilterTest, SortEnabledStatePutsEnabledRowsFirst) {
  auto* v = Channels();
  v->SetRowEnabled(3, false);
  v->SetRowEnabled(1, false);
  v->SortEnabledState(3, -1, true);
  EXPECT_EQ(Column(v, 1), (Strings{"CH2", "CH5", "CH4", "ch3", "CH1"}));
  EXPECT_EQ(v->LastSortColumn(), 3);
}
