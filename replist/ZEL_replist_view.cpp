// TReportListView: construction and defaults, the wiring of the table's
// notifications, setters, the forwarded table operations, structure changes
// and Assign.
#include <algorithm>
#include <numeric>

#include "replist/ZEL_replist_view.h"

namespace zel {

using namespace host;

TReportListView::TReportListView(TComponent* AOwner) : TCustomDrawGrid(AOwner) {
  SetOptions(goFixedVertLine | goFixedHorzLine | goColSizing | goRowSelect | goThumbTracking);
  SetFixedCols(0);
  SetFixedRows(1);
  SetDefaultDrawing(false);
  SetDoubleBuffered(true);
  FRLData = new TRLData(this);
  FRLData->SetNrOfColumns(ColCount());
  FRLData->SetNrOfRows(RowCount() - 1);
  try {
    ResizeColumnArrays(NrOfColumns());
  } catch (const EZELRepListError&) {
    throw EZELRepListError(
        ComponentMessage(Name(), "failed to initialize table editor (out of memory)"));
  }
  ResetColumnOrder();
  WireTable();
  ApplyGridShape();
  TCustomGrid::SetTopRow(HeadCount());
}

TReportListView::~TReportListView() {
  // The table is destroyed with the components; its store must not call back
  // into a view that is half gone.
  FRLData->Strings()->SetOnChange(nullptr);
  FRLData->Strings()->SetOnPercentDone(nullptr);
}

void TReportListView::WireTable() {
  TStringArray* s = FRLData->Strings();
  s->SetOnChange([this](TObject*) { StoreChanged(); });
  auto progress = [this](TObject*, int percent) {
    if (FOnPercentDone) FOnPercentDone(this, percent);
  };
  s->SetOnPercentDone(progress);
  FRLData->SetOnPercentDone(progress);
  FRLData->SetOnBeforeSortExchange([this](TObject*, const std::string& cell, std::string& key) {
    if (FOnBeforeSortExchange) FOnBeforeSortExchange(this, cell, key);
  });
  FRLData->SetOnBeforeHTMLExport([this](TObject*, std::string& text, int col, int row) {
    if (FOnBeforeHTMLExport) FOnBeforeHTMLExport(this, text, col, row);
  });
}

// --- notifications -----------------------------------------------------------

void TReportListView::StoreChanged() {
  if (FAttribWrite) return;
  if (FBulkDepth > 0) {
    FBulkDirty = true;
    return;
  }
  // A write that did not come through the view may have touched the
  // attribute bytes.
  ForgetSelection();
  Changed();
  Redraw();
}

void TReportListView::Changed() {
  if (FOnChange) FOnChange(this);
}

void TReportListView::ChangedSetup() {
  if (FOnChangeSetup) FOnChangeSetup(this);
}

void TReportListView::SelectedChanged() {
  if (FOnSelectedChange) FOnSelectedChange(this);
}

void TReportListView::Redraw() {
  if (!FSuppressPaint) Repaint();
}

void TReportListView::RunBulk(TBulkKind kind, const std::function<void()>& work) {
  const bool saved = FSuppressPaint;
  const bool savedDirty = FBulkDirty;
  FSuppressPaint = true;
  if (FBulkDepth++ == 0) FBulkDirty = false;
  try {
    work();
  } catch (...) {
    --FBulkDepth;
    FSuppressPaint = saved;
    FBulkDirty = FBulkDirty || savedDirty;
    Redraw();
    throw;
  }
  FSuppressPaint = saved;
  if (--FBulkDepth > 0) return;
  const bool dirty = FBulkDirty;
  FBulkDirty = false;
  Redraw();
  if (kind == bkData && dirty) Changed();
  if (kind == bkSelection) SelectedChanged();
}

void TReportListView::SetSuppressPaint(bool v) {
  FSuppressPaint = v;
  if (!v) Repaint();
}

void TReportListView::CreateWnd() {
  TCustomDrawGrid::CreateWnd();
  FSuppressPaint = false;
}

void TReportListView::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomDrawGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
  Redraw();
}

void TReportListView::TopLeftChanged() {
  Invalidate();
  TCustomDrawGrid::TopLeftChanged();
}

