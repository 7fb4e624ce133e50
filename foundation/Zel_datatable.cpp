#include "foundation/Zel_datatable.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "foundation/Zel_stringl.h"

namespace zel {

const std::array<const char*, kNumMScaleTypes> MScaleTypeNames = {"ratio", "nominal", "ordinal",
                                                                  "interval"};

namespace {

// Inserts one column of Fill before column `at` (0-based) of a row-after-row array.
template <typename T>
void InsertFlatColumn(std::vector<T>& v, int cols, int rows, int at, T Fill) {
  std::vector<T> out;
  out.reserve(size_t(cols + 1) * size_t(rows));
  for (int r = 0; r < rows; ++r) {
    auto row = v.begin() + int64_t(r) * cols;
    out.insert(out.end(), row, row + at);
    out.push_back(Fill);
    out.insert(out.end(), row + at, row + cols);
  }
  v.swap(out);
}

template <typename T>
void RemoveFlatColumn(std::vector<T>& v, int cols, int rows, int at) {
  auto dst = v.begin();
  for (int r = 0; r < rows; ++r) {
    auto row = v.begin() + int64_t(r) * cols;
    dst = std::copy(row, row + at, dst);
    dst = std::copy(row + at + 1, row + cols, dst);
  }
  v.resize(size_t(cols - 1) * size_t(rows));
}

template <typename T>
void MirrorFlatColumns(std::vector<T>& v, int cols, int rows) {
  for (int r = 0; r < rows; ++r) {
    auto row = v.begin() + int64_t(r) * cols;
    std::reverse(row, row + cols);
  }
}

template <typename T>
void MirrorFlatRows(std::vector<T>& v, int cols, int rows) {
  for (int a = 0, b = rows - 1; a < b; ++a, --b)
    std::swap_ranges(v.begin() + int64_t(a) * cols, v.begin() + int64_t(a + 1) * cols,
                     v.begin() + int64_t(b) * cols);
}

template <typename T>
void SwapFlatColumns(std::vector<T>& v, int cols, int rows, int a, int b) {
  for (int r = 0; r < rows; ++r) std::swap(v[size_t(r) * cols + a], v[size_t(r) * cols + b]);
}

// Non-numbers (and NaN values) sort behind every number, in either direction.
bool SortsBefore(bool aNum, double a, bool bNum, double b, bool ascending) {
  if (aNum != bNum) return aNum;
  if (!aNum) return false;
  return ascending ? a < b : a > b;
}

}  // namespace

TDataTable::TDataTable(host::TObject*) {
  FElems.SetOnChange([this] { DataChanged(); });
}

void TDataTable::DataChanged() {
  if (FOnDataChanged.Handler) FOnDataChanged.Handler(this);
}

void TDataTable::SetupChanged() {
  if (FOnSetupChanged.Handler) FOnSetupChanged.Handler(this);
}

void TDataTable::DimensionChanged(int OldCols, int OldRows) {
  if (FOnDimensionChanged.Handler)
    FOnDimensionChanged.Handler(this, OldCols, OldRows, NrOfColumns(), NrOfRows());
}

void TDataTable::DetachNotifications(const void* Owner) {
  auto detach = [Owner](auto& slot) {
    if (slot.Owner == Owner) slot = {};
  };
  detach(FOnDataChanged);
  detach(FOnSetupChanged);
  detach(FOnPercentDone);
  detach(FOnDimensionChanged);
  detach(FOnSortExchange);
}

// ---------------------------------------------------------------- size

void TDataTable::Reshape(int NrCols, int NrRows) {
  const int oc = NrOfColumns(), orr = NrOfRows();
  // States first: should the values fail, the states are put back, so a failed
  // resize leaves the table as it was.
  std::vector<uint8_t> states = FStates;
  ReshapeFlat<uint8_t>(states, oc, orr, NrCols, NrRows, 0, "Data table");
  FElems.Resize(NrCols, NrRows);
  FStates.swap(states);
  FCols.resize(size_t(NrCols));
  FRows.resize(size_t(NrRows));
}

void TDataTable::Resize(int NrCols, int NrRows) {
  NrCols = std::max(1, NrCols);
  NrRows = std::max(1, NrRows);
  const int oc = NrOfColumns(), orr = NrOfRows();
  if (NrCols == oc && NrRows == orr) return;
  Reshape(NrCols, NrRows);
  DimensionChanged(oc, orr);
}

void TDataTable::InsertRow(int ix) {
  const int nc = NrOfColumns(), nr = NrOfRows();
  if (ix < 1 || ix > nr + 1) return;
  Reshape(nc, nr + 1);
  // The new last row is blank; rotating it to ix shifts the rows below down.
  auto& v = FElems.Values();
  std::rotate(v.begin() + int64_t(ix - 1) * nc, v.begin() + int64_t(nr) * nc, v.end());
  std::rotate(FStates.begin() + int64_t(ix - 1) * nc, FStates.begin() + int64_t(nr) * nc,
              FStates.end());
  std::rotate(FRows.begin() + (ix - 1), FRows.begin() + nr, FRows.end());
  DimensionChanged(nc, nr);
}

void TDataTable::InsertColumn(int ix) {
  const int nc = NrOfColumns(), nr = NrOfRows();
  if (ix < 1 || ix > nc + 1) return;
  std::vector<double> vals = FElems.Values();
  std::vector<uint8_t> states = FStates;
  InsertFlatColumn(vals, nc, nr, ix - 1, 0.0);
  InsertFlatColumn<uint8_t>(states, nc, nr, ix - 1, 0);
  FElems.Resize(nc + 1, nr);
  FElems.Values().swap(vals);
  FStates.swap(states);
  FCols.insert(FCols.begin() + (ix - 1), TColInfo{});
  DimensionChanged(nc, nr);
}

void TDataTable::RemoveRow(int ix) {
  const int nc = NrOfColumns(), nr = NrOfRows();
  if (ix < 1 || ix > nr || nr < 2) return;
  auto& v = FElems.Values();
  std::rotate(v.begin() + int64_t(ix - 1) * nc, v.begin() + int64_t(ix) * nc, v.end());
  std::rotate(FStates.begin() + int64_t(ix - 1) * nc, FStates.begin() + int64_t(ix) * nc,
              FStates.end());
  std::rotate(FRows.begin() + (ix - 1), FRows.begin() + ix, FRows.end());
  Reshape(nc, nr - 1);  // drops the row rotated to the end
  DimensionChanged(nc, nr);
}

void TDataTable::RemoveColumn(int ix) {
  const int nc = NrOfColumns(), nr = NrOfRows();
  if (ix < 1 || ix > nc || nc < 2) return;
  std::vector<double> vals = FElems.Values();
  RemoveFlatColumn(vals, nc, nr, ix - 1);
  RemoveFlatColumn(FStates, nc, nr, ix - 1);
  FElems.Resize(nc - 1, nr);
  FElems.Values().swap(vals);
  FCols.erase(FCols.begin() + (ix - 1));
  DimensionChanged(nc, nr);
}

void TDataTable::MirrorRows() {
  MirrorFlatRows(FElems.Values(), NrOfColumns(), NrOfRows());
  MirrorFlatRows(FStates, NrOfColumns(), NrOfRows());
  std::reverse(FRows.begin(), FRows.end());
  DataChanged();
}

void TDataTable::MirrorColumns() {
  MirrorFlatColumns(FElems.Values(), NrOfColumns(), NrOfRows());
  MirrorFlatColumns(FStates, NrOfColumns(), NrOfRows());
  std::reverse(FCols.begin(), FCols.end());
  DataChanged();
}

// ---------------------------------------------------------------- values and states

void TDataTable::SetElem(int ACol, int ARow, double Value) {
  if (!FElems.Inside(ACol, ARow)) return;
  FElems.SetElem(ACol, ARow, Value);
  DataChanged();
}

uint8_t TDataTable::GetCellState(int ACol, int ARow) const {
  return FElems.Inside(ACol, ARow) ? FStates[FElems.Index(ACol, ARow)] : 0;
}

void TDataTable::SetCellState(int ACol, int ARow, uint8_t State) {
  if (FElems.Inside(ACol, ARow)) FStates[FElems.Index(ACol, ARow)] = State;
}

bool TDataTable::GetIsNumber(int ACol, int ARow) const {
  return FElems.Inside(ACol, ARow) && (GetCellState(ACol, ARow) & (kcsInvalid | kcsEmpty)) == 0;
}

void TDataTable::InvertCellStates(uint8_t Mask) {
  for (uint8_t& s : FStates) s ^= Mask;
}

void TDataTable::SetCellStateBits(uint8_t Mask) {
  for (uint8_t& s : FStates) s |= Mask;
}

void TDataTable::ClearCellStateBits(uint8_t Mask) {
  const uint8_t keep = uint8_t(~Mask);
  for (uint8_t& s : FStates) s &= keep;
}

void TDataTable::ExchangeMarkings() {
  for (uint8_t& s : FStates)
    s = uint8_t((s & ~kcsMarks) | ((s & kcsMarkedA) << 1) | ((s & kcsMarkedB) >> 1));
}

int TDataTable::CountCellStates(uint8_t Mask) const {
  int n = 0;
  for (uint8_t s : FStates) n += (s & Mask) != 0;
  return n;
}

int TDataTable::FillMarkedCells(double Value, uint8_t StateMask) {
  if (StateMask == 0) return 0;
  auto& v = FElems.Values();
  int n = 0;
  for (size_t i = 0; i < FStates.size(); ++i) {
    // Branch-free, so the pass runs at the speed of the bytes it reads.
    const bool hit = (FStates[i] & StateMask) != 0;
    v[i] = hit ? Value : v[i];
    n += hit;
  }
  if (n > 0) DataChanged();
  return n;
}

uint8_t TDataTable::RowStates(int ARow) const {
  if (ARow < 1 || ARow > NrOfRows()) return 0;
  const auto row = FStates.begin() + int64_t(ARow - 1) * NrOfColumns();
  return std::accumulate(row, row + NrOfColumns(), uint8_t(0),
                         [](uint8_t a, uint8_t b) { return uint8_t(a | b); });
}

uint8_t TDataTable::ColumnStates(int ACol) const {
  if (ACol < 1 || ACol > NrOfColumns()) return 0;
  uint8_t acc = 0;
  for (size_t i = size_t(ACol - 1); i < FStates.size(); i += size_t(NrOfColumns()))
    acc |= FStates[i];
  return acc;
}

void TDataTable::Clear() {
  std::fill(FElems.Values().begin(), FElems.Values().end(), 0.0);
  std::fill(FStates.begin(), FStates.end(), uint8_t(0));
  for (auto& c : FCols) {
    c.Name.clear();
    c.Attrib = 0;
  }
  for (auto& r : FRows) r = {};
  FComment.clear();
  DataChanged();
}

// ---------------------------------------------------------------- headings

TDTNameStr TDataTable::GetColName(int ColNr) const {
  return ColNr >= 1 && ColNr <= NrOfColumns() ? FCols[size_t(ColNr - 1)].Name : TDTNameStr();
}

void TDataTable::SetColName(int ColNr, std::string_view Name) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FCols[size_t(ColNr - 1)].Name = LeftString(Name, kMaxDTNameChars);
  SetupChanged();
}

