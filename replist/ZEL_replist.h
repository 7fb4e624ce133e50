/// @file
/// The report list unit: TRLData, the non-visual table of text cells behind the
/// report list view, with its files (an XML dialect of its own, CSV, plain lines,
/// HTML export) and CheckIfValidReplist. The view, TReportListView, lives in the
/// same unit; its header, replist/ZEL_replist_view.h, includes this one, so the
/// data stays usable (files, fuzzing, benchmarks) without any window code.
///
/// The XML dialect and the CSV layout are described in docs/report-files.md.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Zel_dstruct.h"
#include "foundation/Zel_zelbase.h"
#include "host/ui/Component.h"

namespace zel {

/// Check-mark mode of a column.
enum TCheckMode : uint8_t {
  cmNone,   ///< plain text
  cmBox,    ///< every cell has its own check box
  cmRadio,  ///< at most one checked cell in the column
};

/// The element names of the XML dialect, in this order; xmlInvalid stands for any
/// other tag. RepListXmlTagName gives the name, RepListXmlTagOf the reverse.
enum TRepListXmlTag : uint8_t {
  xmlNumCols,
  xmlNumRows,
  xmlColName,
  xmlCheckedColumn,
  xmlCommonHd,
  xmlColumnFormat,
  xmlCell,
  xmlComment,
  xmlEndReplist,
  xmlInvalid,
};
/// The element name of a tag ("cell", "/replist"...); "invalidtag" for xmlInvalid.
const char* RepListXmlTagName(TRepListXmlTag tag);
/// The tag of an element name (exact, lower case); xmlInvalid for any other.
TRepListXmlTag RepListXmlTagOf(std::string_view name);

/// Raised by TRLData.
class EZELRLDataError : public EZELError {
 public:
  using EZELError::EZELError;
};
/// Raised by TReportListView.
class EZELRepListError : public EZELError {
 public:
  using EZELError::EZELError;
};

/// Hook of ExportHTMLTable for one cell (Row 0 for a header cell). Text arrives
/// HTML-escaped; whatever the handler leaves in it is written unchanged, so a
/// handler may add markup (a link, an emphasis) but must escape text it adds.
using TBeforeHTMLExportEvent =
    std::function<void(host::TObject* Sender, std::string& Text, int Col, int Row)>;

/// Column header: at most 50 characters. Column format: at most 80 characters.
/// Longer texts are cut on write.
///@{
constexpr int kMaxColNameChars = 50;
constexpr int kMaxColFormatChars = 80;
///@}
/// Upper bound on rows x (columns + 1) that the readers accept from a file, so a
/// hostile or corrupt file cannot make the table claim all memory.
constexpr int64_t kMaxFileCells = int64_t(1) << 24;
/// Files larger than this many bytes (512 MiB) are refused from their size before
/// any byte is read.
constexpr size_t kMaxFileBytes = size_t(1) << 29;

/// The default text of a cell in row ARow by a column format, by the rules of
/// TRLData::DefaultValue; the row dialog uses it for formats that an
/// OnRequestEditFormat handler gave and the column does not carry.
std::string DefaultValueOfFormat(const std::string& Format, int ARow);
/// The count a column format carries at s[start...]: leading spaces, one
/// sign, then decimal digits up to the first other character (no digits: 0);
/// large values saturate.
int ReadFormatCount(const std::string& s, size_t start);

/// The table behind a report list: NrOfColumns x NrOfRows text cells (UTF-8, at
/// most 255 characters each) plus a hidden column 0 per row, a header, a format
/// string and a check-mark mode per column, an attribute byte per row (128 =
/// selected, 64 = disabled) and per column (128 = selected), a common header, a
/// comment and a data identifier.
///
/// Cells of check columns store a flag before the visible text: "X" checked, " "
/// unchecked (any other first character counts as checked; an empty cell is
/// unchecked and has no flag). Elem hides the flag, ElemChecked reads and sets it.
///
/// Rows are addressed in the displayed order; Sort only changes the view over the
/// stored rows (see TStringArray). Out-of-range coordinates are ignored on write
/// and read as "", false or 0.
class TRLData : public host::TComponent {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TRLData(host::TComponent* AOwner);
  /// Frees the cells, the column formats and the row attributes.
  ~TRLData() override;