[[noreturn]] void TReportListView::RaiseNoMemory() const {
  throw EZELRepListError(ComponentMessage(Name(), "not enough memory on heap"));
}

// --- shape -------------------------------------------------------------------

void TReportListView::ResizeColumnArrays(int n) {
  const size_t count = size_t(std::max(n, 1));
  try {
    FColAlignment.resize(count, taLeftJustify);
    FColumnEditable.resize(count, 0);
    FColumnIsPwd.resize(count, 0);
    FColOrder.resize(count, 0);
  } catch (const std::bad_alloc&) {
    RaiseNoMemory();
  }
}

void TReportListView::ResetColumnOrder() { std::iota(FColOrder.begin(), FColOrder.end(), 0); }

// Row count, fixed rows and head heights follow the table and the header
// settings; the hidden-row marks are re-applied because the row sizes go with
// the grid rows, not with the records.
void TReportListView::ApplyGridShape() {
  const int head = HeadCount();
  const int rows = head + std::max(NrOfRows(), 1);
  if (FixedRows() >= rows) SetFixedRows(0);
  SetRowCount(rows);
  SetFixedRows(head);
  ApplyHeadRowHeights();
  ApplyHiddenRows();
}

void TReportListView::SetNrOfRows(int n) {
  HideEditor();
  RunBulk(bkQuiet, [&] {
    FRLData->SetNrOfRows(n);
    ForgetSelection();
    SetSelection(TGridRect{FixedCols(), HeadCount(), ColCount() - 1, HeadCount()});
    ApplyGridShape();
  });
  ChangedSetup();
}

void TReportListView::SetNrOfColumns(int n) {
  HideEditor();
  RunBulk(bkQuiet, [&] {
    const int lastWidth = TCustomGrid::ColWidths(ColCount() - 1);
    const int oldLast = ColCount() - 1;
    FRLData->SetNrOfColumns(n);
    ResizeColumnArrays(NrOfColumns());
    SetColCount(std::max(NrOfColumns(), FixedCols() + 1));
    for (int i = std::max(oldLast, 0); i < ColCount(); ++i) TCustomGrid::SetColWidths(i, lastWidth);
    ResetColumnOrder();
    SetTopRow(1);
  });
  ChangedSetup();
}

int TReportListView::AddRow() {
  SetNrOfRows(NrOfRows() + 1);
  return NrOfRows();
}

int TReportListView::InsertRow(int r) {
  if (r <= 0) return r;
  if (r > NrOfRows()) {
    r = AddRow();
  } else {
    HideEditor();
    RunBulk(bkData, [&] {
      FRLData->InsertRow(r);
      ForgetSelection();
      ApplyGridShape();
    });
    ChangedSetup();
  }
  // The rows are no longer in the order the header shows.
  FRLData->ForgetSortColumns();
  Redraw();
  return r;
}

void TReportListView::RemoveRow(int r) {
  if (!ValidRow(r)) return;
  HideEditor();
  RunBulk(bkData, [&] {
    FRLData->RemoveRow(r);
    ForgetSelection();
    ApplyGridShape();
  });
  ChangedSetup();
}

void TReportListView::RemoveEmptyRows() {
  HideEditor();
  RunBulk(bkData, [&] {
    FRLData->RemoveEmptyRows();
    ForgetSelection();
    ApplyGridShape();
  });
}

int TReportListView::InsertColumn(int c) {
  if (c <= 0) return c;
  HideEditor();
  const bool append = c > NrOfColumns();
  RunBulk(bkData, [&] {
    if (append) {
      c = NrOfColumns() + 1;
      SetNrOfColumns(c);
      return;
    }
    FRLData->InsertColumn(c);
    ResizeColumnArrays(NrOfColumns());
    const auto at = size_t(c - 1);
    auto shift = [&](auto& v, auto def) {
      std::move_backward(v.begin() + at, v.end() - 1, v.end());
      v[at] = def;
    };
    shift(FColAlignment, taLeftJustify);
    shift(FColumnEditable, uint8_t(0));
    shift(FColumnIsPwd, uint8_t(0));
    ResetColumnOrder();
    SetColCount(std::max(NrOfColumns() + FixedCols(), FixedCols() + 1));
  });
  ChangedSetup();
  return c;
}

