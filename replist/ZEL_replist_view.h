/// @file
/// TReportListView: the report list, a grid that shows a TRLData table as a
/// report: an optional common header row, a column header row, then one grid
/// row per data row, with check-box and radio columns, row and column
/// selection, highlighting, alternating row shading, disabled rows, masked
/// password columns, an empty-table message and an insertion indicator line.
///
/// State model. The view owns its TRLData; cells, attribute bytes (row 128 =
/// selected, 64 = disabled, 32 = filtered out; column 128 = selected) and the
/// sort state live there, so they travel with their rows through sorts,
/// inserts and removes. The view keeps only what a table does not know: the
/// per-column alignment, editable and password flags, the column order, the
/// selection anchor and the look.
///
/// Coordinates. Data rows and columns count from 1, grid cells from 0. Grid row
/// g shows data row g - HeadCount() + 1; grid column i shows data column
/// ColumnOrder(i) + 1, and a data column c sits in the grid column GridColOf(c)
/// (the inverse order), which is what column widths, hit-testing and editing
/// use. A table reduced to 0 columns keeps one blank grid column that takes no
/// clicks.
///
/// Notifications. A single write by the application (Elem, a header, a
/// setter) repaints once and fires its event. The view's own bulk operations
/// (fills, removals, check-mark runs, selection runs) suppress painting while
/// they work, then repaint once and fire one OnChange (data) or one
/// OnSelectedChange (selection). Selection bookkeeping keeps the number of
/// selected rows and the only selected row, so a click on a list of a million
/// rows touches the rows it changes, not all of them.
///
/// Filtering. FilterAndSort hides the rows that do not match (attribute bit 32
/// and row height 0); navigation, painting and the selection operations skip
/// them. The mark goes with its row, so sorting, inserting or removing rows
/// re-applies the row heights from the marks. An empty expression shows every
/// row again.
///
/// Choices where the behaviour was open:
///  - ColumnOrder maps grid column -> data column; widths, SelectCell,
///    editing and hit-testing all map data column -> grid column through the
///    inverse of that order, so any permutation behaves consistently.
///  - A left click on the common header row does nothing.
///  - With both header rows and fewer than two data rows the column header row
///    still gets ColumnHeadersHeight.
///  - SortEnabledState puts the enabled rows first, then the disabled ones;
///    within each group the rows follow the primary column, ties the secondary
///    one, and equal rows keep their previous order (the sort is stable).
///  - Wheel events that no handler takes scroll the grid as the host grid does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/grid/Grids.h"
#include "replist/ZEL_replist.h"
#include "replist/ZEL_replist_filter.h"

namespace zel {

using host::TAlignment;
using host::TColor;
using host::TFontStyles;

/// Before a data cell is drawn (see TReportListView::OnBeforeRenderCell).
using TRenderCellEvent = std::function<void(host::TObject* Sender, int ACol, int ARow,
                                            TColor& PenColor, TColor& BrushColor, TColor& FontColor,
                                            TFontStyles& FontStyles, std::string& Text)>;
/// A cell text read by Elem (see TReportListView::OnReadCell).
using TReadCellEvent =
    std::function<void(host::TObject* Sender, int ACol, int ARow, std::string& Text)>;
/// Around a check-mark toggle by mouse (see TReportListView::OnBeforeCheckedChange).
using TCheckStateChangeEvent =
    std::function<void(host::TObject* Sender, bool& State, int Col, int Row)>;
/// After a cursor key moved the selection (see TReportListView::OnCursorKeyAction).
using TCursorKeyActionEvent = std::function<void(host::TObject* Sender, host::Word Key)>;
/// Asked for each column before the row dialog builds its field; may replace
/// the format the field is built from.
using TRequestEditFormatEvent =
    std::function<void(host::TObject* Sender, int Col, int Row, std::string& Format)>;

/// Row attribute bits as the view uses them.
///@{
constexpr uint8_t kRowSelected = 128;  ///< the row is selected
constexpr uint8_t kRowDisabled = 64;   ///< the row is disabled
constexpr uint8_t kRowFiltered = 32;   ///< a filter hides the row
constexpr uint8_t kColSelected = 128;  ///< the column is selected (column attribute)
///@}

/// How the view cuts a text that does not fit into Room pixels. Measured is
/// the width the fit is judged by (for cells the text from its second
/// character, for headers the whole line); when Room < Measured the text keeps
/// Round(length * Room / Measured - Slack) characters (at least 1) and gets
/// "...": behind the kept start, or, RightAligned, between the first character
/// and the kept end. Cells use Slack 4, header lines 3.
std::string FitText(const std::string& Text, int Room, int Measured, int Slack, bool RightAligned);

/// The report list: a draw grid that shows its own TRLData table as a report
/// (see the description of this header for its state model and coordinates).
class TReportListView : public host::TCustomDrawGrid {
 public:
  /// Creates the list with its defaults and its own table; AOwner frees it.
  /// Raises EZELRepListError when the column settings cannot be allocated.
  explicit TReportListView(host::TComponent* AOwner);
  /// Detaches the table's notifications, so the table (freed with the
  /// components) never calls back into a view that is half gone.
  ~TReportListView() override;

  /// The owned table (for the operations the view does not forward).
  TRLData* RLData() const { return FRLData; }

