// TRLData: cells, columns, rows, check marks, sorting, clipboard and Assign.
#include <algorithm>
#include <climits>
#include <new>

#include "foundation/Zel_filesys.h"
#include "foundation/Zel_stringl.h"
#include "host/ui/Clipbrd.h"
#include "replist/ZEL_replist.h"

namespace zel {

namespace {

constexpr uint8_t kRowDisabled = 64;

std::string DefaultColName(int c) { return "C-" + std::to_string(c); }

// Byte length of the check flag at the start of a stored cell.
size_t FlagLength(const std::string& stored) {
  char32_t cp;
  return Utf8CharAt(stored, 0, cp);
}

// The stored text of a check cell with the flag set to checked or unchecked; an
// empty cell becomes the flag alone.
std::string WithFlag(const std::string& stored, bool checked) {
  return (checked ? "X" : " ") + stored.substr(FlagLength(stored));
}

bool FlagChecked(const std::string& stored) { return !stored.empty() && stored[0] != ' '; }

}  // namespace

int ReadFormatCount(const std::string& s, size_t start) {
  size_t i = start;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  long long v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
    v = std::min(v * 10 + (s[i] - '0'), 1LL << 31);
  return int(std::clamp(negative ? -v : v, (long long)INT_MIN, (long long)INT_MAX));
}

namespace {

bool ContainsNoCase(const std::string& s, const std::string& lowerNeedle) {
  return FoldCase(s).find(lowerNeedle) != std::string::npos;
}

// Row number as exactly n digits (n in 1..255), leading zeros, higher digits
// dropped, "-" before a negative number.
std::string ZeroPadded(int row, int n) {
  std::string digits = std::to_string(row < 0 ? -(long long)row : (long long)row);
  if (int(digits.size()) > n) digits.erase(0, digits.size() - size_t(n));
  digits.insert(0, size_t(n) - digits.size(), '0');
  return row < 0 ? "-" + digits : digits;
}

// Row number as exactly n upper-case hex digits (n in 1..8), higher digits dropped.
std::string HexPadded(int row, int n) {
  static const char kHex[] = "0123456789ABCDEF";
  auto v = uint32_t(row);
  std::string out(size_t(n), '0');
  for (int i = n - 1; i >= 0; --i, v >>= 4) out[size_t(i)] = kHex[v & 15];
  return out;
}

std::string PadRight(const std::string& s, size_t chars) {
  std::string out = LeftString(s, int(chars));
  out.append(chars - Utf8Length(out), ' ');
  return out;
}

// Silences a store's change notification for a bulk change and raises it once
// when the change is complete.
class TBulkChange {
 public:
  explicit TBulkChange(TStringArray& s) : FStore(s), FSaved(s.OnChange()) {
    s.SetOnChange(nullptr);
  }
  ~TBulkChange() {
    FStore.SetOnChange(FSaved);
    if (FSaved) FSaved(&FStore);
  }
  TBulkChange(const TBulkChange&) = delete;
  TBulkChange& operator=(const TBulkChange&) = delete;