void TReportListView::RemoveColumn(int c) {
  if (!ValidCol(c)) return;
  HideEditor();
  RunBulk(bkData, [&] {
    const auto at = size_t(c - 1);
    if (NrOfColumns() > 1) {
      FColAlignment.erase(FColAlignment.begin() + at);
      FColumnEditable.erase(FColumnEditable.begin() + at);
      FColumnIsPwd.erase(FColumnIsPwd.begin() + at);
    } else {
      FColAlignment[0] = taLeftJustify, FColumnEditable[0] = 0, FColumnIsPwd[0] = 0;
    }
    FRLData->RemoveColumn(c);
    ResizeColumnArrays(NrOfColumns());
    // The order keeps its first entries; an entry that now points past the
    // last column would show a column that is gone, so such an order starts
    // again from identity.
    const int n = NrOfColumns();
    if (std::any_of(FColOrder.begin(), FColOrder.end(), [n](int d) { return d >= n; }))
      ResetColumnOrder();
    SetColCount(std::max(NrOfColumns() + FixedCols(), FixedCols() + 1));
  });
  ChangedSetup();
}

void TReportListView::Fill(const std::string& s) {
  HideEditor();
  RunBulk(bkData, [&] { FRLData->Fill(s); });
}

void TReportListView::Clear() {
  HideEditor();
  RunBulk(bkData, [&] {
    FRLData->Clear();
    std::fill(FColAlignment.begin(), FColAlignment.end(), taLeftJustify);
    std::fill(FColumnEditable.begin(), FColumnEditable.end(), 0);
    std::fill(FColumnIsPwd.begin(), FColumnIsPwd.end(), 0);
    ResetColumnOrder();
  });
}

bool TReportListView::SetColumnOrder(const std::vector<int>& ColList) {
  if (int(ColList.size()) != NrOfColumns()) return false;
  bool ok = true;
  for (size_t i = 0; i < ColList.size(); ++i) {
    if (ValidCol(ColList[i]))
      FColOrder[i] = ColList[i] - 1;
    else
      ok = false;
  }
  return ok;
}

int TReportListView::ColumnOrder(int i) const {
  return (i >= 0 && i < NrOfColumns()) ? FColOrder[size_t(i)] : 0;
}

int TReportListView::DataColOf(int i) const {
  return (i >= 0 && i < NrOfColumns()) ? FColOrder[size_t(i)] + 1 : 0;
}

int TReportListView::GridColOf(int c) const {
  if (!ValidCol(c)) return -1;
  for (int i = 0; i < NrOfColumns(); ++i)
    if (FColOrder[size_t(i)] == c - 1) return i;
  return -1;
}

// --- forwarded cells and columns ------------------------------------------------

std::string TReportListView::Elem(int ACol, int ARow) const {
  std::string s = FRLData->Elem(ACol, ARow);
  if (FOnReadCell) FOnReadCell(const_cast<TReportListView*>(this), ACol, ARow, s);
  return s;
}

void TReportListView::SetElem(int ACol, int ARow, const std::string& s) {
  FRLData->SetElem(ACol, ARow, s);
}

double TReportListView::AsNumber(int ACol, int ARow) const {
  try {
    return FRLData->AsNumber(ACol, ARow);
  } catch (const EZELDStructError&) {
    throw EZELRepListError("Class TReportListView: invalid numeric string: [" +
                           std::to_string(ACol) + "," + std::to_string(ARow) +
                           "]: " + FRLData->Strings()->GetString(ACol, ARow));
  }
}

void TReportListView::SetHeader(int c, const std::string& s) {
  RunBulk(bkQuiet, [&] { FRLData->SetHeader(c, s); });
  Changed();
}

void TReportListView::SetColumnFormat(int c, const std::string& s) {
  RunBulk(bkQuiet, [&] { FRLData->SetColumnFormat(c, s); });
  Changed();
}

void TReportListView::SetColumnCheckMode(int c, TCheckMode m) {
  RunBulk(bkQuiet, [&] { FRLData->SetColumnCheckMode(c, m); });
  Changed();
}

