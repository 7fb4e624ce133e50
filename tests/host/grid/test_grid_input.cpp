// Grid input as a user gives it: keys and clicks move and extend the
// selection, borders are dragged, the wheel and the scroll bars scroll.
#include <vector>

#include "host/grid/Grids.h"
#include "host/widgets/Menus.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

class GridInput : public HeadlessTest {
 protected:
  TDrawGrid* G = nullptr;
  int TopLeftChanges = 0;
  void SetUp() override {
    HeadlessTest::SetUp();
    Form()->SetBounds(0, 0, 400, 300);
    G = Make<TDrawGrid>(0, 0, 300, 200);
    G->SetBorderStyle(bsNone);
    G->SetScrollBars(ssNone);
    G->SetColCount(10);
    G->SetRowCount(100);
    G->SetOnTopLeftChanged([this](TObject*) { ++TopLeftChanges; });
    G->SetFocus();
    Pump();
  }
  TGridRect Sel(int l, int t, int r, int b) { return TGridRect{l, t, r, b}; }
};

TEST_F(GridInput, ArrowsPagesHomeAndEndMoveTheCurrentCell) {
  PressKey(Form(), VK_DOWN);
  PressKey(Form(), VK_RIGHT);
  EXPECT_EQ(G->Col(), 2);
  EXPECT_EQ(G->Row(), 2);
  PressKey(Form(), VK_NEXT);  // 7 rows a page
  EXPECT_EQ(G->Row(), 9);
  EXPECT_EQ(G->TopRow(), 8);
  PressKey(Form(), VK_END);
  EXPECT_EQ(G->Col(), 9);
  PressKey(Form(), VK_HOME);
  EXPECT_EQ(G->Col(), 1);
  PressKey(Form(), VK_END, ssCtrl);
  EXPECT_EQ(G->Row(), 99);
  EXPECT_EQ(G->Col(), 9);
  EXPECT_EQ(G->TopRow(), 93);
  PressKey(Form(), VK_HOME, ssCtrl);
  EXPECT_EQ(G->Row(), 1);
  EXPECT_EQ(G->TopRow(), 1);
  PressKey(Form(), VK_UP);  // stops at the first scrolling row
  EXPECT_EQ(G->Row(), 1);
  EXPECT_GE(TopLeftChanges, 3);
}

TEST_F(GridInput, ShiftExtendsOnlyWithRangeSelect) {
  PressKey(Form(), VK_DOWN, ssShift);
  PressKey(Form(), VK_RIGHT, ssShift);
  EXPECT_EQ(G->Selection(), Sel(1, 1, 2, 2));
  G->SetOptions(G->Options() & ~goRangeSelect);
  PressKey(Form(), VK_DOWN, ssShift);
  EXPECT_EQ(G->Selection(), Sel(2, 3, 2, 3));
}

TEST_F(GridInput, TabsMoveAcrossRowsOnlyWithTheOption) {
  G->SetCol(9);
  PressKey(Form(), VK_TAB);  // without goTabs the form takes Tab
  EXPECT_EQ(G->Col(), 9);
  G->SetOptions(G->Options() | goTabs);
  PressKey(Form(), VK_TAB);
  EXPECT_EQ(G->Col(), 1);
  EXPECT_EQ(G->Row(), 2);
  PressKey(Form(), VK_TAB, ssShift);
  EXPECT_EQ(G->Col(), 9);
  EXPECT_EQ(G->Row(), 1);
}

TEST_F(GridInput, RowSelectCoversTheRowAndArrowsScrollSideways) {
  G->SetOptions(G->Options() | goRowSelect);
  PressKey(Form(), VK_DOWN);
  EXPECT_EQ(G->Selection(), Sel(1, 2, 9, 2));
  PressKey(Form(), VK_RIGHT);
  EXPECT_EQ(G->LeftCol(), 2);
  EXPECT_EQ(G->Col(), 1);
  Click(G, 100, 80);
  EXPECT_EQ(G->Selection(), Sel(1, 3, 9, 3));
}

