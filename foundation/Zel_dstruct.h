/// @file
/// Containers of the base library: TStringArray, the two-dimensional store of short
/// text cells behind the report list, with row and column attribute bytes and a
/// sortable view over its rows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Zel_zelbase.h"
#include "host/gfx/Persistent.h"

namespace zel {

/// Raised by the containers of this unit (and by TRLData::AsNumber).
class EZELDStructError : public EZELError {
 public:
  using EZELError::EZELError;
};

/// Progress of a long operation, Percent from 0 to 100.
using TOnPercentDoneEvent = std::function<void(host::TObject* Sender, int Percent)>;

/// The sort-key hook. Before a sort compares anything, it offers each cell of the
/// sort column(s) once: Text is the stored cell text and Key starts out equal to
/// it (in a column whose cells carry a check flag, to the text after the flag:
/// the check state is ordered apart from the key). The handler may replace Key by whatever orders
/// the way it wants (an ISO date for a local date, a plain number for "12 kg", zero-padded digits
/// for a natural order); the comparison then uses Key by the rule documented at TStringArray::Sort.
/// TStringArray::SortKeyColumn() tells the handler which column the cell belongs to.
using TBeforeSortExchgEvent =
    std::function<void(host::TObject* Sender, const std::string& Text, std::string& Key)>;

/// Cells hold at most this many characters (code points).
constexpr int kMaxCellChars = 255;

/// Text folded for case-insensitive comparison: ASCII, Latin-1, Latin Extended-A,
/// Greek and Cyrillic capitals map to their small letters (plus the sharp s to
/// "ss"), independent of the process locale. Invalid UTF-8 bytes pass unchanged.
std::string FoldCase(std::string_view s);
/// The same folding appended to out, so a caller that folds many texts can reuse
/// one buffer.
void FoldCaseInto(std::string_view s, std::string& out);

/// Reads s as a decimal number: an optional sign, digits with "." or "," as the
/// decimal separator, an optional exponent, nothing else (no blanks, no hex, no
/// inf or nan). False when s is not such a number or the value is out of range.
bool ParseDecimal(std::string_view s, double& value);

/// Returns s as valid UTF-8 of at most maxChars code points: invalid bytes become
/// U+FFFD, NUL characters are dropped, and a cut never splits a character.
std::string SanitizeCellText(std::string_view s, int maxChars);

/// A table of text cells: columns 0..NrOfCols (column 0 is a hidden extra column
/// the report list keeps per row) and rows 1..NrOfRows. Every cell is UTF-8 text of
/// at most 255 characters; storing longer text silently cuts it. Each row and each
/// column carries an attribute byte that travels with it.
///
/// Rows are addressed in the displayed order: Sort does not move any cell, it
/// computes a permutation from displayed rows to storage rows; UnSort returns to
/// storage order and CommitSorting makes the displayed order the storage order.
/// Row insertion, removal and shrinking commit the sort order first, so what the
/// caller sees never jumps. Out-of-range coordinates are ignored on write and read
/// as "" or 0.
class TStringArray : public host::TObject {
 public:
  /// The owner argument mirrors the component constructor; the store is owned by
  /// whoever created it (the report table holds it by value or unique_ptr).
  explicit TStringArray(host::TObject* AOwner = nullptr);

  int NrOfCols() const { return FNrOfCols; }
  int NrOfRows() const { return int(FRows.size()); }

  ///@{
  /// Growth step for rows: capacity grows in chunks of this many rows.
  int AllocRowsBy() const { return FAllocRowsBy; }
  void SetAllocRowsBy(int n) { FAllocRowsBy = n < 1 ? 1 : n; }
  ///@}

  /// Sets the dimensions, keeping existing text. Shrinking the row count drops the
  /// last displayed rows. Raises EZELDStructError when memory is short (the store
  /// is then unchanged).
  void Resize(int NrCols, int NrRows);
  /// Blanks every cell; dimensions and attributes stay.
  void Clear();

  ///@{
  /// The cell at column col (0..NrOfCols) of displayed row row (1..NrOfRows).
  const std::string& GetString(int col, int row) const;
  void SetString(int col, int row, std::string_view text);
  ///@}

  ///@{
  uint8_t GetRowAttrib(int row) const;
  void SetRowAttrib(int row, uint8_t attrib);
  ///@}
  ///@{
  uint8_t GetColAttrib(int col) const;
  void SetColAttrib(int col, uint8_t attrib);
  ///@}
  ///@{
  /// Whether the cells of column col start with a check flag (the report list's
  /// check columns: a first character other than " " means checked, an empty cell
  /// is unchecked). Sort orders such a column by check state first; the setting
  /// travels with the column like its attribute byte.
  bool ColHasFlag(int col) const;
  void SetColHasFlag(int col, bool on);
  ///@}

  /// Insert an empty row before displayed row r (1..NrOfRows+1 appends), or an
  /// empty column before c (1..NrOfCols+1 appends); remove a row or a column
  /// (column 0 cannot be removed). Attribute bytes move with their rows and columns.
  void InsertRow(int r);
  void RemoveRow(int r);
  void InsertColumn(int c);
  void RemoveColumn(int c);
  /// Removes, in one pass, every displayed row r with Remove[r - 1] true.
  void RemoveRows(const std::vector<bool>& Remove);