void TReportListView::SetCommonHeader(const std::string& s) {
  if (s == CommonHeader()) return;
  FRLData->SetCommonHeader(s);
  Changed();
  Redraw();
}

int TReportListView::CountCheckedElemsInCol(int Column) const {
  if (FRLData->ColumnCheckMode(Column) == cmNone) return 0;
  int n = 0;
  for (int r = 1; r <= NrOfRows(); ++r)
    if (!(FRLData->RowAttrib(r) & kRowDisabled) && FRLData->ElemChecked(Column, r)) ++n;
  return n;
}

void TReportListView::SetAllCheckmarksOfCol(int Column, bool Checked, bool AffectEnabledRowsOnly) {
  RunBulk(bkData, [&] { FRLData->SetAllCheckmarksOfCol(Column, Checked, AffectEnabledRowsOnly); });
}

void TReportListView::InvertAllCheckmarksOfCol(int Column, bool AffectEnabledRowsOnly) {
  RunBulk(bkData, [&] { FRLData->InvertAllCheckmarksOfCol(Column, AffectEnabledRowsOnly); });
}

TAlignment TReportListView::ColumnAlignment(int c) const {
  return ValidCol(c) ? FColAlignment[size_t(c - 1)] : taLeftJustify;
}

void TReportListView::SetColumnAlignment(int c, TAlignment a) {
  if (!ValidCol(c) || FColAlignment[size_t(c - 1)] == a) return;
  FColAlignment[size_t(c - 1)] = a;
  Changed();
  Redraw();
}

bool TReportListView::ColumnEditable(int c) const {
  return ValidCol(c) && FColumnEditable[size_t(c - 1)];
}

void TReportListView::SetColumnEditable(int c, bool on) {
  if (ValidCol(c)) FColumnEditable[size_t(c - 1)] = on;
}

bool TReportListView::ColumnIsPwd(int c) const {
  return ValidCol(c) && FColumnIsPwd[size_t(c - 1)];
}

void TReportListView::SetColumnIsPwd(int c, bool on) {
  if (!ValidCol(c) || bool(FColumnIsPwd[size_t(c - 1)]) == on) return;
  FColumnIsPwd[size_t(c - 1)] = on;
  Changed();
  Redraw();
}

// A load replaces the whole table: the view takes its new shape.
bool TReportListView::LoadFromXMLFile(const std::string& FileName, const std::string& ID) {
  bool ok = false;
  RunBulk(bkData, [&] {
    ok = FRLData->LoadFromXMLFile(FileName, ID);
    if (ok) SetNrOfColumns(NrOfColumns());
    ApplyGridShape();
    ForgetSelection();
  });
  return ok;
}

int TReportListView::ImportCSV(const std::string& FileName, TCSVDelimiters Delimiter,
                               bool IncludeColHeaders) {
  int n = -1;
  RunBulk(bkData, [&] {
    n = FRLData->ImportCSV(FileName, Delimiter, IncludeColHeaders);
    if (n >= 0) SetNrOfColumns(NrOfColumns());
    ApplyGridShape();
    ForgetSelection();
  });
  return n;
}

// --- look --------------------------------------------------------------------

// Header settings change the grid's shape: one repaint, then OnChange.
void TReportListView::SetHeadSetting(bool& field, bool v) {
  if (v == field) return;
  RunBulk(bkQuiet, [&] {
    field = v;
    ApplyGridShape();
  });
  Changed();
}

void TReportListView::SetHeadSetting(int& field, int v) {
  field = std::clamp(v, 8, 127);
  RunBulk(bkQuiet, [&] { ApplyHeadRowHeights(); });
  Changed();
}

void TReportListView::SetCommonHeaderAlignment(TAlignment a) {
  if (a == FCommonHeaderAlignment) return;
  FCommonHeaderAlignment = a;
  Changed();
  Redraw();
}

void TReportListView::SetEmptyMessage(const std::string& s) {
  if (s == FEmptyMessage) return;
  FEmptyMessage = s;
  Redraw();
  ChangedSetup();
}

void TReportListView::SetFixedFirstColumn(bool on) {
  RunBulk(bkQuiet, [&] {
    if (on && ColCount() < 2) SetColCount(2);
    SetFixedCols(on ? 1 : 0);
  });
  Changed();
}

