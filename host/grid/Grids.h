// The grids: TCustomGrid (geometry, selection, scrolling, sizing, in-place
// editing), TCustomDrawGrid (the events), TDrawGrid and TStringGrid, and the
// in-place editors TInplaceEdit and TInplaceEditList.
//
// Coordinates. Cells are counted from 0, fixed columns and rows first. Cell
// rectangles and mouse positions are the control's client coordinates; the
// border (bsSingle: a 2-pixel sunken edge) and the scroll bars lie inside the
// control, so ClientRect() is the cell area and with a border the first cell
// starts at (2, 2). Each shown cell is followed by its grid line on the right
// and at the bottom; a column or row of size 0 is hidden and takes no space:
// nothing paints for it, the mouse cannot hit it and keys step over it.
//
// Scale. Cell counts are ints; pixel offsets are 64-bit (see TGridAxis), only
// the visible cells are painted or searched, so a grid of 100,000,000 rows
// scrolls and paints like one of 100.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/grid/GridAxis.h"
#include "host/ui/Controls.h"
#include "host/widgets/Classes.h"
#include "host/widgets/ScrollBar.h"
#include "host/widgets/StdCtrls.h"

namespace host {

class TCustomGrid;
class TPickListPopup;

enum TGridOptionFlag : uint32_t {
  goFixedVertLine = 1 << 0,  // lines between fixed columns
  goFixedHorzLine = 1 << 1,
  goVertLine = 1 << 2,  // lines between scrolling columns
  goHorzLine = 1 << 3,
  goRangeSelect = 1 << 4,        // Shift+arrows and dragging select a block
  goDrawFocusSelected = 1 << 5,  // the focused cell shows in the selection colour too
  goRowSizing = 1 << 6,          // drag row borders in the fixed columns
  goColSizing = 1 << 7,          // drag column borders in the fixed rows
  goEditing = 1 << 10,
  goTabs = 1 << 11,  // Tab moves between cells instead of leaving the grid
  goRowSelect = 1 << 12,
  goAlwaysShowEditor = 1 << 13,  // the editor follows the current cell
  goThumbTracking = 1 << 14,     // scroll while a thumb is dragged, not on release
};
using TGridOptions = uint32_t;

enum TGridDrawStateFlag : uint8_t { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = uint8_t;

enum TEditStyle : uint8_t { esSimple, esEllipsis, esPickList };

struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A block of cells, corners included.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool Contains(int c, int r) const { return c >= Left && c <= Right && r >= Top && r <= Bottom; }
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TOnGetPickListItems = std::function<void(int ACol, int ARow, TStrings* Items)>;

// The edit box laid over the current cell while it is edited. It belongs to
// its grid (a child of it): navigation keys go on to the grid, Enter stores
// the text, Escape gives up the edit.
class TInplaceEdit : public TCustomEdit {
 public:
  explicit TInplaceEdit(TComponent* AOwner);
  TCustomGrid* Grid() const { return FGrid; }
  std::string ClassName() const override { return "TInplaceEdit"; }

 protected:
  friend class TCustomGrid;
  // Takes the text of the grid's current cell and selects it.
  virtual void UpdateContents();
  // Places the editor over `r` (grid coordinates; empty hides it).
  virtual void Move(const TRect& r);
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void WMGetDlgCode(TMessage& Message) override;
  void WMKillFocus(TMessage& Message) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

 private:
  TCustomGrid* FGrid = nullptr;
  std::string FOriginal;  // the text the edit started with
  bool ForwardsToGrid(Word Key, TShiftState Shift) const;
};

// An in-place editor that can drop down a list of values to pick from (edit
// style esPickList), or show an ellipsis button (esEllipsis) that fires
// OnEditButtonClick. With esSimple it is a plain TInplaceEdit.
class TInplaceEditList : public TInplaceEdit {
 public:
  explicit TInplaceEditList(TComponent* AOwner);
  ~TInplaceEditList() override;

