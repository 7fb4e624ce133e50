#include "foundation/Zel_datatable.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

// Eight cells a step: the masks keep every shift inside its own byte.
void TDataTable::ExchangeMarkings() {
  constexpr uint64_t kA = 0x4040404040404040ull, kRest = 0x3F3F3F3F3F3F3F3Full;
  auto swapMarks = [](uint64_t x) { return (x & kRest) | ((x & kA) << 1) | ((x >> 1) & kA); };
  const size_t n = FStates.size(), words = n / 8;
  uint8_t* p = FStates.data();
  for (size_t w = 0; w < words; ++w) {
    uint64_t x;
    std::memcpy(&x, p + 8 * w, 8);
    x = swapMarks(x);
    std::memcpy(p + 8 * w, &x, 8);
  }
  for (size_t i = 8 * words; i < n; ++i) p[i] = uint8_t(swapMarks(p[i]));
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

// ---------------------------------------------------------------- copying

void TDataTable::Assign(const TDataTable& Source) {
  if (&Source == this) return;
  const int oc = NrOfColumns(), orr = NrOfRows();
  // Copies first, so a failed allocation leaves this table as it was.
  std::vector<double> vals = Source.FElems.Values();
  std::vector<uint8_t> states = Source.FStates;
  std::vector<TColInfo> cols = Source.FCols;
  std::vector<TLineInfo> rows = Source.FRows;
  FElems.Resize(Source.NrOfColumns(), Source.NrOfRows());
  FElems.Values().swap(vals);
  FStates.swap(states);
  FCols.swap(cols);
  FRows.swap(rows);
  FComment = Source.FComment;
  if (oc != NrOfColumns() || orr != NrOfRows()) DimensionChanged(oc, orr);
  DataChanged();
  SetupChanged();
}

void TDataTable::AssignCellStates(const TDataTable& Source) {
  const int cols = std::min(NrOfColumns(), Source.NrOfColumns());
  const int rows = std::min(NrOfRows(), Source.NrOfRows());
  for (int r = 1; r <= rows; ++r)
    std::copy_n(Source.FStates.begin() + int64_t(r - 1) * Source.NrOfColumns(), cols,
                FStates.begin() + int64_t(r - 1) * NrOfColumns());
}

// ---------------------------------------------------------------- sorting

TDataTable::TSortBlock TDataTable::Block(bool Rows, int LowCol, int LowRow, int HighCol,
                                         int HighRow, bool Headers) const {
  LowCol = std::max(1, LowCol);
  LowRow = std::max(1, LowRow);
  HighCol = std::min(NrOfColumns(), HighCol);
  HighRow = std::min(NrOfRows(), HighRow);
  if (Rows) return {true, LowRow, HighRow, LowCol, HighCol, Headers};
  return {false, LowCol, HighCol, LowRow, HighRow, Headers};
}

void TDataTable::SwapLines(const TSortBlock& b, int a, int c) {
  auto& v = FElems.Values();
  for (int k = b.CrossLow; k <= b.CrossHigh; ++k) {
    const size_t i = b.Rows ? FElems.Index(k, a) : FElems.Index(a, k);
    const size_t j = b.Rows ? FElems.Index(k, c) : FElems.Index(c, k);
    std::swap(v[i], v[j]);
    std::swap(FStates[i], FStates[j]);
  }
  if (!b.Headers) return;
  if (b.Rows)
    std::swap(FRows[size_t(a - 1)], FRows[size_t(c - 1)]);
  else
    std::swap(FCols[size_t(a - 1)], FCols[size_t(c - 1)]);
}

void TDataTable::SortLines(const TSortBlock& b, const std::function<bool(int, int)>& Before) {
  if (b.High <= b.Low || b.CrossHigh < b.CrossLow) return;
  // order[k]: the line that belongs at Low + k.
  std::vector<int> order(size_t(b.High - b.Low + 1));
  std::iota(order.begin(), order.end(), b.Low);
  std::stable_sort(order.begin(), order.end(), Before);
  // Replay as exchanges. at[k]: the original line now at Low + k; where[i]:
  // the position (from Low) of original line Low + i.
  std::vector<int> at(order.size()), where(order.size());
  std::iota(at.begin(), at.end(), b.Low);
  std::iota(where.begin(), where.end(), 0);
  if (FOnPercentDone.Handler) FOnPercentDone.Handler(this, 0);
  for (size_t k = 0; k < order.size(); ++k) {
    const int from = where[size_t(order[k] - b.Low)];
    if (from == int(k)) continue;
    SwapLines(b, b.Low + int(k), b.Low + from);
    if (FOnSortExchange.Handler)
      FOnSortExchange.Handler(this, b.Rows ? 2 : 1, b.Low + int(k), b.Low + from);
    std::swap(at[k], at[size_t(from)]);
    where[size_t(at[k] - b.Low)] = int(k);
    where[size_t(at[size_t(from)] - b.Low)] = from;
  }
  if (FOnPercentDone.Handler) FOnPercentDone.Handler(this, 100);
  DataChanged();
}

void TDataTable::SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol,
                          int HighRow, bool IncludeHeaders) {
  if (SortColIx < 1 || SortColIx > NrOfColumns()) return;
  auto num = [&](int r) { return GetIsNumber(SortColIx, r) && !std::isnan(GetElem(SortColIx, r)); };
  SortLines(Block(true, LowCol, LowRow, HighCol, HighRow, IncludeHeaders), [&](int a, int b) {
    return SortsBefore(num(a), GetElem(SortColIx, a), num(b), GetElem(SortColIx, b), Ascending);
  });
}

void TDataTable::SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol,
                          int HighRow, bool IncludeHeaders) {
  if (SortRowIx < 1 || SortRowIx > NrOfRows()) return;
  auto num = [&](int c) { return GetIsNumber(c, SortRowIx) && !std::isnan(GetElem(c, SortRowIx)); };
  SortLines(Block(false, LowCol, LowRow, HighCol, HighRow, IncludeHeaders), [&](int a, int b) {
    return SortsBefore(num(a), GetElem(a, SortRowIx), num(b), GetElem(b, SortRowIx), Ascending);
  });
}

namespace {

// Orders texts (folded when IgnoreCase) or bytes in the asked direction.
template <typename Key>
auto KeyOrder(Key key, bool Ascending) {
  return [key, Ascending](int a, int b) { return Ascending ? key(a) < key(b) : key(b) < key(a); };
}

}  // namespace

void TDataTable::SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                              int HighRow) {
  auto key = [this, IgnoreCase](int c) {
    return IgnoreCase ? FoldCase(GetColName(c)) : GetColName(c);
  };
  SortLines(Block(false, LowCol, LowRow, HighCol, HighRow, true), KeyOrder(key, Ascending));
}

void TDataTable::SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                              int HighRow) {
  auto key = [this, IgnoreCase](int r) {
    return IgnoreCase ? FoldCase(GetRowName(r)) : GetRowName(r);
  };
  SortLines(Block(true, LowCol, LowRow, HighCol, HighRow, true), KeyOrder(key, Ascending));
}

void TDataTable::SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol,
                                   int HighRow) {
  SortLines(Block(false, LowCol, LowRow, HighCol, HighRow, true),
            KeyOrder([this](int c) { return GetColAttrib(c); }, Ascending));
}

void TDataTable::SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol,
                                   int HighRow) {
  SortLines(Block(true, LowCol, LowRow, HighCol, HighRow, true),
            KeyOrder([this](int r) { return GetRowAttrib(r); }, Ascending));
}

}  // namespace zel
