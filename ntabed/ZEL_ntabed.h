/// @file
/// TNTabEd: a grid that edits a numeric table (TDataTable): values with a state
/// byte each, column and row names and attributes, a precision per column and a
/// comment.
///
/// Coordinates. Data columns and rows count from 1. In front of them the grid
/// has fixed header cells: grid column 0 holds the row names, grid column 1 the
/// row attributes (only while AttribRowVisible); grid row 0 the column names,
/// grid row 1 the column attributes (only while AttribColVisible). Data cell
/// (c, r) is grid cell (c + FColOffset, r + FRowOffset), the offsets being 1
/// while the attribute column (row) shows, else 0.
///
/// Invariants. The grid has NrOfColumns + FColOffset + 1 columns and NrOfRows +
/// FRowOffset + 1 rows, FColOffset + 1 fixed columns and FRowOffset + 1 fixed
/// rows; FDecP holds one precision per data column. Every size change of the
/// table, whoever makes it, runs through DataHasBeenResized, which restores
/// these (new columns take the width of the last grid column and the precision
/// of the last data column; the precision list grows and shrinks at its end).
/// A table shared with another editor may change size behind this one's back;
/// Paint brings the grid back in step before it draws.
///
/// Change and paint. Writers clamp, store, invalidate and raise their event. An
/// operation over many cells sets the internal suppression, works, lifts it,
/// invalidates once and raises one event. While SuppressPaint or the internal
/// suppression is set nothing paints and no change event is raised (except
/// OnPercentDone and OnTopLeftChanged). A writer that delegates to the table
/// suppresses the table's own echo notification and raises the editor's event
/// for the change instead, so each change is reported once, in its own terms.
///
/// Editing. A first click selects a cell, a second one on it edits; typed
/// text is stored as a number ("," or "."), or in a nominal or ordinal column
/// as a category name or code. Text that is neither marks the cell invalid and
/// keeps its value. Locked cells and read-only data take no typing; Enter
/// still advances (AutoAdvance). Right clicks open the built-in data and
/// header menus (unless PopupMenu is set or BlockInternalPopup), the corner
/// cell opens the comment editor. The clipboard carries blocks as
/// tab-separated text lines.
///
/// Borrowed tables. AssignAnotherDataMatrix makes Data a table this editor does
/// not own. Its five notifications are then attached with this editor as their
/// tag; when the editor is freed or given another table, the notifications that
/// still carry its tag are detached (another editor may have taken some over).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Zel_datatable.h"
#include "foundation/Zel_zelbase.h"
#include "host/grid/Grids.h"

namespace host {
class TEdit;
class TMemo;
class TMenuItem;
class TPopupMenu;
}  // namespace host

namespace zel {

/// Raised by TNTabEd.
class EZELNTabedError : public EZELError {
 public:
  using EZELError::EZELError;
};

/// Last chance to change a data cell's text, colours and font style before it is
/// drawn; colix and rowix are data coordinates.
using TBeforeRenderCellEvent =
    std::function<void(host::TObject* Sender, int colix, int rowix, std::string& Text,
                       TColor& ColorText, TColor& ColorBakg, host::TFontStyles& FontStyles)>;

/// Called with the built-in menu about to open, so a program can adjust it.
using TBeforePopupEvent = std::function<void(host::TObject* Sender, host::TPopupMenu* PMenu)>;

/// A grid that edits a numeric table: values with states, names, attributes,
/// precisions and a comment.
class TNTabEd : public host::TCustomGrid {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TNTabEd(host::TComponent* AOwner);
  /// Frees the owned table, the editors and the menus.
  ~TNTabEd() override;

  /// The table shown: owned by the editor unless AssignAnotherDataMatrix gave it.
  TDataTable* Data = nullptr;

