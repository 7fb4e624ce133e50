// Construction, the table wiring, dimensions, headings, precisions, states and
// the change notifications of the table editor.
#include "ntabed/ZEL_ntabed.h"

#include <algorithm>
#include <new>

#include "foundation/Zel_stringl.h"

namespace zel {

using namespace host;

namespace {
constexpr int kNameColWidth = 80;
constexpr int8_t kDefaultPrecision = 3;
}  // namespace

TNTabEd::TNTabEd(TComponent* AOwner) : TCustomGrid(AOwner) {
  TInternSuppress suppress(*this);
  try {
    FOwnData = std::make_unique<TDataTable>();
    Data = FOwnData.get();
    // The grid starts 5 x 5: name and attribute columns, a name row, 3 x 4 data.
    SetColCount(5);
    SetRowCount(5);
    SetFixedCols(2);
    SetDefaultRowHeight(24);
    TCustomGrid::SetColWidths(1, FClassColWidth);
    TCustomGrid::SetColWidths(0, kNameColWidth);
    Data->Resize(ColCount() - 2, RowCount() - 1);
    Data->ElemMatrix().Fill(0);
    FDecP.assign(size_t(Data->NrOfColumns()), kDefaultPrecision);
  } catch (const std::bad_alloc&) {
    throw EZELNTabedError(
        ComponentMessage(Name(), "failed to initialize table editor (out of memory)"));
  } catch (const EZELMatrixError&) {
    throw EZELNTabedError(
        ComponentMessage(Name(), "failed to initialize table editor (out of memory)"));
  }
  AttachTable();
  SetColor(clWindow);
  SetFixedColor(clBtnFace);
  SetEditing(true);
  BuildMenus();
}

TNTabEd::~TNTabEd() { DetachTable(); }

// ---------------------------------------------------------------- the table

void TNTabEd::AttachTable() {
  Data->SetOnDimensionChanged(
      [this](TObject*, int oc, int orr, int nc, int nr) { DataHasBeenResized(oc, orr, nc, nr); },
      this);
  Data->SetOnDataChanged([this](TObject*) { DataHasChanged(); }, this);
  Data->SetOnSetupChanged([this](TObject*) { SetupHasChanged(); }, this);
  Data->SetOnPercentDone(
      [this](TObject*, int p) {
        if (FOnPercentDone) FOnPercentDone(this, p);
      },
      this);
  Data->SetOnSortExchange([this](TObject*, int k, int a, int b) { ExchangeDuringSort(k, a, b); },
                          this);
}

// An owned table goes with the editor; a borrowed one only loses the
// notifications that still call this editor (a second editor on the same
// table keeps its own).
void TNTabEd::DetachTable() {
  if (!Data) return;
  if (FExtMatAssigned) Data->DetachNotifications(this);
  FOwnData.reset();
  Data = nullptr;
}

void TNTabEd::AssignAnotherDataMatrix(TDataTable* NewDTab) {
  if (!NewDTab || NewDTab == Data) return;
  HideEditor();
  DetachTable();
  Data = NewDTab;
  FExtMatAssigned = true;
  AttachTable();
  SyncWithData();
  Invalidate();
  ChangedSetup();
}

void TNTabEd::SyncWithData() {
  DataHasBeenResized(ColCount() - FColOffset - 1, RowCount() - FRowOffset - 1, Data->NrOfColumns(),
                     Data->NrOfRows());
}

void TNTabEd::DataHasBeenResized(int OldCols, int OldRows, int NewCols, int NewRows) {
  OldCols = std::clamp(OldCols, 1, ColCount() - FColOffset - 1);
  const int lastWidth = TCustomGrid::ColWidths(OldCols + FColOffset);
  const int8_t lastPrec = FDecP.empty() ? kDefaultPrecision : FDecP.back();
  try {
    FDecP.resize(size_t(NewCols), lastPrec);
  } catch (const std::bad_alloc&) {
    OutOfMemory("not enough memory on heap");
  }
  SetColCount(NewCols + FColOffset + 1);
  for (int c = OldCols + 1; c <= NewCols; ++c) TCustomGrid::SetColWidths(c + FColOffset, lastWidth);
  (void)OldRows;
  SetRowCount(NewRows + FRowOffset + 1);
  Invalidate();
}

void TNTabEd::DataHasChanged() {
  Invalidate();
  ChangedData();
}

void TNTabEd::SetupHasChanged() {
  Invalidate();
  ChangedSetup();
}

void TNTabEd::ExchangeDuringSort(int Kind, int Ix1, int Ix2) {
  if (Kind != 1 || !FSortIncludeHd) return;
  if (Ix1 < 1 || Ix2 < 1 || size_t(Ix1) > FDecP.size() || size_t(Ix2) > FDecP.size()) return;
  std::swap(FDecP[size_t(Ix1 - 1)], FDecP[size_t(Ix2 - 1)]);
}

void TNTabEd::OutOfMemory(const char* what) const {
  throw EZELNTabedError(ComponentMessage(Name(), what));
}

// ---------------------------------------------------------------- dimensions

void TNTabEd::ResizeData(int NrCols, int NrRows) {
  try {
    Data->Resize(std::max(1, NrCols), std::max(1, NrRows));
  } catch (const std::bad_alloc&) {
    OutOfMemory("not enough memory on heap");
  } catch (const EZELMatrixError&) {
    OutOfMemory("not enough memory on heap");
  }
}

void TNTabEd::SetNrOfColumns(int n) {
  Quietly([&] { ResizeData(n, NrOfRows()); });
  ChangedSetup();
}

void TNTabEd::SetNrOfRows(int n) {
  Quietly([&] { ResizeData(NrOfColumns(), n); });
  ChangedSetup();
}

void TNTabEd::Redimension(int NrCols, int NrRows) {
  Quietly([&] { ResizeData(NrCols, NrRows); });
  ChangedSetup();
  Invalidate();
}

void TNTabEd::InsertRow(int ix) {
  if (ix < 1 || ix > NrOfRows() + 1) return;
  HideEditor();
  Quietly([&] { Data->InsertRow(ix); });
  Invalidate();
  ChangedSetup();
}

void TNTabEd::InsertColumn(int ix) {
  if (ix < 1 || ix > NrOfColumns() + 1) return;
  HideEditor();
  Quietly([&] { Data->InsertColumn(ix); });
  Invalidate();
  ChangedSetup();
}

void TNTabEd::RemoveRow(int ix) {
  if (ix < 1 || ix > NrOfRows() || NrOfRows() < 2) return;
  HideEditor();
  Quietly([&] { Data->RemoveRow(ix); });
  Invalidate();
  ChangedSetup();
}

void TNTabEd::RemoveColumn(int ix) {
  if (ix < 1 || ix > NrOfColumns() || NrOfColumns() < 2) return;
  HideEditor();
  Quietly([&] { Data->RemoveColumn(ix); });
  Invalidate();
  ChangedSetup();
}

void TNTabEd::MirrorColumns() {
  HideEditor();
  {
    TInternSuppress s(*this);
    Data->MirrorColumns();
    // A column keeps its precision as it keeps its name.
    std::reverse(FDecP.begin(), FDecP.end());
  }
  Invalidate();
  ChangedData();
}

void TNTabEd::MirrorRows() {
  HideEditor();
  Quietly([&] { Data->MirrorRows(); });
  Invalidate();
  ChangedData();
}

void TNTabEd::SetLeftCol(int v) {
  TCustomGrid::SetLeftCol(std::clamp(v, 1, NrOfColumns()) + FColOffset);
}

void TNTabEd::SetTopRow(int v) {
  TCustomGrid::SetTopRow(std::clamp(v, 1, NrOfRows()) + FRowOffset);
  Invalidate();
}

// ---------------------------------------------------------------- header layout

void TNTabEd::ShiftSizes(bool cols, bool open) {
  const int count = cols ? ColCount() : RowCount();
  auto size = [&](int i) { return cols ? TCustomGrid::ColWidths(i) : TCustomGrid::RowHeights(i); };
  auto setSize = [&](int i, int v) {
    if (cols)
      TCustomGrid::SetColWidths(i, v);
    else
      TCustomGrid::SetRowHeights(i, v);
  };
  if (open) {
    for (int i = count - 1; i >= 2; --i) setSize(i, size(i - 1));
  } else {
    for (int i = 1; i < count - 1; ++i) setSize(i, size(i + 1));
  }
}

// The grid grows before the fixed part does, and the fixed part shrinks
// before the grid does, so no order of writes meets "fixed cells fill the grid".
void TNTabEd::SetAttribRowVisible(bool v) {
  if (v == AttribRowVisible()) return;
  HideEditor();
  if (v) {
    SetColCount(NrOfColumns() + 2);
    FColOffset = 1;
    ShiftSizes(true, true);
    TCustomGrid::SetColWidths(1, FClassColWidth);
    SetFixedCols(2);
  } else {
    SetFixedCols(1);
    FColOffset = 0;
    ShiftSizes(true, false);
    SetColCount(NrOfColumns() + 1);
  }
  Invalidate();
  ChangedLayout();
}

void TNTabEd::SetAttribColVisible(bool v) {
  if (v == AttribColVisible()) return;
  HideEditor();
  if (v) {
    SetRowCount(NrOfRows() + 2);
    FRowOffset = 1;
    ShiftSizes(false, true);
    TCustomGrid::SetRowHeights(1, TCustomGrid::RowHeights(0));
    SetFixedRows(2);
  } else {
    SetFixedRows(1);
    FRowOffset = 0;
    ShiftSizes(false, false);
    SetRowCount(NrOfRows() + 1);
  }
  Invalidate();
  ChangedLayout();
}

int TNTabEd::ColWidths(int Index) const {
  if (Index < 0) return AttribRowVisible() ? TCustomGrid::ColWidths(1) : 0;
  if (Index > NrOfColumns()) return 0;
  return TCustomGrid::ColWidths(Index == 0 ? 0 : Index + FColOffset);
}

void TNTabEd::SetColWidths(int Index, int Width) {
  if (Index < 0) {
    if (!AttribRowVisible()) return;
    FClassColWidth = Width;
    TCustomGrid::SetColWidths(1, Width);
  } else if (Index <= NrOfColumns()) {
    TCustomGrid::SetColWidths(Index == 0 ? 0 : Index + FColOffset, Width);
  } else {
    return;
  }
  ChangedLayout();
}

int TNTabEd::RowHeights(int Index) const {
  if (Index < 0) return AttribColVisible() ? TCustomGrid::RowHeights(1) : 0;
  if (Index > NrOfRows()) return 0;
  return TCustomGrid::RowHeights(Index == 0 ? 0 : Index + FRowOffset);
}

void TNTabEd::SetRowHeights(int Index, int Height) {
  if (Index < 0) {
    if (!AttribColVisible()) return;
    TCustomGrid::SetRowHeights(1, Height);
  } else if (Index <= NrOfRows()) {
    TCustomGrid::SetRowHeights(Index == 0 ? 0 : Index + FRowOffset, Height);
  } else {
    return;
  }
  ChangedLayout();
}

// The attribute column keeps its own width only while it shows: hidden, grid
// column 1 is a data column and takes the new default like the others.
void TNTabEd::SetDefaultColWidth(int v) {
  TCustomGrid::SetDefaultColWidth(v);
  TCustomGrid::SetColWidths(0, kNameColWidth);
  if (AttribRowVisible()) TCustomGrid::SetColWidths(1, FClassColWidth);
  ChangedLayout();
}

// ---------------------------------------------------------------- headings and precision

void TNTabEd::SetColName(int ColNr, const std::string& Name) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  Quietly([&] { Data->SetColName(ColNr, Name); });
  ChangedHeading();
  Invalidate();
}