  // --- dimensions and structure (ZEL_replist_view.cpp)
  ///@{
  /// Data columns, at least 1 (see TRLData::SetNrOfColumns). New grid columns
  /// take the width of the last one and the column order starts again from
  /// identity; a write fires OnChangeSetup.
  int NrOfColumns() const { return FRLData->NrOfColumns(); }
  void SetNrOfColumns(int n);
  ///@}
  ///@{
  /// Data rows, at least 0; rows beyond a smaller count are dropped. The current
  /// cell goes back to the first row; a write fires OnChangeSetup.
  int NrOfRows() const { return FRLData->NrOfRows(); }
  void SetNrOfRows(int n);
  ///@}
  /// Appends a row and returns its number.
  int AddRow();
  /// Before r; r > NrOfRows appends and becomes the new number; r <= 0 does
  /// nothing. The last sort columns become -1 (the order stays). Returns r.
  int InsertRow(int r);
  /// Removes data row r (others are ignored); the only row is blanked instead
  /// and NrOfRows becomes 0. One repaint, OnChange and OnChangeSetup.
  void RemoveRow(int r);
  /// One pass, one repaint, one OnChange.
  void RemoveEmptyRows();
  /// Before c; c > NrOfColumns appends. Returns the column number.
  int InsertColumn(int c);
  /// Removes data column c with its alignment, editable and password settings;
  /// the only column is blanked instead (see TRLData::RemoveColumn). An order
  /// that would show a removed column starts again from identity.
  void RemoveColumn(int c);
  /// Every cell of columns 1..NrOfColumns gets s, check cells keep their state;
  /// one repaint, one OnChange.
  void Fill(const std::string& s);
  /// Blanks the table (see TRLData::Clear); every column back to left-aligned,
  /// not editable, no password, and the column order to identity. One repaint,
  /// one OnChange.
  void Clear();
  /// Exactly NrOfColumns data column numbers; invalid entries are skipped and
  /// make the result false. No repaint.
  bool SetColumnOrder(const std::vector<int>& ColList);
  /// Data column (from 0) shown in grid column i; 0 outside.
  int ColumnOrder(int i) const;
  /// Grid column that shows data column c (1-based); -1 when none does.
  int GridColOf(int c) const;
  /// Data column (1-based) shown in grid column i; 0 when none is.
  int DataColOf(int i) const;
  /// Header rows shown (0..2): the grid rows above the first data row.
  int HeadCount() const { return (FCommonHeaderVisible ? 1 : 0) + (FColumnHeadersVisible ? 1 : 0); }
  /// From another report list: its table (see TRLData::Assign), the column
  /// settings and order, the colours of text, rows, selection, highlight and
  /// headers, the header, highlight, indicator, selection and sort settings and
  /// its handlers; not the header heights, UseCtrlForMultiSel,
  /// CheckMarksReadOnly, EmptyMessage, the disabled and empty-message colours.
  /// Any other source goes to the host grid.
  void Assign(host::TPersistent* Source) override;