TEST_F(GridInput, ClickAndDragSelectABlock) {
  Click(G, 140, 60);  // column 2, row 2
  EXPECT_EQ(G->Col(), 2);
  EXPECT_EQ(G->Row(), 2);
  Drag(G, 80, 30, 200, 90);
  EXPECT_EQ(G->Selection(), Sel(1, 1, 3, 3));
  EXPECT_EQ(G->Col(), 1);  // the pressed cell stays current
  Click(G, 250, 160, mbLeft, ssShift);
  EXPECT_EQ(G->Selection(), Sel(1, 1, 3, 6));
  // Dragging below the cells scrolls on.
  Drag(G, 80, 30, 80, 250, 3);
  EXPECT_GT(G->TopRow(), 1);
  EXPECT_GT(G->Selection().Bottom, 7);
}

TEST_F(GridInput, SelectCellCanRefuse) {
  G->SetOnSelectCell([](TObject*, int c, int, bool& can) { can = c != 3; });
  Click(G, 200, 60);  // column 3
  EXPECT_EQ(G->Col(), 1);
  PressKey(Form(), VK_RIGHT);
  PressKey(Form(), VK_RIGHT);
  EXPECT_EQ(G->Col(), 2);
}

TEST_F(GridInput, DraggingHeaderBordersSizesColumnsAndRows) {
  // Column 1 ends at 129 and row 0 at 24; sizing needs the options.
  Drag(G, 128, 10, 158, 10);
  EXPECT_EQ(G->ColWidths(1), 64);
  G->SetOptions(G->Options() | goColSizing | goRowSizing);
  Advance(1000);  // a second press at once would be a double click
  Drag(G, 128, 10, 158, 10);
  EXPECT_EQ(G->ColWidths(1), 94);
  Drag(G, 10, 48, 10, 70);  // the border below row 1
  EXPECT_EQ(G->RowHeights(1), 46);
  // A press in the scrolling cells never sizes.
  Drag(G, 128, 60, 160, 60);
  EXPECT_EQ(G->ColWidths(1), 94);
  // Hovering a border shows the sizing pointer.
  G->SetCursor(crHandPoint);
  MouseMove(G, 64, 10);
  EXPECT_EQ(G->Cursor(), crHSplit);
  MouseMove(G, 100, 100);
  EXPECT_EQ(G->Cursor(), crHandPoint);
}

TEST_F(GridInput, WheelMovesTheRowAndScrollsAtTheEdge) {
  for (int i = 0; i < 8; ++i) Wheel(Form(), 100, 100, -120);
  EXPECT_EQ(G->Row(), 9);
  EXPECT_EQ(G->TopRow(), 3);
  EXPECT_EQ(TopLeftChanges, 2);
  Wheel(Form(), 100, 100, 120);
  EXPECT_EQ(G->Row(), 8);
  // A handler that takes the wheel keeps the grid still.
  G->SetOnMouseWheelDown([](TObject*, TShiftState, TPoint, bool& handled) { handled = true; });
  Wheel(Form(), 100, 100, -120);
  EXPECT_EQ(G->Row(), 8);
}

TEST_F(GridInput, ScrollBarsStepPageAndDragTheThumb) {
  G->SetScrollBars(ssVertical);
  G->SetOptions(G->Options() | goThumbTracking);
  Pump();
  // The bar is the 16 pixels on the right; arrows at both ends.
  Click(G, 292, 195);
  EXPECT_EQ(G->TopRow(), 2);
  Click(G, 292, 150);  // the track below the thumb: a page
  EXPECT_EQ(G->TopRow(), 9);
  // Dragging the thumb to the bottom reaches the last rows.
  G->SetTopRow(1);
  Pump();
  Drag(G, 292, 20, 292, 199);
  EXPECT_EQ(G->TopRow(), 93);
  // Without tracking the view moves only on release.
  G->SetOptions(G->Options() & ~goThumbTracking);
  G->SetTopRow(1);
  Pump();
  MouseDown(Form(), 292, 20);
  MouseMove(Form(), 292, 100);
  EXPECT_EQ(G->TopRow(), 1);
  MouseUp(Form(), 292, 100);
  EXPECT_GT(G->TopRow(), 30);
}

