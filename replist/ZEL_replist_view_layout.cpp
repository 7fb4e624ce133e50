// TReportListView: the head rows, the first visible row and column, column
// widths and the text rectangle of a cell.
#include <algorithm>

#include "foundation/Zel_stringl.h"
#include "replist/ZEL_replist_view.h"

namespace zel {

using namespace host;

void TReportListView::ApplyHeadRowHeights() {
  const int def = TCustomGrid::DefaultRowHeight();
  const bool many = NrOfRows() >= 2;
  if (FCommonHeaderVisible && FColumnHeadersVisible) {
    TCustomGrid::SetRowHeights(0, FCommonHeaderHeight);
    // The column header row keeps its height with fewer than two rows too,
    // so the header does not jump when the second row arrives.
    TCustomGrid::SetRowHeights(1, FColumnHeadersHeight);
    return;
  }
  if (FCommonHeaderVisible || FColumnHeadersVisible)
    TCustomGrid::SetRowHeights(0,
                               FCommonHeaderVisible ? FCommonHeaderHeight : FColumnHeadersHeight);
  else
    TCustomGrid::SetRowHeights(0, def);
  if (many) TCustomGrid::SetRowHeights(1, def);
}

// Pixels the head rows take, their grid lines included.
int TReportListView::HeadHeight() const {
  int h = 0;
  for (int g = 0; g < HeadCount(); ++g) h += TCustomGrid::RowHeights(g) + GridLineWidth();
  return h;
}

// Clamped to the data rows; a table without rows still has its one blank
// grid row below the head, which is where the top row then stays.
void TReportListView::SetTopRow(int t) {
  const int head = HeadCount();
  const int last = head + std::max(NrOfRows(), 1) - 1;
  TCustomGrid::SetTopRow(std::clamp(t + head - 1, head, last));
}

void TReportListView::SetLeftCol(int c) {
  c = std::max(std::min(c, NrOfColumns()), FixedCols() + 1);
  TCustomGrid::SetLeftCol(c - 1);
}

int TReportListView::ColWidths(int c) const {
  const int g = GridColOf(c);
  return g < 0 ? 0 : TCustomGrid::ColWidths(g);
}

void TReportListView::SetColWidths(int c, int w) {
  const int g = GridColOf(c);
  if (g >= 0) TCustomGrid::SetColWidths(g, w);
  ChangedSetup();
}

void TReportListView::SetDefaultColWidth(int v) {
  TCustomGrid::SetDefaultColWidth(v);
  Redraw();
  ChangedSetup();
}

void TReportListView::SetDefaultRowHeight(int v) {
  RunBulk(bkQuiet, [&] {
    TCustomGrid::SetDefaultRowHeight(v);
    ApplyHeadRowHeights();
    ApplyHiddenRows();
  });
  ChangedSetup();
}

int TReportListView::DetermineMaxColWidth(int ColNr, bool IncludeHeader) {
  if (!ValidCol(ColNr)) return 10;
  TCanvas* c = Canvas();
  c->SetFont(Font());
  const bool italic = Font()->Style() & fsItalic;
  int w = 0;
  for (int r = 1; r <= NrOfRows(); ++r)
    w = std::max(w, c->TextWidth(FRLData->Strings()->GetString(ColNr, r)));
  if (ColumnCheckMode(ColNr) == cmBox) w += 16;
  if (italic) w += 2;
  if (IncludeHeader) {
    int h = c->TextWidth(Header(ColNr));
    if (ColNr == LastSortColumn()) h += 13;
    if (italic) h += 2;
    w = std::max(w, h);
  }
  return w + 10;
}

void TReportListView::AutoColWidth(int ColNr, bool IncludeHeader, int Addon) {
  SetColWidths(ColNr, std::max(DetermineMaxColWidth(ColNr, IncludeHeader) + Addon, 4));
}

void TReportListView::AutoColWidth(int ColNr, bool IncludeHeader, int Addon, int MaxWidth) {
  const int w = std::max(DetermineMaxColWidth(ColNr, IncludeHeader) + Addon, 4);
  SetColWidths(ColNr, std::min(w, MaxWidth));
}

void TReportListView::FitAllColWidths(int ExpandColumn, bool IncludeHeader, int Addon, int MaxWidth,
                                      int RightMargin) {
  RunBulk(bkQuiet, [&] {
    for (int c = 1; c <= NrOfColumns(); ++c)
      if (c != ExpandColumn) AutoColWidth(c, IncludeHeader, Addon, MaxWidth);
    ExpandColWidth(ExpandColumn, RightMargin);
  });
}

void TReportListView::ExpandColWidth(int ColIx, int RightMargin) {
  int others = 0;
  for (int c = 1; c <= NrOfColumns(); ++c)
    if (c != ColIx) others += ColWidths(c);
  const int w = ClientRect().Width() - RightMargin - others;
  const int g = GridColOf(ColIx);
  if (g >= 0) TCustomGrid::SetColWidths(g, w > 15 ? w : 16);
  ChangedSetup();
}

TRect TReportListView::TextRectOf(const TRect& cell) const {
  return Rect(cell.Left + 4, cell.Top + 2, cell.Right - 6, cell.Bottom);
}

}  // namespace zel