TDTNameStr TDataTable::GetRowName(int RowNr) const {
  return RowNr >= 1 && RowNr <= NrOfRows() ? FRows[size_t(RowNr - 1)].Name : TDTNameStr();
}

void TDataTable::SetRowName(int RowNr, std::string_view Name) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  FRows[size_t(RowNr - 1)].Name = LeftString(Name, kMaxDTNameChars);
  SetupChanged();
}

uint8_t TDataTable::GetColAttrib(int ColNr) const {
  return ColNr >= 1 && ColNr <= NrOfColumns() ? FCols[size_t(ColNr - 1)].Attrib : 0;
}

void TDataTable::SetColAttrib(int ColNr, uint8_t Attrib) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FCols[size_t(ColNr - 1)].Attrib = Attrib;
  SetupChanged();
}

uint8_t TDataTable::GetRowAttrib(int RowNr) const {
  return RowNr >= 1 && RowNr <= NrOfRows() ? FRows[size_t(RowNr - 1)].Attrib : 0;
}

void TDataTable::SetRowAttrib(int RowNr, uint8_t Attrib) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  FRows[size_t(RowNr - 1)].Attrib = Attrib;
  SetupChanged();
}

int TDataTable::FindColIndex(std::string_view Name) const {
  for (size_t i = 0; i < FCols.size(); ++i)
    if (FCols[i].Name == Name) return int(i) + 1;
  return 0;
}