  /// Orders the displayed rows by column col, ties broken by column colsec (ignored
  /// when out of range or equal to col), then by storage order (the sort is
  /// stable). The comparison rule, in ascending order:
  ///  - in a column with check flags (ColHasFlag), unchecked cells come before
  ///    checked ones, and within each group the rules below apply to the text
  ///    after the flag (the order the stored texts give, " " sorting before "X");
  ///  - an empty key comes first;
  ///  - a key that reads as a number (optional sign, digits with "." or ","
  ///    as decimal separator, optional exponent, surrounding blanks allowed)
  ///    comes next, numbers compared by value;
  ///  - any other key comes last, compared by FoldCase text, code point by code
  ///    point (so "apple" < "Banana" < "été" whatever the locale).
  /// Descending reverses the rule except for the storage-order tie break. Keys are
  /// extracted once per row before sorting (through OnBeforeSortExchange when
  /// assigned), never inside the comparison.
  void Sort(int col, int colsec, bool ascending);
  /// Sort with the rows put in two groups first: rows whose attribute byte has
  /// none of the bits of LastGroupBits, then the rows that have any of them (in
  /// either direction). Each group is ordered by the rule of Sort and keeps it
  /// stable; LastGroupBits 0 is Sort itself.
  void SortGrouped(int col, int colsec, bool ascending, uint8_t LastGroupBits);
  /// Returns to storage order.
  void UnSort();
  /// Makes the displayed order the storage order.
  void CommitSorting();
  /// True while the displayed order differs from storage order.
  bool IsSorted() const;
  /// Storage index (1-based) of displayed row row, 0 when out of range.
  int GetSortOrder(int row) const;
  /// Sets the storage index shown at displayed row row. The caller (who copies a
  /// permutation row by row) is responsible for ending with a permutation;
  /// indexes out of range are ignored.
  void SetSortOrder(int row, int index);
  /// The column whose cells are being offered to OnBeforeSortExchange, -1 outside
  /// a sort.
  int SortKeyColumn() const { return FSortKeyColumn; }

  /// Copies everything (cells, attributes, storage order, the permutation and the
  /// row growth step) from Source; the events of this store stay as they are.
  void CopyFrom(const TStringArray& Source);
  /// Exchanges the content (everything CopyFrom copies) with Other; the events of
  /// both stores stay where they are.
  void SwapContent(TStringArray& Other) noexcept;

  ///@{
  const host::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(host::TNotifyEvent h) { FOnChange = std::move(h); }
  ///@}
  ///@{
  const TBeforeSortExchgEvent& OnBeforeSortExchange() const { return FOnBeforeSortExchange; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent h) { FOnBeforeSortExchange = std::move(h); }
  ///@}
  ///@{
  /// Raised while Sort extracts its keys.
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent h) { FOnPercentDone = std::move(h); }
  ///@}

  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TStringArray"; }

 private:
  struct TRow {
    std::vector<std::string> Cells;  ///< columns 0..NrOfCols
    uint8_t Attrib = 0;
  };
  struct TSortKey;

  int FNrOfCols = 0;
  int FAllocRowsBy = 10;
  std::vector<TRow> FRows;       // storage order
  std::vector<uint32_t> FOrder;  // displayed row - 1 -> storage index
  struct TColumn {
    uint8_t Attrib = 0;
    bool HasFlag = false;
  };
  std::vector<TColumn> FCols;  // columns 0..NrOfCols
  int FSortKeyColumn = -1;
  host::TNotifyEvent FOnChange;
  TBeforeSortExchgEvent FOnBeforeSortExchange;
  TOnPercentDoneEvent FOnPercentDone;

  bool ValidCell(int col, int row) const;
  TRow* RowAt(int row);
  const TRow* RowAt(int row) const;
  void ReserveRows(size_t n);
  std::vector<TSortKey> ExtractKeys(int col, std::string& arena);
  void Changed();
};

}  // namespace zel

namespace zel {

/// A field of bits, indexed from 0, as the selection store of lists of items.
/// A new field holds 100 bits, all false, so it can be used before it is sized.
/// Indices outside the field are ignored on write and read as false.
class TBitFld : public host::TObject {
 public:
  TBitFld();

  int Size() const { return FSize; }
  /// Holds N bits afterwards (at least 1): the bits below both sizes keep their
  /// values, bits that are added are false.
  void SetSize(int N);
  void Clear();
  void SetBit(int Index, bool Value);
  bool GetBit(int Index) const;
  /// The lowest index whose bit is true; -1 when none is.
  int FirstTrueBit() const;
  int CountTrueBits() const;

  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TBitFld"; }

 private:
  int FSize = 0;
  std::vector<uint64_t> FWords;
  bool Inside(int Index) const { return Index >= 0 && Index < FSize; }
};

}  // namespace zel
