// TReportListView: mouse and keyboard. The host grid handles every event
// first (current cell, column sizing, scrolling); the view then sorts by a
// header click, toggles check marks and keeps the row selection.
#include <algorithm>

#include "replist/ZEL_replist_view.h"

namespace zel {

using namespace host;

namespace {
// A header click this near a cell's side edge belongs to column sizing.
constexpr int kHeaderEdge = 4;
// Clicks left of this distance from a check cell's left edge hit the box.
constexpr int kCheckHit = 18;

bool IsCursorKey(Word Key) {
  switch (Key) {
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
    case VK_END:
    case VK_HOME:
    case VK_NEXT:
    case VK_PRIOR:
      return true;
    default:
      return false;
  }
}
}  // namespace

void TReportListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
  // The second press of a double click is a click too, as on the platform:
  // two quick clicks on a header sort twice.
  if (Button != mbLeft) return;
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.X < 0 || cell.Y < 0) return;
  if (FColumnHeadersVisible && cell.Y == ColumnHeaderRow()) {
    HeaderSortClick(cell.X, X);
  } else if (cell.Y >= HeadCount()) {
    DataCellClick(cell.X, cell.Y, Shift, X);
  }
}

bool TReportListView::HeaderSortClick(int ACol, int X) {
  const int c = DataColOf(ACol);
  if (!FSortEnabled || c == 0) return false;
  const TRect cell = CellRect(ACol, ColumnHeaderRow());
  if (X - cell.Left <= kHeaderEdge || cell.Right - X <= kHeaderEdge) return false;
  SortByHeader(c);
  return true;
}

void TReportListView::DataCellClick(int ACol, int ARow, TShiftState Shift, int X) {
  const int c = DataColOf(ACol), r = DataRowOf(ARow);
  // The blank column of a table without columns takes no clicks.
  if (c == 0 || !ValidRow(r)) return;
  bool selection = false;
  RunBulk(bkData, [&] {
    const bool editable = ColumnEditable(c) && RowEnabled(r);
    SetOptions(editable ? Options() | goEditing : Options() & ~goEditing);
    const std::string& stored = FRLData->Strings()->GetString(c, r);
    const bool onBox = ColumnCheckMode(c) != cmNone && X - CellRect(ACol, ARow).Left < kCheckHit &&
                       !FCheckMarksReadOnly && RowEnabled(r) &&
                       (stored.size() > 1 || FShowEmptyCheckBoxes);
    if (onBox) ToggleCheck(c, r);
    ClickSelect(r, Shift);
    selection = FRowSelectMode != 0;
  });
  if (selection) SelectedChanged();
}

void TReportListView::ToggleCheck(int c, int r) {
  bool state = !FRLData->ElemChecked(c, r);
  if (FOnBeforeCheckedChange) FOnBeforeCheckedChange(this, state, c, r);
  // A radio column always ends with the clicked cell checked.
  FRLData->SetElemChecked(c, r, ColumnCheckMode(c) == cmRadio ? true : state);
  bool after = !state;
  if (FOnCheckedChange) FOnCheckedChange(this, after, c, r);
}

void TReportListView::ClickSelect(int r, TShiftState Shift) {
  if (FRowSelectMode == 1) {
    FSelectAnchor = r;
    SelectOnly(r);
  } else if (FRowSelectMode == 2) {
    if (Shift & ssShift) {
      // The range takes the anchor's selection state, nothing else of its
      // attribute byte: a disabled anchor must not disable the range.
      const int anchor = std::clamp(FSelectAnchor, 1, NrOfRows());
      const bool on = RowSelected(anchor);
      for (int k = std::min(anchor, r); k <= std::max(anchor, r); ++k)
        if (!(FRLData->RowAttrib(k) & kRowFiltered)) PutRowBit(k, kRowSelected, on);
    } else {
      FSelectAnchor = r;
      if ((Shift & ssCtrl) || !FUseCtrlForMultiSel)
        PutRowBit(r, kRowSelected, !RowSelected(r));
      else
        SelectOnly(r);
    }
  }
}

void TReportListView::MouseMove(TShiftState Shift, int X, int Y) {
  FLastMousePosX = X, FLastMousePosY = Y;
  TCustomDrawGrid::MouseMove(Shift, X, Y);
}

// A release off the cells: right of the last column, or (left button) below
// the last row. Only the columns are searched, never the rows.
void TReportListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomDrawGrid::MouseUp(Button, Shift, X, Y);
  if (FRowSelectMode != 2 || !ClientRect().Contains(X, Y)) return;
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.X >= 0 && cell.Y >= 0) return;
  int right = ClientRect().Left;
  for (int i = ColCount() - 1; i >= 0 && right == ClientRect().Left; --i)
    if (const TRect r = CellRect(i, 0); !r.IsEmpty()) right = r.Right;
  if (X >= right || Button == mbLeft) DeselectAllRows();
}

void TReportListView::DblClick() {
  const int X = FLastMousePosX, Y = FLastMousePosY;
  const TGridCoord cell = MouseCoord(X, Y);
  if (!FColumnHeadersVisible || cell.Y != ColumnHeaderRow() || cell.X < 0) {
    TCustomDrawGrid::DblClick();
    return;
  }
  const TRect r = CellRect(cell.X, cell.Y);
  int border = -1;  // grid column left of the border hit
  if (X - r.Left < 5) {
    border = cell.X - 1;
    while (border >= 0 && TCustomGrid::ColWidths(border) == 0) --border;
  } else if (r.Right - X <= 4) {
    border = cell.X;
  }
  if (border >= 0 && DataColOf(border) > 0) AutoColWidth(DataColOf(border), true, 0);
}

void TReportListView::KeyDown(Word& Key, TShiftState Shift) {
  const Word key = Key;
  TCustomDrawGrid::KeyDown(Key, Shift);
  if (!IsCursorKey(key)) return;
  if (FRowSelectMode != 0) {
    const int r = DataRowOf(Selection().Top);
    RunBulk(bkQuiet, [&] { SelectOnly(r); });
    FSelectAnchor = ValidRow(r) ? r : FSelectAnchor;
  }
  if (FOnCursorKeyAction) FOnCursorKeyAction(this, key);
  if (FRowSelectMode != 0) SelectedChanged();
}

void TReportListView::KeyPress(char32_t& Key) {
  const bool enter = Key == U'\r';
  TCustomDrawGrid::KeyPress(Key);
  // Only Enter advances: a character the editor swallowed leaves Key 0 too.
  if (FAutoAdvance && enter && (Key == U'\r' || Key == 0)) {
    Word down = VK_DOWN;
    KeyDown(down, 0);
  }
}

bool TReportListView::SelectCell(int ACol, int ARow) {
  const bool editable = ARow >= HeadCount() && ColumnEditable(DataColOf(ACol));
  SetOptions(editable ? Options() | goEditing : Options() & ~goEditing);
  return TCustomDrawGrid::SelectCell(ACol, ARow);
}

}  // namespace zel
