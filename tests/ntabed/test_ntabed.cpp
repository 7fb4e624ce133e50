#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ntabed/ZEL_ntabed.h"
#include "tests/support/Headless.h"

using zel::TDataTable;
using zel::TNTabEd;

namespace {

class NTabEd : public zeltest::HeadlessTest {
 protected:
  TNTabEd* Ed() {
    if (!FEd) FEd = Make<TNTabEd>(0, 0, 200, 120);
    return FEd;
  }
  std::vector<int> Precisions() {
    std::vector<int> p;
    for (int c = 1; c <= Ed()->NrOfColumns(); ++c) p.push_back(Ed()->Precision(c));
    return p;
  }

 private:
  TNTabEd* FEd = nullptr;
};

using Ints = std::vector<int>;

}  // namespace

TEST_F(NTabEd, ANewEditorShowsThreeByFourZerosWithTheAttributeColumn) {
  TNTabEd* e = Ed();
  EXPECT_EQ(e->NrOfColumns(), 3);
  EXPECT_EQ(e->NrOfRows(), 4);
  EXPECT_EQ(e->ColCount(), 5);
  EXPECT_EQ(e->RowCount(), 5);
  EXPECT_EQ(e->FixedCols(), 2);
  EXPECT_EQ(e->FixedRows(), 1);
  EXPECT_TRUE(e->AttribRowVisible());
  EXPECT_FALSE(e->AttribColVisible());
  EXPECT_EQ(Precisions(), (Ints{3, 3, 3}));
  EXPECT_EQ(e->Elem(3, 4), 0);
  EXPECT_EQ(e->ColWidths(-1), 32);
  EXPECT_EQ(e->ColWidths(0), 80);
  EXPECT_EQ(e->DefaultRowHeight(), 24);
  EXPECT_EQ(e->ColorNormal(), 0x002000u);
  EXPECT_EQ(e->ColorMarkedBoth(), 0xCC00BBu);
  EXPECT_EQ(e->NumWidth(), 1);
  EXPECT_FALSE(e->ExternalDataAssigned());
}

TEST_F(NTabEd, GrowingColumnsInheritsPrecisionAndWidthOfTheLastOne) {
  TNTabEd* e = Ed();
  e->SetPrecision(3, 5);
  e->SetColWidths(3, 51);
  int setups = 0;
  e->SetOnChangeSetup([&](host::TObject*) { ++setups; });
  e->SetNrOfColumns(5);
  EXPECT_EQ(setups, 1);
  EXPECT_EQ(Precisions(), (Ints{3, 3, 5, 5, 5}));
  EXPECT_EQ(e->ColWidths(5), 51);
  EXPECT_EQ(e->ColCount(), 7);
  e->SetPrecision(2, 1);
  e->SetNrOfColumns(2);
  e->SetNrOfColumns(4);
  EXPECT_EQ(Precisions(), (Ints{3, 1, 1, 1}));
}

TEST_F(NTabEd, DimensionsBelowOneAreClampedToOne) {
  TNTabEd* e = Ed();
  e->SetNrOfColumns(0);
  e->SetNrOfRows(-3);
  EXPECT_EQ(e->NrOfColumns(), 1);
  EXPECT_EQ(e->NrOfRows(), 1);
  EXPECT_EQ(e->ColCount(), 3);
  e->Redimension(-1, 0);
  EXPECT_EQ(e->RowCount(), 2);
  e->Redimension(4, 6);
  EXPECT_EQ(e->RowCount(), 7);
}

TEST_F(NTabEd, InsertAndRemoveKeepPrecisionsAtTheEndOfTheList) {
  TNTabEd* e = Ed();
  for (int c = 1; c <= 3; ++c) e->SetPrecision(c, c);
  e->InsertColumn(2);
  EXPECT_EQ(Precisions(), (Ints{1, 2, 3, 3}));
  e->RemoveColumn(1);
  e->RemoveColumn(1);
  EXPECT_EQ(Precisions(), (Ints{1, 2}));
  e->InsertColumn(e->NrOfColumns() + 1);
  EXPECT_EQ(e->NrOfColumns(), 3);
  e->Redimension(1, 1);
  e->RemoveColumn(1);
  e->RemoveRow(1);
  EXPECT_EQ(e->NrOfColumns(), 1);
  EXPECT_EQ(e->NrOfRows(), 1);
}

TEST_F(NTabEd, PrecisionIsLimitedAndOutOfRangeReadsZero) {
  TNTabEd* e = Ed();
  e->SetPrecision(1, 25);
  e->SetPrecision(2, -7);
  e->SetPrecision(9, 4);
  EXPECT_EQ(e->Precision(1), 10);
  EXPECT_EQ(e->Precision(2), -1);
  EXPECT_EQ(e->Precision(0), 0);
  EXPECT_EQ(e->Precision(9), 0);
}