  // --- forwarded cells and columns
  ///@{
  /// Cell text, column 0..NrOfColumns, row 1..NrOfRows (see TRLData::Elem).
  /// Elem read passes the text through OnReadCell; a write repaints and fires
  /// OnChange.
  std::string Elem(int ACol, int ARow) const;
  void SetElem(int ACol, int ARow, const std::string& s);
  ///@}
  ///@{
  /// The check mark of a cell in a check column (see TRLData::ElemChecked); a
  /// write repaints and fires OnChange.
  bool ElemChecked(int ACol, int ARow) const { return FRLData->ElemChecked(ACol, ARow); }
  void SetElemChecked(int ACol, int ARow, bool v) { FRLData->SetElemChecked(ACol, ARow, v); }
  ///@}
  /// The cell as a number, read as TRLData::AsNumber reads it.
  /// Raises EZELRepListError "Class TReportListView: invalid numeric string: ...".
  double AsNumber(int ACol, int ARow) const;
  /// The text a new cell gets from the column format (see TRLData::DefaultValue).
  std::string DefaultValue(int ACol, int ARow) const { return FRLData->DefaultValue(ACol, ARow); }
  ///@{
  /// The column's header text (see TRLData::Header); a write repaints once and
  /// fires OnChange.
  std::string Header(int c) const { return FRLData->Header(c); }
  void SetHeader(int c, const std::string& s);
  ///@}
  ///@{
  /// The column's format text (see TRLData::ColumnFormat); it also chooses the
  /// field of the row dialog. A write repaints once and fires OnChange.
  std::string ColumnFormat(int c) const { return FRLData->ColumnFormat(c); }
  void SetColumnFormat(int c, const std::string& s);
  ///@}
  ///@{
  /// The column's check-mark mode (see TRLData::SetColumnCheckMode for how the
  /// cells convert); a write repaints once and fires OnChange.
  TCheckMode ColumnCheckMode(int c) const { return FRLData->ColumnCheckMode(c); }
  void SetColumnCheckMode(int c, TCheckMode m);
  ///@}
  ///@{
  /// Whether the column is a cmBox column; setting true makes it one, false
  /// makes it plain text (see SetColumnCheckMode).
  bool IsCheckedColumn(int c) const { return FRLData->IsCheckedColumn(c); }
  void SetIsCheckedColumn(int c, bool on) { SetColumnCheckMode(c, on ? cmBox : cmNone); }
  ///@}
  ///@{
  /// A free text saved with the list (see TRLData::Comment); no repaint, no event.
  const std::string& Comment() const { return FRLData->Comment(); }
  void SetComment(const std::string& s) { FRLData->SetComment(s); }
  ///@}
  ///@{
  /// The id of the list in files (see TRLData::DataID); no repaint, no event.
  const std::string& DataID() const { return FRLData->DataID(); }
  void SetDataID(const std::string& s) { FRLData->SetDataID(s); }
  ///@}
  ///@{
  /// The title shown in the common header row and saved with the list; a change
  /// repaints and fires OnChange.
  const std::string& CommonHeader() const { return FRLData->CommonHeader(); }
  void SetCommonHeader(const std::string& s);
  ///@}
  ///@{
  /// Copies a block to the clipboard as TRLData::CopyToClipBoard does: in
  /// fixed-width columns or tab-separated (UseTabs), or with the fields joined by
  /// Separator. The const char* form is deleted: a string literal would
  /// silently pick the bool form.
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       bool UseTabs) {
    FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, UseTabs);
  }
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       char Separator) {
    FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Separator);
  }
  void CopyToClipBoard(int, int, int, int, bool, const char*) = delete;
  ///@}
  ///@{
  /// Check marks of a column. The counts ignore disabled rows (and are 0
  /// outside a check column). The runs work as TRLData::SetAllCheckmarksOfCol
  /// and TRLData::InvertAllCheckmarksOfCol do, with one repaint and one
  /// OnChange.
  int CountCheckedElemsInCol(int Column) const;
  void SetAllCheckmarksOfCol(int Column, bool Checked, bool AffectEnabledRowsOnly = false);
  void InvertAllCheckmarksOfCol(int Column, bool AffectEnabledRowsOnly = false);
  ///@}

  // --- per-column settings (valid c only)
  ///@{
  /// How the column's cells align their text (default taLeftJustify); a change
  /// repaints and fires OnChange.
  TAlignment ColumnAlignment(int c) const;
  void SetColumnAlignment(int c, TAlignment a);
  ///@}
  ///@{
  /// Whether the column's cells open the in-place editor in enabled rows
  /// (default off); no repaint, no event.
  bool ColumnEditable(int c) const;
  void SetColumnEditable(int c, bool on);
  ///@}
  ///@{
  /// Shows the column's cells as "******" and masks its in-place editor
  /// (default off); a change repaints and fires OnChange.
  bool ColumnIsPwd(int c) const;
  void SetColumnIsPwd(int c, bool on);
  ///@}

  // --- files, forwarded to the table (see TRLData); a load repaints.
  /// Writes the list as a file of its own under the id ID (see
  /// TRLData::SaveAsXMLFile); raises EZELRLDataError when it cannot.
  void SaveAsXMLFile(const std::string& FileName, const std::string& ID) {
    FRLData->SaveAsXMLFile(FileName, ID);
  }
  /// Reads the list with the id ID (see TRLData::LoadFromXMLFile); after a
  /// successful load the column order starts again from identity. One repaint,
  /// OnChange when the table changed; false leaves the table as it was.
  bool LoadFromXMLFile(const std::string& FileName, const std::string& ID);
  /// Writes a block as CSV (see TRLData::ExportCSV); returns the number of data
  /// rows written, -1 when the file could not be written.
  int ExportCSV(const std::string& FileName, TCSVDelimiters Delimiter, bool IncludeColHeaders,
                bool IncludeCommonHeader, int FirstCol, int FirstRow, int LastCol, int LastRow) {
    return FRLData->ExportCSV(FileName, Delimiter, IncludeColHeaders, IncludeCommonHeader, FirstCol,
                              FirstRow, LastCol, LastRow);
  }
  /// Replaces the table by the CSV file (see TRLData::ImportCSV) and the column
  /// order by identity; returns the number of rows read, -1 on failure, which
  /// leaves the table as it was.
  int ImportCSV(const std::string& FileName, TCSVDelimiters Delimiter, bool IncludeColHeaders);
  /// Writes a block as an HTML table (see TRLData::ExportHTMLTable);
  /// OnBeforeHTMLExport may change every cell's text.
  void ExportHTMLTable(const std::string& FileName, int LoC, int LoR, int HiC, int HiR,
                       const std::vector<int>& ColumnSelection, int Border, int CellSpacing,
                       int CellPadding, bool IncludeHeader, const std::string& HeadClass,
                       const std::string& CellClass, const std::string& TableClass) {
    FRLData->ExportHTMLTable(FileName, LoC, LoR, HiC, HiR, ColumnSelection, Border, CellSpacing,
                             CellPadding, IncludeHeader, HeadClass, CellClass, TableClass);
  }

  // --- selection (ZEL_replist_view_select.cpp)
  ///@{
  /// Whether data row r is selected (attribute bit 128; false outside the
  /// rows); a write repaints and fires OnSelectedChange.
  bool RowSelected(int r) const;
  void SetRowSelected(int r, bool on);
  ///@}
  ///@{
  /// Whether data row r is enabled (attribute bit 64 clear; false outside the
  /// rows). A disabled row is drawn in the disabled colours and takes no
  /// check-mark clicks and no editing. A write repaints and fires
  /// OnSelectedChange, not OnChange.
  bool RowEnabled(int r) const;
  void SetRowEnabled(int r, bool on);
  ///@}
  ///@{
  /// Whether data column c is selected (column attribute bit 128); a write
  /// repaints and fires OnSelectedChange.
  bool ColumnSelected(int c) const;
  void SetColumnSelected(int c, bool on);
  ///@}
  /// Selects RowNr alone (a number outside the rows deselects all); one
  /// OnSelectedChange.
  void SelectRow(int RowNr);
  /// Selects ColNr alone (a number outside the columns deselects all); one
  /// OnSelectedChange.
  void SelectColumn(int ColNr);
  ///@{
  /// Runs over all rows or columns, each with one repaint and one
  /// OnSelectedChange. The row runs skip rows hidden by a filter when they
  /// select; deselecting, enabling and disabling reach every row.
  void SelectAllRows();
  void DeselectAllRows();
  void SelectAllColumns();
  void DeselectAllColumns();
  void EnableAllRows();
  void DisableAllRows();
  ///@}
  /// Selected data rows; counted once, then kept up to date by the view's own
  /// selection changes, so asking costs nothing on a long list.
  int NumSelectedRows() const;
  /// Selected data columns.
  int NumSelectedColumns() const;
  /// Data rows that are not disabled.
  int NumEnabledRows() const;
  /// Lowest selected column; 0 when none.
  int FirstSelectedColumn() const;
  /// Lowest selected row; 0 when none, or when that row is disabled.
  int FirstSelectedRow() const;
  ///@{
  /// How clicks and cursor keys select rows: 0 not at all (no cell shows as
  /// current), 1 one row (default), 2 several (Shift gives the rows from the
  /// last clicked one that row's selection state, Ctrl toggles; see
  /// UseCtrlForMultiSel). Held to 0..2; a write of 0 or 1 deselects every
  /// row. A write fires OnSelectedChange.
  int RowSelectMode() const { return FRowSelectMode; }
  void SetRowSelectMode(int m);
  ///@}
  /// Selects Row alone and scrolls it to the middle of the view.
  void CenterScrollAndSelect(int Row);
  /// A point of the list in its own terms, as MouseCell reports it.
  struct TMouseCell {
    int Col;  ///< grid column + 1
    int Row;  ///< data row, -1 column header, -2 common header, 0 outside
  };
  /// The cell under the client point (X, Y); both fields 0 outside the cells.
  TMouseCell MouseCell(int X, int Y) const;

  // --- sorting and filtering (ZEL_replist_view_sort.cpp)
  /// Orders the displayed rows by data column Col, ties by ColSec (see
  /// TRLData::Sort). The only selected row, the current row and the rows a
  /// filter hid stay with their records. One repaint, no OnChange.
  void Sort(int Col, int ColSec, bool Ascending);
  /// Shows the rows in storage order again and forgets the sort columns; the
  /// records keep their selection as with Sort.
  void UnSort();
  ///@{
  /// The data column of the last sort (-1 when unsorted, or after an insert)
  /// and its direction (true for ascending).
  int LastSortColumn() const { return FRLData->LastSortColumn(); }
  bool LastSortOrder() const { return FRLData->LastSortOrder(); }
  ///@}
  ///@{
  /// The tie-breaking column of header-click sorts and of FilterAndSort (-1
  /// none); every Sort sets it too. Writes outside -1..NrOfColumns are ignored;
  /// a write fires OnChangeSetup.
  int SecondarySortColumn() const { return FRLData->SecondarySortColumn(); }
  void SetSecondarySortColumn(int c);
  ///@}
  /// Enabled rows first, then disabled ones; each group by SortColumn1, ties
  /// by SortColumn2, equal rows in their previous order (stable).
  void SortEnabledState(int SortColumn1, int SortColumn2, bool Ascending);
  /// Hides the rows whose listed data columns (empty: all) do not match
  /// FilterExp, then sorts by SortColumn (values below 1: no sort). The
  /// expression is compiled first: a malformed one raises EZELRepListError and
  /// changes nothing. OnBeforeFilter is asked for every row (see
  /// TBeforeFilterEvent); an empty expression shows every row. Hidden rows
  /// lose their selection; one OnSelectedChange when any did.
  void FilterAndSort(const std::string& FilterExp, const std::vector<int>& FilterColumns,
                     bool IgnoreCase, TFilterMode FilterMode, int SortColumn, bool Ascending);
  /// Number of data rows a filter left visible.
  int NumVisibleRows() const { return NrOfRows() - FNumFiltered; }
  /// Whether data row r is hidden by the last filter.
  bool RowFilteredOut(int r) const;

  // --- layout (ZEL_replist_view_layout.cpp)
  ///@{
  /// The data row shown first below the header rows; writes are held to the
  /// data rows.
  int TopRow() const { return TCustomGrid::TopRow() - HeadCount() + 1; }
  void SetTopRow(int t);
  ///@}
  ///@{
  /// The first scrolling column shown, as grid column + 1; writes are held to
  /// FixedCols() + 1..NrOfColumns.
  int LeftCol() const { return TCustomGrid::LeftCol() + 1; }
  void SetLeftCol(int c);
  ///@}
  ///@{
  /// Width of data column c (0 for c < 1 or a column not shown); a write fires
  /// OnChangeSetup.
  int ColWidths(int c) const;
  void SetColWidths(int c, int w);
  ///@}
  /// The width in pixels data column ColNr needs: its widest stored text (plus
  /// 16 for a check box, 2 for an italic font) and, with IncludeHeader, its
  /// header (plus 13 for the sort triangle), then 10 for the margins; 10 for a
  /// column that does not exist.
  int DetermineMaxColWidth(int ColNr, bool IncludeHeader);
  ///@{
  /// Sets data column ColNr to DetermineMaxColWidth + Addon, at least 4 pixels
  /// and at most MaxWidth when given. A double click on a header border does
  /// this for the column left of it.
  void AutoColWidth(int ColNr, bool IncludeHeader, int Addon);
  void AutoColWidth(int ColNr, bool IncludeHeader, int Addon, int MaxWidth);
  ///@}
  /// AutoColWidth for every column but ExpandColumn, which then gets the room
  /// that is left (ExpandColWidth); one repaint.
  void FitAllColWidths(int ExpandColumn, bool IncludeHeader, int Addon, int MaxWidth,
                       int RightMargin);
  /// Gives data column ColIx the client width that the other columns and
  /// RightMargin leave, at least 16 pixels; fires OnChangeSetup.
  void ExpandColWidth(int ColIx, int RightMargin);
  /// The host grid's default column width; repaints and fires OnChangeSetup.
  void SetDefaultColWidth(int v);
  /// The height of the data rows; the header rows keep theirs and rows a filter
  /// hid stay hidden. One repaint, OnChangeSetup.
  void SetDefaultRowHeight(int v);

  // --- look (ZEL_replist_view.cpp)
  ///@{
  /// Shows the common header row above the column headers (default off); a
  /// change reshapes the grid, repaints once and fires OnChange.
  bool CommonHeaderVisible() const { return FCommonHeaderVisible; }
  void SetCommonHeaderVisible(bool v) { SetHeadSetting(FCommonHeaderVisible, v); }
  ///@}
  ///@{
  /// Shows the column header row (default on); a change reshapes the grid,
  /// repaints once and fires OnChange.
  bool ColumnHeadersVisible() const { return FColumnHeadersVisible; }
  void SetColumnHeadersVisible(bool v) { SetHeadSetting(FColumnHeadersVisible, v); }
  ///@}
  ///@{
  /// Height of the common header row in pixels (default 20), held to 8..127;
  /// a write repaints and fires OnChange.
  int CommonHeaderHeight() const { return FCommonHeaderHeight; }
  void SetCommonHeaderHeight(int v) { SetHeadSetting(FCommonHeaderHeight, v); }
  ///@}
  ///@{
  /// Height of the column header row in pixels (default 20), held to 8..127;
  /// a write repaints and fires OnChange.
  int ColumnHeadersHeight() const { return FColumnHeadersHeight; }
  void SetColumnHeadersHeight(int v) { SetHeadSetting(FColumnHeadersHeight, v); }
  ///@}
  ///@{
  /// Alignment of the common header text (default taCenter); a change repaints
  /// and fires OnChange.
  TAlignment CommonHeaderAlignment() const { return FCommonHeaderAlignment; }
  void SetCommonHeaderAlignment(TAlignment a);
  ///@}
  ///@{
  /// Shown centred in the list while it has no data rows, "|" breaking lines
  /// (default empty: nothing shown); a change repaints and fires OnChangeSetup.
  const std::string& EmptyMessage() const { return FEmptyMessage; }
  void SetEmptyMessage(const std::string& s);
  ///@}
  ///@{
  /// Keeps the first grid column in place while the others scroll (default
  /// off); a write fires OnChange.
  bool FixedFirstColumn() const { return FixedCols() > 0; }
  void SetFixedFirstColumn(bool on);
  ///@}
  /// Repaints: a disabled list draws every text greyed, without selection or
  /// highlight colours.
  void SetEnabled(bool e) override;
  /// Look settings: each write repaints when the value changed and fires
  /// OnChangeSetup.
  ///@{
  /// Data rows are shaded in alternating bands of this many rows, the first
  /// band in ColorBkgdShaded (default 1; 0 no shading).
  int RowColPattern() const { return FRowColPattern; }
  void SetRowColPattern(int v) { SetLook(FRowColPattern, v); }
  ///@}
  ///@{
  /// The data row (HighLightRow) and data column (HighLightColumn) drawn in
  /// ColorHigh and ColorHighText, bold with HighLightBold (defaults 0, 0 and
  /// off; 0 highlights nothing). Disabled rows are not highlighted.
  int HighLightRow() const { return FHighLightRow; }
  void SetHighLightRow(int v) { SetLook(FHighLightRow, v); }
  int HighLightColumn() const { return FHighLightColumn; }
  void SetHighLightColumn(int v) { SetLook(FHighLightColumn, v); }
  bool HighLightBold() const { return FHighLightBold; }
  void SetHighLightBold(bool v) { SetLook(FHighLightBold, v); }
  ///@}
  ///@{
  /// Pen width in pixels (default 3) and colour (default red) of the
  /// insertion indicator line.
  int InterRowIndicatorWidth() const { return FInterRowIndicatorWidth; }
  void SetInterRowIndicatorWidth(int v) { SetLook(FInterRowIndicatorWidth, v); }
  TColor InterRowIndicatorColor() const { return FInterRowIndicatorColor; }
  void SetInterRowIndicatorColor(TColor v) { SetLook(FInterRowIndicatorColor, v); }
  ///@}
  /// Display switches: a write repaints when the value changed, no event.
  ///@{
  /// The data row on whose top edge the insertion indicator line lies;
  /// NrOfRows + 1 puts it below the last row, 0 (default) shows none.
  int InterRowIndicatorPos() const { return FInterRowIndi; }
  void SetInterRowIndicatorPos(int p) { SetFlag(FInterRowIndi, p); }
  ///@}
  ///@{
  /// Empty cells of check columns show a check box, and take clicks on it, too
  /// (default on).
  bool ShowEmptyCheckBoxes() const { return FShowEmptyCheckBoxes; }
  void SetShowEmptyCheckBoxes(bool v) { SetFlag(FShowEmptyCheckBoxes, v); }
  ///@}
  ///@{
  /// Clicks do not toggle check marks (default off).
  bool CheckMarksReadOnly() const { return FCheckMarksReadOnly; }
  void SetCheckMarksReadOnly(bool v) { SetFlag(FCheckMarksReadOnly, v); }
  ///@}
  /// Behaviour switches: stored only, no repaint, no event.
  ///@{
  /// Enter moves to the next row as the Down key does (default off).
  bool AutoAdvance() const { return FAutoAdvance; }
  void SetAutoAdvance(bool v) { FAutoAdvance = v; }
  ///@}
  ///@{
  /// A click on a column header sorts by that column, each click reversing the
  /// direction (default on; the first click sorts descending).
  bool SortEnabled() const { return FSortEnabled; }
  void SetSortEnabled(bool v) { FSortEnabled = v; }
  ///@}
  ///@{
  /// In RowSelectMode 2: a plain click selects its row alone and Ctrl+click
  /// toggles (default on); off, every click toggles its row.
  bool UseCtrlForMultiSel() const { return FUseCtrlForMultiSel; }
  void SetUseCtrlForMultiSel(bool v) { FUseCtrlForMultiSel = v; }
  ///@}
  ///@{
  /// Holds back painting (on until the window exists); turning it off repaints
  /// at once.
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool v);
  ///@}

  /// The getter and setter of one colour; undefined again below.