TEST_F(GridInput, HeldScrollArrowsRepeatInBothDirections) {
  G->SetScrollBars(ssBoth);
  G->SetColCount(30);
  Pump();
  // Bars of 16 along the right and bottom edges, the corner square between.
  MouseDown(Form(), 292, 175);  // the vertical bar's down arrow
  EXPECT_EQ(G->TopRow(), 2);
  Advance(400 + 4 * 50);
  EXPECT_EQ(G->TopRow(), 7);
  MouseUp(Form(), 292, 175);
  Advance(500);
  EXPECT_EQ(G->TopRow(), 7);
  Click(G, 276, 192);  // the horizontal bar's right arrow
  EXPECT_EQ(G->LeftCol(), 2);
  Click(G, 8, 192);
  EXPECT_EQ(G->LeftCol(), 1);
  Click(G, 200, 192);  // the track right of the thumb: a page, the 3 columns that show whole
  EXPECT_EQ(G->LeftCol(), 4);
}

TEST_F(GridInput, TheThumbOfAHugeGridMapsItsWholeLength) {
  G->SetRowCount(100000000);
  G->SetScrollBars(ssVertical);
  G->SetOptions(G->Options() | goThumbTracking);
  Pump();
  // Track from 16 to 184, an 8-pixel thumb: its middle position is the middle row.
  Drag(G, 292, 20, 292, 100);
  EXPECT_NEAR(G->TopRow(), 50000000, 1000000);
  Drag(G, 292, 100, 292, 20);
  EXPECT_EQ(G->TopRow(), 1);
}

TEST_F(GridInput, TheDialogCodeAsksForArrowsAndTabsAsOptioned) {
  EXPECT_EQ(G->Perform(WM_GETDLGCODE), DLGC_WANTARROWS);
  G->SetOptions(G->Options() | goTabs | goEditing);
  EXPECT_EQ(G->Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS);
}

TEST_F(GridInput, AHugeGridPaintsOnlyWhatShows) {
  std::vector<int> rows;
  G->SetRowCount(100000000);
  G->SetOnDrawCell([&](TObject*, int c, int r, TRect, TGridDrawState) {
    if (c == 0) rows.push_back(r);
  });
  PressKey(Form(), VK_END, ssCtrl);
  rows.clear();
  G->Repaint();
  ASSERT_EQ(rows.size(), 8u);  // the fixed row and the last 7 rows, which fill the view
  EXPECT_EQ(rows.front(), 0);
  EXPECT_EQ(rows.back(), 99999999);
}

}  // namespace

namespace {

// Rows 2..4 and the last two are hidden, and so is the first scrolling column.
TEST_F(GridInput, KeysAndTheWheelStepOverHiddenRowsAndColumns) {
  for (int r : {2, 3, 4, 98, 99}) G->SetRowHeights(r, 0);
  G->SetColWidths(1, 0);
  PressKey(Form(), VK_DOWN);
  EXPECT_EQ(G->Row(), 5);
  PressKey(Form(), VK_UP);
  EXPECT_EQ(G->Row(), 1);
  PressKey(Form(), VK_END, ssCtrl);
  EXPECT_EQ(G->Row(), 97);
  EXPECT_EQ(G->Col(), 9);
  PressKey(Form(), VK_DOWN);  // nothing shown below: stays
  EXPECT_EQ(G->Row(), 97);
  PressKey(Form(), VK_HOME);
  EXPECT_EQ(G->Col(), 2);
  PressKey(Form(), VK_LEFT);
  EXPECT_EQ(G->Col(), 2);
  PressKey(Form(), VK_HOME, ssCtrl);
  EXPECT_EQ(G->Row(), 1);
  EXPECT_EQ(G->Col(), 2);
  Wheel(Form(), 100, 100, -120);
  EXPECT_EQ(G->Row(), 5);
  G->SetOptions(G->Options() | goRowSelect);
  PressKey(Form(), VK_END);
  EXPECT_EQ(G->Row(), 97);
  G->SetRowHeights(1, 0);
  PressKey(Form(), VK_HOME);
  EXPECT_EQ(G->Row(), 5);
}

// Pages move by the view's height in pixels: hidden rows count for nothing,
// tall rows for their height. The view holds 175 pixels of rows.
TEST_F(GridInput, PageKeysMoveByTheVisibleHeight) {
  for (int r = 3; r <= 40; ++r) G->SetRowHeights(r, 0);
  PressKey(Form(), VK_NEXT);
  EXPECT_EQ(G->Row(), 46);  // rows 1, 2, 41..45 fill the page
  PressKey(Form(), VK_PRIOR);
  EXPECT_EQ(G->Row(), 1);
  G->SetRowHeights(50, 200);
  G->SetRow(49);
  PressKey(Form(), VK_NEXT);
  EXPECT_EQ(G->Row(), 50);  // a row taller than the view still moves by one
  PressKey(Form(), VK_NEXT);
  EXPECT_EQ(G->Row(), 51);
  EXPECT_EQ(G->TopRow(), 51);
}

TEST_F(GridInput, TabSkipsHiddenRows) {
  G->SetOptions(G->Options() | goTabs);
  G->SetRowHeights(2, 0);
  G->SetCol(9);
  PressKey(Form(), VK_TAB);
  EXPECT_EQ(G->Row(), 3);
  EXPECT_EQ(G->Col(), 1);
  PressKey(Form(), VK_TAB, ssShift);
  EXPECT_EQ(G->Row(), 1);
  EXPECT_EQ(G->Col(), 9);
}

}  // namespace