TEST_F(NTabEd, NamesAreCutAtFiftyAndOutOfRangeIsIgnored) {
  TNTabEd* e = Ed();
  int headings = 0, setups = 0;
  e->SetOnHeadingChanged([&](host::TObject*) { ++headings; });
  e->SetOnChangeSetup([&](host::TObject*) { ++setups; });
  e->SetColName(2, std::string(60, 'x'));
  e->SetRowName(5, "no such row");
  EXPECT_EQ(e->ColName(2), std::string(50, 'x'));
  EXPECT_EQ(e->RowName(5), "");
  EXPECT_EQ(headings, 1);
  EXPECT_EQ(setups, 0) << "the table's own echo is not reported twice";
  e->SetColAttrib(4, 9);
  EXPECT_EQ(e->ColAttrib(4), 0);
}

TEST_F(NTabEd, MarkingsAndStatesCountAndKeepTheOtherBits) {
  TNTabEd* e = Ed();
  e->SetCellState(1, 1, 192);
  e->SetCellState(2, 2, 2 | 1 | 16 | 64);
  EXPECT_EQ(e->NrOfMarkedDataA(), 2);
  EXPECT_EQ(e->NrOfMarkedDataB(), 1);
  EXPECT_TRUE(e->IfRowMarked(1));
  EXPECT_FALSE(e->IfRowMarked(3));
  EXPECT_FALSE(e->IfRowMarked(0));
  EXPECT_TRUE(e->IfColumnMarked(2));
  EXPECT_TRUE(e->IfAnyMarked());
  int events = 0;
  e->SetOnCellStateChanged([&](host::TObject*) { ++events; });
  e->UnMarkAllElems();
  EXPECT_EQ(events, 1);
  EXPECT_EQ(e->CellState(2, 2), 2 | 1 | 16);
  EXPECT_FALSE(e->IfAnyMarked());
  e->SetElemMarkedB(3, 4, true);
  e->SetElemMarkedA(9, 9, true);  // outside: nothing set, still reported
  EXPECT_EQ(events, 3);
  EXPECT_TRUE(e->ElemMarkedB(3, 4));
  e->ExchangeMarkings();
  EXPECT_TRUE(e->ElemMarkedA(3, 4));
  EXPECT_FALSE(e->ElemMarkedB(3, 4));
  e->SetIsEmpty(1, 1, true);
  EXPECT_TRUE(e->IsEmpty(1, 1));
  EXPECT_FALSE(e->IsNumber(1, 1));
}

TEST_F(NTabEd, BulkOperationsRaiseOneEventAndNoneWhileSuppressed) {
  TNTabEd* e = Ed();
  int states = 0, changes = 0;
  e->SetOnCellStateChanged([&](host::TObject*) { ++states; });
  e->SetOnChange([&](host::TObject*) { ++changes; });
  e->MarkAllElemsA();
  EXPECT_EQ(e->NrOfMarkedDataA(), 12);
  EXPECT_EQ(e->FillMarkedCells(7, 64), 12);
  EXPECT_EQ(e->Elem(3, 4), 7);
  EXPECT_EQ(states, 1);
  EXPECT_EQ(changes, 1);
  e->SetSuppressPaint(true);
  e->InvertCellStates(64);
  e->SetElem(1, 1, 3);
  EXPECT_EQ(states, 1);
  EXPECT_EQ(changes, 1);
  e->SetSuppressPaint(false);
  e->SetElem(1, 1, 4);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(e->NrOfMarkedDataA(), 0);
}

TEST_F(NTabEd, ClearNamesColumnsAndRowsAndResetsPrecision) {
  TNTabEd* e = Ed();
  e->Redimension(2, 2);
  e->SetPrecision(1, 7);
  e->SetElem(2, 2, 5);
  e->SetComment("x");
  e->Clear();
  EXPECT_EQ(e->ColName(1), "C-1");
  EXPECT_EQ(e->ColName(2), "C-2");
  EXPECT_EQ(e->RowName(1), "R-1");
  EXPECT_EQ(e->RowName(2), "R-2");
  EXPECT_EQ(e->Precision(1), 3);
  EXPECT_EQ(e->Elem(2, 2), 0);
  EXPECT_EQ(e->Comment(), "");
}

TEST_F(NTabEd, CommentDropsControlCharactersAndReportsAChange) {
  TNTabEd* e = Ed();
  int changes = 0;
  e->SetOnChange([&](host::TObject*) { ++changes; });
  e->SetComment("line\tone\r\n");
  EXPECT_EQ(e->Comment(), "lineone");
  EXPECT_EQ(changes, 1);
}

