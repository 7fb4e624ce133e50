// Painting of the report list view: shading bands, check and radio glyphs,
// header edges and the sort triangle, the indicator line, the empty table,
// text cutting, and a golden picture of a representative list.
#include <gtest/gtest.h>

#include "tests/replist/RLViewFixture.h"

using namespace zel;
using namespace host;
using rltest::RLViewTest;
using zeltest::PixelAt;

namespace {

// A point near the right end of a data cell, clear of its text.
TPoint Blank(TReportListView* v, int c, int r) {
  const TRect cell = v->CellRect(v->GridColOf(c), r + v->HeadCount() - 1);
  return TPoint{cell.Right - 3, cell.Top + 3};
}

TRect DataCell(TReportListView* v, int c, int r) {
  return v->CellRect(v->GridColOf(c), r + v->HeadCount() - 1);
}

}  // namespace

TEST_F(RLViewTest, RowColPatternShadesBandsOfRowsStartingWithTheFirst) {
  auto* v = Numbered(6, 300, 220);
  v->SetRowSelectMode(0);
  v->SetRowColPattern(2);
  const bool shaded[] = {true, true, false, false, true, true};
  for (int r = 1; r <= 6; ++r) {
    const TPoint p = Blank(v, 1, r);
    EXPECT_EQ(PixelAt(v, p.x, p.y), shaded[r - 1] ? v->ColorBkgdShaded() : v->ColorBkgdNormal())
        << "row " << r;
  }
  v->SetRowColPattern(0);
  const TPoint p = Blank(v, 1, 1);
  EXPECT_EQ(PixelAt(v, p.x, p.y), v->ColorBkgdNormal());
}

TEST_F(RLViewTest, SelectedDisabledAndHighlightedRowsTakeTheirColours) {
  auto* v = Numbered(4);
  v->SetRowSelectMode(2);
  v->SetRowSelected(1, true);
  v->SetRowEnabled(2, false);
  v->SetHighLightRow(3);
  auto at = [&](int r) {
    const TPoint p = Blank(v, 1, r);
    return PixelAt(v, p.x, p.y);
  };
  EXPECT_EQ(at(1), v->ColorSelectedRow());
  EXPECT_EQ(at(2), v->ColorDisabledBkgd());
  EXPECT_EQ(at(3), v->ColorHigh());
}

TEST_F(RLViewTest, CheckBoxAndRadioGlyphsSitAtTheCellCorner) {
  auto* v = View({{"a", "b"}, {"c", "d"}});
  v->SetColumnCheckMode(1, cmBox);
  v->SetColumnCheckMode(2, cmRadio);
  v->SetElemChecked(1, 1, true);
  v->SetElemChecked(2, 1, true);
  v->SetRowSelectMode(0);
  v->SetRowColPattern(0);
  zeltest::Pump();
  const TColor shadow = ColorToRGB(clBtnShadow);
  const TRect box = DataCell(v, 1, 1), radio = DataCell(v, 2, 1);
  // Box outline from (L+4, T+4) to (L+14, T+14), the tick in the text colour.
  EXPECT_EQ(PixelAt(v, box.Left + 4, box.Top + 4), shadow);
  EXPECT_EQ(PixelAt(v, box.Left + 14, box.Top + 14), shadow);
  EXPECT_EQ(PixelAt(v, box.Left + 6, box.Top + 8), v->ColorText());
  EXPECT_EQ(PixelAt(v, box.Left + 12, box.Top + 6), v->ColorText());
  EXPECT_EQ(PixelAt(v, box.Left + 15, box.Top + 9), v->ColorBkgdNormal());
  // The radio dot fills (L+7..L+11, T+8..T+10).
  EXPECT_EQ(PixelAt(v, radio.Left + 7, radio.Top + 9), v->ColorText());
  EXPECT_EQ(PixelAt(v, radio.Left + 11, radio.Top + 10), v->ColorText());
  EXPECT_EQ(PixelAt(v, radio.Left + 9, radio.Top + 4), shadow);
  // Row 2 is unchecked: outline, no tick.
  const TRect box2 = DataCell(v, 1, 2);
  EXPECT_EQ(PixelAt(v, box2.Left + 4, box2.Top + 4), shadow);
  EXPECT_EQ(PixelAt(v, box2.Left + 6, box2.Top + 8), v->ColorBkgdNormal());
}

