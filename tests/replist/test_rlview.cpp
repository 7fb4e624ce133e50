// The report list view's shape, structure, selection, input and sorting, as a
// user and an application act on it.
#include <gtest/gtest.h>

#include "host/ui/Forms.h"
#include "tests/replist/RLViewFixture.h"

using namespace zel;
using namespace host;
using rltest::RLViewTest;
using Strings = std::vector<std::string>;

// --- construction and shape

TEST_F(RLViewTest, NewViewHasFiveColumnsFourRowsAndOneHeaderRow) {
  auto* v = Make<TReportListView>(0, 0, 200, 100);
  EXPECT_EQ(v->NrOfColumns(), 5);
  EXPECT_EQ(v->NrOfRows(), 4);
  EXPECT_EQ(v->RowCount(), 5);
  EXPECT_EQ(v->FixedRows(), 1);
  EXPECT_EQ(v->FixedCols(), 0);
  EXPECT_EQ(v->CommonHeader(), "ZEL Report Listview");
  EXPECT_EQ(v->TopRow(), 1);
  EXPECT_FALSE(v->DefaultDrawing());
}

TEST_F(RLViewTest, BothHeadersOverAnEmptyTableGiveThreeGridRowsTwoFixed) {
  auto* v = Make<TReportListView>(0, 0, 200, 100);
  v->SetCommonHeaderVisible(true);
  v->SetCommonHeaderHeight(30);
  v->SetNrOfRows(0);
  EXPECT_EQ(v->RowCount(), 3);
  EXPECT_EQ(v->FixedRows(), 2);
  EXPECT_EQ(v->RowHeights(0), 30);
  EXPECT_EQ(v->RowHeights(1), 20);
  v->SetColumnHeadersHeight(500);
  EXPECT_EQ(v->ColumnHeadersHeight(), 127);
}

TEST_F(RLViewTest, TopRowOfAnEmptyTableStaysBelowTheHead) {
  auto* v = Make<TReportListView>(0, 0, 200, 100);
  v->SetNrOfRows(0);
  v->SetCommonHeaderVisible(true);
  v->SetTopRow(5);
  EXPECT_EQ(v->host::TCustomGrid::TopRow(), 2);
  EXPECT_EQ(v->TopRow(), 1);
  v->SetTopRow(-3);
  EXPECT_EQ(v->host::TCustomGrid::TopRow(), 2);
}

// --- structure

TEST_F(RLViewTest, InsertRowBeyondTheEndAppendsAndForgetsTheSortColumn) {
  auto* v = Numbered(3);
  v->Sort(2, -1, true);
  EXPECT_EQ(v->InsertRow(v->NrOfRows() + 5), 4);
  EXPECT_EQ(v->NrOfRows(), 4);
  EXPECT_EQ(v->LastSortColumn(), -1);
  EXPECT_EQ(v->SecondarySortColumn(), -1);
  // The rows keep the order they were shown in.
  EXPECT_EQ(Column(v, 1), (Strings{"r3", "r2", "r1", ""}));
  EXPECT_EQ(v->InsertRow(0), 0);
  EXPECT_EQ(v->NrOfRows(), 4);
}

TEST_F(RLViewTest, RemovingAndInsertingRowsOfASortedListKeepsTheShownOrder) {
  auto* v = Numbered(5);
  v->Sort(2, -1, true);  // r5 r4 r3 r2 r1
  v->RemoveRow(2);
  EXPECT_EQ(Column(v, 1), (Strings{"r5", "r3", "r2", "r1"}));
  v->InsertRow(1);
  v->SetElem(1, 1, "new");
  EXPECT_EQ(Column(v, 1), (Strings{"new", "r5", "r3", "r2", "r1"}));
  v->UnSort();
  EXPECT_EQ(Column(v, 1), (Strings{"new", "r5", "r3", "r2", "r1"}));
}

