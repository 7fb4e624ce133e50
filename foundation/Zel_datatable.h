/// @file
/// TDataTable: the numeric table of the math library, behind the table editor.
///
/// A rectangle of double values, NrOfColumns x NrOfRows (at least 1 x 1), each
/// cell with one state byte; every column and row with a name (at most 50
/// characters) and an attribute byte; every column with a measurement scale type
/// and, for categorical columns, names of its categories 1..150; one free-text
/// comment. Values live in the element matrix (ElemMatrix), states in one flat
/// byte array laid out the same way, so bulk state operations are single passes
/// over contiguous memory. Names, attributes and categories travel with their
/// row or column through insert, remove and mirror.
///
/// Indexes are 1-based. Out-of-range indexes are ignored on write and give 0,
/// false or an empty string on read; they never throw.
///
/// Notifications (one slot each; whoever assigns last is called):
/// - OnDataChanged after values change (SetElem, Fill, FillMarkedCells, Clear,
///   mirroring) — once per operation, never once per cell of a bulk operation;
/// - OnSetupChanged after names, attributes, the comment, scale types or
///   categories change;
/// - OnDimensionChanged after any change of size (Resize, insert, remove) with
///   the old and the new column and row counts: (Sender, OldCols, OldRows,
///   NewCols, NewRows);
/// - OnSortExchange when a sort exchanges two columns (kind 1) or rows (kind 2);
/// - OnPercentDone to report the progress of a sort.
/// State operations do not notify: the caller knows it changed states and says so
/// in its own terms (the table editor raises its cell-state event).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Zel_dstruct.h"
#include "foundation/Zel_matrix.h"

namespace zel {

/// A column or row name: at most kMaxDTNameChars characters (longer text is cut).
using TDTNameStr = std::string;
constexpr int kMaxDTNameChars = 50;
/// A category name of a nominal column: at most kMaxNominalIDChars characters.
constexpr int kMaxNominalIDChars = 10;
/// Categories of a nominal or ordinal column are coded 1..kMaxNominalCodes.
constexpr int kMaxNominalCodes = 150;

/// Measurement scale of a column. Nominal and ordinal columns hold category codes.
enum TMScaleType : uint8_t { mstRatio, mstNominal, mstOrdinal, mstInterval };
constexpr int kNumMScaleTypes = 4;
/// The text of each scale type, by ordinal.
extern const std::array<const char*, kNumMScaleTypes> MScaleTypeNames;
/// True for the types whose values are category codes (nominal, ordinal).
inline bool IsCategorical(uint8_t MScaleType) {
  return MScaleType == mstNominal || MScaleType == mstOrdinal;
}

/// Cell state bits (see the table editor for their meaning).
constexpr uint8_t kcsInvalid = 1;
constexpr uint8_t kcsEmpty = 2;
constexpr uint8_t kcsLocked = 16;
constexpr uint8_t kcsMarkedA = 64;
constexpr uint8_t kcsMarkedB = 128;
constexpr uint8_t kcsMarks = kcsMarkedA | kcsMarkedB;

/// The sort-exchange notification: Kind 1 for two columns, 2 for two rows, and
/// the two indexes exchanged.
using TSortExchangeEvent = std::function<void(host::TObject* Sender, int Kind, int Ix1, int Ix2)>;
using TDimensionChangedEvent =
    std::function<void(host::TObject* Sender, int OldCols, int OldRows, int NewCols, int NewRows)>;

class TDataTable : public host::TObject {
 public:
  /// The owner is accepted for the component model's sake; the user frees the table.
  explicit TDataTable(host::TObject* AOwner = nullptr);

  /// --- size
  int NrOfColumns() const { return FElems.NrOfColumns(); }
  int NrOfRows() const { return FElems.NrOfRows(); }
  /// Keeps the cells of the overlapping part; new cells are 0 with state 0 and
  /// new columns and rows have empty names and attribute 0. Counts below 1
  /// count as 1. Raises EZELMatrixError (nothing changed) when the size cannot
  /// be held.
  void Resize(int NrCols, int NrRows);
  /// Insert before ix (count + 1 appends); ignored outside 1..count + 1.
  void InsertRow(int ix);
  void InsertColumn(int ix);
  /// Ignored outside 1..count and for the last remaining row (column).
  void RemoveRow(int ix);
  void RemoveColumn(int ix);
  /// Reverse the order of the rows (columns), with their names and attributes.
  void MirrorRows();
  void MirrorColumns();