  // --- dimensions and plain properties
  /// Data columns, at least 1 (default 1); column 0 is the row header.
  int NrOfColumns() const { return FNrOfCols; }
  /// Values below 1 become 1; new columns are named "C-<n>".
  void SetNrOfColumns(int n);
  /// Data rows (default 0).
  int NrOfRows() const { return FNrOfRows; }
  /// Values below 0 become 0; rows beyond the new count are dropped.
  void SetNrOfRows(int n);
  ///@{
  /// The title of the whole list (default "ZEL Report Listview"); saved with it.
  const std::string& CommonHeader() const { return FCommonHeader; }
  void SetCommonHeader(const std::string& s);
  ///@}
  ///@{
  /// A free text saved with the list and read back from files.
  const std::string& Comment() const { return FComment; }
  void SetComment(const std::string& s) { FComment = s; }
  ///@}
  ///@{
  /// The id of the list: the id="..." of its root element in files, and the id
  /// that loads look for.
  const std::string& DataID() const { return FDataID; }
  void SetDataID(const std::string& s) { FDataID = s; }
  ///@}
  /// Column of the last Sort, -1 when unsorted; secondary column likewise;
  /// LastSortOrder true for ascending.
  ///@{
  int LastSortColumn() const { return FSortColumn; }
  int SecondarySortColumn() const { return FSortColumnSec; }
  bool LastSortOrder() const { return FSortOrder; }
  ///@}
  ///@{
  /// The header-click direction toggle; kept here so Assign copies it.
  bool SortToggle() const { return FSortToggle; }
  void SetSortToggle(bool on) { FSortToggle = on; }
  ///@}
  /// Forgets the last sort columns (no triangle any more) without touching the
  /// order the rows are shown in: after an insert the rows no longer follow it.
  void ForgetSortColumns() { FSortColumn = FSortColumnSec = -1; }
  /// Sets the secondary column of the next header sort.
  void SetSecondarySortColumn(int c) { FSortColumnSec = c; }

  // --- cells
  ///@{
  /// Column 0..NrOfColumns, row 1..NrOfRows. In a check column the text after
  /// the flag; writing keeps the flag (a space when the cell was empty).
  std::string Elem(int ACol, int ARow) const;
  void SetElem(int ACol, int ARow, const std::string& s);
  ///@}
  /// True only in a check column for a non-empty cell whose flag is not a space.
  bool ElemChecked(int ACol, int ARow) const;
  /// Only in check columns; in a cmRadio column every other cell is unchecked
  /// first.
  void SetElemChecked(int ACol, int ARow, bool checked);
  /// The cell as a number: blanks around it are ignored, "," counts as ".", and
  /// the whole text must be a decimal number; empty text gives 0. Other text
  /// raises EZELDStructError "Class TRLData: invalid numeric string: [c,r]: text".
  double AsNumber(int ACol, int ARow) const;
  /// The default text for a new cell from the column format: an item of a list,
  /// the row number formatted by "rix<n>", a fresh password by "$pwd$<n>", or
  /// the plain default. A read-only mark "#" before the type letter is skipped.
  /// Counts n are limited to 255 (the longest cell).
  std::string DefaultValue(int ACol, int ARow) const;