TEST_F(RLViewTest, InsertColumnMovesThePerColumnSettingsWithTheirColumns) {
  auto* v = View({{"a", "b", "c"}});
  v->SetColumnAlignment(2, taRightJustify);
  v->SetColumnIsPwd(3, true);
  EXPECT_EQ(v->InsertColumn(2), 2);
  EXPECT_EQ(v->NrOfColumns(), 4);
  EXPECT_EQ(v->ColumnAlignment(2), taLeftJustify);
  EXPECT_EQ(v->ColumnAlignment(3), taRightJustify);
  EXPECT_TRUE(v->ColumnIsPwd(4));
  EXPECT_EQ(v->Elem(3, 1), "b");
  EXPECT_EQ(v->InsertColumn(9), 5);
  EXPECT_EQ(v->ColCount(), 5);
}

TEST_F(RLViewTest, RemoveColumnResetsAnOrderThatWouldPointPastTheLastColumn) {
  auto* v = View({{"a", "b", "c"}});
  ASSERT_TRUE(v->SetColumnOrder({3, 1, 2}));
  v->RemoveColumn(1);
  EXPECT_EQ(v->NrOfColumns(), 2);
  EXPECT_EQ(v->ColumnOrder(0), 0);
  EXPECT_EQ(v->ColumnOrder(1), 1);
  zeltest::Pump();  // paints without reaching past the columns
  EXPECT_EQ(v->Elem(1, 1), "b");
}

TEST_F(RLViewTest, SetColumnOrderChecksLengthAndEntries) {
  auto* v = View({{"a", "b", "c"}});
  EXPECT_FALSE(v->SetColumnOrder({2, 1}));
  EXPECT_EQ(v->ColumnOrder(0), 0);
  EXPECT_FALSE(v->SetColumnOrder({2, 9, 1}));
  EXPECT_EQ(v->ColumnOrder(0), 1);
  EXPECT_EQ(v->ColumnOrder(1), 1);  // the invalid entry was skipped
  EXPECT_EQ(v->ColumnOrder(2), 0);
}

TEST_F(RLViewTest, ColumnWidthsFollowTheInverseOfTheColumnOrder) {
  auto* v = View({{"a", "b", "c"}});
  ASSERT_TRUE(v->SetColumnOrder({2, 3, 1}));  // grid 0 shows 2, grid 2 shows 1
  EXPECT_EQ(v->GridColOf(1), 2);
  v->SetColWidths(1, 111);
  EXPECT_EQ(v->host::TCustomGrid::ColWidths(2), 111);
  EXPECT_EQ(v->ColWidths(1), 111);
  EXPECT_EQ(v->ColWidths(0), 0);
  // Clicks, painting and editing agree: the cell under grid column 2 is column 1.
  EXPECT_EQ(v->DataColOf(2), 1);
  v->SetColumnEditable(1, true);
  v->SetCol(0);
  EXPECT_FALSE(v->Options() & goEditing);
  v->SetCol(2);
  EXPECT_TRUE(v->Options() & goEditing);
}

TEST_F(RLViewTest, ClicksOnTheBlankColumnOfATableWithoutColumnsAreIgnored) {
  auto* v = Numbered(3);
  int events = 0;
  v->SetOnSelectedChange([&](TObject*) { ++events; });
  v->RemoveColumn(2);
  v->RemoveColumn(1);
  ASSERT_EQ(v->NrOfColumns(), 0);
  const TRect cell = v->CellRect(0, 1);
  zeltest::Click(v, cell.Left + 5, cell.Top + 5);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(v->NumSelectedRows(), 0);
  EXPECT_EQ(v->GridColOf(1), -1);
}