TEST_F(NTabEd, AnyOrderOfAttributeVisibilityWritesWorksOnTheSmallestTable) {
  TNTabEd* e = Ed();
  e->Redimension(1, 1);
  e->SetAttribRowVisible(false);
  e->SetAttribColVisible(true);
  EXPECT_EQ(e->FixedRows(), 2);
  EXPECT_EQ(e->RowCount(), 3);
  e->SetAttribRowVisible(true);
  e->SetAttribColVisible(false);
  e->SetAttribColVisible(true);
  EXPECT_EQ(e->ColCount(), 3);
  EXPECT_EQ(e->FixedCols(), 2);
  e->SetElem(1, 1, 9);
  EXPECT_EQ(e->RowHeights(-1), e->RowHeights(0))
      << "the new attribute row takes the name row's height";
}

TEST_F(NTabEd, HidingTheAttributeColumnShiftsWidthsAndKeepsItsWidthAway) {
  TNTabEd* e = Ed();
  e->SetColWidths(1, 41);
  e->SetColWidths(2, 42);
  e->SetAttribRowVisible(false);
  EXPECT_EQ(e->ColWidths(1), 41);
  EXPECT_EQ(e->ColWidths(2), 42);
  EXPECT_EQ(e->ColWidths(-1), 0);
  e->SetDefaultColWidth(60);
  EXPECT_EQ(e->ColWidths(1), 60) << "grid column 1 is a data column now, not 32 pixels";
  EXPECT_EQ(e->ColWidths(0), 80);
  e->SetAttribRowVisible(true);
  EXPECT_EQ(e->ColWidths(-1), 32);
  EXPECT_EQ(e->ColWidths(1), 60);
}

TEST_F(NTabEd, LeftColAndTopRowCountDataCellsAndAreClamped) {
  TNTabEd* e = Ed();
  e->Redimension(30, 40);
  e->SetTopRow(100);
  EXPECT_LE(e->TopRow(), 40);
  EXPECT_GE(e->TopRow(), 1);
  e->SetLeftCol(-5);
  EXPECT_EQ(e->LeftCol(), 1);
}

TEST_F(NTabEd, InsertAndRemoveCloseTheCellEditorFirst) {
  TNTabEd* e = Ed();
  e->SetOptions(e->Options() | host::goEditing);
  e->SetFocus();
  e->ShowEditor();
  ASSERT_TRUE(e->EditorMode());
  e->InsertRow(1);
  EXPECT_FALSE(e->EditorMode());
  e->ShowEditor();
  e->MirrorColumns();
  EXPECT_FALSE(e->EditorMode());
  e->ShowEditor();
  e->Clear();
  EXPECT_FALSE(e->EditorMode());
}

TEST_F(NTabEd, AGrowthThatCannotBeHeldRaisesAndChangesNothing) {
  TNTabEd* e = Ed();
  e->SetName("Tab1");
  try {
    e->Redimension(100000, 100000);
    FAIL() << "no exception";
  } catch (const zel::EZELNTabedError& x) {
    EXPECT_STREQ(x.what(), "Component \"Tab1\": not enough memory on heap");
  }
  EXPECT_EQ(e->NrOfColumns(), 3);
  EXPECT_EQ(e->ColCount(), 5);
}

TEST_F(NTabEd, MirroringColumnsTakesTheirPrecisionsAlong) {
  TNTabEd* e = Ed();
  e->SetPrecision(1, 0);
  e->SetColName(1, "first");
  e->MirrorColumns();
  EXPECT_EQ(e->ColName(3), "first");
  EXPECT_EQ(Precisions(), (Ints{3, 3, 0}));
}

TEST_F(NTabEd, SortingColumnsWithHeadersMovesPrecisions) {
  TNTabEd* e = Ed();
  e->SetElem(1, 1, 30);
  e->SetElem(2, 1, 10);
  e->SetElem(3, 1, 20);
  e->SetPrecision(1, 1);
  e->SortCols(1, true, 1, 1, 3, 4, true);
  EXPECT_EQ(e->Elem(1, 1), 10);
  EXPECT_EQ(e->Elem(3, 1), 30);
  EXPECT_EQ(Precisions(), (Ints{3, 3, 1}));
  e->SortCols(1, false, 1, 1, 3, 4, false);
  EXPECT_EQ(e->Elem(1, 1), 30);
  EXPECT_EQ(Precisions(), (Ints{3, 3, 1})) << "without headers precisions stay by position";
  e->SetColName(1, "b");
  e->SetColName(2, "C");
  e->SetColName(3, "a");
  e->SortColNames(true, true, 1, 1, 3, 4);
  EXPECT_EQ(e->ColName(1), "a");
  EXPECT_EQ(e->ColName(3), "C");
  EXPECT_EQ(Precisions(), (Ints{1, 3, 3})) << "sorting by name always takes the headings";
}