  // --- columns (numbers outside 1..NrOfColumns are ignored)
  ///@{
  /// The column's header text, at most kMaxColNameChars (default "C-<n>").
  std::string Header(int ColNr) const;
  void SetHeader(int ColNr, const std::string& s);
  ///@}
  ///@{
  /// The column's format text, at most kMaxColFormatChars (see the report-list
  /// documentation for its letters); it decides editing, sorting and defaults.
  std::string ColumnFormat(int ColNr) const;
  void SetColumnFormat(int ColNr, const std::string& s);
  ///@}
  /// The column's check-mark mode (cmNone for a column out of range).
  TCheckMode ColumnCheckMode(int ColNr) const;
  /// Converts the cells: a leading " " flag is added (to cmBox/cmRadio) or the
  /// first character dropped (to cmNone); cmBox to cmRadio unchecks all.
  void SetColumnCheckMode(int ColNr, TCheckMode mode);
  ///@{
  /// Whether the column is a cmBox column; setting true makes it one, false
  /// makes it plain text (see SetColumnCheckMode).
  bool IsCheckedColumn(int ColNr) const { return ColumnCheckMode(ColNr) == cmBox; }
  void SetIsCheckedColumn(int ColNr, bool on) { SetColumnCheckMode(ColNr, on ? cmBox : cmNone); }
  ///@}
  /// Case-insensitive search from the last column down: the highest-numbered
  /// column whose header equals Head (or contains it, with PartialMatch); -1.
  int ColumnIndex(const std::string& Head, bool PartialMatch) const;
  /// Inserts an empty column before c (1..NrOfColumns).
  void InsertColumn(int c);
  /// Removes column c; the only column is blanked instead and NrOfColumns
  /// becomes 0.
  void RemoveColumn(int c);
  /// Checks or unchecks every cell of a cmBox column (unchecking also in
  /// cmRadio); with AffectEnabledRowsOnly rows marked disabled are skipped.
  void SetAllCheckmarksOfCol(int Column, bool Checked, bool AffectEnabledRowsOnly = false);
  /// Inverts every cell of a cmBox column (an empty cell becomes checked).
  void InvertAllCheckmarksOfCol(int Column, bool AffectEnabledRowsOnly = false);
  /// Checked cells in the column; 0 outside a check column.
  int CountCheckedElemsInCol(int Column) const;
  /// Lowest checked row, 0 when none.
  int FirstCheckedElemInCol(int ColNr) const;
  /// Checked cells of the row over all check columns.
  int CountCheckedElemsInRow(int Row) const;
  /// Lowest checked column of the row, 0 when none.
  int FirstCheckedElemInRow(int RowNr) const;

  // --- rows (numbers outside 1..NrOfRows are ignored)
  /// Inserts an empty row before r.
  void InsertRow(int r);
  /// Removes row r; the only row is blanked instead and NrOfRows becomes 0.
  void RemoveRow(int r);
  /// Removes every row whose cells (column 0 included) all read empty by Elem.
  void RemoveEmptyRows();
  /// Copies the stored text of columns 0..NrOfColumns and the attribute byte.
  void CopyRow(int Source, int Target);
  ///@{
  /// The attribute byte of a row, moving with the row when it is sorted. The view
  /// uses bit 128 for selected, 64 for disabled, 32 for filtered out; the other
  /// bits are the application's.
  uint8_t RowAttrib(int row) const { return FStrings->GetRowAttrib(row); }
  void SetRowAttrib(int row, uint8_t a) { FStrings->SetRowAttrib(row, a); }
  ///@}
  ///@{
  /// The attribute byte of a column; the view uses bit 128 for selected.
  uint8_t ColAttrib(int col) const { return FStrings->GetColAttrib(col); }
  void SetColAttrib(int col, uint8_t a) { FStrings->SetColAttrib(col, a); }
  ///@}