TEST_F(RLViewTest, DoubleClickOnAHeaderBorderSizesTheColumnLeftOfIt) {
  auto* v = View({{"a", "a much longer text", "c"}});
  v->SetColumnCheckMode(2, cmBox);
  v->Sort(2, -1, true);
  const int want = v->DetermineMaxColWidth(2, true);
  TCanvas* c = v->Canvas();
  c->SetFont(v->Font());
  EXPECT_EQ(want, c->TextWidth(" a much longer text") + 16 + 10);
  const TRect h3 = v->CellRect(2, 0);
  zeltest::DblClick(v, h3.Left + 2, h3.Top + 5);
  EXPECT_EQ(v->ColWidths(2), want);
  // In the middle of a header cell a double click changes no width.
  const TRect h1 = v->CellRect(0, 0);
  zeltest::DblClick(v, (h1.Left + h1.Right) / 2, h1.Top + 5);
  EXPECT_EQ(v->ColWidths(1), 64);
}

// --- selection by mouse and keys

TEST_F(RLViewTest, SingleModeClickSelectsTheClickedRowAlone) {
  auto* v = Numbered(5);
  int events = 0;
  v->SetOnSelectedChange([&](TObject*) { ++events; });
  ClickCell(v, 1, 2);
  ClickCell(v, 1, 4);
  EXPECT_FALSE(v->RowSelected(2));
  EXPECT_TRUE(v->RowSelected(4));
  EXPECT_EQ(v->NumSelectedRows(), 1);
  EXPECT_EQ(v->FirstSelectedRow(), 4);
  EXPECT_EQ(events, 2);
}

TEST_F(RLViewTest, MultiModeWithCtrlTogglesAndAPlainClickStartsAfresh) {
  auto* v = Numbered(6);
  v->SetRowSelectMode(2);
  ClickCell(v, 1, 1);
  ClickCell(v, 1, 3, ssCtrl);
  ClickCell(v, 1, 5, ssCtrl);
  EXPECT_EQ(v->NumSelectedRows(), 3);
  ClickCell(v, 1, 3, ssCtrl);
  EXPECT_FALSE(v->RowSelected(3));
  ClickCell(v, 1, 2);
  EXPECT_EQ(v->NumSelectedRows(), 1);
  EXPECT_TRUE(v->RowSelected(2));
  v->SetUseCtrlForMultiSel(false);
  ClickCell(v, 1, 4);
  EXPECT_EQ(v->NumSelectedRows(), 2);
}

TEST_F(RLViewTest, ShiftClickGivesTheRangeTheAnchorsSelectionInEitherDirection) {
  auto* v = Numbered(6);
  v->SetRowSelectMode(2);
  ClickCell(v, 1, 4);
  ClickCell(v, 1, 2, ssShift);
  EXPECT_EQ(v->NumSelectedRows(), 3);
  for (int r = 2; r <= 4; ++r) EXPECT_TRUE(v->RowSelected(r));
  // From an unselected anchor the range is deselected.
  ClickCell(v, 1, 3, ssCtrl);  // anchor 3, now unselected
  ClickCell(v, 1, 6, ssShift);
  EXPECT_FALSE(v->RowSelected(4));
  EXPECT_TRUE(v->RowSelected(2));
  EXPECT_EQ(v->NumSelectedRows(), 1);
}

TEST_F(RLViewTest, ShiftClickFromADisabledAnchorDoesNotDisableTheRange) {
  auto* v = Numbered(5);
  v->SetRowSelectMode(2);
  ClickCell(v, 1, 1);
  v->SetRowEnabled(1, false);
  ClickCell(v, 1, 3, ssShift);
  EXPECT_TRUE(v->RowSelected(3));
  EXPECT_TRUE(v->RowEnabled(2));
  EXPECT_TRUE(v->RowEnabled(3));
  EXPECT_EQ(v->NumEnabledRows(), 4);
  EXPECT_EQ(v->FirstSelectedRow(), 0);  // the lowest selected row is disabled
}

TEST_F(RLViewTest, ReleasingRightOfOrBelowTheCellsDeselectsAllInMultiMode) {
  auto* v = Numbered(3, 400, 200);
  v->SetRowSelectMode(2);
  v->SelectAllRows();
  zeltest::MouseUp(Form(), 380, 60);
  EXPECT_EQ(v->NumSelectedRows(), 0);
  v->SelectAllRows();
  zeltest::MouseUp(Form(), 30, 60);  // on a cell: nothing
  EXPECT_EQ(v->NumSelectedRows(), 3);
  zeltest::MouseUp(Form(), 30, 180, mbRight);  // below the rows, right button: nothing
  EXPECT_EQ(v->NumSelectedRows(), 3);
  zeltest::MouseUp(Form(), 30, 180);
  EXPECT_EQ(v->NumSelectedRows(), 0);
}