// Two editors over one table: each only ever detaches what still calls it.
TEST_F(NTabEd, ABorrowedTableOutlivesItsEditorsWithoutCallingThem) {
  TDataTable shared;
  shared.Resize(4, 6);
  auto* a = Make<TNTabEd>(0, 0, 100, 100);
  auto* b = Make<TNTabEd>(100, 0, 100, 100);
  a->AssignAnotherDataMatrix(&shared);
  EXPECT_TRUE(a->ExternalDataAssigned());
  EXPECT_EQ(a->NrOfColumns(), 4);
  EXPECT_EQ(a->ColCount(), 6);
  EXPECT_EQ(a->RowCount(), 7);
  b->AssignAnotherDataMatrix(&shared);  // b takes the notifications over
  int changes = 0;
  b->SetOnChange([&](host::TObject*) { ++changes; });
  delete a;
  shared.SetElem(1, 1, 2);
  EXPECT_EQ(changes, 1) << "freeing a left b's notifications alone";
  EXPECT_TRUE(shared.OnDimensionChanged());
  TDataTable other;
  b->AssignAnotherDataMatrix(&other);
  EXPECT_FALSE(shared.OnDataChanged());
  EXPECT_FALSE(shared.OnSetupChanged());
  EXPECT_FALSE(shared.OnPercentDone());
  EXPECT_FALSE(shared.OnDimensionChanged());
  EXPECT_FALSE(shared.OnSortExchange());
  shared.Resize(2, 2);  // reaches nobody
  delete b;
  EXPECT_FALSE(other.OnDataChanged());
  other.SetElem(1, 1, 1);
}

TEST_F(NTabEd, ASharedTableResizedByTheOtherEditorIsPickedUpOnPaint) {
  TDataTable shared;
  auto* a = Make<TNTabEd>(0, 0, 100, 100);
  auto* b = Make<TNTabEd>(100, 0, 100, 100);
  a->AssignAnotherDataMatrix(&shared);
  b->AssignAnotherDataMatrix(&shared);
  b->Redimension(6, 2);
  zeltest::Pump();
  EXPECT_EQ(a->ColCount(), 8);
  EXPECT_EQ(a->Precision(6), 3);
  delete a;  // before the table they borrow
  delete b;
}

TEST_F(NTabEd, CopyContentsTakesTableAndPrecisions) {
  TNTabEd* e = Ed();
  auto* src = Make<TNTabEd>(0, 0, 100, 100);
  src->Redimension(2, 3);
  src->SetPrecision(2, 6);
  src->SetElem(2, 3, 1.5);
  src->SetCellState(1, 1, 64);
  e->CopyContentsFrom(*src);
  EXPECT_EQ(e->NrOfColumns(), 2);
  EXPECT_EQ(e->RowCount(), 4);
  EXPECT_EQ(e->Elem(2, 3), 1.5);
  EXPECT_EQ(Precisions(), (Ints{3, 6}));
  e->UnMarkAllElems();
  e->CopyCellStatesFrom(*src);
  EXPECT_TRUE(e->ElemMarkedA(1, 1));
}

TEST_F(NTabEd, NumWidthOutsideItsRangeIsIgnoredButReported) {
  TNTabEd* e = Ed();
  int layouts = 0;
  e->SetOnLayoutChanged([&](host::TObject*) { ++layouts; });
  e->SetNumWidth(0);
  e->SetNumWidth(21);
  e->SetNumWidth(6);
  EXPECT_EQ(e->NumWidth(), 6);
  EXPECT_EQ(layouts, 3);
}

TEST_F(NTabEd, SelectionMovesAreReportedOnce) {
  TNTabEd* e = Ed();
  int moves = 0;
  e->SetOnSelectionChanged([&](host::TObject*) { ++moves; });
  e->SetFocus();
  zeltest::PressKey(Form(), host::VK_DOWN);
  zeltest::PressKey(Form(), host::VK_DOWN);
  EXPECT_EQ(moves, 2);
  EXPECT_EQ(e->Row(), 3);
}

TEST_F(NTabEd, ScrollingIsReportedEvenWhileChangesAreSuppressed) {
  TNTabEd* e = Ed();
  e->Redimension(5, 50);
  int scrolls = 0, layouts = 0;
  e->SetOnTopLeftChanged([&](host::TObject*) { ++scrolls; });
  e->SetOnLayoutChanged([&](host::TObject*) { ++layouts; });
  e->SetSuppressPaint(true);
  e->SetTopRow(20);
  e->SetPrecision(1, 5);
  EXPECT_EQ(scrolls, 1);
  EXPECT_EQ(layouts, 0);
  EXPECT_EQ(e->TopRow(), 20);
  e->SetSuppressPaint(false);
}