  ///@{
  /// --- values
  double GetElem(int ACol, int ARow) const { return FElems.Elem(ACol, ARow); }
  void SetElem(int ACol, int ARow, double Value);
  ///@}
  /// The element matrix; its Fill notifies OnDataChanged. Resize the table, not
  /// the matrix.
  TMatrix& ElemMatrix() { return FElems; }
  const TMatrix& ElemMatrix() const { return FElems; }

  ///@{
  /// --- cell states
  uint8_t GetCellState(int ACol, int ARow) const;
  void SetCellState(int ACol, int ARow, uint8_t State);
  ///@}
  /// True when the cell is inside and neither invalid (bit 0) nor empty (bit 1).
  bool GetIsNumber(int ACol, int ARow) const;
  /// Every cell: state ^= Mask / |= Mask / &= ~Mask.
  void InvertCellStates(uint8_t Mask);
  void SetCellStateBits(uint8_t Mask);
  void ClearCellStateBits(uint8_t Mask);
  /// Swaps the marks A (bit 6) and B (bit 7) of every cell.
  void ExchangeMarkings();
  void UnmarkAllCells() { ClearCellStateBits(kcsMarks); }
  /// The number of cells whose state has any bit of Mask.
  int CountCellStates(uint8_t Mask) const;
  /// Sets Value into every cell whose state has any bit of StateMask and returns
  /// the number of cells written (0 for a zero mask). One OnDataChanged when any
  /// cell was written.
  int FillMarkedCells(double Value, uint8_t StateMask);
  /// OR of the states of one row (column); 0 outside.
  uint8_t RowStates(int ARow) const;
  uint8_t ColumnStates(int ACol) const;
  /// The state bytes, row after row, laid out as the values.
  const std::vector<uint8_t>& CellStates() const { return FStates; }

  /// Resets values to 0, states to 0, attributes to 0, names and the comment to
  /// empty. The dimensions stay, and so do the scale types and categories (they
  /// describe what a column measures, not what it holds). One OnDataChanged.
  void Clear();

  ///@{
  /// --- headings
  TDTNameStr GetColName(int ColNr) const;
  void SetColName(int ColNr, std::string_view Name);
  ///@}
  ///@{
  TDTNameStr GetRowName(int RowNr) const;
  void SetRowName(int RowNr, std::string_view Name);
  ///@}
  ///@{
  uint8_t GetColAttrib(int ColNr) const;
  void SetColAttrib(int ColNr, uint8_t Attrib);
  ///@}
  ///@{
  uint8_t GetRowAttrib(int RowNr) const;
  void SetRowAttrib(int RowNr, uint8_t Attrib);
  ///@}
  /// First column (row) of that name, 0 if none.
  int FindColIndex(std::string_view Name) const;
  int FindRowIndex(std::string_view Name) const;

  /// --- comment
  const std::string& Comment() const { return FComment; }
  void SetFComment(std::string_view Text);

  /// --- measurement scale
  uint8_t GetMScaleType(int ColNr) const;
  /// Ignored for a type outside TMScaleType.
  void SetMScaleType(int ColNr, uint8_t Type);
  /// The name of category Ordinal (1..150) of a column; empty if none.
  std::string GetNominalID(int ColNr, int Ordinal) const;
  /// Names category Ordinal (cut to 10 characters); ignored outside 1..150.
  void SetNominalID(int ColNr, int Ordinal, std::string_view ID);
  /// The code of the category named ID (compared case-insensitively when
  /// IgnoreCase), 0 if the column has none of that name.
  int OrdinalOfNominalID(int ColNr, std::string_view ID, bool IgnoreCase) const;

  /// --- copying
  /// Takes size, values, states, headings, comment, scale types and categories
  /// of Source (not its notifications); notifies OnDimensionChanged when the
  /// size changed, then OnDataChanged and OnSetupChanged.
  void Assign(const TDataTable& Source);
  /// Takes the states of the cells both tables have; one pass a row.
  void AssignCellStates(const TDataTable& Source);

