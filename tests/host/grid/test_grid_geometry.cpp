// Grid geometry: cell rectangles and hit tests with fixed, hidden and scrolled
// cells, lines on and off, visible counts, scroll clamping and huge grids.
#include "host/grid/Grids.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

class GridGeometry : public HeadlessTest {
 protected:
  TStringGrid* G = nullptr;
  void SetUp() override {
    HeadlessTest::SetUp();
    Form()->SetBounds(0, 0, 400, 300);
    G = Make<TStringGrid>(10, 10, 300, 200);
    G->SetBorderStyle(bsNone);
    G->SetScrollBars(ssNone);
  }
};

TEST_F(GridGeometry, CellRectsFollowSizesLinesAndFixedCells) {
  // Defaults: 64 x 24 cells with one-pixel lines after each.
  EXPECT_EQ(G->CellRect(0, 0), Rect(0, 0, 64, 24));
  EXPECT_EQ(G->CellRect(2, 1), Rect(130, 25, 194, 49));
  G->SetColWidths(1, 30);
  G->SetRowHeights(0, 10);
  EXPECT_EQ(G->CellRect(2, 1), Rect(96, 11, 160, 35));
  // A border moves every cell in by its width.
  G->SetBorderStyle(bsSingle);
  EXPECT_EQ(G->CellRect(0, 0), Rect(2, 2, 66, 12));
  G->SetBorderStyle(bsNone);
  // Lines off: no room between cells.
  G->SetOptions(0);
  EXPECT_EQ(G->CellRect(2, 1), Rect(94, 10, 158, 34));
  // Only the fixed kind of line on still reserves the room.
  G->SetOptions(goFixedVertLine);
  EXPECT_EQ(G->CellRect(2, 1), Rect(96, 10, 160, 34));
}

TEST_F(GridGeometry, HiddenColumnsTakeNoSpaceAndCannotBeHit) {
  G->SetColWidths(2, 0);
  EXPECT_TRUE(G->CellRect(2, 1).IsEmpty());
  EXPECT_EQ(G->CellRect(3, 1).Left, 130);
  EXPECT_EQ(G->MouseCoord(131, 30), (TGridCoord{3, 1}));
  // The line belongs to the cell before it.
  EXPECT_EQ(G->MouseCoord(129, 30), (TGridCoord{1, 1}));
  int c = 0, r = 0;
  G->MouseToCell(5, 5, c, r);
  EXPECT_EQ(c, 0);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(G->MouseCoord(299, 199), (TGridCoord{-1, -1}));  // past the last column
  EXPECT_EQ(G->MouseCoord(-1, 5), (TGridCoord{-1, -1}));
}

TEST_F(GridGeometry, ScrolledCellsKeepTheFixedOnesInPlace) {
  G->SetColCount(20);
  G->SetRowCount(50);
  G->SetTopRow(10);
  G->SetLeftCol(5);
  EXPECT_EQ(G->TopRow(), 10);
  EXPECT_EQ(G->CellRect(0, 0), Rect(0, 0, 64, 24));
  EXPECT_EQ(G->CellRect(5, 10), Rect(65, 25, 129, 49));
  EXPECT_TRUE(G->CellRect(3, 4).IsEmpty());  // scrolled out
  EXPECT_EQ(G->MouseCoord(70, 30), (TGridCoord{5, 10}));
  EXPECT_EQ(G->MouseCoord(10, 30), (TGridCoord{0, 10}));
  // 200 pixels: the fixed row, then 7 whole rows of 25.
  EXPECT_EQ(G->VisibleRowCount(), 7);
  EXPECT_EQ(G->VisibleColCount(), 3);
  // The top row stops where the last row reaches the bottom.
  G->SetTopRow(1000);
  EXPECT_EQ(G->TopRow(), 50 - 7);
  EXPECT_EQ(G->CellRect(0, 49).Bottom, 25 + 7 * 25 - 1);
}

TEST_F(GridGeometry, VisibleRowCountComesFromTheHeights) {
  G->SetRowCount(30);
  G->SetRowHeights(2, 100);
  // Row 1 (25) and row 2 (101) fit in 175 pixels; row 3 would end at 151.
  EXPECT_EQ(G->VisibleRowCount(), 3);
  G->SetTopRow(3);
  EXPECT_EQ(G->VisibleRowCount(), 7);
}

TEST_F(GridGeometry, AHundredMillionRowsScrollToTheEnd) {
  G->SetRowCount(100000000);
  G->SetRowHeights(77, 3);
  G->SetTopRow(99999999);
  EXPECT_EQ(G->TopRow(), 100000000 - 7);
  EXPECT_EQ(G->CellRect(1, 99999999), Rect(65, 175, 129, 199));
  EXPECT_EQ(G->MouseCoord(70, 180), (TGridCoord{1, 99999999}));
  G->SetRow(50000000);
  EXPECT_EQ(G->Row(), 50000000);
  EXPECT_FALSE(G->CellRect(1, 50000000).IsEmpty());
  // The vertical bar's thumb stands in the middle.
  G->SetScrollBars(ssBoth);
  G->SetTopRow(50000000);
  Pump();
  EXPECT_EQ(G->TopRow(), 50000000);
}