void TNTabEd::SetRowName(int RowNr, const std::string& Name) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  Quietly([&] { Data->SetRowName(RowNr, Name); });
  ChangedHeading();
  Invalidate();
}

void TNTabEd::SetColAttrib(int ColNr, uint8_t Attrib) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  Quietly([&] { Data->SetColAttrib(ColNr, Attrib); });
  Invalidate();
  ChangedAttrib();
}

void TNTabEd::SetRowAttrib(int RowNr, uint8_t Attrib) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  Quietly([&] { Data->SetRowAttrib(RowNr, Attrib); });
  Invalidate();
  ChangedAttrib();
}

void TNTabEd::SetMScaleType(int ColNr, uint8_t Type) {
  Quietly([&] { Data->SetMScaleType(ColNr, Type); });
  Invalidate();
  ChangedSetup();
}

void TNTabEd::SetNominalID(int ColNr, int Ordinal, const std::string& ID) {
  Quietly([&] { Data->SetNominalID(ColNr, Ordinal, ID); });
  Invalidate();
  ChangedSetup();
}

int8_t TNTabEd::Precision(int ColNr) const {
  if (ColNr < 1 || ColNr > NrOfColumns() || size_t(ColNr) > FDecP.size()) return 0;
  return FDecP[size_t(ColNr - 1)];
}