namespace {

TEST_F(GridInput, DraggingPastTheEdgeReachesOnlyShownRows) {
  G->SetOptions(G->Options() & ~goRangeSelect);
  for (int r = 8; r <= 20; ++r) G->SetRowHeights(r, 0);
  std::vector<int> asked;
  G->SetOnSelectCell([&](TObject*, int, int r, bool&) { asked.push_back(r); });
  Drag(G, 80, 30, 80, 250, 3);
  ASSERT_FALSE(asked.empty());
  for (int r : asked) EXPECT_TRUE(r < 8 || r > 20) << r;
  EXPECT_GE(G->Row(), 21);
}

// A right click as the menu sees it: the cell that is current when it opens.
class GridContextMenu : public GridInput {
 protected:
  std::vector<TGridCoord> Opened;
  void SetUp() override {
    GridInput::SetUp();
    G->SetPopupMenu(new TPopupMenu(Form()));
    SetPopupMenuHandler([this](TPopupMenu*, TControl*, int, int) {
      Opened.push_back(TGridCoord{G->Col(), G->Row()});
    });
  }
  void TearDown() override {
    SetPopupMenuHandler({});
    GridInput::TearDown();
  }
  void RightClick(int col, int row) {
    const TRect r = G->CellRect(col, row);
    Click(G, r.Left + 3, r.Top + 3, mbRight);
  }
};

TEST_F(GridContextMenu, ARightClickMakesTheClickedCellCurrentBeforeTheMenuOpens) {
  RightClick(3, 4);
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0], (TGridCoord{3, 4}));
  EXPECT_EQ(G->Selection(), Sel(3, 4, 3, 4));
  // Header cells leave the current cell where it is; the menu still opens.
  RightClick(0, 6);
  RightClick(5, 0);
  ASSERT_EQ(Opened.size(), 3u);
  EXPECT_EQ(Opened[2], (TGridCoord{3, 4}));
}

TEST_F(GridContextMenu, ARightClickKeepsABlockOnlyFromItsCurrentCell) {
  G->SetOptions(G->Options() | goRangeSelect);
  PressKey(Form(), VK_RIGHT, ssShift);
  PressKey(Form(), VK_DOWN, ssShift);
  const TGridRect block = G->Selection();
  RightClick(G->Col(), G->Row());
  EXPECT_EQ(G->Selection(), block);
  RightClick(4, 5);
  EXPECT_EQ(G->Selection(), Sel(4, 5, 4, 5));
}

TEST_F(GridContextMenu, ARightClickUnderRowSelectSelectsTheRow) {
  G->SetOptions(G->Options() | goRowSelect);
  RightClick(2, 3);
  EXPECT_EQ(G->Row(), 3);
  EXPECT_EQ(G->Selection(), Sel(1, 3, 9, 3));
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0].Y, 3);
}

}  // namespace