  // --- dimensions (values below 1 count as 1)
  ///@{
  /// Data columns of the table; a write resizes it (see DataHasBeenResized in the
  /// class comment) and raises OnChange.
  int NrOfColumns() const { return Data->NrOfColumns(); }
  void SetNrOfColumns(int n);
  ///@}
  ///@{
  /// Data rows of the table; a write resizes it and raises OnChange.
  int NrOfRows() const { return Data->NrOfRows(); }
  void SetNrOfRows(int n);
  ///@}
  /// Both sizes at once, one repaint and one OnChange.
  void Redimension(int NrCols, int NrRows);
  /// Insert before ix (count + 1 appends); ignored outside 1..count + 1.
  ///@{
  void InsertRow(int ix);
  void InsertColumn(int ix);
  ///@}
  /// Ignored outside 1..count and for the last row (column).
  ///@{
  void RemoveRow(int ix);
  void RemoveColumn(int ix);
  ///@}
  /// Reverse the columns (rows); names, attributes and precisions go along.
  ///@{
  void MirrorColumns();
  void MirrorRows();
  ///@}
  ///@{
  /// First visible data column (row); writes are clamped to 1..count.
  int LeftCol() const { return TCustomGrid::LeftCol() - FColOffset; }
  void SetLeftCol(int v);
  int TopRow() const { return TCustomGrid::TopRow() - FRowOffset; }
  void SetTopRow(int v);
  ///@}