int TDataTable::FindRowIndex(std::string_view Name) const {
  for (size_t i = 0; i < FRows.size(); ++i)
    if (FRows[i].Name == Name) return int(i) + 1;
  return 0;
}

void TDataTable::SetFComment(std::string_view Text) {
  FComment = std::string(Text);
  SetupChanged();
}

// ---------------------------------------------------------------- measurement scale

uint8_t TDataTable::GetMScaleType(int ColNr) const {
  return ColNr >= 1 && ColNr <= NrOfColumns() ? FCols[size_t(ColNr - 1)].MScaleType : 0;
}

void TDataTable::SetMScaleType(int ColNr, uint8_t Type) {
  if (ColNr < 1 || ColNr > NrOfColumns() || Type >= kNumMScaleTypes) return;
  FCols[size_t(ColNr - 1)].MScaleType = Type;
  SetupChanged();
}

std::string TDataTable::GetNominalID(int ColNr, int Ordinal) const {
  if (ColNr < 1 || ColNr > NrOfColumns() || Ordinal < 1) return "";
  const auto& cats = FCols[size_t(ColNr - 1)].Categories;
  return size_t(Ordinal) <= cats.size() ? cats[size_t(Ordinal - 1)] : "";
}

void TDataTable::SetNominalID(int ColNr, int Ordinal, std::string_view ID) {
  if (ColNr < 1 || ColNr > NrOfColumns() || Ordinal < 1 || Ordinal > kMaxNominalCodes) return;
  auto& cats = FCols[size_t(ColNr - 1)].Categories;
  if (cats.size() < size_t(Ordinal)) cats.resize(size_t(Ordinal));
  cats[size_t(Ordinal - 1)] = LeftString(ID, kMaxNominalIDChars);
  SetupChanged();
}