TEST_F(RLViewTest, ModeZeroClearsAndIgnoresRowSelection) {
  auto* v = Numbered(5);
  ClickCell(v, 1, 2);
  v->SetRowSelectMode(0);
  EXPECT_EQ(v->NumSelectedRows(), 0);
  ClickCell(v, 1, 3);
  EXPECT_EQ(v->NumSelectedRows(), 0);
  // Cursor keys move the grid, not the selection.
  int keys = 0;
  v->SetOnCursorKeyAction([&](TObject*, Word) { ++keys; });
  v->SetFocus();
  zeltest::PressKey(Form(), VK_DOWN);
  EXPECT_EQ(v->NumSelectedRows(), 0);
  EXPECT_EQ(keys, 1);
}

TEST_F(RLViewTest, CursorKeysSelectTheRowTheyMoveTo) {
  auto* v = Numbered(5);
  Word seen = 0;
  int events = 0;
  v->SetOnCursorKeyAction([&](TObject*, Word k) { seen = k; });
  v->SetOnSelectedChange([&](TObject*) { ++events; });
  ClickCell(v, 1, 2);
  zeltest::PressKey(Form(), VK_DOWN);
  EXPECT_TRUE(v->RowSelected(3));
  EXPECT_EQ(v->NumSelectedRows(), 1);
  EXPECT_EQ(seen, VK_DOWN);
  zeltest::PressKey(Form(), VK_END);
  EXPECT_TRUE(v->RowSelected(5));
  EXPECT_EQ(events, 3);
}

TEST_F(RLViewTest, AutoAdvanceMovesToTheNextRowOnEnter) {
  auto* v = Numbered(4);
  v->SetAutoAdvance(true);
  ClickCell(v, 1, 1);
  zeltest::PressKey(Form(), VK_RETURN);
  EXPECT_TRUE(v->RowSelected(2));
}

TEST_F(RLViewTest, CenterScrollAndSelectSelectsTheRecordsWholeGridRow) {
  auto* v = Numbered(100, 300, 200);
  v->CenterScrollAndSelect(50);
  EXPECT_TRUE(v->RowSelected(50));
  EXPECT_EQ(v->NumSelectedRows(), 1);
  const TGridRect s = v->Selection();
  EXPECT_EQ(s.Top, 50);  // grid row of data row 50 under one header row
  EXPECT_EQ(s.Bottom, 50);
  EXPECT_EQ(s.Left, v->FixedCols());
  EXPECT_EQ(s.Right, v->ColCount() - 1);
  const int vis = v->VisibleRowCount();
  EXPECT_EQ(v->TopRow(), 50 - vis / 2);
  v->CenterScrollAndSelect(99);
  EXPECT_EQ(v->TopRow(), 100 - vis + 1);
}

TEST_F(RLViewTest, WheelWithoutHandlerScrollsTheGridAndAHandlerCanTakeIt) {
  auto* v = Numbered(20);
  ClickCell(v, 1, 1);
  const int row = v->Row();
  zeltest::Wheel(Form(), 50, 60, -120);
  EXPECT_EQ(v->Row(), row + 1);
  v->SetOnMouseWheelDown([](TObject*, TShiftState, TPoint, bool& handled) { handled = true; });
  zeltest::Wheel(Form(), 50, 60, -120);
  EXPECT_EQ(v->Row(), row + 1);
}