  TEditStyle EditStyle() const { return FEditStyle; }
  // Rows the drop-down shows before it scrolls (at least 1).
  int DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int v) { FDropDownRows = v < 1 ? 1 : v; }
  // The values of the drop-down; OnGetPickListItems fills it on the first
  // drop-down of each edit.
  TStrings* PickList() { return &FPickList; }
  const TOnGetPickListItems& OnGetPickListItems() const { return FOnGetPickListItems; }
  void SetOnGetPickListItems(TOnGetPickListItems e) { FOnGetPickListItems = std::move(e); }
  const TNotifyEvent& OnEditButtonClick() const { return FOnEditButtonClick; }
  void SetOnEditButtonClick(TNotifyEvent e) { FOnEditButtonClick = std::move(e); }

  bool ListVisible() const { return FList != nullptr; }
  void DropDown();
  // Closes the drop-down; with Accept the highlighted value becomes the text.
  void CloseUp(bool Accept);
  std::string ClassName() const override { return "TInplaceEditList"; }

 protected:
  void UpdateContents() override;
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void WMLButtonDown(TWMMouse& Message) override;
  void WMLButtonDblClk(TWMMouse& Message) override;
  void WMKillFocus(TMessage& Message) override;

 private:
  friend class TPickListPopup;
  TEditStyle FEditStyle = esSimple;
  int FDropDownRows = 7;
  TStringList FPickList;
  bool FPickListLoaded = false;
  TOnGetPickListItems FOnGetPickListItems;
  TNotifyEvent FOnEditButtonClick;
  std::unique_ptr<TPickListPopup> FList;
  TRect ButtonRect() const;
  void ButtonPressed();
  void SelectNextValue(int step);
};

// The grid.
class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // --- shape
  int ColCount() const { return FCols.Count(); }
  void SetColCount(int v);  // at least 1; fixed columns shrink to fit
  int RowCount() const { return FRows.Count(); }
  void SetRowCount(int v);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int v);  // must stay below ColCount (EInvalidGridOperation)
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int v);
  int DefaultColWidth() const { return FCols.DefaultSize(); }
  void SetDefaultColWidth(int v);  // every column takes it, individual widths go
  int DefaultRowHeight() const { return FRows.DefaultSize(); }
  void SetDefaultRowHeight(int v);
  int ColWidths(int i) const { return FCols.Size(i); }
  void SetColWidths(int i, int v);  // 0 hides the column
  int RowHeights(int i) const { return FRows.Size(i); }
  void SetRowHeights(int i, int v);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int v);

  // --- look
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor c);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);  // bsSingle or bsNone
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions v);
  // On: the grid fills each cell (and frames fixed cells) around DrawCell.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool v);

  // --- position and selection
  int TopRow() const { return FTopRow; }
  void SetTopRow(int v);  // clamped so the grid shows no space below the last row
  int LeftCol() const { return FLeftCol; }
  void SetLeftCol(int v);
  int Col() const { return FCurrent.X; }
  void SetCol(int v);
  int Row() const { return FCurrent.Y; }
  void SetRow(int v);
  // The selected block; the current cell is one of its corners. With
  // goRowSelect it spans every scrolling column.
  TGridRect Selection() const;
  void SetSelection(const TGridRect& r);
  // Scrolling columns (rows) wholly visible from LeftCol (TopRow).
  int VisibleColCount() const;
  int VisibleRowCount() const;

  // --- geometry
  // The cell's rectangle in client coordinates; empty unless some of it shows.
  TRect CellRect(int ACol, int ARow) const;
  // The cell under a client point; (-1, -1) outside the cells.
  TGridCoord MouseCoord(int X, int Y) const;
  void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
  // The cell area: inside the border, left of and above the scroll bars.
  TRect ClientRect() const override;

  void InvalidateCell(int ACol, int ARow);
  void InvalidateCol(int ACol);
  void InvalidateRow(int ARow);
  void InvalidateGrid() { Invalidate(); }

  // --- editing
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool v);
  // Opens the editor on the current cell when goEditing allows it.
  void ShowEditor();
  // Stores the edited text (when it changed) and closes the editor.
  void HideEditor();
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

  std::string ClassName() const override { return "TCustomGrid"; }

 protected:
  friend class TInplaceEdit;
  friend class TInplaceEditList;

  // Draws one cell. With DefaultDrawing the grid has filled it (FixedColor,
  // the highlight for selected cells, else Color) and set the canvas font.
  // ARect is the cell's rectangle, widened over the room of a grid line that
  // is off (say goVertLine off while goFixedVertLine keeps the room), so a
  // fill there leaves no stripe between cells.
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {}
  // Asked before a cell becomes current; false keeps the old one.
  virtual bool SelectCell(int ACol, int ARow) { return true; }
  // After TopRow or LeftCol changed.
  virtual void TopLeftChanged() {}
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  // After ColCount or RowCount changed.
  virtual void SizeChanged(int OldColCount, int OldRowCount) {}
  virtual std::string GetEditText(int ACol, int ARow) { return ""; }
  virtual void SetEditText(int ACol, int ARow, const std::string& Value) {}
  virtual TEditStyle GetEditStyle(int ACol, int ARow) { return esSimple; }
  // True when the editor may open now. The default: goEditing on, a scrolling
  // current cell, not designing, and no goRowSelect. A descendant that edits
  // one cell of a selected row overrides it; the grid asks it afresh on every
  // attempt (Enter, F2, a typed character, a click, goAlwaysShowEditor).
  virtual bool CanEditShow();
  // Makes the in-place editor; the default is a TInplaceEditList, which is a
  // plain edit unless GetEditStyle asks for a list.
  virtual TInplaceEdit* CreateEditor();
  // Makes (ACol, ARow) current: SelectCell, the editor follows, the view
  // scrolls to it when Show, and the anchor stays put unless MoveAnchor.
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
  // Scrolls so that the cell is wholly visible (as far as it fits).
  void ScrollIntoView(int ACol, int ARow);
  // True when the grid or its editor has the focus.
  bool GridFocused() const;

  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  // OnKeyPress first; then Enter toggles the editor and, with goEditing, a
  // typed character opens it with that character.
  void KeyPress(char32_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The wheel moves the current row by one, as the platform's grid does.
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void Resize() override;
  void WMGetDlgCode(TMessage& Message) override;
  void WMSetFocus(TMessage& Message) override { InvalidateFocus(); }
  void WMKillFocus(TMessage& Message) override { InvalidateFocus(); }

 private:
  enum TGridState : uint8_t { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsScrolling };

  TGridAxis FCols, FRows;
  int FFixedCols = 1, FFixedRows = 1;
  int FGridLineWidth = 1;
  TColor FFixedColor = clBtnFace;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  TGridOptions FOptions =
      goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  bool FDefaultDrawing = true;
  int FTopRow = 1, FLeftCol = 1;
  TGridCoord FCurrent{1, 1}, FAnchor{1, 1};
  TGridState FGridState = gsNormal;
  int FSizingIndex = -1;           // the column or row being sized
  int FSizingOfs = 0;              // pointer distance from the border when sizing began
  bool FSplitCursor = false;       // the sizing pointer shows
  TCursor FOwnCursor = crDefault;  // the cursor to give back when it goes
  // Positions are pixel offsets of the scrolling part; the grid turns them
  // into its first visible row or column.
  TWindowScrollBar FVScroll{this, sbVertical}, FHScroll{this, sbHorizontal};
  bool FEditorMode = false;
  TInplaceEdit* FInplaceEdit = nullptr;  // a child; made on first use
  int FInplaceCol = -1, FInplaceRow = -1;

  struct TVisibleCell {
    int Index;  // column or row
    int Start;  // client pixel where it starts
    int Size;
  };
  // geometry (Grid.cpp)
  // The shown columns (or rows) that reach into the cell area, fixed ones first.
  std::vector<TVisibleCell> VisibleCells(bool cols) const;
  void NeededScrollBars(bool& h, bool& v) const;
  void InvalidateClientRect(const TRect& r);
  void MoveAnchorTo(int ACol, int ARow);
  void ResetPosition();
  int BorderWidth() const { return FBorderStyle == bsSingle ? 2 : 0; }
  void UpdateLineWidths();
  TRect CellArea(bool withH, bool withV) const;
  void LayoutScrollBars();
  int64_t FixedExtentX() const { return FCols.Offset(FFixedCols); }
  int64_t FixedExtentY() const { return FRows.Offset(FFixedRows); }
  int MaxTopRow() const;
  int MaxLeftCol() const;
  int64_t ColX(int c) const;  // client x where column c starts (64-bit: may lie far out)
  int64_t RowY(int r) const;
  int AxisCellAt(const TGridAxis& a, int fixed, int first, int64_t rel) const;
  bool MoveTopLeft(int left, int top);
  void ShowCell(int ACol, int ARow, bool withCol);
  void ClampTopLeft();
  void ClampCurrent();
  void SetCurrentCell(int c, int r);
  void InvalidateFocus();
  void InvalidateSelectionChange(const TGridRect& old);
  void InvalidateBlock(const TGridRect& g);
  // painting (GridPaint.cpp)
  void PaintCells(TCanvas* c, const TRect& area);
  void PaintCell(TCanvas* c, int col, int row, const TRect& where, bool fixed);
  TRect CellPaintRect(const TRect& cell, bool fixed) const;
  void PaintLines(TCanvas* c, const TRect& where, bool fixed);
  void PaintBorder(TCanvas* c);
  // input (GridInput.cpp)
  bool SizingAt(int x, int y, TGridState& state, int& index, int& ofs) const;
  void ApplySizing(int x, int y);
  // The mouse on the scroll bars; true when a bar took it.
  bool ScrollBarDown(int x, int y);
  bool ScrollBarMove(int x, int y);
  bool ScrollBarUp(int x, int y);
  void BarScrolled(bool vertical, TScrollCode code, int64_t& pos);
  void ScrollToPosition(bool vertical, int64_t pos);
  // The scrolled-out pixels above TopRow (left of LeftCol): the bar position.
  int64_t ScrollOffset(bool vertical) const;
  void TabMove(bool forward);
  void DragSelect(int x, int y);
  bool MoveByWheel(int delta);
  int PageRow(int row, int dir) const;
  int ShownNear(bool cols, int i, int dir) const;
  // editing (GridEdit.cpp)
  void UpdateEditor();
  void StoreEdit();
  void CancelEdit();
  void CloseEditor();
  bool EditorFocused() const;
  void TypeIntoEditor(char32_t ch);
  // F4, Alt+Down and Alt+Up: the keys that drop a pick list down or close it.
  static bool IsDropDownKey(Word Key, TShiftState Shift);
  // Opens the editor on a pick-list cell with its list dropped; false when
  // the current cell has no pick list or may not be edited now.
  bool DropDownEditor();
};