int TDataTable::OrdinalOfNominalID(int ColNr, std::string_view ID, bool IgnoreCase) const {
  if (ColNr < 1 || ColNr > NrOfColumns() || ID.empty()) return 0;
  const auto& cats = FCols[size_t(ColNr - 1)].Categories;
  const std::string want = IgnoreCase ? FoldCase(ID) : std::string(ID);
  for (size_t i = 0; i < cats.size(); ++i)
    if ((IgnoreCase ? FoldCase(cats[i]) : cats[i]) == want) return int(i) + 1;
  return 0;
}

// ---------------------------------------------------------------- sorting

void TDataTable::SwapRows(int a, int b) {
  const int nc = NrOfColumns();
  auto& v = FElems.Values();
  std::swap_ranges(v.begin() + int64_t(a) * nc, v.begin() + int64_t(a + 1) * nc,
                   v.begin() + int64_t(b) * nc);
  std::swap_ranges(FStates.begin() + int64_t(a) * nc, FStates.begin() + int64_t(a + 1) * nc,
                   FStates.begin() + int64_t(b) * nc);
  std::swap(FRows[size_t(a)], FRows[size_t(b)]);
}

void TDataTable::SwapColumns(int a, int b) {
  SwapFlatColumns(FElems.Values(), NrOfColumns(), NrOfRows(), a, b);
  SwapFlatColumns(FStates, NrOfColumns(), NrOfRows(), a, b);
  std::swap(FCols[size_t(a)], FCols[size_t(b)]);
}

void TDataTable::SortLine(bool Rows, int KeyIx, bool Ascending, int Low, int High) {
  const int count = Rows ? NrOfRows() : NrOfColumns();
  const int keyCount = Rows ? NrOfColumns() : NrOfRows();
  Low = std::max(1, Low);
  High = std::min(count, High);
  if (KeyIx < 1 || KeyIx > keyCount || High <= Low) return;
  auto key = [&](int i) { return Rows ? GetElem(KeyIx, i) : GetElem(i, KeyIx); };
  auto isNum = [&](int i) {
    return (Rows ? GetIsNumber(KeyIx, i) : GetIsNumber(i, KeyIx)) && !std::isnan(key(i));
  };
  // order[k] = the line that belongs at Low + k.
  std::vector<int> order(size_t(High - Low + 1));
  std::iota(order.begin(), order.end(), Low);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return SortsBefore(isNum(a), key(a), isNum(b), key(b), Ascending);
  });
  // Replay as exchanges: where[i] tracks the current position of original line i.
  std::vector<int> at(order.size()), where(order.size());
  std::iota(at.begin(), at.end(), Low);  // at[k]: original line now at Low + k
  std::iota(where.begin(), where.end(), 0);
  if (FOnPercentDone.Handler) FOnPercentDone.Handler(this, 0);
  for (size_t k = 0; k < order.size(); ++k) {
    const int want = order[k] - Low;
    const int from = where[size_t(want)];
    if (from == int(k)) continue;
    if (Rows)
      SwapRows(Low - 1 + int(k), Low - 1 + from);
    else
      SwapColumns(Low - 1 + int(k), Low - 1 + from);
    if (FOnSortExchange.Handler)
      FOnSortExchange.Handler(this, Rows ? 2 : 1, Low + int(k), Low + from);
    std::swap(at[k], at[size_t(from)]);
    where[size_t(at[k] - Low)] = int(k);
    where[size_t(at[size_t(from)] - Low)] = from;
  }
  if (FOnPercentDone.Handler) FOnPercentDone.Handler(this, 100);
  DataChanged();
}

void TDataTable::SortRows(int SortColIx, bool Ascending, int LowRow, int HighRow) {
  SortLine(true, SortColIx, Ascending, LowRow, HighRow);
}

void TDataTable::SortCols(int SortRowIx, bool Ascending, int LowCol, int HighCol) {
  SortLine(false, SortRowIx, Ascending, LowCol, HighCol);
}

}  // namespace zel