TEST_F(RLViewTest, ReadOnlyCheckMarksDrawNoOutlineButKeepTheirTick) {
  auto* v = View({{"a"}, {"b"}});
  v->SetColumnCheckMode(1, cmBox);
  v->SetElemChecked(1, 1, true);
  v->SetRowSelectMode(0);
  v->SetRowColPattern(0);
  v->SetCheckMarksReadOnly(true);
  zeltest::Pump();
  const TRect cell = DataCell(v, 1, 1);
  EXPECT_EQ(PixelAt(v, cell.Left + 4, cell.Top + 4), v->ColorBkgdNormal());
  EXPECT_EQ(PixelAt(v, cell.Left + 6, cell.Top + 8), v->ColorText());
}

TEST_F(RLViewTest, EmptyCheckCellsShowABoxOnlyWhenAsked) {
  auto* v = View({{""}, {"x"}});
  v->SetColumnCheckMode(1, cmBox);
  v->SetRowSelectMode(0);
  v->SetRowColPattern(0);
  zeltest::Pump();
  const TRect cell = DataCell(v, 1, 1);
  EXPECT_EQ(PixelAt(v, cell.Left + 4, cell.Top + 4), ColorToRGB(clBtnShadow));
  v->SetShowEmptyCheckBoxes(false);
  zeltest::Pump();
  EXPECT_EQ(PixelAt(v, cell.Left + 4, cell.Top + 4), v->ColorBkgdNormal());
}

TEST_F(RLViewTest, HeaderCellsHaveARaisedEdge) {
  auto* v = Numbered(2);
  const TRect h = v->CellRect(0, 0);
  EXPECT_EQ(PixelAt(v, h.Left, h.Bottom - 2), clWhite);
  EXPECT_EQ(PixelAt(v, h.Right - 2, h.Top), clWhite);
  EXPECT_EQ(PixelAt(v, h.Right - 1, h.Top + 3), clGray);
  EXPECT_EQ(PixelAt(v, h.Left + 3, h.Bottom - 1), clGray);
  EXPECT_EQ(PixelAt(v, h.Left + 3, h.Top + 3), ColorToRGB(clBtnFace));
}

TEST_F(RLViewTest, SortTriangleSitsBehindTheHeaderTextAndShowsTheDirection) {
  auto* v = Numbered(3);
  v->SetHeader(1, "Ch");
  v->Sort(1, -1, true);
  zeltest::Pump();
  TCanvas* c = v->Canvas();
  c->SetFont(v->Font());
  const int w = c->TextWidth("Ch"), h = c->TextHeight("(8g]}ÜÄ§") / 2;
  const TRect cell = v->CellRect(0, 0);
  const int X = cell.Left + 4 + w + 10, Y = cell.Top + 2;
  EXPECT_EQ(PixelAt(v, X - 4, Y + h + 3), clGray);   // left edge, rising
  EXPECT_EQ(PixelAt(v, X + 4, Y + h + 3), clWhite);  // base
  EXPECT_EQ(PixelAt(v, X, Y + h + 3), clWhite);
  v->Sort(1, -1, false);
  zeltest::Pump();
  EXPECT_EQ(PixelAt(v, X, Y + h - 3), clGray);  // the top edge of a falling triangle
  EXPECT_EQ(PixelAt(v, X + 4, Y + h - 3), clWhite);
  // Other columns carry no triangle.
  const TRect other = v->CellRect(1, 0);
  EXPECT_EQ(PixelAt(v, other.Left + 4 + c->TextWidth(v->Header(2)) + 10, Y + h + 3),
            ColorToRGB(clBtnFace));
}

TEST_F(RLViewTest, IndicatorLineFollowsTheRowsEvenWhenOneIsTaller) {
  auto* v = Numbered(5);
  v->SetRowSelectMode(0);
  v->SetRowColPattern(0);
  v->SetInterRowIndicatorPos(3);
  zeltest::Pump();
  const int y = DataCell(v, 1, 3).Top;
  EXPECT_EQ(PixelAt(v, 20, y), v->InterRowIndicatorColor());
  EXPECT_EQ(PixelAt(v, 20, y - 3), v->ColorBkgdNormal());
  // Rows sized by hand move the line with them.
  v->host::TCustomGrid::SetRowHeights(2, 40);
  zeltest::Pump();
  const int y2 = DataCell(v, 1, 3).Top;
  EXPECT_GT(y2, y);
  EXPECT_EQ(PixelAt(v, 20, y2), v->InterRowIndicatorColor());
  // Past the last row + 1 no line is drawn.
  v->SetInterRowIndicatorPos(7);
  zeltest::Pump();
  EXPECT_NE(PixelAt(v, 20, y2), v->InterRowIndicatorColor());
}