  // --- header layout
  ///@{
  /// Shows the row-attribute column (grid column 1; default on).
  bool AttribRowVisible() const { return FColOffset == 1; }
  void SetAttribRowVisible(bool v);
  ///@}
  ///@{
  /// Shows the column-attribute row (grid row 1; default off).
  bool AttribColVisible() const { return FRowOffset == 1; }
  void SetAttribColVisible(bool v);
  ///@}
  ///@{
  /// Index > 0: a data column; 0: the row-name column; < 0: the row-attribute
  /// column (reads 0 and ignores writes while hidden).
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Width);
  ///@}
  ///@{
  /// The same mapping onto rows (< 0: the column-attribute row).
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Height);
  ///@}
  /// Sets every data column's width and puts 80 back on the row-name column
  /// and, while it shows, the attribute column's own width.
  void SetDefaultColWidth(int v);

  // --- names, attributes, precision, comment
  ///@{
  /// Name of data column ColNr; a write raises OnHeadingChanged.
  TDTNameStr ColName(int ColNr) const { return Data->GetColName(ColNr); }
  void SetColName(int ColNr, const std::string& Name);
  ///@}
  ///@{
  /// Name of data row RowNr; a write raises OnHeadingChanged.
  TDTNameStr RowName(int RowNr) const { return Data->GetRowName(RowNr); }
  void SetRowName(int RowNr, const std::string& Name);
  ///@}
  ///@{
  /// Attribute byte of data column ColNr; a write raises OnAttributeChanged.
  uint8_t ColAttrib(int ColNr) const { return Data->GetColAttrib(ColNr); }
  void SetColAttrib(int ColNr, uint8_t Attrib);
  ///@}
  ///@{
  /// Attribute byte of data row RowNr; a write raises OnAttributeChanged.
  uint8_t RowAttrib(int RowNr) const { return Data->GetRowAttrib(RowNr); }
  void SetRowAttrib(int RowNr, uint8_t Attrib);
  ///@}
  ///@{
  /// -1..10: 0..8 decimals in fixed notation, -1, 9 and 10 exponent notation.
  /// Reads 0 outside 1..NrOfColumns.
  int8_t Precision(int ColNr) const;
  void SetPrecision(int ColNr, int Prec);
  ///@}
  /// The table's comment, edited in the corner cell's comment editor.
  const std::string& Comment() const { return Data->Comment(); }
  /// Control characters are dropped.
  void SetComment(const std::string& Text);
  /// Nominal columns: scale type and category names go to the table.
  ///@{
  void SetMScaleType(int ColNr, uint8_t Type);
  void SetNominalID(int ColNr, int Ordinal, const std::string& ID);
  ///@}
  /// The data column (row) of a name, as the table finds it.
  ///@{
  int FindColIndex(const std::string& ColID) const { return Data->FindColIndex(ColID); }
  int FindRowIndex(const std::string& RowID) const { return Data->FindRowIndex(RowID); }
  ///@}

  // --- values and states
  ///@{
  /// The value of a data cell (the table's GetElem / SetElem).
  double Elem(int ACol, int ARow) const { return Data->GetElem(ACol, ARow); }
  void SetElem(int ACol, int ARow, double v) { Data->SetElem(ACol, ARow, v); }
  ///@}
  /// Writes Value into every data cell (states stay).
  void Fill(double Value) { Data->ElemMatrix().Fill(Value); }
  /// Sets Value into every cell whose state has a bit of StateMask; returns the
  /// number of cells written.
  int FillMarkedCells(double Value, uint8_t StateMask);
  ///@{
  /// The state byte of a data cell (kcsEmpty, the marks ...); a write raises
  /// OnCellStateChanged.
  uint8_t CellState(int ACol, int ARow) const { return Data->GetCellState(ACol, ARow); }
  void SetCellState(int ACol, int ARow, uint8_t State);
  ///@}
  ///@{
  /// The cell's empty bit (kcsEmpty).
  bool IsEmpty(int ACol, int ARow) const { return CellState(ACol, ARow) & kcsEmpty; }
  void SetIsEmpty(int ACol, int ARow, bool v) { SetStateBit(ACol, ARow, kcsEmpty, v); }
  ///@}
  /// Whether the cell holds a number (not empty, not invalid).
  bool IsNumber(int ACol, int ARow) const { return Data->GetIsNumber(ACol, ARow); }
  ///@{
  /// The cell's mark A bit (kcsMarkedA), drawn in ColorMarkedA.
  bool ElemMarkedA(int ACol, int ARow) const { return CellState(ACol, ARow) & kcsMarkedA; }
  void SetElemMarkedA(int ACol, int ARow, bool v) { SetStateBit(ACol, ARow, kcsMarkedA, v); }
  ///@}
  ///@{
  /// The cell's mark B bit (kcsMarkedB), drawn in ColorMarkedB.
  bool ElemMarkedB(int ACol, int ARow) const { return CellState(ACol, ARow) & kcsMarkedB; }
  void SetElemMarkedB(int ACol, int ARow, bool v) { SetStateBit(ACol, ARow, kcsMarkedB, v); }
  ///@}
  /// State runs over every cell: mark all A, mark all B, unmark all, invert the
  /// bits of StateMask, exchange marks A and B. One repaint and one
  /// OnCellStateChanged each.
  ///@{
  void MarkAllElemsA() {
    BulkStates([this] { Data->SetCellStateBits(kcsMarkedA); });
  }
  void MarkAllElemsB() {
    BulkStates([this] { Data->SetCellStateBits(kcsMarkedB); });
  }
  void UnMarkAllElems() {
    BulkStates([this] { Data->UnmarkAllCells(); });
  }
  void InvertCellStates(uint8_t StateMask) {
    BulkStates([this, StateMask] { Data->InvertCellStates(StateMask); });
  }
  void ExchangeMarkings() {
    BulkStates([this] { Data->ExchangeMarkings(); });
  }
  ///@}
  /// Whether a row or column holds a marked cell, whether any cell is marked, and
  /// the counts of cells marked A and B.
  ///@{
  bool IfRowMarked(int RowNr) const { return Data->RowStates(RowNr) > 63; }
  bool IfColumnMarked(int ColNr) const { return Data->ColumnStates(ColNr) > 63; }
  bool IfAnyMarked() const { return Data->CountCellStates(kcsMarks) > 0; }
  int NrOfMarkedDataA() const { return Data->CountCellStates(kcsMarkedA); }
  int NrOfMarkedDataB() const { return Data->CountCellStates(kcsMarkedB); }
  ///@}
  /// Resets the table's content, names the columns "C-1".. and the rows "R-1"..
  /// and sets every precision to 3.
  void Clear();

  // --- tables
  /// Shows NewDTab instead of the current table (freeing the current one when
  /// the editor owns it). The editor never frees NewDTab; it must outlive the
  /// editor or be replaced first. nullptr and the current table are ignored.
  void AssignAnotherDataMatrix(TDataTable* NewDTab);
  /// Whether Data is a borrowed table.
  bool ExternalDataAssigned() const { return FExtMatAssigned; }
  /// Takes ExtTab's table content and precisions (its table, not its settings).
  void CopyContentsFrom(const TNTabEd& ExtTab);
  /// Takes the states of the cells both editors have.
  void CopyCellStatesFrom(const TNTabEd& ExtTab);
  /// Sorts as the table's sorts of the same names do (the block LowCol..HighCol
  /// x LowRow..HighRow, stable, headings along with IncludeHeaders). Precisions
  /// follow exchanged columns whenever the headings do.
  void SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                bool IncludeHeaders);
  /// The same by a row's values.
  void SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                bool IncludeHeaders);
  /// By the column (row) attributes.
  ///@{
  void SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  ///@}
  /// By names; the form without IgnoreCase compares case-sensitively.
  ///@{
  void SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
    SortColNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
  }
  void SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                    int HighRow);
  void SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
    SortRowNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
  }
  void SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                    int HighRow);
  ///@}

  // --- rendering
  /// Sets the row's height to fit the font: TextHeight + Addon + 2, at least 8.
  /// RowNr 0 is the name row, < 0 the attribute row (nothing while hidden).
  int AutoRowHeight(int RowNr, int Addon);
  /// Sets the column's width to its widest text + 8 + Addon (at least 4) and
  /// returns it. ColNr -1 is the attribute column, 0 the name column.
  int AutoColWidth(int ColNr, bool IncludeHeader, int Addon);
  /// The text a data cell shows (empty, "-nan-", a category or a number).
  std::string CellText(int ACol, int ARow) const;

  // --- properties
  ///@{
  /// Enter moves the cursor to the next cell (default on), in AutoAdvanceDir.
  bool AutoAdvance() const { return FAutoAdvance; }
  void SetAutoAdvance(bool v) { FAutoAdvance = v; }
  ///@}
  ///@{
  /// Where Enter moves: orVertical (default) down, else right.
  TOrientation AutoAdvanceDir() const { return FAutoAdvDir; }
  void SetAutoAdvanceDir(TOrientation v) { FAutoAdvDir = v; }
  ///@}
  ///@{
  /// Right clicks open no built-in menu (default off).
  bool BlockInternalPopup() const { return FBlockIntPopup; }
  void SetBlockInternalPopup(bool v) { FBlockIntPopup = v; }
  ///@}
  ///@{
  /// The corner cell opens the comment editor (default on).
  bool CommentEditingAllowed() const { return FCommEdAllowed; }
  void SetCommentEditingAllowed(bool v) { FCommEdAllowed = v; }
  ///@}
  ///@{
  /// Copies values with full precision (default on) instead of as shown.
  bool ClipboardUseFullPrec() const { return FClipUseFullPrec; }
  void SetClipboardUseFullPrec(bool v) { FClipUseFullPrec = v; }
  ///@}
  /// Lines the category drop-down of a nominal column shows (default 8).
  int NomEditDropDownCount() const { return FDropdownCount; }
  /// Updates an in-place editor that already exists.
  void SetNomEditDropDownCount(int v);
  ///@{
  /// No typing, pasting or clearing of data (default off); navigation stays.
  bool DataReadOnly() const { return FReadOnly; }
  void SetDataReadOnly(bool v);
  ///@}
  ///@{
  /// 1..20; other values are ignored (OnLayoutChanged is raised either way).
  int NumWidth() const { return FNumWidth; }
  void SetNumWidth(int v);
  ///@}
  ///@{
  /// Row heights follow the font (default off).
  bool OptimizeRowHeight() const { return FOptRowHeight; }
  void SetOptimizeRowHeight(bool v);
  ///@}
  ///@{
  /// Draws the focus frame on the current cell (default on).
  bool ShowCellCursor() const { return FShowCellCursor; }
  void SetShowCellCursor(bool v);
  ///@}
  ///@{
  /// Marked cells in bold (default on).
  bool BoldMarks() const { return FBoldMarks; }
  void SetBoldMarks(bool v) { SetLayoutField(FBoldMarks, v); }
  ///@}
  ///@{
  /// The headers of the selected range in bold (default on).
  bool BoldSelHeads() const { return FBoldSelHeads; }
  void SetBoldSelHeads(bool v) { SetLayoutField(FBoldSelHeads, v); }
  ///@}
  /// No painting and no change events while set (default off).
  bool SuppressPaint() const { return FSuppressPaint; }
  /// Lifting it repaints at once.
  void SetSuppressPaint(bool v);

  ///@{
  /// The grid's background colour (its Color).
  TColor ColorBackground() const { return Color(); }
  void SetColorBackground(TColor c);
  ///@}
  ///@{
  /// Colour of the header cells (the grid's FixedColor).
  TColor ColorFixed() const { return FixedColor(); }
  void SetColorFixed(TColor c);
  ///@}
  ///@{
  /// Text colour of plain data cells (default 0x002000, dark green).
  TColor ColorNormal() const { return FColorNormal; }
  void SetColorNormal(TColor c) { SetLayoutField(FColorNormal, c); }
  ///@}
  ///@{
  /// Text colour of selected cells (default dark grey).
  TColor ColorSelected() const { return FColorSelected; }
  void SetColorSelected(TColor c) { SetLayoutField(FColorSelected, c); }
  ///@}
  ///@{
  /// Text colours of cells marked A (default red), B (default blue) and both
  /// (default purple).
  TColor ColorMarkedA() const { return FColorMarked1; }
  void SetColorMarkedA(TColor c) { SetLayoutField(FColorMarked1, c); }
  TColor ColorMarkedB() const { return FColorMarked2; }
  void SetColorMarkedB(TColor c) { SetLayoutField(FColorMarked2, c); }
  TColor ColorMarkedBoth() const { return FColorMarkedBoth; }
  void SetColorMarkedBoth(TColor c) { SetLayoutField(FColorMarkedBoth, c); }
  ///@}
  ///@{
  /// Text and background of the selected range (default 0x80552C on 0xF8E8E0).
  TColor ColorRangeSelFG() const { return FColorRngSelFG; }
  void SetColorRangeSelFG(TColor c) { SetLayoutField(FColorRngSelFG, c); }
  TColor ColorRangeSelBG() const { return FColorRngSelBG; }
  void SetColorRangeSelBG(TColor c) { SetLayoutField(FColorRngSelBG, c); }
  ///@}

  // --- events
  /// Declares the getter and setter of one event.
