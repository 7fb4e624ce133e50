#include "foundation/Zel_dstruct.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <new>
#include <type_traits>
#include <variant>

#include "foundation/Zel_stringl.h"

namespace zel {

namespace {

// True when the character Utf8CharAt found at s[i] is a byte outside any valid
// sequence.
bool IsStrayByte(std::string_view s, size_t i, size_t len) {
  return len == 1 && uint8_t(s[i]) >= 0x80;
}

// Upper/lower pairs that sit next to each other, the capital on an even (or, for
// oddCapital blocks, an odd) code point.
bool InPairBlock(char32_t cp, char32_t lo, char32_t hi, bool oddCapital) {
  return cp >= lo && cp <= hi && ((cp & 1) != 0) == oddCapital;
}

char32_t FoldCodePoint(char32_t cp) {
  if (cp < 0x80) return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
  if (InPairBlock(cp, 0x100, 0x12F, false) || InPairBlock(cp, 0x132, 0x137, false) ||
      InPairBlock(cp, 0x139, 0x148, true) || InPairBlock(cp, 0x14A, 0x177, false) ||
      InPairBlock(cp, 0x179, 0x17E, true))
    return cp + 1;
  switch (cp) {
    case 0x130:
      return 'i';
    case 0x178:
      return 0xFF;
    case 0x17F:
      return 's';
    case 0x386:
      return 0x3AC;
    case 0x38C:
      return 0x3CC;
    case 0x3C2:
      return 0x3C3;  // final sigma compares as sigma
    default:
      break;
  }
  if (cp >= 0x388 && cp <= 0x38A) return cp + 37;
  if (cp >= 0x38E && cp <= 0x38F) return cp + 63;
  if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) return cp + 0x20;
  if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;
  if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;
  if (InPairBlock(cp, 0x460, 0x481, false) || InPairBlock(cp, 0x48A, 0x4BF, false)) return cp + 1;
  return cp;
}

}  // namespace

void FoldCaseInto(std::string_view s, std::string& out) {
  for (size_t i = 0; i < s.size();) {
    const auto b = uint8_t(s[i]);
    if (b < 0x80) {
      out += (b >= 'A' && b <= 'Z') ? char(b + 32) : char(b);
      ++i;
      continue;
    }
    char32_t cp;
    const size_t len = Utf8CharAt(s, i, cp);
    if (IsStrayByte(s, i, len)) {
      out += s[i++];
      continue;
    }
    if (cp == 0xDF) {
      out += "ss";
    } else {
      AppendUtf8(out, FoldCodePoint(cp));
    }
    i += len;
  }
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads a sort key as a number: blanks around it are allowed.
bool KeyAsNumber(std::string_view s, double& value) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return ParseDecimal(s, value);
}

const std::string kEmpty;

}  // namespace