void TReportListView::SetEnabled(bool e) {
  TCustomDrawGrid::SetEnabled(e);
  Redraw();
}

void TReportListView::SetColorColumnHd(TColor v) {
  if (v != FixedColor()) {
    SetFixedColor(v);
    Redraw();
  }
  ChangedSetup();
}

// --- Assign ------------------------------------------------------------------

void TReportListView::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TReportListView*>(Source);
  if (!src) {
    TCustomDrawGrid::Assign(Source);
    return;
  }
  HideEditor();
  RunBulk(bkData, [&] {
    FAutoAdvance = src->FAutoAdvance;
    FLastMousePosX = src->FLastMousePosX, FLastMousePosY = src->FLastMousePosY;
    FOnChange = src->FOnChange, FOnChangeSetup = src->FOnChangeSetup;
    FOnSelectedChange = src->FOnSelectedChange;
    FSelectAnchor = src->FSelectAnchor;
    FRowSelectMode = src->FRowSelectMode, FSortEnabled = src->FSortEnabled;
    TCustomDrawGrid::SetEnabled(src->Enabled());
    FOnCheckedChange = src->FOnCheckedChange;
    FOnBeforeCheckedChange = src->FOnBeforeCheckedChange;
    SetOnGetEditText(src->OnGetEditText()), SetOnSetEditText(src->OnSetEditText());
    FOnRequestEditFormat = src->FOnRequestEditFormat;
    FColorSelectedRow = src->FColorSelectedRow, FColorSelectedRowText = src->FColorSelectedRowText;
    FColorSelectedCol = src->FColorSelectedCol, FColorSelectedColText = src->FColorSelectedColText;
    FColorSelectedBoth = src->FColorSelectedBoth;
    FColorSelectedBothText = src->FColorSelectedBothText;
    FColorHigh = src->FColorHigh, FColorHighText = src->FColorHighText;
    FHighLightBold = src->FHighLightBold, FHighLightRow = src->FHighLightRow;
    FHighLightColumn = src->FHighLightColumn;
    FColorText = src->FColorText;
    FColorBkgdNormal = src->FColorBkgdNormal, FColorBkgdShaded = src->FColorBkgdShaded;
    FRowColPattern = src->FRowColPattern;
    FCommonHeaderAlignment = src->FCommonHeaderAlignment;
    FCommonHeaderVisible = src->FCommonHeaderVisible;
    FColumnHeadersVisible = src->FColumnHeadersVisible;
    FColorCommonHd = src->FColorCommonHd, FColorCommonHdText = src->FColorCommonHdText;
    SetFixedColor(src->FixedColor()), FColorColumnHdText = src->FColorColumnHdText;
    FShowEmptyCheckBoxes = src->FShowEmptyCheckBoxes;
    FOnPercentDone = src->FOnPercentDone, FOnBeforeRenderCell = src->FOnBeforeRenderCell;
    FOnBeforeSortExchange = src->FOnBeforeSortExchange;
    FOnBeforeHTMLExport = src->FOnBeforeHTMLExport, FOnBeforeFilter = src->FOnBeforeFilter;
    SetOnMouseWheelDown(src->OnMouseWheelDown()), SetOnMouseWheelUp(src->OnMouseWheelUp());
    FInterRowIndi = src->FInterRowIndi, FInterRowIndicatorColor = src->FInterRowIndicatorColor;
    FInterRowIndicatorWidth = src->FInterRowIndicatorWidth;
    FRLData->Assign(src->FRLData);
    FNumFiltered = src->FNumFiltered;
    SetColCount(std::max(NrOfColumns() + src->FixedCols(), src->FixedCols() + 1));
    SetFixedCols(src->FixedCols());
    ApplyGridShape();
    try {
      FColAlignment = src->FColAlignment, FColumnIsPwd = src->FColumnIsPwd;
      FColumnEditable = src->FColumnEditable, FColOrder = src->FColOrder;
    } catch (const std::bad_alloc&) {
      RaiseNoMemory();
    }
    ForgetSelection();
  });
  // The source's paint suppression is copied last: it decides whether this
  // view paints from now on.
  FSuppressPaint = src->FSuppressPaint;
  Redraw();
}

}  // namespace zel
