// TReportListView: row and column selection, enabled rows, the hidden rows of
// a filter, and the bookkeeping that keeps a click independent of the number
// of rows.
#include <algorithm>

#include "replist/ZEL_replist_view.h"

namespace zel {

using namespace host;

void TReportListView::WriteRowAttrib(int r, uint8_t a) {
  FAttribWrite = true;
  FRLData->SetRowAttrib(r, a);
  FAttribWrite = false;
}

void TReportListView::WriteColAttrib(int c, uint8_t a) {
  FAttribWrite = true;
  FRLData->SetColAttrib(c, a);
  FAttribWrite = false;
}

// Writes one bit of a row's attribute byte; callers run inside RunBulk, so
// the store's change notification is held back.
void TReportListView::PutRowBit(int r, uint8_t bit, bool on) {
  const uint8_t old = FRLData->RowAttrib(r);
  const uint8_t now = on ? uint8_t(old | bit) : uint8_t(old & ~bit);
  if (old == now) return;
  WriteRowAttrib(r, now);
  if (!(bit & kRowSelected) || FSelCount < 0) return;
  if (on) {
    ++FSelCount;
    FSelRow = FSelCount == 1 ? r : 0;
  } else {
    --FSelCount;
    if (FSelRow == r || FSelCount != 1) FSelRow = 0;
  }
}

// Deselects every row; with one selected row known, without a pass.
void TReportListView::ClearRowSelection() {
  if (FSelCount == 0) return;
  if (FSelCount == 1 && FSelRow > 0 && ValidRow(FSelRow)) {
    PutRowBit(FSelRow, kRowSelected, false);
    return;
  }
  for (int r = 1; r <= NrOfRows(); ++r) PutRowBit(r, kRowSelected, false);
  FSelCount = 0, FSelRow = 0;
}

void TReportListView::SelectOnly(int r) {
  ClearRowSelection();
  if (ValidRow(r)) PutRowBit(r, kRowSelected, true);
}

void TReportListView::SetAllRowBits(uint8_t bit, bool on) {
  for (int r = 1; r <= NrOfRows(); ++r) {
    // A row a filter hid cannot be selected by a run over all rows.
    const bool skip = on && bit == kRowSelected && (FRLData->RowAttrib(r) & kRowFiltered);
    if (!skip) PutRowBit(r, bit, on);
  }
  if (bit == kRowSelected) ForgetSelection();
}

void TReportListView::SetAllColBits(bool on) {
  for (int c = 1; c <= NrOfColumns(); ++c) {
    const uint8_t a = FRLData->ColAttrib(c);
    WriteColAttrib(c, on ? uint8_t(a | kColSelected) : uint8_t(a & ~kColSelected));
  }
}

bool TReportListView::RowSelected(int r) const {
  return ValidRow(r) && (FRLData->RowAttrib(r) & kRowSelected);
}

void TReportListView::SetRowSelected(int r, bool on) {
  if (ValidRow(r)) RunBulk(bkSelection, [&] { PutRowBit(r, kRowSelected, on); });
}

bool TReportListView::RowEnabled(int r) const {
  return ValidRow(r) && !(FRLData->RowAttrib(r) & kRowDisabled);
}

void TReportListView::SetRowEnabled(int r, bool on) {
  if (ValidRow(r)) RunBulk(bkSelection, [&] { PutRowBit(r, kRowDisabled, !on); });
}

bool TReportListView::ColumnSelected(int c) const {
  return ValidCol(c) && (FRLData->ColAttrib(c) & kColSelected);
}

void TReportListView::SetColumnSelected(int c, bool on) {
  if (!ValidCol(c)) return;
  RunBulk(bkSelection, [&] {
    const uint8_t a = FRLData->ColAttrib(c);
    WriteColAttrib(c, on ? uint8_t(a | kColSelected) : uint8_t(a & ~kColSelected));
  });
}

void TReportListView::SelectRow(int RowNr) {
  RunBulk(bkSelection, [&] { SelectOnly(RowNr); });
}

void TReportListView::SelectColumn(int ColNr) {
  RunBulk(bkSelection, [&] {
    SetAllColBits(false);
    if (ValidCol(ColNr)) WriteColAttrib(ColNr, FRLData->ColAttrib(ColNr) | kColSelected);
  });
}

void TReportListView::SelectAllRows() {
  RunBulk(bkSelection, [&] { SetAllRowBits(kRowSelected, true); });
}

void TReportListView::DeselectAllRows() {
  RunBulk(bkSelection, [&] { ClearRowSelection(); });
}

void TReportListView::SelectAllColumns() {
  RunBulk(bkSelection, [&] { SetAllColBits(true); });
}

void TReportListView::DeselectAllColumns() {
  RunBulk(bkSelection, [&] { SetAllColBits(false); });
}

void TReportListView::EnableAllRows() {
  RunBulk(bkSelection, [&] { SetAllRowBits(kRowDisabled, false); });
}

void TReportListView::DisableAllRows() {
  RunBulk(bkSelection, [&] { SetAllRowBits(kRowDisabled, true); });
}

int TReportListView::NumSelectedRows() const {
  if (FSelCount < 0) {
    FSelCount = 0, FSelRow = 0;
    for (int r = 1; r <= NrOfRows(); ++r)
      if (FRLData->RowAttrib(r) & kRowSelected) ++FSelCount, FSelRow = r;
    if (FSelCount != 1) FSelRow = 0;
  }
  return FSelCount;
}

int TReportListView::NumSelectedColumns() const {
  int n = 0;
  for (int c = 1; c <= NrOfColumns(); ++c) n += ColumnSelected(c) ? 1 : 0;
  return n;
}

int TReportListView::NumEnabledRows() const {
  int n = 0;
  for (int r = 1; r <= NrOfRows(); ++r) n += RowEnabled(r) ? 1 : 0;
  return n;
}

int TReportListView::FirstSelectedColumn() const {
  for (int c = 1; c <= NrOfColumns(); ++c)
    if (ColumnSelected(c)) return c;
  return 0;
}

int TReportListView::FirstSelectedRow() const {
  int first = 0;
  if (NumSelectedRows() == 1 && FSelRow > 0) {
    first = FSelRow;
  } else {
    for (int r = 1; r <= NrOfRows() && first == 0 && FSelCount > 0; ++r)
      if (RowSelected(r)) first = r;
  }
  return (first > 0 && RowEnabled(first)) ? first : 0;
}

void TReportListView::SetRowSelectMode(int m) {
  FRowSelectMode = std::clamp(m, 0, 2);
  RunBulk(bkSelection, [&] {
    if (FRowSelectMode < 2) SetAllRowBits(kRowSelected, false);
    // One past the last cell: no cell is current, none shows as selected.
    if (FRowSelectMode == 0)
      SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
  });
}

void TReportListView::CenterScrollAndSelect(int Row) {
  if (!ValidRow(Row)) return;
  RunBulk(bkSelection, [&] {
    SelectOnly(Row);
    const int v = VisibleRowCount();
    const int top = Row > NrOfRows() - v / 2 ? NrOfRows() - v + 1 : Row - v / 2;
    SetTopRow(std::max(top, 1));
    // Every scrolling column of the record's own grid row.
    const int g = GridRowOf(Row);
    SetSelection(TGridRect{FixedCols(), g, ColCount() - 1, g});
  });
}

TReportListView::TMouseCell TReportListView::MouseCell(int X, int Y) const {
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.X < 0 || cell.Y < 0) return {0, 0};
  if (cell.Y >= HeadCount()) return {cell.X + 1, DataRowOf(cell.Y)};
  const bool columnHeader = FColumnHeadersVisible && cell.Y == ColumnHeaderRow();
  return {cell.X + 1, columnHeader ? -1 : -2};
}

bool TReportListView::RowFilteredOut(int r) const {
  return ValidRow(r) && (FRLData->RowAttrib(r) & kRowFiltered);
}

// Row heights belong to grid rows, the filter marks to the records: after the
// records moved (sort, insert, remove) the heights follow the marks again.
void TReportListView::ApplyHiddenRows() {
  if (FNumFiltered == 0) return;
  int hidden = 0;
  const int h = TCustomGrid::DefaultRowHeight();
  for (int r = 1; r <= NrOfRows(); ++r) {
    const bool out = FRLData->RowAttrib(r) & kRowFiltered;
    TCustomGrid::SetRowHeights(GridRowOf(r), out ? 0 : h);
    hidden += out ? 1 : 0;
  }
  FNumFiltered = hidden;
}

}  // namespace zel