  // --- whole table
  /// Every cell of columns 1..NrOfColumns gets s; check cells keep their state.
  void Fill(const std::string& s);
  /// Blanks all cells; headers back to "C-n", formats empty, modes cmNone.
  void Clear();
  /// Orders the displayed rows by column Col, ties by ColSec, by the rule of
  /// TStringArray::Sort. A check column orders by check state first (unchecked
  /// before checked when ascending, as the stored texts with their flags
  /// compare), then by the visible text; the store knows the check columns
  /// (TStringArray::ColHasFlag), so the rule holds for every sort of the store.
  /// OnBeforeSortExchange receives the stored cell text, flag included, and a
  /// key that starts as the visible text.
  void Sort(int Col, int ColSec, bool Ascending);
  /// Sort by enabled state: the enabled rows (attribute without bit 64) come
  /// first and the disabled ones after them, in either direction; within each
  /// group the rows are ordered as Sort(SortColumn1, SortColumn2, Ascending)
  /// orders them (ties by the secondary column, then by storage order: stable).
  /// Records the sort state as Sort does and goes through the same key
  /// extraction, so OnBeforeSortExchange is asked as for Sort.
  void SortEnabledState(int SortColumn1, int SortColumn2, bool Ascending);
  /// Shows the rows in storage order again and forgets the sort columns.
  void UnSort();
  /// Copies the block (columns 0..NrOfColumns, as Elem addresses them) to the
  /// clipboard, rows ending in "\n". Fixed-width form
  /// (UseTabs false): every column padded to its widest stored text plus one.
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       bool UseTabs);
  /// Separated form: fields joined by Separator.
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       char Separator);
  /// A string literal would silently pick the bool form.
  void CopyToClipBoard(int, int, int, int, bool, const char*) = delete;

  /// Copies another TRLData: cells in their storage order and the sorted view,
  /// attributes, headers, formats, modes and the sort state. The store and its
  /// event wiring stay this table's own.
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;

  // --- files (docs/report-files.md)
  /// @name Files
  /// Saves replace the target atomically: a
  /// failed save raises EZELRLDataError and leaves the previous file as it was.
  /// Loads read into a fresh table and take it over only when the whole list was
  /// read; on failure they return false (or -1) and the table is unchanged.
  /// Loaders accept only regular files of at most kMaxFileBytes: a folder, a
  /// FIFO or a device fails at once, without waiting or reading.
  ///
  /// Every file operation clears LastError when it starts and, when it fails,
  /// leaves there why: the file (or "the stream", "the string") and the system's
  /// reason or what was wrong with the content. A raised error carries the same
  /// text.
  ///@{
  /// Why the last file operation failed; "" after a success.
  const std::string& LastError() const { return FLastError; }
  /// Writes the list as a file of its own, with the XML declaration, under the id
  /// DataID. Raises EZELRLDataError when the file cannot be written.
  void SaveAsXMLFile(const std::string& FileName, const std::string& DataID);
  /// Reads the list with the id DataID (the first list when DataID is empty);
  /// false when the file holds none or cannot be read.
  bool LoadFromXMLFile(const std::string& FileName, const std::string& DataID);
  /// Writes one list; CreateHeader puts the XML declaration before it (once, at
  /// the start of a file). Raises EZELRLDataError when the stream fails.
  void WriteToXMLStream(std::ostream& OutStream, bool CreateHeader, const std::string& DataID);
  /// Reads the list with the given DataID (the first list when DataID is empty)
  /// from the current position to the end of the stream.
  bool ReadFromXMLStream(std::istream& InStream, const std::string& DataID);
  /// The same from a string holding the XML text.
  bool ReadFromXMLString(const std::string& InString, const std::string& DataID);
  /// Appends one list to an open file, so several lists can share it. A stream
  /// knows no file name: the error names the list and the system's reason.
  void WriteToOpenXMLFile(std::ostream& F, bool CreateHeader, const std::string& DataID);
  /// Reads the next matching list and leaves F positioned after its end, so a
  /// loop of calls reads the lists of a file one by one.
  bool ReadFromOpenXMLFile(std::istream& F, const std::string& DataID);
  /// Writes rows FirstRow..LastRow of columns FirstCol..LastCol (clamped to the
  /// table) as RFC 4180 CSV, optionally preceded by the common header (one field)
  /// and the column headers. Returns the number of data rows written, -1 when the
  /// file could not be written.
  int ExportCSV(const std::string& FileName, TCSVDelimiters Delimiter, bool IncludeColHeaders,
                bool IncludeCommonHeader, int FirstCol, int FirstRow, int LastCol, int LastRow);
  /// Replaces the table by the CSV file: one row per record, as many columns as
  /// the widest record, headers from the first record with IncludeColHeaders.
  /// Returns the number of rows read, -1 on failure (unreadable file, unclosed
  /// quote, too large).
  int ImportCSV(const std::string& FileName, TCSVDelimiters Delimiter, bool IncludeColHeaders);
  /// Stores the lines of a text file in column Column from row FirstRow on,
  /// adding rows as needed. Returns the number of lines stored, 0 when Column or
  /// FirstRow is out of range, -1 when the file could not be read.
  int LoadLinesFromFile(int Column, int FirstRow, const std::string& FileName);
  /// Writes an HTML page holding rows LoR..HiR of columns LoC..HiC; with a
  /// non-empty ColumnSelection only the listed columns, in that order (each
  /// still within LoC..HiC). Border, CellSpacing and CellPadding are pixels (a
  /// style sheet in the page), the classes go on the th, td and table elements.
  /// Raises EZELRLDataError when the file cannot be written.
  void ExportHTMLTable(const std::string& FileName, int LoC, int LoR, int HiC, int HiR,
                       const std::vector<int>& ColumnSelection, int Border, int CellSpacing,
                       int CellPadding, bool IncludeHeader, const std::string& HeadClass,
                       const std::string& CellClass, const std::string& TableClass);
  ///@}

  // --- events
  ///@{
  /// The store's sort-key hook is wired to this handler once, at construction,
  /// and stays so: assigning or clearing the handler never rewires the store.
  const TBeforeSortExchgEvent& OnBeforeSortExchange() const { return FOnBefSortExc; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent h) { FOnBefSortExc = std::move(h); }
  ///@}
  ///@{
  /// Asked for every cell ExportHTMLTable writes; see TBeforeHTMLExportEvent.
  const TBeforeHTMLExportEvent& OnBeforeHTMLExport() const { return FOnBefHTMLExport; }
  void SetOnBeforeHTMLExport(TBeforeHTMLExportEvent h) { FOnBefHTMLExport = std::move(h); }
  ///@}
  ///@{
  /// Progress of long operations (file reads, writes and exports) in percent,
  /// raised every FeedbackStep cells.
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent h) { FOnPercentDone = std::move(h); }
  ///@}

  /// The cell store; the view wires its change and progress events.
  TStringArray* Strings() const { return FStrings.get(); }
  /// Progress granularity: rows x (columns + 1) (at least 1), and that div 100 + 1.
  ///@{
  int FeedbackNumCells() const { return FFeedbkNumCells; }
  int FeedbackStep() const { return FFeedbkStep; }
  ///@}
  /// The column whose cells OnBeforeSortExchange is being asked about.
  int SortKeyColumn() const { return FStrings->SortKeyColumn(); }

  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TRLData"; }

 private:
  std::string FComment;
  std::vector<std::string> FColName;
  std::vector<std::string> FColumnFormat;
  std::string FCommonHeader = "ZEL Report Listview";
  std::vector<TCheckMode> FColButMode;
  int FNrOfCols = 1;
  int FNrOfRows = 0;
  int FSortColumn = -1;
  int FSortColumnSec = -1;
  bool FSortOrder = true;
  TBeforeSortExchgEvent FOnBefSortExc;
  std::string FDataID;
  bool FSortToggle = true;
  TBeforeHTMLExportEvent FOnBefHTMLExport;
  int FFeedbkNumCells = 1;
  int FFeedbkStep = 1;
  TOnPercentDoneEvent FOnPercentDone;
  std::unique_ptr<TStringArray> FStrings;
  std::string FLastError;

  friend class TRLDataFiles;

  bool ValidCol(int c) const { return c >= 1 && c <= FNrOfCols; }
  bool ValidRow(int r) const { return r >= 1 && r <= FNrOfRows; }
  bool IsCheckCol(int c) const { return ColumnCheckMode(c) != cmNone; }
  // Message start "Component "<Name>"".
  std::string ComponentText() const;
  // Record why a file operation failed: Failed returns false, FailedCount -1
  // (the results of the operations), Raise throws EZELRLDataError.
  bool Failed(std::string why);
  int FailedCount(std::string why);
  [[noreturn]] void Raise(std::string why);
  void WriteListTo(std::ostream& out, bool CreateHeader, const std::string& DataID,
                   const char* where);
  void ResizeColumnArrays(int n);
  void UpdateFeedback(int rows);
  void ReportProgress(int64_t cellsDone) const;
  void ConvertCheckColumn(int c, TCheckMode from, TCheckMode to);
  // Sort and SortEnabledState: records the sort state, then sorts the store.
  void SortGrouped(int Col, int ColSec, bool Ascending, uint8_t LastGroupBits);
  // Sets column c's mode here and in the store, which sorts by the check flag.
  void StoreCheckMode(int c, TCheckMode mode);
  void SetFlag(int c, int r, bool checked);
  std::string LineOfBlock(int row, int LeftCol, int RightCol, const std::string& sep,
                          const std::vector<int>* widths) const;
  void CopyBlock(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                 const std::string& sep, bool fixedWidth);
  // Takes over the content of a freshly read table (cells, dimensions, headers,
  // formats, modes, texts); this table's store keeps its events.
  void TakeContent(TRLData& fresh);
};

/// Whether the file (or the stream, from its current position) holds a report
/// list: a line containing "<replist" and "tamarisk" (ASCII case ignored) whose
/// id="..." value, trimmed, equals DataID ignoring ASCII case, or any such line
/// when DataID is empty. The file form raises EZELRLDataError when the file
/// cannot be opened or read; the stream form stops after the line that matched.
///@{
bool CheckIfValidReplist(const std::string& FName, const std::string& DataID);
bool CheckIfValidReplist(std::istream& InStream, const std::string& DataID);
///@}

}  // namespace zel