void TNTabEd::SetPrecision(int ColNr, int Prec) {
  if (ColNr < 1 || ColNr > NrOfColumns() || size_t(ColNr) > FDecP.size()) return;
  FDecP[size_t(ColNr - 1)] = int8_t(std::clamp(Prec, -1, 10));
  Invalidate();
  ChangedLayout();
}

void TNTabEd::SetComment(const std::string& Text) {
  Quietly([&] { Data->SetFComment(RemoveControlChars(Text)); });
  Invalidate();
  ChangedData();
}

void TNTabEd::Clear() {
  HideEditor();
  {
    TInternSuppress s(*this);
    Data->Clear();
    for (int c = 1; c <= NrOfColumns(); ++c) Data->SetColName(c, "C-" + std::to_string(c));
    for (int r = 1; r <= NrOfRows(); ++r) Data->SetRowName(r, "R-" + std::to_string(r));
    std::fill(FDecP.begin(), FDecP.end(), kDefaultPrecision);
  }
  Invalidate();
  ChangedData();
}

// ---------------------------------------------------------------- states

int TNTabEd::FillMarkedCells(double Value, uint8_t StateMask) {
  int n = 0;
  Quietly([&] { n = Data->FillMarkedCells(Value, StateMask); });
  Invalidate();
  ChangedData();
  return n;
}