#define ZEL_NTABED_EVENT(Type, Name, Field)  \
  const Type& Name() const { return Field; } \
  void Set##Name(Type h) { Field = std::move(h); }
  /// The events: OnChange after data changes, OnChangeSetup after settings,
  /// OnHeadingChanged, OnAttributeChanged, OnLayoutChanged, OnCellStateChanged
  /// and OnSelectionChanged after their kind of change, OnTopLeftChanged after
  /// scrolling, OnPaste after a paste, OnClear instead of the built-in clearing
  /// of the selection, OnPercentDone for long operations, OnBeforeRenderCell
  /// before each data cell is drawn, OnGetEditText and OnSetEditText around
  /// in-place editing, OnBeforePopup before a built-in menu opens.
  ///@{
  ZEL_NTABED_EVENT(host::TNotifyEvent, OnChange, FOnChange)
  ZEL_NTABED_EVENT(host::TNotifyEvent, OnChangeSetup, FOnChangeSetup)
  ZEL_NTABED_EVENT(host::TNotifyEvent, OnHeadingChanged, FOnHeadingChanged)
  ZEL_NTABED_EVENT(host::TNotifyEvent, OnAttributeChanged, FOnChangeAttrib)
  ZEL_NTABED_EVENT(host::TNotifyEvent, OnLayoutChanged, FOnChangeLayout)
  ZEL_NTABED_EVENT(host::TNotifyEvent, OnCellStateChanged, FOnChangeCellSt)
  ZEL_NTABED_EVENT(host::TNotifyEvent, OnSelectionChanged, FOnSelChanged)
  ZEL_NTABED_EVENT(host::TNotifyEvent, OnTopLeftChanged, FOnTopLeftChanged)
  ZEL_NTABED_EVENT(host::TNotifyEvent, OnPaste, FOnPaste)
  ZEL_NTABED_EVENT(host::TNotifyEvent, OnClear, FOnClear)
  ZEL_NTABED_EVENT(TOnPercentDoneEvent, OnPercentDone, FOnPercentDone)
  ZEL_NTABED_EVENT(TBeforeRenderCellEvent, OnBeforeRenderCell, FOnBeforeRenderCell)

  ZEL_NTABED_EVENT(host::TGetEditEvent, OnGetEditText, FOnGetEditText)
  ZEL_NTABED_EVENT(host::TSetEditEvent, OnSetEditText, FOnSetEditText)
  ZEL_NTABED_EVENT(TBeforePopupEvent, OnBeforePopup, FOnBeforePopup)
  ///@}