TEST_F(RLViewTest, EmptyTablePaintsTheGridColourBelowTheHeadAndCentresTheMessage) {
  auto* v = Numbered(2, 300, 200);
  v->SetNrOfRows(0);
  v->SetEmptyMessage("No data|found");
  zeltest::Pump();
  const TRect area = v->ClientRect();
  // Count message pixels per line band: two bands of text, each centred.
  int minX = area.Right, maxX = area.Left;
  int inked = 0;
  for (int y = area.Top + 25; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (PixelAt(v, x, y) != ColorToRGB(v->Color())) {
        ++inked;
        minX = std::min(minX, x), maxX = std::max(maxX, x);
      }
  EXPECT_GT(inked, 20);
  TCanvas* c = v->Canvas();
  c->SetFont(v->Font());
  const int wide = std::max(c->TextWidth("No data"), c->TextWidth("found"));
  EXPECT_NEAR((minX + maxX) / 2, area.Left + area.Width() / 2, 2);
  EXPECT_LE(maxX - minX, wide);
}

TEST(RLViewFitText, CutsCellsAndHeadersByTheirRules) {
  // 20 characters measured 120 px (from the second), 60 px room: 20*60/120-4 = 6.
  const std::string t = "abcdefghijklmnopqrst";
  EXPECT_EQ(FitText(t, 60, 120, 4, false), "abcdef...");
  // Right aligned: the first character (a check flag) stays in front.
  EXPECT_EQ(FitText("X" + t.substr(1), 60, 120, 4, true), "X...opqrst" + std::string(""));
  EXPECT_EQ(FitText(t, 120, 120, 4, false), t);     // fits exactly
  EXPECT_EQ(FitText(t, 1, 120, 4, false), "a...");  // at least one character
  // Headers: 20 * 60 / 100 - 3 = 9, rounding half to even (8.5 -> 8).
  EXPECT_EQ(FitText(t, 60, 100, 3, false), "abcdefghi...");
  EXPECT_EQ(FitText(t, 23, 40, 3, false), "abcdefgh...");
  // Characters, not bytes.
  EXPECT_EQ(FitText("äöüäöüäöüä", 10, 50, 0, false), "äö...");
}

TEST_F(RLViewTest, ATableWithoutColumnsPaintsItsGridColumnBlank) {
  auto* v = Numbered(3);
  v->RemoveColumn(2);
  v->RemoveColumn(1);
  EXPECT_EQ(v->NrOfColumns(), 0);
  EXPECT_EQ(v->ColCount(), 1);
  zeltest::Pump();
  const TRect cell = v->CellRect(0, 1);
  EXPECT_EQ(PixelAt(v, cell.Left + 10, cell.Top + 5), ColorToRGB(v->Color()));
  EXPECT_EQ(v->ColumnOrder(0), 0);
  EXPECT_EQ(v->DataColOf(0), 0);
}

TEST_F(RLViewTest, RepresentativeListMatchesItsGoldenImage) {
  auto* v = View({{"CH1", "12.50", "V", "", "2026-03-01"},
                  {"CH2", "0.003", "A", "", "2026-03-01"},
                  {"CH3", "1013.2", "hPa", "", "2026-03-02"},
                  {"CH4 long channel name", "-4.75", "V", "", "2026-03-02"},
                  {"CH5", "99.9", "%", "", "2026-03-03"},
                  {"CH6", "7", "Hz", "", "2026-03-04"}},
                 420, 200);
  const char* heads[] = {"Channel", "Value", "Unit", "OK", "Date"};
  for (int c = 1; c <= 5; ++c) v->SetHeader(c, heads[c - 1]);
  v->SetColumnCheckMode(4, cmBox);
  for (int r = 1; r <= 6; ++r) v->SetElemChecked(4, r, r % 2 == 1);
  v->SetColumnAlignment(2, taRightJustify);
  v->SetCommonHeaderVisible(true);
  v->SetCommonHeader("Bench 3 | daily check");
  v->SetRowEnabled(6, false);
  v->SelectRow(2);
  v->Sort(2, -1, true);
  v->FitAllColWidths(1, true, 0, 120, 10);
  v->SetInterRowIndicatorPos(5);
  EXPECT_TRUE(zeltest::MatchesGolden(Form(), "replist-view"));
}

TEST_F(RLViewTest, FixedFirstColumnIsPaintedAsAHeaderColumn) {
  auto* v = Numbered(3);
  v->SetColorColumnHd(0x30A0F0);
  v->SetFixedFirstColumn(true);
  EXPECT_EQ(v->FixedCols(), 1);
  zeltest::Pump();
  const TRect cell = v->CellRect(0, 2);
  EXPECT_EQ(PixelAt(v, cell.Right - 4, cell.Top + 4), 0x30A0F0u);
  EXPECT_EQ(PixelAt(v, cell.Left, cell.Top + 4), clWhite);
  EXPECT_EQ(PixelAt(v, cell.Right - 1, cell.Top + 4), clGray);
}