TEST_F(RLViewTest, MouseCellTellsHeaderRowsFromDataRows) {
  auto* v = Numbered(3);
  v->SetCommonHeaderVisible(true);
  const TPoint hd = CellPoint(v, 2, -1), data = CellPoint(v, 2, 3);
  EXPECT_EQ(v->MouseCell(hd.x, hd.y).Row, -1);
  EXPECT_EQ(v->MouseCell(hd.x, 5).Row, -2);
  EXPECT_EQ(v->MouseCell(data.x, data.y).Row, 3);
  EXPECT_EQ(v->MouseCell(data.x, data.y).Col, 2);
  EXPECT_EQ(v->MouseCell(-5, -5).Row, 0);
}

// --- check marks by mouse

TEST_F(RLViewTest, ClickOnACheckBoxTogglesItWithBothEvents) {
  auto* v = View({{"a"}, {"b"}});
  v->SetColumnCheckMode(1, cmBox);
  std::vector<std::pair<bool, bool>> seen;  // (before state, after state)
  v->SetOnBeforeCheckedChange([&](TObject*, bool& s, int, int) { seen.push_back({s, false}); });
  v->SetOnCheckedChange([&](TObject*, bool& s, int, int) { seen.back().second = s; });
  const TRect cell = v->CellRect(0, 1);
  zeltest::Click(v, cell.Left + 8, cell.Top + 8);
  EXPECT_TRUE(v->ElemChecked(1, 1));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].first);
  EXPECT_FALSE(seen[0].second);
  // Right of the box the click only selects.
  zeltest::Click(v, cell.Left + 30, cell.Top + 8);
  EXPECT_TRUE(v->ElemChecked(1, 1));
  v->SetCheckMarksReadOnly(true);
  zeltest::Click(v, cell.Left + 8, cell.Top + 8);
  EXPECT_TRUE(v->ElemChecked(1, 1));
}

TEST_F(RLViewTest, RadioClickChecksOnlyTheClickedCellAndStaysChecked) {
  auto* v = View({{"a"}, {"b"}, {"c"}});
  v->SetColumnCheckMode(1, cmRadio);
  v->SetElemChecked(1, 1, true);
  const TRect third = v->CellRect(0, 3);
  zeltest::Click(v, third.Left + 8, third.Top + 8);
  EXPECT_FALSE(v->ElemChecked(1, 1));
  EXPECT_TRUE(v->ElemChecked(1, 3));
  zeltest::Click(v, third.Left + 8, third.Top + 8);
  EXPECT_TRUE(v->ElemChecked(1, 3));
}

TEST_F(RLViewTest, DisabledRowsTakeNoCheckClicksAndAreNotCounted) {
  auto* v = View({{"a"}, {"b"}});
  v->SetColumnCheckMode(1, cmBox);
  v->SetAllCheckmarksOfCol(1, true);
  v->SetRowEnabled(2, false);
  EXPECT_EQ(v->CountCheckedElemsInCol(1), 1);
  const TRect cell = v->CellRect(0, 2);
  zeltest::Click(v, cell.Left + 8, cell.Top + 8);
  EXPECT_TRUE(v->ElemChecked(1, 2));
  v->InvertAllCheckmarksOfCol(1, true);
  EXPECT_FALSE(v->ElemChecked(1, 1));
  EXPECT_TRUE(v->ElemChecked(1, 2));
}

// --- sorting by header

TEST_F(RLViewTest, HeaderClicksShareOneToggleStartingDescending) {
  auto* v = View({{"b", "2", "x"}, {"a", "3", "z"}, {"c", "1", "y"}});
  ClickCell(v, 3, -1);
  EXPECT_EQ(v->LastSortColumn(), 3);
  EXPECT_FALSE(v->LastSortOrder());
  EXPECT_EQ(Column(v, 3), (Strings{"z", "y", "x"}));
  ClickCell(v, 1, -1);
  EXPECT_EQ(v->LastSortColumn(), 1);
  EXPECT_TRUE(v->LastSortOrder());
  EXPECT_EQ(Column(v, 1), (Strings{"a", "b", "c"}));
  ClickCell(v, 1, -1);
  EXPECT_FALSE(v->LastSortOrder());
  EXPECT_EQ(Column(v, 1), (Strings{"c", "b", "a"}));
}