bool ParseDecimal(std::string_view s, double& value) {
  if (s.empty()) return false;
  const bool plus = s[0] == '+';
  const size_t body = (plus || s[0] == '-') ? 1 : 0;
  if (body == s.size() || !((s[body] >= '0' && s[body] <= '9') || s[body] == '.' || s[body] == ','))
    return false;  // a sign needs a number after it; this also keeps out inf and nan
  std::string_view text = s;
  std::string plain;
  if (plus || s.find(',') != std::string_view::npos) {
    // from_chars knows neither "+" nor ",": hand it the plain form.
    plain.assign(s.substr(plus ? 1 : 0));
    std::replace(plain.begin(), plain.end(), ',', '.');
    text = plain;
  }
  double v = 0;
  const auto r =
      std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

std::string FoldCase(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  FoldCaseInto(s, out);
  return out;
}

std::string SanitizeCellText(std::string_view s, int maxChars) {
  std::string out;
  out.reserve(std::min(s.size(), size_t(maxChars) * 4));
  int chars = 0;
  for (size_t i = 0; i < s.size() && chars < maxChars;) {
    char32_t cp;
    const size_t len = Utf8CharAt(s, i, cp);
    if (IsStrayByte(s, i, len)) {
      AppendUtf8(out, cp);  // U+FFFD
    } else if (cp != 0) {
      out.append(s.substr(i, len));
    } else {
      i += len;
      continue;  // NUL is dropped and does not count
    }
    i += len;
    ++chars;
  }
  return out;
}

// --- TStringArray ---------------------------------------------------------------

// One row's sort key: empty, a number or folded text kept in a shared arena.
struct TStringArray::TSortKey {
  enum TKind : uint8_t { kEmptyKey, kNumberKey, kTextKey };
  double Num = 0;
  uint32_t Off = 0;
  uint32_t Len = 0;
  TKind Kind = kEmptyKey;
  uint8_t Checked = 0;  // the check state, in a column whose cells carry a flag
};

TStringArray::TStringArray(host::TObject* /*AOwner*/) : FCols(1) {}

bool TStringArray::ValidCell(int col, int row) const {
  return col >= 0 && col <= FNrOfCols && row >= 1 && row <= NrOfRows();
}

TStringArray::TRow* TStringArray::RowAt(int row) {
  return (row >= 1 && row <= NrOfRows()) ? &FRows[FOrder[size_t(row - 1)]] : nullptr;
}

const TStringArray::TRow* TStringArray::RowAt(int row) const {
  return (row >= 1 && row <= NrOfRows()) ? &FRows[FOrder[size_t(row - 1)]] : nullptr;
}

void TStringArray::Changed() {
  if (FOnChange) FOnChange(this);
}

void TStringArray::ReserveRows(size_t n) {
  if (FRows.capacity() >= n) return;
  const size_t grown =
      std::max(FRows.capacity() + FRows.capacity() / 2, FRows.capacity() + size_t(FAllocRowsBy));
  const size_t cap = std::max(n, grown);
  FRows.reserve(cap);
  FOrder.reserve(cap);
}

void TStringArray::Resize(int NrCols, int NrRows) {
  NrCols = std::max(NrCols, 0);
  NrRows = std::max(NrRows, 0);
  try {
    // Everything that can fail happens before the first visible change.
    ReserveRows(size_t(NrRows));
    if (NrCols > FNrOfCols) {
      for (auto& r : FRows) r.Cells.reserve(size_t(NrCols) + 1);
    }
    FCols.reserve(size_t(NrCols) + 1);
    if (NrRows < NrOfRows()) CommitSorting();
    TRow blank;
    blank.Cells.resize(size_t(NrCols) + 1);
    const size_t oldRows = FRows.size();
    FRows.resize(size_t(NrRows), blank);
    for (size_t i = 0; i < std::min(oldRows, FRows.size()); ++i)
      FRows[i].Cells.resize(size_t(NrCols) + 1);
    // Rows only ever grow here (shrinking committed the order above): new rows
    // are shown after the existing ones.
    FOrder.resize(FRows.size());
    for (size_t i = oldRows; i < FOrder.size(); ++i) FOrder[i] = uint32_t(i);
  } catch (const std::bad_alloc&) {
    throw EZELDStructError("TStringArray: not enough memory for " + std::to_string(NrCols) +
                           " columns and " + std::to_string(NrRows) + " rows");
  }
  FCols.resize(size_t(NrCols) + 1);
  FNrOfCols = NrCols;
  Changed();
}

void TStringArray::Clear() {
  for (auto& r : FRows)
    for (auto& c : r.Cells) c.clear();
  Changed();
}

const std::string& TStringArray::GetString(int col, int row) const {
  const TRow* r = RowAt(row);
  return (r && col >= 0 && col <= FNrOfCols) ? r->Cells[size_t(col)] : kEmpty;
}

// True for short plain ASCII text, which needs no checking or cutting.
static bool IsPlainShortText(std::string_view s) {
  if (s.size() > size_t(kMaxCellChars)) return false;
  for (const char ch : s)
    if (uint8_t(ch) >= 0x80 || ch == 0) return false;
  return true;
}

void TStringArray::SetString(int col, int row, std::string_view text) {
  TRow* r = RowAt(row);
  if (!r || col < 0 || col > FNrOfCols) return;
  if (IsPlainShortText(text)) {
    r->Cells[size_t(col)].assign(text);
  } else {
    r->Cells[size_t(col)] = SanitizeCellText(text, kMaxCellChars);
  }
  Changed();
}

uint8_t TStringArray::GetRowAttrib(int row) const {
  const TRow* r = RowAt(row);
  return r ? r->Attrib : 0;
}

void TStringArray::SetRowAttrib(int row, uint8_t attrib) {
  if (TRow* r = RowAt(row)) {
    r->Attrib = attrib;
    Changed();
  }
}

uint8_t TStringArray::GetColAttrib(int col) const {
  return (col >= 0 && col <= FNrOfCols) ? FCols[size_t(col)].Attrib : 0;
}

void TStringArray::SetColAttrib(int col, uint8_t attrib) {
  if (col < 0 || col > FNrOfCols) return;
  FCols[size_t(col)].Attrib = attrib;
  Changed();
}

bool TStringArray::ColHasFlag(int col) const {
  return col >= 0 && col <= FNrOfCols && FCols[size_t(col)].HasFlag;
}

void TStringArray::SetColHasFlag(int col, bool on) {
  if (col >= 0 && col <= FNrOfCols) FCols[size_t(col)].HasFlag = on;
}

void TStringArray::InsertRow(int r) {
  if (r < 1 || r > NrOfRows() + 1) return;
  TRow blank;
  blank.Cells.resize(size_t(FNrOfCols) + 1);
  ReserveRows(FRows.size() + 1);
  CommitSorting();
  FRows.insert(FRows.begin() + (r - 1), std::move(blank));
  FOrder.push_back(uint32_t(FOrder.size()));
  Changed();
}

void TStringArray::RemoveRow(int r) {
  if (r < 1 || r > NrOfRows()) return;
  CommitSorting();
  FRows.erase(FRows.begin() + (r - 1));
  FOrder.pop_back();
  Changed();
}

void TStringArray::InsertColumn(int c) {
  if (c < 1 || c > FNrOfCols + 1) return;
  for (auto& r : FRows) r.Cells.reserve(size_t(FNrOfCols) + 2);
  FCols.reserve(size_t(FNrOfCols) + 2);
  for (auto& r : FRows) r.Cells.insert(r.Cells.begin() + c, std::string());
  FCols.insert(FCols.begin() + c, TColumn());
  ++FNrOfCols;
  Changed();
}

void TStringArray::RemoveColumn(int c) {
  if (c < 1 || c > FNrOfCols) return;
  for (auto& r : FRows) r.Cells.erase(r.Cells.begin() + c);
  FCols.erase(FCols.begin() + c);
  --FNrOfCols;
  Changed();
}

void TStringArray::RemoveRows(const std::vector<bool>& Remove) {
  CommitSorting();
  size_t kept = 0;
  for (size_t i = 0; i < FRows.size(); ++i) {
    if (i < Remove.size() && Remove[i]) continue;
    if (kept != i) FRows[kept] = std::move(FRows[i]);
    ++kept;
  }
  if (kept == FRows.size()) return;
  FRows.resize(kept);
  FOrder.resize(kept);
  Changed();
}

std::vector<TStringArray::TSortKey> TStringArray::ExtractKeys(int col, std::string& arena) {
  std::vector<TSortKey> keys(FRows.size());
  const size_t step = FRows.size() / 100 + 1;
  const bool flagged = ColHasFlag(col);
  std::string hooked;
  FSortKeyColumn = col;
  for (size_t i = 0; i < FRows.size(); ++i) {
    const std::string& text = FRows[i].Cells[size_t(col)];
    TSortKey& k = keys[i];
    std::string_view key = text;
    if (flagged && !text.empty()) {
      // The flag decides the check state and is not part of the text key.
      char32_t cp;
      k.Checked = text[0] != ' ';
      key.remove_prefix(Utf8CharAt(text, 0, cp));
    }
    if (FOnBeforeSortExchange) {
      hooked.assign(key);
      FOnBeforeSortExchange(this, text, hooked);
      key = hooked;
    }
    if (key.empty()) {
      k.Kind = TSortKey::kEmptyKey;
    } else if (KeyAsNumber(key, k.Num)) {
      k.Kind = TSortKey::kNumberKey;
    } else {
      k.Kind = TSortKey::kTextKey;
      k.Off = uint32_t(arena.size());
      FoldCaseInto(key, arena);
      k.Len = uint32_t(arena.size() - k.Off);
    }
    if (FOnPercentDone && i % step == 0) FOnPercentDone(this, int(i * 100 / FRows.size()));
  }
  FSortKeyColumn = -1;
  return keys;
}

namespace {

// A text sort key whose first 16 bytes sit in two integers, compared as
// integers: most comparisons of short cells end there, without a memcmp and
// without touching the arena the text lives in. Ordering is that of
// std::string_view (byte by byte, a prefix first).
struct TTextKey {
  uint64_t Head[2] = {0, 0};  // bytes 0..15, big-endian, zero-padded
  std::string_view Text;

  static uint64_t Load(std::string_view s, size_t from) {
    unsigned char bytes[8] = {};
    if (from < s.size()) std::memcpy(bytes, s.data() + from, std::min<size_t>(8, s.size() - from));
    uint64_t v;
    std::memcpy(&v, bytes, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
  }
  explicit TTextKey(std::string_view s = {}) : Head{Load(s, 0), Load(s, 8)}, Text(s) {}

  int Compare(const TTextKey& b) const {
    if (Head[0] != b.Head[0]) return Head[0] < b.Head[0] ? -1 : 1;
    if (Head[1] != b.Head[1]) return Head[1] < b.Head[1] ? -1 : 1;
    if (Text.size() <= 16 && b.Text.size() <= 16)
      return Text.size() < b.Text.size() ? -1 : (b.Text.size() < Text.size() ? 1 : 0);
    // Equal heads: the first 16 bytes match (the shorter text's zero padding
    // standing for the end), so the rest decides.
    const size_t skip = std::min({Text.size(), b.Text.size(), size_t(16)});
    return Text.substr(skip).compare(b.Text.substr(skip));
  }
  bool operator<(const TTextKey& b) const { return Compare(b) < 0; }
};

// Three-way comparison of one column's keys; General compares the full keys
// (check state, kind, value) of a column that mixes kinds.
template <class Key, class General>
int CompareKeys(const Key& a, const Key& b, const General& general) {
  if constexpr (std::is_same_v<Key, double>) {
    return a < b ? -1 : (b < a ? 1 : 0);
  } else if constexpr (std::is_same_v<Key, TTextKey>) {
    return a.Compare(b);
  } else {
    return general(a, b);
  }
}

template <class Key, class General>
bool KeyLess(const Key& a, const Key& b, const General& general) {
  if constexpr (std::is_same_v<Key, double> || std::is_same_v<Key, TTextKey>) {
    return a < b;
  } else {
    return general(a, b) < 0;
  }
}

// Sorts order (storage indexes) by the primary keys, ties by the secondary
// ones (none when Secondary is std::monostate), stably; descending reverses the
// comparison so equal keys keep storage order either way.
template <class Primary, class Secondary, class General>
void StableSortBy(std::vector<uint32_t>& order, const std::vector<Primary>& p, const Secondary& s,
                  bool ascending, const General& general) {
  auto less = [&](uint32_t a, uint32_t b) {
    if constexpr (std::is_same_v<Secondary, std::monostate>) {
      return KeyLess(p[a], p[b], general);
    } else {
      const int c = CompareKeys(p[a], p[b], general);
      return c != 0 ? c < 0 : KeyLess(s[a], s[b], general);
    }
  };
  if (ascending) {
    std::stable_sort(order.begin(), order.end(), less);
  } else {
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return less(b, a); });
  }
}

// The full keys of a column that mixes kinds or check states, compared by the
// whole rule of Sort. Text keys live in Text (the arena).
struct TFullKeyCompare {
  std::string_view Text;
  template <class Key>
  int operator()(const Key& a, const Key& b) const {
    if (a.Checked != b.Checked) return a.Checked < b.Checked ? -1 : 1;
    if (a.Kind != b.Kind) return a.Kind < b.Kind ? -1 : 1;
    if (a.Kind == Key::kNumberKey) return a.Num < b.Num ? -1 : (b.Num < a.Num ? 1 : 0);
    if (a.Kind == Key::kEmptyKey) return 0;
    return Text.substr(a.Off, a.Len).compare(Text.substr(b.Off, b.Len));
  }
};

// One column's keys in the flattest form that keeps the rule: one double a row
// when the column holds numbers and empty cells only (empty below every
// number), one text key a row when it holds text and empty cells only (the
// empty text sorts first by itself), the full keys otherwise; std::monostate
// for a column that is not part of the sort. Flat keys make the comparison of
// a million rows cheap.
template <class Key>
using TKeyColumn =
    std::variant<std::monostate, std::vector<double>, std::vector<TTextKey>, std::vector<Key>>;

template <class Key>
TKeyColumn<Key> FlattenKeys(std::vector<Key>& keys, std::string_view text) {
  bool anyText = false, anyNumber = false, anyChecked = false;
  for (const Key& k : keys) {
    anyText = anyText || k.Kind == Key::kTextKey;
    anyNumber = anyNumber || k.Kind == Key::kNumberKey;
    anyChecked = anyChecked || k.Checked;
  }
  if (anyChecked || (anyText && anyNumber)) return std::move(keys);
  if (!anyText) {
    std::vector<double> nums(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
      nums[i] = keys[i].Kind == Key::kNumberKey ? keys[i].Num : -HUGE_VAL;
    return nums;
  }
  std::vector<TTextKey> texts;
  texts.reserve(keys.size());
  for (const Key& k : keys) texts.emplace_back(text.substr(k.Off, k.Len));
  return texts;
}

}  // namespace

void TStringArray::Sort(int col, int colsec, bool ascending) {
  SortGrouped(col, colsec, ascending, 0);
}

void TStringArray::SortGrouped(int col, int colsec, bool ascending, uint8_t LastGroupBits) {
  if (col < 0 || col > FNrOfCols) return;
  std::string arena;
  std::vector<TSortKey> primary = ExtractKeys(col, arena);
  std::vector<TSortKey> secondary;
  const bool hasSecondary = colsec >= 0 && colsec <= FNrOfCols && colsec != col;
  if (hasSecondary) secondary = ExtractKeys(colsec, arena);
  const TFullKeyCompare general{arena};
  const TKeyColumn<TSortKey> p = FlattenKeys(primary, arena);
  const TKeyColumn<TSortKey> s =
      hasSecondary ? FlattenKeys(secondary, arena) : TKeyColumn<TSortKey>();
  std::vector<uint32_t> order(FRows.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = uint32_t(i);
  std::visit(
      [&](const auto& pk, const auto& sk) {
        if constexpr (!std::is_same_v<std::decay_t<decltype(pk)>, std::monostate>)
          StableSortBy(order, pk, sk, ascending, general);
      },
      p, s);
  if (LastGroupBits != 0) {
    // A stable partition of the sorted order keeps each group sorted and stable.
    std::stable_partition(order.begin(), order.end(),
                          [&](uint32_t ix) { return (FRows[ix].Attrib & LastGroupBits) == 0; });
  }
  FOrder = std::move(order);
  if (FOnPercentDone) FOnPercentDone(this, 100);
  Changed();
}

void TStringArray::UnSort() {
  for (size_t i = 0; i < FOrder.size(); ++i) FOrder[i] = uint32_t(i);
  Changed();
}

bool TStringArray::IsSorted() const {
  for (size_t i = 0; i < FOrder.size(); ++i)
    if (FOrder[i] != i) return true;
  return false;
}

void TStringArray::CommitSorting() {
  if (!IsSorted()) return;
  std::vector<TRow> rows;
  rows.reserve(FRows.capacity());
  for (uint32_t ix : FOrder) rows.push_back(std::move(FRows[ix]));
  FRows = std::move(rows);
  for (size_t i = 0; i < FOrder.size(); ++i) FOrder[i] = uint32_t(i);
}

int TStringArray::GetSortOrder(int row) const {
  return (row >= 1 && row <= NrOfRows()) ? int(FOrder[size_t(row - 1)]) + 1 : 0;
}

void TStringArray::SetSortOrder(int row, int index) {
  if (row < 1 || row > NrOfRows() || index < 1 || index > NrOfRows()) return;
  FOrder[size_t(row - 1)] = uint32_t(index - 1);
}

void TStringArray::CopyFrom(const TStringArray& Source) {
  if (&Source == this) return;
  TStringArray copy;
  copy.FRows.reserve(Source.FRows.capacity());
  copy.FRows = Source.FRows;
  copy.FOrder = Source.FOrder;
  copy.FCols = Source.FCols;
  copy.FNrOfCols = Source.FNrOfCols;
  copy.FAllocRowsBy = Source.FAllocRowsBy;
  SwapContent(copy);
  Changed();
}

void TStringArray::SwapContent(TStringArray& Other) noexcept {
  FRows.swap(Other.FRows);
  FOrder.swap(Other.FOrder);
  FCols.swap(Other.FCols);
  std::swap(FNrOfCols, Other.FNrOfCols);
  std::swap(FAllocRowsBy, Other.FAllocRowsBy);
}

}  // namespace zel

namespace zel {

namespace {
constexpr int kBitsPerWord = 64;
constexpr int kInitialBits = 100;
size_t WordsFor(int bits) { return size_t(bits + kBitsPerWord - 1) / kBitsPerWord; }
}  // namespace

TBitFld::TBitFld() { SetSize(kInitialBits); }

void TBitFld::SetSize(int N) {
  N = std::max(1, N);
  if (N < FSize) {
    // Clear the bits beyond the new end inside the last word, so growing the
    // field again brings them back as false.
    const int tail = N % kBitsPerWord;
    FWords.resize(WordsFor(N));
    if (tail != 0) FWords.back() &= (uint64_t(1) << tail) - 1;
  } else {
    FWords.resize(WordsFor(N), 0);
  }
  FSize = N;
}

void TBitFld::Clear() { std::fill(FWords.begin(), FWords.end(), 0); }

void TBitFld::SetBit(int Index, bool Value) {
  if (!Inside(Index)) return;
  const uint64_t mask = uint64_t(1) << (Index % kBitsPerWord);
  uint64_t& w = FWords[size_t(Index / kBitsPerWord)];
  w = Value ? (w | mask) : (w & ~mask);
}

bool TBitFld::GetBit(int Index) const {
  if (!Inside(Index)) return false;
  return (FWords[size_t(Index / kBitsPerWord)] >> (Index % kBitsPerWord)) & 1;
}

int TBitFld::FirstTrueBit() const {
  for (size_t i = 0; i < FWords.size(); ++i)
    if (FWords[i] != 0) return int(i) * kBitsPerWord + std::countr_zero(FWords[i]);
  return -1;
}

int TBitFld::CountTrueBits() const {
  int n = 0;
  for (uint64_t w : FWords) n += std::popcount(w);
  return n;
}

}  // namespace zel