void TNTabEd::SetCellState(int ACol, int ARow, uint8_t State) {
  Data->SetCellState(ACol, ARow, State);
  InvalidateCell(ACol + FColOffset, ARow + FRowOffset);
  ChangedCellStates();
}

void TNTabEd::SetStateBit(int ACol, int ARow, uint8_t Bit, bool On) {
  const uint8_t s = CellState(ACol, ARow);
  Data->SetCellState(ACol, ARow, On ? uint8_t(s | Bit) : uint8_t(s & ~Bit));
  InvalidateCell(ACol + FColOffset, ARow + FRowOffset);
  ChangedCellStates();
}

// ---------------------------------------------------------------- copying and sorting

void TNTabEd::CopyContentsFrom(const TNTabEd& ExtTab) {
  if (&ExtTab == this) return;
  HideEditor();
  {
    TInternSuppress s(*this);
    if (ExtTab.Data != Data) Data->Assign(*ExtTab.Data);
    FDecP = ExtTab.FDecP;
    FDecP.resize(size_t(NrOfColumns()), FDecP.empty() ? kDefaultPrecision : FDecP.back());
  }
  Invalidate();
  ChangedSetup();
  ChangedData();
}

void TNTabEd::CopyCellStatesFrom(const TNTabEd& ExtTab) {
  BulkStates([&] { Data->AssignCellStates(*ExtTab.Data); });
}

void TNTabEd::RunSort(bool IncludeHeaders, const std::function<void()>& sort) {
  HideEditor();
  FSortIncludeHd = IncludeHeaders;
  Quietly(sort);
  Invalidate();
  ChangedData();
}

void TNTabEd::SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol,
                       int HighRow, bool IncludeHeaders) {
  RunSort(IncludeHeaders, [&] {
    Data->SortRows(SortColIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
  });
}

void TNTabEd::SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol,
                       int HighRow, bool IncludeHeaders) {
  RunSort(IncludeHeaders, [&] {
    Data->SortCols(SortRowIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
  });
}

void TNTabEd::SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  RunSort(true, [&] { Data->SortColAttributes(Ascending, LowCol, LowRow, HighCol, HighRow); });
}

void TNTabEd::SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  RunSort(true, [&] { Data->SortRowAttributes(Ascending, LowCol, LowRow, HighCol, HighRow); });
}

void TNTabEd::SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                           int HighRow) {
  RunSort(true,
          [&] { Data->SortColNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow); });
}

void TNTabEd::SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                           int HighRow) {
  RunSort(true,
          [&] { Data->SortRowNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow); });
}

// ---------------------------------------------------------------- properties

void TNTabEd::SetDataReadOnly(bool v) {
  if (v == FReadOnly) return;
  FReadOnly = v;
  if (v) HideEditor();
  SetEditing(!v);
  ChangedSetup();
}

void TNTabEd::SetNumWidth(int v) {
  if (v >= 1 && v <= 20 && v != FNumWidth) {
    FNumWidth = v;
    Invalidate();
  }
  ChangedLayout();
}

void TNTabEd::SetOptimizeRowHeight(bool v) {
  if (v == FOptRowHeight) return;
  FOptRowHeight = v;
  Invalidate();
}

void TNTabEd::SetShowCellCursor(bool v) {
  if (v == FShowCellCursor) return;
  FShowCellCursor = v;
  Invalidate();
}

void TNTabEd::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) Repaint();
}

void TNTabEd::SetColorBackground(TColor c) {
  if (c == Color()) return;
  SetColor(c);
  ChangedLayout();
}

void TNTabEd::SetColorFixed(TColor c) {
  if (c == FixedColor()) return;
  SetFixedColor(c);
  ChangedLayout();
}

// ---------------------------------------------------------------- selection

void TNTabEd::CheckSelection() {
  const TGridRect sel = Selection();
  if (sel == FOldSel) return;
  // The headers of the old and the new current column and row change their look.
  InvalidateCell(0, 0);
  for (const TGridRect& g : {FOldSel, sel}) {
    if (g.Left < 0) continue;
    for (int r = 0; r <= FRowOffset; ++r) InvalidateCell(g.Left, r);
    for (int c = 0; c <= FColOffset; ++c) InvalidateCell(c, g.Top);
  }
  FOldSel = sel;
  ChangedSelection();
}

void TNTabEd::TopLeftChanged() {
  CheckSelection();
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

}  // namespace zel