#define ZEL_RLV_COLOR(N)            \
  TColor N() const { return F##N; } \
  void Set##N(TColor v) { SetLook(F##N, v); }
  ///@{
  /// The colours of cell text and backgrounds (normal and shaded rows),
  /// highlighted cells, selected rows, columns and both, disabled rows, the
  /// column header text, the common header and its text, and the empty-table
  /// message. Each write repaints when the colour changed and fires
  /// OnChangeSetup.
  ZEL_RLV_COLOR(ColorText)
  ZEL_RLV_COLOR(ColorBkgdNormal)
  ZEL_RLV_COLOR(ColorBkgdShaded)
  ZEL_RLV_COLOR(ColorHigh)
  ZEL_RLV_COLOR(ColorHighText)
  ZEL_RLV_COLOR(ColorSelectedRow)
  ZEL_RLV_COLOR(ColorSelectedRowText)
  ZEL_RLV_COLOR(ColorSelectedCol)
  ZEL_RLV_COLOR(ColorSelectedColText)
  ZEL_RLV_COLOR(ColorSelectedBoth)
  ZEL_RLV_COLOR(ColorSelectedBothText)
  ZEL_RLV_COLOR(ColorDisabledBkgd)
  ZEL_RLV_COLOR(ColorDisabledText)
  ZEL_RLV_COLOR(ColorColumnHdText)
  ZEL_RLV_COLOR(ColorCommonHd)
  ZEL_RLV_COLOR(ColorCommonHdText)
  ZEL_RLV_COLOR(ColorEmptyMsg)
#undef ZEL_RLV_COLOR
  ///@}
  ///@{
  /// The column header colour is the grid's fixed colour; a write repaints and
  /// fires OnChangeSetup.
  TColor ColorColumnHd() const { return FixedColor(); }
  void SetColorColumnHd(TColor v);
  ///@}

  // --- events
  ///@{
  /// Asked before a data cell is drawn, with its data column and row: may change
  /// the pen, background and font colours, the font styles and the text (as
  /// stored, with the flag of a check cell; "******" in password columns).
  const TRenderCellEvent& OnBeforeRenderCell() const { return FOnBeforeRenderCell; }
  void SetOnBeforeRenderCell(TRenderCellEvent e) { FOnBeforeRenderCell = std::move(e); }
  ///@}
  ///@{
  /// Called by Elem with the text it read; what the handler leaves is what Elem
  /// returns (painting and files use the stored text).
  const TReadCellEvent& OnReadCell() const { return FOnReadCell; }
  void SetOnReadCell(TReadCellEvent e) { FOnReadCell = std::move(e); }
  ///@}
  ///@{
  /// Asked before a click toggles a check mark, with the state the cell will
  /// get, which the handler may change (a radio cell ends checked anyway).
  const TCheckStateChangeEvent& OnBeforeCheckedChange() const { return FOnBeforeCheckedChange; }
  void SetOnBeforeCheckedChange(TCheckStateChangeEvent e) { FOnBeforeCheckedChange = std::move(e); }
  ///@}
  ///@{
  /// After a click toggled a check mark; State is the opposite of the state
  /// OnBeforeCheckedChange left (the cell's state before the click, unless that
  /// handler changed it).
  const TCheckStateChangeEvent& OnCheckedChange() const { return FOnCheckedChange; }
  void SetOnCheckedChange(TCheckStateChangeEvent e) { FOnCheckedChange = std::move(e); }
  ///@}
  ///@{
  /// After a cursor key moved the current cell (and, in a row select mode, the
  /// selection), with the key; OnSelectedChange follows unless RowSelectMode
  /// is 0.
  const TCursorKeyActionEvent& OnCursorKeyAction() const { return FOnCursorKeyAction; }
  void SetOnCursorKeyAction(TCursorKeyActionEvent e) { FOnCursorKeyAction = std::move(e); }
  ///@}
  ///@{
  /// The row or column selection, or the enabled rows, changed.
  const host::TNotifyEvent& OnSelectedChange() const { return FOnSelectedChange; }
  void SetOnSelectedChange(host::TNotifyEvent e) { FOnSelectedChange = std::move(e); }
  ///@}
  ///@{
  /// The data changed: cells, headers, formats, check marks, rows or columns.
  const host::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(host::TNotifyEvent e) { FOnChange = std::move(e); }
  ///@}
  ///@{
  /// The layout or the look changed: counts, widths, the row height, colours
  /// and the look settings.
  const host::TNotifyEvent& OnChangeSetup() const { return FOnChangeSetup; }
  void SetOnChangeSetup(host::TNotifyEvent e) { FOnChangeSetup = std::move(e); }
  ///@}
  ///@{
  /// Asked by FilterAndSort for every row (see TBeforeFilterEvent).
  const TBeforeFilterEvent& OnBeforeFilter() const { return FOnBeforeFilter; }
  void SetOnBeforeFilter(TBeforeFilterEvent e) { FOnBeforeFilter = std::move(e); }
  ///@}
  ///@{
  /// Forwarded from the table with the view as Sender: the sort key of a cell,
  /// the text of every cell of an HTML export, and the progress of long loads
  /// and sorts.
  const TBeforeSortExchgEvent& OnBeforeSortExchange() const { return FOnBeforeSortExchange; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent e) { FOnBeforeSortExchange = std::move(e); }
  const TBeforeHTMLExportEvent& OnBeforeHTMLExport() const { return FOnBeforeHTMLExport; }
  void SetOnBeforeHTMLExport(TBeforeHTMLExportEvent e) { FOnBeforeHTMLExport = std::move(e); }
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent e) { FOnPercentDone = std::move(e); }
  ///@}

  // --- the row edit dialog (ZEL_replist_dialog.cpp)
  ///@{
  /// Edits data row Row in a dialog of one labelled field per column, chosen
  /// by the column formats (see ZEL_replist_dialog.h): a new form captioned
  /// "Editing Row <Row>" with "OK" and "Cancel" at screen position
  /// (PosLeft, PosTop), or the caller's captions. OK writes every field back
  /// (one repaint, one OnChange); anything else changes nothing. Returns the
  /// modal result (1 OK, 2 Cancel).
  int EditRowEntries(int Row, int PosLeft, int PosTop);
  int EditRowEntries(int Row, int PosLeft, int PosTop, const std::string& FormCaption,
                     const std::string& ButOKCaption, const std::string& ButCancelCaption);
  ///@}
  /// The fields go on the caller's form at (PosLeft, PosTop), without buttons;
  /// the form's caption becomes empty and the form grows to hold the fields.
  /// The fields are gone again when the call returns, so it can be repeated.
  int EditRowEntries(int Row, host::TForm* ContainerForm, int PosLeft, int PosTop);
  ///@{
  /// The dialog's handlers: OK (result 1), Cancel (result 2), and Enter in
  /// any enabled field (result 1).
  void EdRowOKClick(host::TObject* Sender);
  void EdRowCancelClick(host::TObject* Sender);
  void EdRowKeyPress(host::TObject* Sender, char32_t& Key);
  ///@}
  ///@{
  /// Asked for each column before the row dialog builds its field (see
  /// TRequestEditFormatEvent).
  const TRequestEditFormatEvent& OnRequestEditFormat() const { return FOnRequestEditFormat; }
  void SetOnRequestEditFormat(TRequestEditFormatEvent e) { FOnRequestEditFormat = std::move(e); }
  ///@}

  /// Repaints after moving.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  /// "TReportListView".
  std::string ClassName() const override { return "TReportListView"; }

 protected:
  /// The host grid's paint, cell and input handlers, as this list answers them.
  ///@{
  void Paint() override;
  void DrawCell(int ACol, int ARow, const host::TRect& ARect, host::TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;
  ///@}
  /// in-place editing (ZEL_replist_view_edit.cpp): the events get the data
  /// row; a check cell keeps its flag.
  ///@{
  bool CanEditShow() override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  host::TInplaceEdit* CreateEditor() override;
  ///@}
  /// The window's creation ends the paint suppression; the mouse and keyboard
  /// handlers run after the host grid's own.
  ///@{
  void CreateWnd() override;
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void MouseMove(host::TShiftState Shift, int X, int Y) override;
  void MouseUp(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void KeyDown(host::Word& Key, host::TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  ///@}

 private:
  TRLData* FRLData = nullptr;  // owned (a component of this view)
  std::vector<TAlignment> FColAlignment;
  std::vector<uint8_t> FColumnEditable;
  std::vector<uint8_t> FColumnIsPwd;
  std::vector<int> FColOrder;  // grid column -> data column from 0
  int FSelectAnchor = 1;
  int FLastMousePosX = 0, FLastMousePosY = 0;
  bool FSuppressPaint = true;
  int FInterRowIndi = 0;

  bool FAutoAdvance = false;
  TColor FColorText = 0x002000;
  TColor FColorBkgdNormal = 0xFFFFFF;
  TColor FColorBkgdShaded = 0xF0EFE8;
  TColor FColorHigh = 0xCC9966, FColorHighText = 0xFFFFFF;
  TColor FColorSelectedRow = 0x94BAED, FColorSelectedRowText = 0x800000;
  TColor FColorSelectedCol = 0, FColorSelectedColText = 0;
  TColor FColorSelectedBoth = 0, FColorSelectedBothText = 0;
  TColor FColorDisabledBkgd = 0xF0F0F0, FColorDisabledText = 0xC0C0C0;
  TColor FColorColumnHdText = 0;
  TColor FColorCommonHd = host::clBtnFace, FColorCommonHdText = 0;
  TColor FColorEmptyMsg = 0;
  TAlignment FCommonHeaderAlignment = host::taCenter;
  bool FCommonHeaderVisible = false;
  int FCommonHeaderHeight = 20;
  bool FColumnHeadersVisible = true;
  int FColumnHeadersHeight = 20;
  std::string FEmptyMessage;
  int FHighLightRow = 0, FHighLightColumn = 0;
  bool FHighLightBold = false;
  TColor FInterRowIndicatorColor = 0x0000FF;
  int FInterRowIndicatorWidth = 3;
  int FRowColPattern = 1;
  int FRowSelectMode = 1;
  bool FShowEmptyCheckBoxes = true;
  bool FSortEnabled = true;
  bool FUseCtrlForMultiSel = true;
  bool FCheckMarksReadOnly = false;

  TRenderCellEvent FOnBeforeRenderCell;
  TReadCellEvent FOnReadCell;
  TCheckStateChangeEvent FOnBeforeCheckedChange, FOnCheckedChange;
  TCursorKeyActionEvent FOnCursorKeyAction;
  host::TNotifyEvent FOnSelectedChange, FOnChange, FOnChangeSetup;
  TBeforeFilterEvent FOnBeforeFilter;
  TBeforeSortExchgEvent FOnBeforeSortExchange;
  TBeforeHTMLExportEvent FOnBeforeHTMLExport;
  TOnPercentDoneEvent FOnPercentDone;
  TRequestEditFormatEvent FOnRequestEditFormat;

  // The row dialog while it runs: its form and its Cancel button.
  host::TForm* FContainerForm = nullptr;
  host::TControl* FSBERCancel = nullptr;

  // Bulk work: nesting depth, and whether the store changed meanwhile.
  int FBulkDepth = 0;
  bool FBulkDirty = false;
  // True while the view writes selection or enabled bits: those are not data
  // changes and raise no OnChange.
  bool FAttribWrite = false;
  // Selected-row bookkeeping: count (-1 = unknown, recount on demand) and the
  // only selected row when the count is 1 (0 = not known).
  mutable int FSelCount = 0;
  mutable int FSelRow = 0;
  int FNumFiltered = 0;  // rows carrying kRowFiltered

  // construction and notifications (ZEL_replist_view.cpp)
  enum TBulkKind : uint8_t { bkData, bkSelection, bkQuiet };
  // Runs work with painting suppressed and store changes held back, then
  // repaints once and fires one OnChange (bkData, when something changed) or
  // one OnSelectedChange (bkSelection). An exception restores the state and
  // passes on without events.
  void RunBulk(TBulkKind kind, const std::function<void()>& work);
  void StoreChanged();
  void Changed();       // OnChange
  void ChangedSetup();  // OnChangeSetup
  void SelectedChanged();
  void Redraw();
  void WireTable();
  void ResizeColumnArrays(int n);
  void ResetColumnOrder();
  void ApplyGridShape();
  void SetHeadSetting(bool& field, bool v);  // a header row shown or not
  void SetHeadSetting(int& field, int v);    // a header height, 8..127
  [[noreturn]] void RaiseNoMemory() const;
  bool ValidCol(int c) const { return c >= 1 && c <= NrOfColumns(); }
  bool ValidRow(int r) const { return r >= 1 && r <= NrOfRows(); }
  int GridRowOf(int r) const { return r + HeadCount() - 1; }
  int DataRowOf(int g) const { return g - HeadCount() + 1; }
  // A look setting: store, repaint when it changed, OnChangeSetup always.
  template <class T>
  void SetLook(T& field, T v) {
    if (field != v) field = v, Redraw();
    ChangedSetup();
  }
  // A display switch: store and repaint only when it changed.
  template <class T>
  void SetFlag(T& field, T v) {
    if (field != v) field = v, Redraw();
  }
  // selection (ZEL_replist_view_select.cpp)
  void PutRowBit(int r, uint8_t bit, bool on);
  void WriteRowAttrib(int r, uint8_t a);
  void WriteColAttrib(int c, uint8_t a);
  void ClearRowSelection();
  void SelectOnly(int r);
  void SetAllRowBits(uint8_t bit, bool on);
  void SetAllColBits(bool on);
  void ForgetSelection() { FSelCount = -1, FSelRow = 0; }
  void ApplyHiddenRows();
  // layout (ZEL_replist_view_layout.cpp)
  void ApplyHeadRowHeights();
  int HeadHeight() const;
  int ColumnHeaderRow() const { return FCommonHeaderVisible ? 1 : 0; }
  host::TRect TextRectOf(const host::TRect& cell) const;
  // paint (ZEL_replist_view_paint.cpp)
  void PaintDataCell(int ACol, int ARow, const host::TRect& ARect);
  void PaintColumnHeader(int ACol, const host::TRect& ARect);
  void PaintCommonHeader();
  void PaintEmptyTable();
  void PaintIndicator();
  void DrawCheckGlyph(host::TCanvas* c, const host::TRect& cell, TCheckMode mode, bool checked,
                      TColor outline, TColor mark);
  void DrawRaisedEdge(host::TCanvas* c, int L, int T, int R, int B);
  void DrawSortArrow(host::TCanvas* c, int X, int Y, int h, bool ascending);
  // input (ZEL_replist_view_input.cpp)
  bool HeaderSortClick(int X, int Y);
  void DataCellClick(int col, int row, host::TShiftState Shift, int X);
  void ToggleCheck(int c, int r);
  void ClickSelect(int r, host::TShiftState Shift);
  // row dialog (ZEL_replist_dialog.cpp)
  int RunRowDialog(int Row, host::TForm* Form, bool OwnForm, int x0, int y0,
                   const std::string& Caption);
  // sort (ZEL_replist_view_sort.cpp)
  void SortByHeader(int dataCol);
  void ReorderRows(const std::function<void()>& work);
};

}  // namespace zel