#undef ZEL_NTABED_EVENT

  // --- editing of headings and the comment (ZEL_ntabed_edit.cpp)
  /// Opens the heading editor on a header cell (grid coordinates): names of
  /// grid row 0 and column 0, attributes of the attribute row and column.
  void EditHeading(int ACol, int ARow);
  /// Opens the comment editor over the data cells.
  void EditComment();
  /// The editors while they exist (they are made on first use).
  ///@{
  host::TEdit* HeadingEditor() const { return FHeadEdit; }
  host::TMemo* CommentEditor() const { return FCommentEdit; }
  ///@}
  /// Whether the heading (comment) editor is showing now.
  ///@{
  bool HeadingEditorOpen() const;
  bool CommentEditorOpen() const;
  ///@}

  // --- popup menus (ZEL_ntabed_menus.cpp)
  /// The data menu (items "DIt1".."DIt12", the first four with submenus) and
  /// the header menu ("HIt1".."HIt5").
  ///@{
  host::TPopupMenu* PopupDTAction() const { return FDataMenu; }
  host::TPopupMenu* PopupHTAction() const { return FHeadMenu; }
  ///@}
  ///@{
  /// Captions, at most 50 characters; an index out of range reads "" and
  /// writes nothing. M and U captions name the items of both marking
  /// (unmarking) submenus.
  std::string PopupDCaptions(int Index) const;
  void SetPopupDCaptions(int Index, const std::string& Caption);
  std::string PopupHCaptions(int Index) const;
  void SetPopupHCaptions(int Index, const std::string& Caption);
  std::string PopupMCaptions(int Index) const;
  void SetPopupMCaptions(int Index, const std::string& Caption);
  std::string PopupUCaptions(int Index) const;
  void SetPopupUCaptions(int Index, const std::string& Caption);
  ///@}
  ///@{
  /// Bit i - 1 enables item i; writing applies the bits, then OnChangeSetup.
  int PopupDMask() const { return FDMask; }
  void SetPopupDMask(int Mask);
  int PopupHMask() const { return FHMask; }
  void SetPopupHMask(int Mask);
  ///@}
  ///@{
  /// Kept for the program; the submenus do not use them.
  int PopupMMask() const { return FMMask; }
  void SetPopupMMask(int Mask) { FMMask = Mask; }
  int PopupUMask() const { return FUMask; }
  void SetPopupUMask(int Mask) { FUMask = Mask; }
  ///@}
  /// The grid cell of the last mouse press or release; header actions act on it.
  host::TGridCoord PopupClickPos() const { return FClickPos; }

  /// The data menu's actions, on the selection.
  /// Marks (Set) or unmarks the state bits Bits over a scope: 0 the selected
  /// cells, 1 their whole columns, 2 their whole rows, 3 every cell.
  void MarkCells(int Scope, uint8_t Bits, bool Set);
  /// Value 0 and state 0 for every selected cell, unless OnClear takes over.
  void ClearSelection();
  /// Toggles the empty bit of the selected cells.
  void ToggleEmptySelection();
  /// Selects every data cell.
  void SelectAllData();

  // --- clipboard (ZEL_ntabed_clip.cpp)
  /// Puts the selected cells on the clipboard as tab-separated lines and keeps
  /// their values and states for PasteCopy.
  void CopySelection();
  /// Writes the last copy back at the selection's top-left (values and states),
  /// dropping what does not fit; nothing before the first copy.
  void PasteCopy();
  /// Whether CopySelection has run, so PasteCopy has something to write.
  bool CopyDone() const { return FCopyDone; }
  /// Reads the numbers of any text on the clipboard into the cells from the
  /// selection's top-left on ("," separates numbers there); states stay.
  void ExtractFromClipboard();
  /// The size of the number matrix on the clipboard ("," is a decimal
  /// separator here); false, with 1 x 1, when the clipboard holds no number.
  bool GetClipMatrixSize(int& NCols, int& NRows) const;
  /// The text a data cell copies as: "####" unless it is a number.
  std::string ClipCellText(int ACol, int ARow) const;

  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TNTabEd"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  void DrawCell(int ACol, int ARow, const host::TRect& ARect, host::TGridDrawState AState) override;
  void TopLeftChanged() override;
  void CMFontChanged(host::TMessage& Message) override;
  ///@}
  /// in-place editing (ZEL_ntabed_edit.cpp)
  std::string GetEditText(int ACol, int ARow) override;
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  host::TEditStyle GetEditStyle(int ACol, int ARow) override;
  host::TInplaceEdit* CreateEditor() override;
  ///@}
  /// keys and mouse (ZEL_ntabed_input.cpp)
  void KeyDown(host::Word& Key, host::TShiftState Shift) override;
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void KeyPress(char32_t& Key) override;
  void WMGetDlgCode(host::TMessage& Message) override;
  void DoContextPopup(host::TPoint MousePos, bool& Handled) override;
  void MouseMove(host::TShiftState Shift, int X, int Y) override;
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void MouseUp(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(host::TShiftState Shift, host::TPoint MousePos) override;
  bool DoMouseWheelUp(host::TShiftState Shift, host::TPoint MousePos) override;
  ///@}

 private:
  // Sets the internal suppression for its lifetime, restoring what was before.
  class TInternSuppress {
   public:
    explicit TInternSuppress(TNTabEd& e) : FEd(e), FWas(e.FInternSuppPaint) {
      e.FInternSuppPaint = true;
    }
    /// Frees what the control owns.
    ~TInternSuppress() { FEd.FInternSuppPaint = FWas; }
    TInternSuppress(const TInternSuppress&) = delete;
    TInternSuppress& operator=(const TInternSuppress&) = delete;

   private:
    TNTabEd& FEd;
    bool FWas;
  };

  // construction, table wiring, dimensions, notifications (ZEL_ntabed.cpp)
  std::unique_ptr<TDataTable> FOwnData;
  bool FExtMatAssigned = false;
  int FColOffset = 1, FRowOffset = 0;
  std::vector<int8_t> FDecP;
  int FClassColWidth = 32;
  bool FSortIncludeHd = false;
  bool FSuppressPaint = false, FInternSuppPaint = false;
  host::TGridRect FOldSel{-1, -1, -1, -1};
  void AttachTable();
  void DetachTable();
  void DataHasBeenResized(int OldCols, int OldRows, int NewCols, int NewRows);
  void DataHasChanged();
  void SetupHasChanged();
  void ExchangeDuringSort(int Kind, int Ix1, int Ix2);
  // Brings grid size and precisions in step with the table.
  void SyncWithData();
  void ResizeData(int NrCols, int NrRows);
  void SetStateBit(int ACol, int ARow, uint8_t Bit, bool On);
  // Runs work with the internal suppression set (no paint, no table echo).
  template <typename Work>
  void Quietly(Work work) {
    TInternSuppress s(*this);
    work();
  }
  // Closes the cell editor, sorts quietly, repaints once and reports once.
  void RunSort(bool IncludeHeaders, const std::function<void()>& sort);
  template <typename Work>
  void BulkStates(Work work) {
    Quietly(work);
    Invalidate();
    ChangedCellStates();
  }
  template <typename T>
  void SetLayoutField(T& field, T v) {
    if (field == v) return;
    field = v;
    Invalidate();
    ChangedLayout();
  }
  // Shifts the sizes of grid columns (rows) 1.. by one place: right when
  // opening the attribute column (row), left when closing it.
  void ShiftSizes(bool cols, bool open);
  bool Suppressed() const { return FSuppressPaint || FInternSuppPaint; }
  void Raise(const host::TNotifyEvent& e) {
    if (!Suppressed() && e) e(this);
  }
  void ChangedData() { Raise(FOnChange); }
  void ChangedSetup() { Raise(FOnChangeSetup); }
  void ChangedHeading() { Raise(FOnHeadingChanged); }
  void ChangedAttrib() { Raise(FOnChangeAttrib); }
  void ChangedLayout() { Raise(FOnChangeLayout); }
  void ChangedCellStates() { Raise(FOnChangeCellSt); }
  void ChangedSelection() { Raise(FOnSelChanged); }
  // Compares the selection with the one last reported; on a change reports it
  // and redraws the headers and the cell cursor that show it.
  void CheckSelection();
  [[noreturn]] void OutOfMemory(const char* what) const;

  bool FAutoAdvance = true;
  TOrientation FAutoAdvDir = orVertical;
  bool FBlockIntPopup = false, FCommEdAllowed = true, FReadOnly = false;
  bool FClipUseFullPrec = true;
  bool FOptRowHeight = false, FShowCellCursor = true;
  int FNumWidth = 1;
  int FDropdownCount = 8;
  TColor FColorNormal = 0x002000, FColorSelected = 0x404040;
  TColor FColorMarked1 = 0x0000FF, FColorMarked2 = 0xFF0000, FColorMarkedBoth = 0xCC00BB;
  TColor FColorRngSelFG = 0x80552C, FColorRngSelBG = 0xF8E8E0;
  bool FBoldSelHeads = true, FBoldMarks = true;

  host::TNotifyEvent FOnChange, FOnChangeSetup, FOnHeadingChanged, FOnChangeAttrib, FOnChangeLayout,
      FOnChangeCellSt, FOnSelChanged, FOnTopLeftChanged, FOnPaste, FOnClear;
  TOnPercentDoneEvent FOnPercentDone;
  TBeforeRenderCellEvent FOnBeforeRenderCell;

  // painting (ZEL_ntabed_paint.cpp)
  void DrawDataCell(int c, int r, const host::TRect& rect, bool selected);
  void DrawHeaderCell(int ACol, int ARow, const host::TRect& rect);
  void DrawTopLeft(const host::TRect& rect);
  // The text of a fixed cell other than the top-left one, and whether it
  // belongs to the current column or row.
  std::string HeaderText(int ACol, int ARow, bool& current) const;
  int TextWidthOf(const std::string& s);

  // editing (ZEL_ntabed_edit.cpp)
  host::TGetEditEvent FOnGetEditText;
  host::TSetEditEvent FOnSetEditText;
  host::TEdit* FHeadEdit = nullptr;
  host::TMemo* FCommentEdit = nullptr;
  host::TGridCoord FHeadEditCell{-1, -1};
  static constexpr TColor kCommentColor = 0x808000;
  void StoreCellText(int c, int r, const std::string& Value);
  void HeadingKeyPress(char32_t& Key);
  void CommentKeyPress(char32_t& Key);
  void CloseComment(bool Store);
  void DrawCommentCaption();
  void SetEditing(bool On);

  // keys and mouse (ZEL_ntabed_input.cpp)
  host::TGridCoord FClickPos{-1, -1};
  host::TPoint FLastDown{-1, -1};
  bool CurrentLocked() const;
  bool CellLocked(host::TGridCoord g) const;
  void AfterNavigation();
  void DataCellPress(host::TMouseButton Button, host::TGridCoord cell, bool sameCell, int X, int Y);
  void HeaderCellPress(host::TGridCoord cell);

  // popup menus (ZEL_ntabed_menus.cpp)
  host::TPopupMenu* FDataMenu = nullptr;
  host::TPopupMenu* FHeadMenu = nullptr;
  host::TMenuItem* FDItems[12] = {};
  host::TMenuItem* FMItems[2][4] = {};  // marking submenus (A, B)
  host::TMenuItem* FUItems[2][4] = {};  // unmarking submenus
  host::TMenuItem* FHItems[5] = {};
  host::TGridCoord FFramedCell{-1, -1};
  int FDMask = 0xFFFF, FHMask = 0xFFFF, FMMask = 0xFFFF, FUMask = 0xFFFF;
  TBeforePopupEvent FOnBeforePopup;
  void BuildMenus();
  void DataMenuOpening();
  void ShowDataMenu(int X, int Y);
  void ShowHeaderMenu(host::TGridCoord cell);
  void PopupAt(host::TPopupMenu* Menu, int X, int Y);
  void InvertHeaderFrame(host::TGridCoord cell);
  bool ClickOnColumnHeader() const;
  void ChangePrecisionAtClick();
  void SelectAtClick();
  void InsertAtClick();
  void DeleteAtClick();
  // The selected block in data coordinates, clipped to the table.
  host::TGridRect DataSelection() const;
  // Runs work over many cells: quietly, the table's echo off, then repaints.
  template <typename Work>
  void CellWork(Work work) {
    Quietly(work);
    Invalidate();
  }

  // clipboard (ZEL_ntabed_clip.cpp)
  std::unique_ptr<TDataTable> FDataCopy;
  bool FCopyDone = false;
  // Selects data cells c0..c1 x r0..r1, clipped to the table.
  void SelectDataBlock(int c0, int r0, int c1, int r1);
};

}  // namespace zel