TEST_F(RLViewTest, HeaderClickNearACellEdgeDoesNotSort) {
  auto* v = Numbered(3);
  const TRect h = v->CellRect(1, 0);
  zeltest::Click(v, h.Left + 4, h.Top + 8);
  zeltest::Click(v, h.Right - 4, h.Top + 8);
  EXPECT_EQ(v->LastSortColumn(), -1);
  zeltest::Click(v, h.Left + 5, h.Top + 8);
  EXPECT_EQ(v->LastSortColumn(), 2);
  v->SetSortEnabled(false);
  ClickCell(v, 1, -1);
  EXPECT_EQ(v->LastSortColumn(), 2);
}

TEST_F(RLViewTest, HeaderSortShowsTheHourglassAndKeepsTheSelectedRecord) {
  auto* v = Numbered(5);
  std::vector<TCursor> cursors;
  v->SetOnBeforeSortExchange([&](TObject* sender, const std::string&, std::string&) {
    EXPECT_EQ(sender, v);
    cursors.push_back(Screen->Cursor());
  });
  ClickCell(v, 1, 2);   // "r2"
  ClickCell(v, 2, -1);  // column 2 descending: 5 4 3 2 1 -> r1 first
  EXPECT_EQ(Column(v, 1), (Strings{"r1", "r2", "r3", "r4", "r5"}));
  ClickCell(v, 2, -1);  // ascending: r5 first
  ASSERT_FALSE(cursors.empty());
  EXPECT_EQ(cursors.front(), crHourGlass);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(v->Elem(1, v->FirstSelectedRow()), "r2");
  EXPECT_EQ(v->Elem(1, v->Row() - v->HeadCount() + 1), "r2");
}

TEST_F(RLViewTest, SecondarySortColumnBreaksTiesAndIsRangeChecked) {
  auto* v = View({{"b", "1"}, {"a", "1"}, {"c", "0"}});
  v->SetSecondarySortColumn(1);
  v->SetSecondarySortColumn(7);
  EXPECT_EQ(v->SecondarySortColumn(), 1);
  ClickCell(v, 2, -1);  // descending by 2, ties by 1 (descending too)
  EXPECT_EQ(Column(v, 1), (Strings{"b", "a", "c"}));
}

// --- notifications of bulk work

TEST_F(RLViewTest, BulkOperationsRepaintOnceAndRaiseOneEvent) {
  auto* v = Numbered(200);
  int changes = 0, selections = 0;
  v->SetOnChange([&](TObject*) { ++changes; });
  v->SetOnSelectedChange([&](TObject*) { ++selections; });
  v->SetRowSelectMode(2);
  selections = 0;
  v->Paints = 0;
  v->SelectAllRows();
  zeltest::Pump();
  EXPECT_EQ(v->Paints, 1);
  EXPECT_EQ(selections, 1);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(v->NumSelectedRows(), 200);

  for (int r = 1; r <= 200; r += 2) v->SetElem(1, r, ""), v->SetElem(2, r, "");
  v->Paints = 0, changes = 0;
  v->RemoveEmptyRows();
  zeltest::Pump();
  EXPECT_EQ(v->NrOfRows(), 100);
  EXPECT_EQ(v->Paints, 1);
  EXPECT_EQ(changes, 1);

  v->Paints = 0, selections = 0, changes = 0;
  ClickCell(v, 1, 3);
  EXPECT_EQ(v->Paints, 1);
  EXPECT_EQ(selections, 1);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(v->NumSelectedRows(), 1);

  v->Paints = 0, changes = 0;
  v->Fill("x");
  zeltest::Pump();
  EXPECT_EQ(v->Paints, 1);
  EXPECT_EQ(changes, 1);
}

