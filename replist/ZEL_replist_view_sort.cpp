// TReportListView: sorting through the table's store, header-click sorting
// with the shared direction toggle, the selection kept with its record, and
// filtering, which hides rows through their attribute bit.
#include "host/ui/Forms.h"
#include "replist/ZEL_replist_view.h"

namespace zel {

using namespace host;

namespace {
// Displayed row that shows storage index `index`; 0 when none.
int DisplayedRowOf(const TStringArray& s, int index) {
  if (index <= 0) return 0;
  for (int r = 1; r <= s.NrOfRows(); ++r)
    if (s.GetSortOrder(r) == index) return r;
  return 0;
}
}  // namespace

void TReportListView::Sort(int Col, int ColSec, bool Ascending) {
  ReorderRows([&] { FRLData->Sort(Col, ColSec, Ascending); });
}

void TReportListView::UnSort() {
  ReorderRows([&] { FRLData->UnSort(); });
}

// Runs a reordering of the rows and brings back what belongs to grid rows
// rather than to records: the only selected row, the current row and the
// heights of hidden rows.
void TReportListView::ReorderRows(const std::function<void()>& work) {
  const TStringArray& s = *FRLData->Strings();
  const int current = DataRowOf(Row());
  const int sel = FSelCount == 1 && FSelRow > 0 ? s.GetSortOrder(FSelRow) : 0;
  const int cur = ValidRow(current) ? s.GetSortOrder(current) : 0;
  RunBulk(bkQuiet, [&] {
    work();
    FSelRow = DisplayedRowOf(s, sel);
    ApplyHiddenRows();
    if (const int now = DisplayedRowOf(s, cur); now > 0) {
      const int g = GridRowOf(now);
      SetSelection(TGridRect{FixedCols(), g, ColCount() - 1, g});
    }
  });
}

// The record under the grid's current row stays current: Sort finds it again.
void TReportListView::SortByHeader(int dataCol) {
  const TCursor saved = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  try {
    const bool ascending = !FRLData->SortToggle();
    FRLData->SetSortToggle(ascending);
    Sort(dataCol, SecondarySortColumn(), ascending);
  } catch (...) {
    Screen->SetCursor(saved);
    throw;
  }
  Screen->SetCursor(saved);
}

void TReportListView::SortEnabledState(int SortColumn1, int SortColumn2, bool Ascending) {
  ReorderRows([&] { FRLData->SortEnabledState(SortColumn1, SortColumn2, Ascending); });
}

void TReportListView::FilterAndSort(const std::string& FilterExp,
                                    const std::vector<int>& FilterColumns, bool IgnoreCase,
                                    TFilterMode FilterMode, int SortColumn, bool Ascending) {
  const TRowFilter filter(FilterExp, FilterMode, IgnoreCase);
  std::vector<uint8_t> keep;
  if (!filter.MatchesAll())
    keep = FilterRows(*FRLData, filter, FilterColumns, FOnBeforeFilter, this);
  bool deselected = false;
  RunBulk(bkQuiet, [&] {
    int hidden = 0;
    for (int r = 1; r <= NrOfRows(); ++r) {
      const bool out = !keep.empty() && !keep[size_t(r)];
      const uint8_t a = FRLData->RowAttrib(r);
      if (out && (a & kRowSelected)) {
        PutRowBit(r, kRowSelected, false);
        deselected = true;
      }
      PutRowBit(r, kRowFiltered, out);
      hidden += out ? 1 : 0;
    }
    // Make ApplyHiddenRows walk when rows were hidden before or are now.
    FNumFiltered += hidden;
    ApplyHiddenRows();
  });
  if (SortColumn >= 1) Sort(SortColumn, SecondarySortColumn(), Ascending);
  if (deselected) SelectedChanged();
}

void TReportListView::SetSecondarySortColumn(int c) {
  if (c >= -1 && c <= NrOfColumns()) FRLData->SetSecondarySortColumn(c);
  ChangedSetup();
}

}  // namespace zel