  /// --- sorting
  /// Every sort orders a stretch of rows (columns) Low..High by a key, stably
  /// (ties keep their order), ascending or descending. Only the cells inside the
  /// block LowCol..HighCol x LowRow..HighRow move; with IncludeHeaders the names,
  /// attributes (and, for columns, scale types and categories) of the moved
  /// lines go along. Each exchange is reported by OnSortExchange (kind 1 for
  /// columns, 2 for rows) in an order that, replayed, gives the result;
  /// OnPercentDone reports 0 and 100, OnDataChanged follows once. A block that
  /// lies outside the table is cut to it.
  ///
  /// Rows by the values of column SortColIx; cells that are no number (and NaN)
  /// go last in either direction.
  void SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                bool IncludeHeaders);
  /// Columns by the values of row SortRowIx.
  void SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                bool IncludeHeaders);
  /// Lines by their names (IgnoreCase folds case) or attributes; the headings
  /// always move with them.
  void SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                    int HighRow);
  void SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                    int HighRow);
  void SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);

  ///@{
  /// --- notifications
  /// Each setter takes the attaching object as a tag, so that one of several
  /// users sharing a table can detach exactly the notifications that still call
  /// it (DetachNotifications).
  const host::TNotifyEvent& OnDataChanged() const { return FOnDataChanged.Handler; }
  void SetOnDataChanged(host::TNotifyEvent h, const void* Owner = nullptr) {
    FOnDataChanged = {std::move(h), Owner};
    ///@}
  }
  ///@{
  const host::TNotifyEvent& OnSetupChanged() const { return FOnSetupChanged.Handler; }
  void SetOnSetupChanged(host::TNotifyEvent h, const void* Owner = nullptr) {
    FOnSetupChanged = {std::move(h), Owner};
    ///@}
  }
  ///@{
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone.Handler; }
  void SetOnPercentDone(TOnPercentDoneEvent h, const void* Owner = nullptr) {
    FOnPercentDone = {std::move(h), Owner};
    ///@}
  }
  ///@{
  const TDimensionChangedEvent& OnDimensionChanged() const { return FOnDimensionChanged.Handler; }
  void SetOnDimensionChanged(TDimensionChangedEvent h, const void* Owner = nullptr) {
    FOnDimensionChanged = {std::move(h), Owner};
    ///@}
  }
  ///@{
  const TSortExchangeEvent& OnSortExchange() const { return FOnSortExchange.Handler; }
  void SetOnSortExchange(TSortExchangeEvent h, const void* Owner = nullptr) {
    FOnSortExchange = {std::move(h), Owner};
    ///@}
  }
  /// Clears every notification attached with this Owner tag; the others stay.
  void DetachNotifications(const void* Owner);

  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TDataTable"; }

 private:
  struct TColInfo {
    TDTNameStr Name;
    uint8_t Attrib = 0;
    uint8_t MScaleType = mstRatio;
    std::vector<std::string> Categories;  ///< index = code - 1; empty until one is named
  };
  struct TLineInfo {
    TDTNameStr Name;
    uint8_t Attrib = 0;
  };

  TMatrix FElems;
  std::vector<uint8_t> FStates = std::vector<uint8_t>(1, 0);
  std::vector<TColInfo> FCols = std::vector<TColInfo>(1);
  std::vector<TLineInfo> FRows = std::vector<TLineInfo>(1);
  std::string FComment;
  template <typename F>
  struct TSlot {
    F Handler;
    const void* Owner = nullptr;
  };
  TSlot<host::TNotifyEvent> FOnDataChanged, FOnSetupChanged;
  TSlot<TOnPercentDoneEvent> FOnPercentDone;
  TSlot<TDimensionChangedEvent> FOnDimensionChanged;
  TSlot<TSortExchangeEvent> FOnSortExchange;

  // Reshapes values and states together (both or neither) and the heading lists.
  void Reshape(int NrCols, int NrRows);
  void DataChanged();
  void SetupChanged();
  void DimensionChanged(int OldCols, int OldRows);
  // The lines a sort orders (Low..High, 1-based), the stretch of the other
  // direction whose cells move with them, and whether the headings go along.
  struct TSortBlock {
    bool Rows;
    int Low, High, CrossLow, CrossHigh;
    bool Headers;
  };
  TSortBlock Block(bool Rows, int LowCol, int LowRow, int HighCol, int HighRow, bool Headers) const;
  // Exchanges lines a and b (1-based) inside the block.
  void SwapLines(const TSortBlock& b, int a, int c);
  // Orders the block's lines by Before (a strict weak order on line numbers)
  // and replays the permutation as exchanges.
  void SortLines(const TSortBlock& b, const std::function<bool(int, int)>& Before);
};

}  // namespace zel