TEST_F(GridGeometry, ClientRectLeavesOutBorderAndScrollBars) {
  G->SetBorderStyle(bsSingle);
  G->SetScrollBars(ssBoth);
  G->SetDefaultColWidth(50);
  EXPECT_EQ(G->ClientRect(), Rect(2, 2, 298, 198));  // 5 x 5 cells fit: no bars
  G->SetRowCount(40);
  EXPECT_EQ(G->ClientRect(), Rect(2, 2, 282, 198));
  G->SetColCount(40);
  EXPECT_EQ(G->ClientRect(), Rect(2, 2, 282, 182));
}

}  // namespace

namespace {

TEST_F(GridGeometry, PaintShowsFixedEdgesLinesSelectionAndBarsOnTop) {
  G->SetBorderStyle(bsSingle);
  G->SetScrollBars(ssBoth);
  G->SetColCount(30);
  G->SetRowCount(30);
  for (int c = 0; c < 30; ++c)
    G->SetCells(c, 1, std::string(40, 'W'));  // text runs to the cell edge
  Pump();
  const auto rgb = [](TColor c) { return ColorToRGB(c); };
  // The fixed cell's raised edge, then its black line; a normal cell and its silver line.
  EXPECT_EQ(PixelAt(G, 2, 2), rgb(clBtnHighlight));
  EXPECT_EQ(PixelAt(G, 2 + 63, 10), rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(G, 2 + 64, 10), rgb(clBlack));
  EXPECT_EQ(PixelAt(G, 2 + 65 + 10, 2 + 25 + 25 + 5), rgb(clWindow));
  EXPECT_EQ(PixelAt(G, 2 + 65 + 64, 2 + 25 + 25 + 5), rgb(clSilver));
  // The current cell is selected; without the focus it shows the highlight.
  EXPECT_EQ(PixelAt(G, 2 + 65 + 60, 2 + 25 + 20), rgb(clHighlight));
  // The last column shows in part; the bars are drawn over whatever spilled.
  const TRect bar = Rect(300 - 2 - 16, 2, 300 - 2, 200 - 2 - 16);
  EXPECT_EQ(PixelAt(G, bar.Left + 3, bar.Top + 3), rgb(clBtnFace));
  int ink = 0;  // pixels of the text of row 1 on the bar
  for (int x = bar.Left; x < bar.Right; ++x)
    for (int y = 2 + 25; y < 2 + 50; ++y) ink += PixelAt(G, x, y) == rgb(clWindowText);
  EXPECT_EQ(ink, 0);
}

}  // namespace

namespace {

// Fixed lines on, scrolling lines off: the room stays, and the cells cover it.
TEST_F(GridGeometry, CellsCoverTheRoomOfLinesThatAreOff) {
  std::vector<TRect> drawn;
  G->SetOnDrawCell([&](TObject*, int c, int r, TRect rc, TGridDrawState) {
    if (c == 1 && r == 1) drawn.push_back(rc);
  });
  G->SetOptions(goFixedVertLine | goFixedHorzLine | goRowSelect);
  Pump();
  const auto rgb = [](TColor c) { return ColorToRGB(c); };
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back(), Rect(65, 25, 130, 50));  // the cell and its line room
  // The selected row is one bar of highlight, line rooms included.
  for (int x = 65; x < 300; ++x) ASSERT_EQ(PixelAt(G, x, 30), rgb(clHighlight)) << x;
  EXPECT_EQ(PixelAt(G, 100, 49), rgb(clHighlight));
  EXPECT_EQ(PixelAt(G, 129, 60), rgb(clWindow));  // the room between unselected cells
  // The fixed lines still show.
  EXPECT_EQ(PixelAt(G, 64, 30), rgb(clBlack));
  EXPECT_EQ(PixelAt(G, 100, 24), rgb(clBlack));
}

// Vertical lines on, horizontal ones off: the vertical lines run unbroken
// through the cells' bottom room.
TEST_F(GridGeometry, ALineThatIsOnRunsThroughTheRoomOfOneThatIsOff) {
  G->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine);
  Pump();
  const auto rgb = [](TColor c) { return ColorToRGB(c); };
  for (int y = 25; y < 125; ++y) ASSERT_EQ(PixelAt(G, 129, y), rgb(clSilver)) << y;
  EXPECT_EQ(PixelAt(G, 200, 49), rgb(clWindow));
}

// A hidden row paints nothing and leaves no second line: the rows around it
// meet with one line between them.
TEST_F(GridGeometry, AHiddenRowPaintsNothing) {
  std::vector<int> rows;
  G->SetOnDrawCell([&](TObject*, int c, int r, TRect, TGridDrawState) {
    if (c == 1) rows.push_back(r);
  });
  G->SetRowHeights(2, 0);
  Pump();
  EXPECT_EQ(rows, (std::vector<int>{0, 1, 3, 4}));
  const auto rgb = [](TColor c) { return ColorToRGB(c); };
  EXPECT_EQ(PixelAt(G, 100, 49), rgb(clSilver));
  EXPECT_EQ(PixelAt(G, 100, 50), rgb(clWindow));
  EXPECT_EQ(G->CellRect(1, 3).Top, 50);
}

}  // namespace