// A grid whose cells the program draws: the events of the grid hooks.
class TCustomDrawGrid : public TCustomGrid {
 public:
  explicit TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  const TDrawCellEvent& OnDrawCell() const { return FOnDrawCell; }
  void SetOnDrawCell(TDrawCellEvent e) { FOnDrawCell = std::move(e); }
  const TSelectCellEvent& OnSelectCell() const { return FOnSelectCell; }
  void SetOnSelectCell(TSelectCellEvent e) { FOnSelectCell = std::move(e); }
  const TNotifyEvent& OnTopLeftChanged() const { return FOnTopLeftChanged; }
  void SetOnTopLeftChanged(TNotifyEvent e) { FOnTopLeftChanged = std::move(e); }
  const TGetEditEvent& OnGetEditText() const { return FOnGetEditText; }
  void SetOnGetEditText(TGetEditEvent e) { FOnGetEditText = std::move(e); }
  const TSetEditEvent& OnSetEditText() const { return FOnSetEditText; }
  void SetOnSetEditText(TSetEditEvent e) { FOnSetEditText = std::move(e); }
  std::string ClassName() const override { return "TCustomDrawGrid"; }

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;

 private:
  TDrawCellEvent FOnDrawCell;
  TSelectCellEvent FOnSelectCell;
  TNotifyEvent FOnTopLeftChanged;
  TGetEditEvent FOnGetEditText;
  TSetEditEvent FOnSetEditText;
};

class TDrawGrid : public TCustomDrawGrid {
 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
  std::string ClassName() const override { return "TDrawGrid"; }
};

// A draw grid that keeps a text per cell (sparsely: empty cells cost nothing)
// and draws it; editing reads and writes the cells.
class TStringGrid : public TDrawGrid {
 public:
  explicit TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}
  // "" outside the grid or for a cell never set.
  std::string Cells(int ACol, int ARow) const;
  // Ignored outside the grid; repaints the cell.
  void SetCells(int ACol, int ARow, const std::string& s);
  std::string ClassName() const override { return "TStringGrid"; }

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;

 private:
  std::map<std::pair<int, int>, std::string> FCells;
};

// Raised for a grid shape that cannot be: fixed cells filling the whole grid.
class EInvalidGridOperation : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace host