TEST_F(RLViewTest, AtAMillionRowsSelectionRemovalAndClicksStillRepaintOnceWithOneEvent) {
  Form()->SetBounds(0, 0, 420, 320);
  auto* v = Make<rltest::TCountingView>(0, 0, 400, 300);
  constexpr int kRows = 1000000;
  v->SetSuppressPaint(true);
  v->SetNrOfColumns(2);
  v->SetNrOfRows(kRows);
  for (int r = 1; r <= kRows; r += 2) v->SetElem(1, r, "x");
  v->SetSuppressPaint(false);
  v->SetRowSelectMode(2);
  int changes = 0, selections = 0;
  v->SetOnChange([&](TObject*) { ++changes; });
  v->SetOnSelectedChange([&](TObject*) { ++selections; });
  zeltest::Pump();
  auto counts = [&](int paints, int ch, int sel) {
    zeltest::Pump();
    EXPECT_EQ(v->Paints, paints);
    EXPECT_EQ(changes, ch);
    EXPECT_EQ(selections, sel);
    v->Paints = changes = selections = 0;
  };
  v->Paints = 0;
  v->SelectAllRows();
  counts(1, 0, 1);
  EXPECT_EQ(v->NumSelectedRows(), kRows);
  v->RemoveEmptyRows();
  counts(1, 1, 0);
  EXPECT_EQ(v->NrOfRows(), kRows / 2);
  ClickCell(v, 1, 2);
  counts(1, 0, 1);
  ClickCell(v, 1, 3);
  counts(1, 0, 1);
  EXPECT_EQ(v->NumSelectedRows(), 1);
}

TEST_F(RLViewTest, SingleWritesRepaintAndFireOnChange) {
  auto* v = Numbered(3);
  int changes = 0;
  v->SetOnChange([&](TObject*) { ++changes; });
  v->SetElem(1, 1, "new");
  v->SetHeader(1, "H");
  EXPECT_EQ(changes, 2);
  std::string read;
  v->SetOnReadCell([](TObject*, int, int, std::string& s) { s = "<" + s + ">"; });
  EXPECT_EQ(v->Elem(1, 1), "<new>");
}

TEST_F(RLViewTest, AsNumberNamesTheViewInItsError) {
  auto* v = View({{"1", "abc"}});
  EXPECT_DOUBLE_EQ(v->AsNumber(1, 1), 1.0);
  try {
    v->AsNumber(2, 1);
    FAIL() << "no error";
  } catch (const EZELRepListError& e) {
    EXPECT_STREQ(e.what(), "Class TReportListView: invalid numeric string: [2,1]: abc");
  }
}

TEST_F(RLViewTest, AssignCopiesTheTableOrderAndSettings) {
  auto* a = View({{"b", "2"}, {"a", "1"}});
  a->SetColumnAlignment(2, taRightJustify);
  a->SetRowColPattern(3);
  a->Sort(1, -1, true);
  auto* b = Make<TReportListView>(0, 0, 100, 100);
  b->Assign(a);
  EXPECT_EQ(b->NrOfColumns(), 2);
  EXPECT_EQ(b->RowCount(), 3);
  EXPECT_EQ(Column(b, 1), (Strings{"a", "b"}));
  EXPECT_EQ(b->ColumnAlignment(2), taRightJustify);
  EXPECT_EQ(b->RowColPattern(), 3);
}

TEST_F(RLViewTest, TableEventsReachTheApplicationWithTheViewAsSender) {
  auto* v = Numbered(300);
  std::vector<int> percents;
  v->SetOnPercentDone([&](TObject* sender, int p) {
    EXPECT_EQ(sender, v);
    percents.push_back(p);
  });
  v->Sort(2, -1, true);
  EXPECT_FALSE(percents.empty());
  int cells = 0;
  v->SetOnBeforeHTMLExport([&](TObject* sender, std::string&, int, int) {
    EXPECT_EQ(sender, v);
    ++cells;
  });
  const std::string path = ::testing::TempDir() + "rlview-export.html";
  v->ExportHTMLTable(path, 1, 1, 2, 3, {}, 1, 0, 2, true, "", "", "");
  EXPECT_EQ(cells, 2 * 3 + 2);  // the cells and the two headers
}
