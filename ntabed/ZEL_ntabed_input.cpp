// Keys and the mouse of the table editor: locked cells, AutoAdvance, the
// first-click-selects / second-click-edits rule, and where right clicks open
// the built-in menus and the comment editor.
#include "host/widgets/Menus.h"
#include "ntabed/ZEL_ntabed.h"

namespace zel {

using namespace host;

bool TNTabEd::CellLocked(TGridCoord g) const {
  const int c = g.X - FColOffset, r = g.Y - FRowOffset;
  return c >= 1 && r >= 1 && (CellState(c, r) & kcsLocked);
}

bool TNTabEd::CurrentLocked() const { return CellLocked({Col(), Row()}); }

void TNTabEd::WMGetDlgCode(TMessage& Message) {
  TCustomGrid::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTTAB;
}

// A locked cell or read-only data take no typed character; Enter still moves
// on with AutoAdvance. Only Enter advances: a character the cell swallowed,
// or one the grid passed to its editor, must not move the cursor.
void TNTabEd::KeyPress(char32_t& Key) {
  const char32_t typed = Key;
  if (CurrentLocked() || FReadOnly) {
    SetEditing(false);
    Key = 0;
  } else {
    SetEditing(true);
    TCustomGrid::KeyPress(Key);
  }
  if (typed == 27 && InplaceEditor()) {
    SetEditing(false);
    HideEditor();
  }
  if (FAutoAdvance && typed == U'\r') {
    Word next = FAutoAdvDir == orVertical ? VK_DOWN : VK_RIGHT;
    KeyDown(next, 0);
  }
}

void TNTabEd::KeyDown(Word& Key, TShiftState Shift) {
  const bool passes = Key == 0 || Key == VK_RETURN || Key == VK_LEFT || Key == VK_RIGHT ||
                      Key == VK_UP || Key == VK_DOWN;
  if (CurrentLocked() && !passes) {
    Key = 0;
    SetEditing(false);
    return;
  }
  TCustomGrid::KeyDown(Key, Shift);
  AfterNavigation();
}

void TNTabEd::AfterNavigation() {
  InvalidateCell(0, 0);  // the cell cursor shows there
  CheckSelection();
  Invalidate();
}

bool TNTabEd::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  const bool done = TCustomGrid::DoMouseWheelDown(Shift, MousePos);
  AfterNavigation();
  return done;
}

bool TNTabEd::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  const bool done = TCustomGrid::DoMouseWheelUp(Shift, MousePos);
  AfterNavigation();
  return done;
}

void TNTabEd::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseMove(Shift, X, Y);
  CheckSelection();
}

void TNTabEd::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  FClickPos = MouseCoord(X, Y);
  SetEditing(!(CellLocked(FClickPos) || FReadOnly));
  CheckSelection();
}

void TNTabEd::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CommentEditorOpen()) {
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    if (MouseCoord(X, Y) == TGridCoord{0, 0}) CloseComment(false);
    return;
  }
  if (HeadingEditorOpen()) return;
  const TGridCoord prev =
      FLastDown.x < 0 ? TGridCoord{-1, -1} : MouseCoord(FLastDown.x, FLastDown.y);
  const TGridCoord cell = MouseCoord(X, Y);
  FLastDown = {X, Y};
  FClickPos = cell;
  const bool sameCell = prev == cell;
  if (!sameCell) SetEditing(false);  // a first click selects, a second one edits
  TCustomGrid::MouseDown(Button, Shift, X, Y);
  Invalidate();
  CheckSelection();
  if (cell.X < 0 || cell.Y < 0) return;
  const bool dataCol = cell.X > FColOffset, dataRow = cell.Y > FRowOffset;
  const bool ownMenu = Button == mbRight && !PopupMenu() && !FBlockIntPopup;
  if (dataCol && dataRow) {
    DataCellPress(Button, cell, sameCell, X, Y);
  } else if (cell == TGridCoord{0, 0}) {
    // A program's own PopupMenu does not take the comment editor away.
    if (Button == mbRight && !FBlockIntPopup && FCommEdAllowed) EditComment();
  } else if ((dataCol || dataRow) && ownMenu) {
    ShowHeaderMenu(cell);
  }
}

void TNTabEd::DataCellPress(TMouseButton Button, TGridCoord cell, bool sameCell, int X, int Y) {
  if (sameCell && !FReadOnly) SetEditing(true);
  if (CellLocked(cell) || FReadOnly) SetEditing(false);
  if (Button == mbRight && !PopupMenu() && !FBlockIntPopup)
    ShowDataMenu(X, Y);
  else if (Button == mbLeft)
    InvalidateCell(0, 0);
}

// The editor deals with right clicks itself unless its built-in menus are
// blocked, so a parent's menu never opens over (or after) its own; an
// assigned PopupMenu still opens, the host shows it for this control.
void TNTabEd::DoContextPopup(TPoint MousePos, bool& Handled) {
  TCustomGrid::DoContextPopup(MousePos, Handled);
  if (!Handled && !PopupMenu() && !FBlockIntPopup) Handled = true;
}

}  // namespace zel