 private:
  TStringArray& FStore;
  host::TNotifyEvent FSaved;
};

}  // namespace

const char* RepListXmlTagName(TRepListXmlTag tag) {
  static const char* const kNames[] = {"numcols",      "numrows",      "colname", "checkedcolumn",
                                       "commonheader", "columnformat", "cell",    "comment",
                                       "/replist",     "invalidtag"};
  return kNames[tag <= xmlInvalid ? tag : xmlInvalid];
}

TRepListXmlTag RepListXmlTagOf(std::string_view name) {
  for (int t = xmlNumCols; t < xmlInvalid; ++t)
    if (name == RepListXmlTagName(TRepListXmlTag(t))) return TRepListXmlTag(t);
  return xmlInvalid;
}

// --- construction ---------------------------------------------------------------

TRLData::TRLData(host::TComponent* AOwner) : host::TComponent(AOwner) {
  try {
    FStrings = std::make_unique<TStringArray>(this);
    FStrings->SetAllocRowsBy(10);
    FStrings->Resize(1, 1);
    FStrings->Clear();
    FColName.assign(1, DefaultColName(1));
    FColumnFormat.assign(1, "");
    FColButMode.assign(1, cmNone);
  } catch (const std::bad_alloc&) {
    throw EZELRLDataError(ComponentText() + ": failed to initialize (out of memory)");
  }
  // Wired once for the table's life: Sort, Assign and the loaders keep it.
  FStrings->SetOnBeforeSortExchange(
      [this](host::TObject*, const std::string& text, std::string& key) {
        if (FOnBefSortExc) FOnBefSortExc(this, text, key);
      });
}

TRLData::~TRLData() = default;

std::string TRLData::ComponentText() const { return "Component \"" + Name() + "\""; }

bool TRLData::Failed(std::string why) {
  FLastError = std::move(why);
  return false;
}

int TRLData::FailedCount(std::string why) {
  Failed(std::move(why));
  return -1;
}

void TRLData::Raise(std::string why) {
  Failed(std::move(why));
  throw EZELRLDataError(FLastError);
}

void TRLData::UpdateFeedback(int rows) {
  const int64_t cells = int64_t(rows) * (FNrOfCols + 1);
  FFeedbkNumCells = int(std::clamp<int64_t>(cells, 1, INT_MAX));
  FFeedbkStep = FFeedbkNumCells / 100 + 1;
}

void TRLData::ReportProgress(int64_t cellsDone) const {
  if (FOnPercentDone && cellsDone % FFeedbkStep == 0)
    FOnPercentDone(const_cast<TRLData*>(this),
                   int(std::min<int64_t>(100, cellsDone * 100 / FFeedbkNumCells)));
}

// --- dimensions -----------------------------------------------------------------

void TRLData::ResizeColumnArrays(int n) {
  const auto count = size_t(std::max(n, 1));
  FColName.resize(count);
  FColumnFormat.resize(count);
  FColButMode.resize(count, cmNone);
  for (int c = FNrOfCols + 1; c <= n; ++c) {
    FColName[size_t(c - 1)] = DefaultColName(c);
    FColumnFormat[size_t(c - 1)].clear();
    FColButMode[size_t(c - 1)] = cmNone;
  }
}

void TRLData::SetNrOfColumns(int n) {
  n = std::max(n, 1);
  try {
    // Reserve first: once the store has changed nothing may fail any more.
    FColName.reserve(size_t(n));
    FColumnFormat.reserve(size_t(n));
    FColButMode.reserve(size_t(n));
    FStrings->Resize(n, std::max(FNrOfRows, 1));
  } catch (const std::bad_alloc&) {
    throw EZELRLDataError(ComponentText() + ": not enough memory on heap");
  }
  ResizeColumnArrays(n);
  FNrOfCols = n;
  UpdateFeedback(std::max(FNrOfRows, 1));
}

void TRLData::SetNrOfRows(int n) {
  n = std::max(n, 0);
  FStrings->Resize(FNrOfCols, n);
  FNrOfRows = n;
  UpdateFeedback(n);
}

void TRLData::SetCommonHeader(const std::string& s) {
  if (s != FCommonHeader) FCommonHeader = s;
}

// --- cells ----------------------------------------------------------------------

std::string TRLData::Elem(int ACol, int ARow) const {
  if (ACol < 0 || ACol > FNrOfCols || !ValidRow(ARow)) return "";
  const std::string& stored = FStrings->GetString(ACol, ARow);
  return IsCheckCol(ACol) ? stored.substr(FlagLength(stored)) : stored;
}

void TRLData::SetElem(int ACol, int ARow, const std::string& s) {
  if (ACol < 0 || ACol > FNrOfCols || !ValidRow(ARow)) return;
  if (!IsCheckCol(ACol)) {
    FStrings->SetString(ACol, ARow, s);
    return;
  }
  const std::string& stored = FStrings->GetString(ACol, ARow);
  const std::string flag = stored.empty() ? " " : stored.substr(0, FlagLength(stored));
  FStrings->SetString(ACol, ARow, flag + s);
}

bool TRLData::ElemChecked(int ACol, int ARow) const {
  return ValidCol(ACol) && ValidRow(ARow) && IsCheckCol(ACol) &&
         FlagChecked(FStrings->GetString(ACol, ARow));
}

void TRLData::SetFlag(int c, int r, bool checked) {
  FStrings->SetString(c, r, WithFlag(FStrings->GetString(c, r), checked));
}

void TRLData::SetElemChecked(int ACol, int ARow, bool checked) {
  if (!ValidCol(ACol) || !ValidRow(ARow) || !IsCheckCol(ACol)) return;
  if (ColumnCheckMode(ACol) == cmRadio) {
    for (int r = 1; r <= FNrOfRows; ++r)
      if (r != ARow && FlagChecked(FStrings->GetString(ACol, r))) SetFlag(ACol, r, false);
  }
  SetFlag(ACol, ARow, checked);
}

double TRLData::AsNumber(int ACol, int ARow) const {
  std::string text = Elem(ACol, ARow);
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return 0;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  double v = 0;
  if (!ParseDecimal(text, v)) {
    throw EZELDStructError("Class TRLData: invalid numeric string: [" + std::to_string(ACol) + "," +
                           std::to_string(ARow) + "]: " + FStrings->GetString(ACol, ARow));
  }
  return v;
}

std::string TRLData::DefaultValue(int ACol, int ARow) const {
  return ValidCol(ACol) ? DefaultValueOfFormat(FColumnFormat[size_t(ACol - 1)], ARow) : "";
}

std::string DefaultValueOfFormat(const std::string& fmt, int ARow) {
  const size_t headEnd = fmt.find(']');
  if (headEnd == std::string::npos) return "";
  const std::string head = fmt.substr(0, headEnd + 1);
  std::string rest = fmt.substr(headEnd + 1);
  if (rest.empty()) return "";
  if (const size_t w = rest.find(']'); w != std::string::npos) rest.erase(0, w + 1);
  size_t t = head.find('[');
  if (t == std::string::npos) return "";
  if (++t < head.size() && head[t] == '#') ++t;  // read-only mark
  const char type = t < head.size() ? head[t] : '\0';
  switch (type) {
    case 'c':
    case 'l':
      return rest.substr(0, rest.find('|'));
    case 'd':
      return rest;
    case 'e':
    case 'f':
    case 'h':
    case 'i': {
      if (!ContainsNoCase(rest, "rix")) return rest;
      const int n = ReadFormatCount(rest, 3);
      if (type == 'h') return HexPadded(ARow, std::clamp(n, 1, 8));
      if (type == 'i') return ZeroPadded(ARow, std::clamp(n, 1, kMaxCellChars));
      return strff(ARow, 1, std::clamp(n, 0, kMaxCellChars));
    }
    case 's':
      if (!ContainsNoCase(rest, "$pwd$")) return rest;
      return InventPassword(std::clamp(ReadFormatCount(rest, 5), 0, kMaxCellChars));
    default:
      return "";
  }
}

// --- columns --------------------------------------------------------------------

std::string TRLData::Header(int ColNr) const {
  return ValidCol(ColNr) ? FColName[size_t(ColNr - 1)] : "";
}

void TRLData::SetHeader(int ColNr, const std::string& s) {
  if (ValidCol(ColNr)) FColName[size_t(ColNr - 1)] = LeftString(s, kMaxColNameChars);
}

std::string TRLData::ColumnFormat(int ColNr) const {
  return ValidCol(ColNr) ? FColumnFormat[size_t(ColNr - 1)] : "";
}

void TRLData::SetColumnFormat(int ColNr, const std::string& s) {
  if (ValidCol(ColNr)) FColumnFormat[size_t(ColNr - 1)] = LeftString(s, kMaxColFormatChars);
}

TCheckMode TRLData::ColumnCheckMode(int ColNr) const {
  return ValidCol(ColNr) ? FColButMode[size_t(ColNr - 1)] : cmNone;
}

void TRLData::ConvertCheckColumn(int c, TCheckMode from, TCheckMode to) {
  for (int r = 1; r <= FStrings->NrOfRows(); ++r) {
    const std::string& stored = FStrings->GetString(c, r);
    if (stored.empty()) continue;
    if (from == cmNone) {
      FStrings->SetString(c, r, " " + stored);
    } else if (to == cmNone) {
      FStrings->SetString(c, r, stored.substr(FlagLength(stored)));
    } else if (to == cmRadio) {
      SetFlag(c, r, false);
    }
  }
}

void TRLData::StoreCheckMode(int c, TCheckMode mode) {
  FColButMode[size_t(c - 1)] = mode;
  FStrings->SetColHasFlag(c, mode != cmNone);
}

void TRLData::SetColumnCheckMode(int ColNr, TCheckMode mode) {
  if (!ValidCol(ColNr) || mode > cmRadio || mode == ColumnCheckMode(ColNr)) return;
  TBulkChange bulk(*FStrings);
  const TCheckMode from = FColButMode[size_t(ColNr - 1)];
  StoreCheckMode(ColNr, mode);
  ConvertCheckColumn(ColNr, from, mode);
}

int TRLData::ColumnIndex(const std::string& Head, bool PartialMatch) const {
  const std::string needle = FoldCase(Head);
  for (int c = FNrOfCols; c >= 1; --c) {
    const std::string h = FoldCase(FColName[size_t(c - 1)]);
    if (PartialMatch ? h.find(needle) != std::string::npos : h == needle) return c;
  }
  return -1;
}

void TRLData::InsertColumn(int c) {
  if (!ValidCol(c)) return;
  FColName.reserve(FColName.size() + 1);
  FColumnFormat.reserve(FColumnFormat.size() + 1);
  FColButMode.reserve(FColButMode.size() + 1);
  FStrings->InsertColumn(c);
  FColName.insert(FColName.begin() + (c - 1), "");
  FColumnFormat.insert(FColumnFormat.begin() + (c - 1), "");
  FColButMode.insert(FColButMode.begin() + (c - 1), cmNone);
  ++FNrOfCols;
  UpdateFeedback(std::max(FNrOfRows, 1));
}

void TRLData::RemoveColumn(int c) {
  if (!ValidCol(c)) return;
  FStrings->CommitSorting();
  if (FNrOfCols >= 2) {
    FStrings->RemoveColumn(c);
    FColName.erase(FColName.begin() + (c - 1));
    FColumnFormat.erase(FColumnFormat.begin() + (c - 1));
    FColButMode.erase(FColButMode.begin() + (c - 1));
    --FNrOfCols;
  } else {
    TBulkChange bulk(*FStrings);
    for (int r = 1; r <= FStrings->NrOfRows(); ++r) FStrings->SetString(c, r, "");
    FStrings->SetColAttrib(c, 0);
    FStrings->SetColHasFlag(c, false);
    FColName.assign(1, "");
    FColumnFormat.assign(1, "");
    FColButMode.assign(1, cmNone);
    FNrOfCols = 0;
  }
  UpdateFeedback(std::max(FNrOfRows, 1));
}

void TRLData::SetAllCheckmarksOfCol(int Column, bool Checked, bool AffectEnabledRowsOnly) {
  const TCheckMode mode = ColumnCheckMode(Column);
  if (mode != cmBox && !(mode == cmRadio && !Checked)) return;
  TBulkChange bulk(*FStrings);
  for (int r = 1; r <= FNrOfRows; ++r) {
    if (AffectEnabledRowsOnly && (RowAttrib(r) & kRowDisabled)) continue;
    SetFlag(Column, r, Checked);
  }
}

void TRLData::InvertAllCheckmarksOfCol(int Column, bool AffectEnabledRowsOnly) {
  if (ColumnCheckMode(Column) != cmBox) return;
  TBulkChange bulk(*FStrings);
  for (int r = 1; r <= FNrOfRows; ++r) {
    if (AffectEnabledRowsOnly && (RowAttrib(r) & kRowDisabled)) continue;
    const std::string& stored = FStrings->GetString(Column, r);
    SetFlag(Column, r, stored.empty() || stored[0] != 'X');
  }
}

int TRLData::CountCheckedElemsInCol(int Column) const {
  int n = 0;
  for (int r = 1; r <= FNrOfRows; ++r) n += ElemChecked(Column, r);
  return n;
}

int TRLData::FirstCheckedElemInCol(int ColNr) const {
  for (int r = 1; r <= FNrOfRows; ++r)
    if (ElemChecked(ColNr, r)) return r;
  return 0;
}

int TRLData::CountCheckedElemsInRow(int Row) const {
  int n = 0;
  for (int c = 1; c <= FNrOfCols; ++c) n += ElemChecked(c, Row);
  return n;
}

int TRLData::FirstCheckedElemInRow(int RowNr) const {
  for (int c = 1; c <= FNrOfCols; ++c)
    if (ElemChecked(c, RowNr)) return c;
  return 0;
}

// --- rows -----------------------------------------------------------------------

void TRLData::InsertRow(int r) {
  if (!ValidRow(r)) return;
  FStrings->CommitSorting();
  FStrings->InsertRow(r);
  ++FNrOfRows;
  UpdateFeedback(FNrOfRows);
}

void TRLData::RemoveRow(int r) {
  if (!ValidRow(r)) return;
  FStrings->CommitSorting();
  if (FNrOfRows >= 2) {
    FStrings->RemoveRow(r);
  } else {
    TBulkChange bulk(*FStrings);
    for (int c = 0; c <= FNrOfCols; ++c) FStrings->SetString(c, r, "");
    FStrings->SetRowAttrib(r, 0);
  }
  --FNrOfRows;
  UpdateFeedback(FNrOfRows);
}

void TRLData::RemoveEmptyRows() {
  std::vector<bool> empty(size_t(FNrOfRows), true);
  bool any = false;
  for (int r = 1; r <= FNrOfRows; ++r) {
    for (int c = 0; c <= FNrOfCols && empty[size_t(r - 1)]; ++c)
      empty[size_t(r - 1)] = Elem(c, r).empty();
    any = any || empty[size_t(r - 1)];
  }
  if (!any) return;
  FStrings->RemoveRows(empty);
  FNrOfRows = FStrings->NrOfRows();
  UpdateFeedback(FNrOfRows);
}

void TRLData::CopyRow(int Source, int Target) {
  if (!ValidRow(Source) || !ValidRow(Target) || Source == Target) return;
  TBulkChange bulk(*FStrings);
  for (int c = 0; c <= FNrOfCols; ++c)
    FStrings->SetString(c, Target, FStrings->GetString(c, Source));
  FStrings->SetRowAttrib(Target, FStrings->GetRowAttrib(Source));
}

// --- whole table ----------------------------------------------------------------

void TRLData::Fill(const std::string& s) {
  TBulkChange bulk(*FStrings);
  for (int c = 1; c <= FNrOfCols; ++c) {
    const bool check = IsCheckCol(c);
    for (int r = 1; r <= FNrOfRows; ++r) {
      // A check cell keeps its state; an empty one was unchecked and stays so.
      const std::string& stored = FStrings->GetString(c, r);
      FStrings->SetString(c, r, check ? (FlagChecked(stored) ? "X" : " ") + s : s);
    }
  }
}

void TRLData::Clear() {
  FStrings->Clear();
  for (int c = 1; c <= FNrOfCols; ++c) {
    FColName[size_t(c - 1)] = DefaultColName(c);
    FColumnFormat[size_t(c - 1)].clear();
    StoreCheckMode(c, cmNone);
  }
}

void TRLData::Sort(int Col, int ColSec, bool Ascending) { SortGrouped(Col, ColSec, Ascending, 0); }

void TRLData::SortEnabledState(int SortColumn1, int SortColumn2, bool Ascending) {
  SortGrouped(SortColumn1, SortColumn2, Ascending, kRowDisabled);
}

void TRLData::SortGrouped(int Col, int ColSec, bool Ascending, uint8_t LastGroupBits) {
  FSortColumn = Col;
  FSortColumnSec = ColSec;
  FSortOrder = Ascending;
  FStrings->SortGrouped(Col, ColSec, Ascending, LastGroupBits);
}

void TRLData::UnSort() {
  FSortColumn = -1;
  FSortColumnSec = -1;
  FStrings->UnSort();
}

std::string TRLData::LineOfBlock(int row, int LeftCol, int RightCol, const std::string& sep,
                                 const std::vector<int>* widths) const {
  std::string line;
  for (int c = LeftCol; c <= RightCol; ++c) {
    const std::string text = row == 0 ? Header(c) : Elem(c, row);
    if (widths) {
      line += PadRight(text, size_t((*widths)[size_t(c - LeftCol)] + 1));
    } else {
      if (c > LeftCol) line += sep;
      line += text;
    }
  }
  return line;
}

void TRLData::CopyBlock(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                        const std::string& sep, bool fixedWidth) {
  LeftCol = std::max(LeftCol, 0);  // the hidden column 0 as Elem reads it
  RightCol = std::min(RightCol, FNrOfCols);
  TopRow = std::max(TopRow, 1);
  BottomRow = std::min(BottomRow, FNrOfRows);
  std::vector<int> widths;
  if (fixedWidth) {
    for (int c = LeftCol; c <= RightCol; ++c) {
      size_t w = AddHeader ? Utf8Length(Header(c)) : 0;
      for (int r = TopRow; r <= BottomRow; ++r)
        w = std::max(w, Utf8Length(FStrings->GetString(c, r)));
      widths.push_back(int(w));
    }
  }
  const std::vector<int>* w = fixedWidth ? &widths : nullptr;
  std::string text;
  if (AddHeader) text += LineOfBlock(0, LeftCol, RightCol, sep, w) + "\n\n";
  for (int r = TopRow; r <= BottomRow; ++r)
    text += LineOfBlock(r, LeftCol, RightCol, sep, w) + "\n";
  host::Clipboard()->SetAsText(text);
}

void TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                              bool UseTabs) {
  CopyBlock(LeftCol, TopRow, RightCol, BottomRow, AddHeader, "\t", !UseTabs);
}

void TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                              char Separator) {
  CopyBlock(LeftCol, TopRow, RightCol, BottomRow, AddHeader, std::string(1, Separator), false);
}

// --- Assign ---------------------------------------------------------------------

void TRLData::Assign(host::TPersistent* Source) {
  auto* src = dynamic_cast<TRLData*>(Source);
  if (!src) {
    host::TComponent::Assign(Source);
    return;
  }
  if (src == this) return;
  try {
    // Copies are made before anything changes, so a failure leaves this table as
    // it was.
    std::vector<std::string> names = src->FColName;
    std::vector<std::string> formats = src->FColumnFormat;
    std::vector<TCheckMode> modes = src->FColButMode;
    FStrings->CopyFrom(*src->FStrings);
    FColName.swap(names);
    FColumnFormat.swap(formats);
    FColButMode.swap(modes);
  } catch (const std::bad_alloc&) {
    throw EZELRLDataError(ComponentText() + ": not enough memory on heap");
  }
  FNrOfCols = src->FNrOfCols;
  FNrOfRows = src->FNrOfRows;
  FSortColumn = src->FSortColumn;
  FSortColumnSec = src->FSortColumnSec;
  FSortOrder = src->FSortOrder;
  FSortToggle = src->FSortToggle;
  FComment = src->FComment;
  FCommonHeader = src->FCommonHeader;
  FOnBefSortExc = src->FOnBefSortExc;
  FDataID = src->FDataID;
  UpdateFeedback(std::max(FNrOfRows, 1));
}

void TRLData::AssignTo(host::TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TRLData*>(Dest)) {
    dst->Assign(this);
    return;
  }
  host::TComponent::AssignTo(Dest);
}

void TRLData::TakeContent(TRLData& fresh) {
  FStrings->SwapContent(*fresh.FStrings);
  FColName.swap(fresh.FColName);
  FColumnFormat.swap(fresh.FColumnFormat);
  FColButMode.swap(fresh.FColButMode);
  FNrOfCols = fresh.FNrOfCols;
  FNrOfRows = fresh.FNrOfRows;
  FComment.swap(fresh.FComment);
  FCommonHeader.swap(fresh.FCommonHeader);
  FDataID.swap(fresh.FDataID);
  FSortColumn = -1;
  FSortColumnSec = -1;
  UpdateFeedback(std::max(FNrOfRows, 1));
  if (FStrings->OnChange()) FStrings->OnChange()(FStrings.get());
}

}  // namespace zel
