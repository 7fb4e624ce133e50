// The grid's keyboard, mouse and wheel handling: moving and extending the
// selection, sizing columns and rows by their borders, and the scroll bars.
#include <algorithm>
#include <array>
#include <cstdlib>

#include "host/grid/Grids.h"

namespace host {

namespace {
// How near (in pixels) to a border the pointer starts sizing.
constexpr int kSizingZone = 3;
}  // namespace

void TCustomGrid::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS;
  if ((FOptions & goTabs) && !(FOptions & goRowSelect)) Message.Result |= DLGC_WANTTAB;
  // Row selection may still edit a cell when CanEditShow allows it.
  if (FOptions & goEditing) Message.Result |= DLGC_WANTCHARS;
}

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (IsDropDownKey(Key, Shift) && DropDownEditor()) {
    Key = 0;
    return;
  }
  const bool rowSelect = FOptions & goRowSelect;
  const int pageH = std::max(VisibleRowCount(), 1), pageW = std::max(VisibleColCount(), 1);
  TGridCoord cur = FCurrent;
  int left = FLeftCol, top = FTopRow;
  if (Shift & ssCtrl) {
    switch (Key) {
      case VK_UP:
        --top;
        break;
      case VK_DOWN:
        ++top;
        break;
      case VK_LEFT:
        if (!rowSelect) cur.X -= pageW, left -= pageW;
        break;
      case VK_RIGHT:
        if (!rowSelect) cur.X += pageW, left += pageW;
        break;
      case VK_PRIOR:
        cur.Y = FTopRow;
        break;
      case VK_NEXT:
        cur.Y = FTopRow + pageH - 1;
        break;
      case VK_HOME:
        cur = TGridCoord{FFixedCols, FFixedRows};
        break;
      case VK_END:
        cur = TGridCoord{ColCount() - 1, RowCount() - 1};
        break;
      default:
        return;
    }
  } else {
    switch (Key) {
      case VK_UP:
        --cur.Y;
        break;
      case VK_DOWN:
        ++cur.Y;
        break;
      case VK_LEFT:
        if (rowSelect)
          --left;
        else
          --cur.X;
        break;
      case VK_RIGHT:
        if (rowSelect)
          ++left;
        else
          ++cur.X;
        break;
      case VK_NEXT:
        cur.Y = PageRow(cur.Y, 1), top = PageRow(top, 1);
        break;
      case VK_PRIOR:
        cur.Y = PageRow(cur.Y, -1), top = PageRow(top, -1);
        break;
      case VK_HOME:
        if (rowSelect)
          cur.Y = FFixedRows;
        else
          cur.X = FFixedCols;
        break;
      case VK_END:
        if (rowSelect)
          cur.Y = RowCount() - 1;
        else
          cur.X = ColCount() - 1;
        break;
      case VK_TAB:
        if ((FOptions & goTabs) && !(Shift & ssAlt)) TabMove(!(Shift & ssShift));
        return;
      case VK_F2:
        SetEditorMode(true);
        return;
      default:
        return;
    }
  }
  // Hidden cells are stepped over in the direction of the move; a key that
  // finds no shown cell there (nor behind) leaves the current cell alone.
  if (top != FTopRow) top = std::max(ShownNear(false, top, top - FTopRow), FFixedRows);
  if (left != FLeftCol) left = std::max(ShownNear(true, left, left - FLeftCol), FFixedCols);
  if (left != FLeftCol || top != FTopRow) MoveTopLeft(left, top);
  cur.X = ShownNear(true, std::clamp(cur.X, FFixedCols, ColCount() - 1), cur.X - FCurrent.X);
  cur.Y = ShownNear(false, std::clamp(cur.Y, FFixedRows, RowCount() - 1), cur.Y - FCurrent.Y);
  if (cur.X < 0 || cur.Y < 0 || cur == FCurrent) return;
  MoveColRow(cur.X, cur.Y, !(Shift & ssShift), true);
  Click();
}

// The row a page away: the one holding the pixel a view's height further on,
// so hidden rows count for nothing and tall rows for their size. A row taller
// than the view still moves by one.
int TCustomGrid::PageRow(int row, int dir) const {
  const int64_t avail = std::max<int64_t>(ClientRect().Height() - FixedExtentY(), 1);
  const int r = FRows.IndexAt(FRows.Offset(row) + dir * avail);
  return r == row ? row + dir : r;
}

// The shown scrolling column (row) nearest to i, looking first the way the
// move went (dir < 0: back), then the other way; -1 when none shows.
int TCustomGrid::ShownNear(bool cols, int i, int dir) const {
  const TGridAxis& a = cols ? FCols : FRows;
  const int fixed = cols ? FFixedCols : FFixedRows;
  const int after = a.ShownAtOrAfter(i), before = a.ShownAtOrBefore(i);
  for (int k : dir < 0 ? std::array{before, after} : std::array{after, before})
    if (k >= fixed && k < a.Count()) return k;
  return -1;
}

void TCustomGrid::TabMove(bool forward) {
  int c = FCurrent.X, r = FCurrent.Y;
  // Skips hidden columns; stops (without moving) at either end of the grid.
  for (int guard = ColCount() * 2; guard > 0; --guard) {
    c += forward ? 1 : -1;
    if (c >= ColCount()) c = FFixedCols, r = FRows.ShownAtOrAfter(r + 1);
    if (c < FFixedCols) c = ColCount() - 1, r = FRows.ShownAtOrBefore(r - 1);
    if (r < FFixedRows || r >= RowCount()) return;
    if (FCols.Size(c) > 0) break;
  }
  MoveColRow(c, r, true, true);
  Click();
}

// A typed character reaches OnKeyPress (after the form's key preview) before
// the grid acts on it, so a handler can change it or swallow it by setting 0;
// only then does Enter toggle the editor or a printable character open it.
void TCustomGrid::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  if (Key == U'\r' && !(FOptions & goAlwaysShowEditor)) {
    if (FEditorMode)
      HideEditor();
    else
      ShowEditor();
    Key = 0;
    return;
  }
  const bool typed = Key == U'\b' || (Key >= 32 && Key != 127);
  if (typed && (FOptions & goEditing) && CanEditShow()) {
    TypeIntoEditor(Key);
    Key = 0;
  }
}

// --- mouse

bool TCustomGrid::SizingAt(int x, int y, TGridState& state, int& index, int& ofs) const {
  const TRect area = ClientRect();
  if (!area.Contains(x, y)) return false;
  auto near = [&](bool cols, int p) {
    for (const TVisibleCell& c : VisibleCells(cols)) {
      const int edge = c.Start + c.Size;
      if (std::abs(p - edge) <= kSizingZone) {
        index = c.Index;
        ofs = p - edge;
        return true;
      }
    }
    return false;
  };
  if ((FOptions & goColSizing) && y < area.Top + FixedExtentY() && near(true, x)) {
    state = gsColSizing;
    return true;
  }
  if ((FOptions & goRowSizing) && x < area.Left + FixedExtentX() && near(false, y)) {
    state = gsRowSizing;
    return true;
  }
  return false;
}

void TCustomGrid::ApplySizing(int x, int y) {
  if (FGridState == gsColSizing) {
    const int start = int(ColX(FSizingIndex));
    SetColWidths(FSizingIndex, std::max(x - FSizingOfs - start, 1));
  } else {
    const int start = int(RowY(FSizingIndex));
    SetRowHeights(FSizingIndex, std::max(y - FSizingOfs - start, 1));
  }
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && ScrollBarDown(X, Y)) return;
  if (CanFocus() && !GridFocused()) SetFocus();
  const TGridCoord cell = MouseCoord(X, Y);
  const bool scrollingCell = cell.X >= FFixedCols && cell.Y >= FFixedRows;
  if (Button == mbLeft && (Shift & ssDouble)) {
    DblClick();
    if (scrollingCell && cell == FCurrent) ShowEditor();
  } else if (Button == mbLeft) {
    TGridState state;
    if (SizingAt(X, Y, state, FSizingIndex, FSizingOfs)) {
      FGridState = state;
    } else if (scrollingCell && (FOptions & goEditing)) {
      if (cell == FCurrent)
        ShowEditor();
      else
        MoveColRow(cell.X, cell.Y, true, true);
      Click();
    } else if (scrollingCell) {
      FGridState = gsSelecting;
      if (Shift & ssShift)
        MoveAnchorTo(cell.X, cell.Y);
      else
        MoveColRow(cell.X, cell.Y, true, true);
    }
  } else if (Button == mbRight && scrollingCell && cell != FCurrent) {
    // The context menu opens on the release and acts on the current cell, so
    // the clicked cell becomes current first (under goRowSelect, its row).
    MoveColRow(cell.X, cell.Y, true, true);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (ScrollBarMove(X, Y)) {
    // the bar scrolls the grid through BarScrolled
  } else if (FGridState == gsSelecting) {
    DragSelect(X, Y);
  } else if (FGridState == gsColSizing || FGridState == gsRowSizing) {
    ApplySizing(X, Y);
  } else {
    TGridState state;
    int index, ofs;
    // Over a sizing border the pointer shows the split shape; elsewhere the
    // program's own cursor for the grid comes back.
    const bool sizing = SizingAt(X, Y, state, index, ofs);
    if (sizing && !FSplitCursor) FOwnCursor = Cursor();
    if (sizing || FSplitCursor)
      SetCursor(!sizing ? FOwnCursor : state == gsColSizing ? crHSplit : crVSplit);
    FSplitCursor = sizing;
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (ScrollBarUp(X, Y)) {
    // the press belonged to a scroll bar
  } else if (FGridState == gsSelecting) {
    // No last DragSelect: a click that scrolled a partly shown cell into view
    // must not reach on to the cell that now lies under the pointer.
    FGridState = gsNormal;
    Click();
  } else if (FGridState != gsNormal) {
    ApplySizing(X, Y);
    FGridState = gsNormal;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// Dragging past an edge of the cells moves one cell beyond the view, so a
// steady drag scrolls.
void TCustomGrid::DragSelect(int x, int y) {
  const TRect area = ClientRect();
  auto pick = [&](bool cols, int p, int lo, int hi) {
    const auto cells = VisibleCells(cols);
    const int fixed = cols ? FFixedCols : FFixedRows;
    const int first = cols ? FLeftCol : FTopRow;
    const int count = cols ? ColCount() : RowCount();
    // Beyond the view the drag reaches on to the next shown cell, never a hidden one.
    auto shown = [&](int i, int dir) {
      const int k = ShownNear(cols, i, dir);
      return k < 0 ? (cols ? FCurrent.X : FCurrent.Y) : k;
    };
    if (p >= hi) {
      int last = first;
      for (const TVisibleCell& c : cells)
        if (c.Index >= fixed && c.Start + c.Size <= hi) last = c.Index;
      return shown(std::min(last + 1, count - 1), 1);
    }
    if (p < lo) return shown(std::max(first - 1, fixed), -1);
    for (const TVisibleCell& c : cells)
      if (c.Index >= fixed && p < c.Start + c.Size + (cols ? FCols : FRows).LineWidth())
        return c.Index;
    return shown(count - 1, -1);
  };
  const int col = pick(true, x, area.Left + int(FixedExtentX()), area.Right);
  const int row = pick(false, y, area.Top + int(FixedExtentY()), area.Bottom);
  if (FOptions & goRangeSelect)
    MoveAnchorTo(col, row);
  else if (col != FCurrent.X || row != FCurrent.Y)
    MoveColRow(col, row, true, true);
}

// --- wheel

bool TCustomGrid::MoveByWheel(int delta) {
  const int row =
      ShownNear(false, std::clamp(FCurrent.Y + delta, FFixedRows, RowCount() - 1), delta);
  if (row >= 0 && row != FCurrent.Y) MoveColRow(FCurrent.X, row, true, true);
  return true;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  return TCustomControl::DoMouseWheelDown(Shift, MousePos) || MoveByWheel(1);
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  return TCustomControl::DoMouseWheelUp(Shift, MousePos) || MoveByWheel(-1);
}

// --- scroll bars

bool TCustomGrid::ScrollBarDown(int x, int y) {
  LayoutScrollBars();
  return FVScroll.MouseDown(x, y) || FHScroll.MouseDown(x, y);
}

bool TCustomGrid::ScrollBarMove(int x, int y) {
  if (FVScroll.Pressed() == sbpNone && FHScroll.Pressed() == sbpNone) return false;
  LayoutScrollBars();
  return FVScroll.MouseMove(x, y) || FHScroll.MouseMove(x, y);
}

bool TCustomGrid::ScrollBarUp(int x, int y) {
  const bool up = FVScroll.MouseUp(x, y) || FHScroll.MouseUp(x, y);
  if (up) Invalidate();
  return up;
}

// Arrows step a row or column, the track a page of them; a dragged thumb
// scrolls at once with goThumbTracking, else where it is let go. The bar then
// shows where the grid really stands.
void TCustomGrid::BarScrolled(bool vertical, TScrollCode code, int64_t& pos) {
  const int page = std::max(vertical ? VisibleRowCount() : VisibleColCount(), 1);
  int step = 0;
  switch (code) {
    case scLineUp:
      step = -1;
      break;
    case scLineDown:
      step = 1;
      break;
    case scPageUp:
      step = -page;
      break;
    case scPageDown:
      step = page;
      break;
    case scTrack:
      if (FOptions & goThumbTracking) ScrollToPosition(vertical, pos);
      break;
    case scPosition:
      ScrollToPosition(vertical, pos);
      break;
    default:
      break;
  }
  if (vertical && step)
    MoveTopLeft(FLeftCol, FTopRow + step);
  else if (step)
    MoveTopLeft(FLeftCol + step, FTopRow);
  pos = ScrollOffset(vertical);
}

int64_t TCustomGrid::ScrollOffset(bool vertical) const {
  return vertical ? FRows.Offset(FTopRow) - FixedExtentY()
                  : FCols.Offset(FLeftCol) - FixedExtentX();
}

// The first cell whose start lies nearest to the scrolled-to offset.
void TCustomGrid::ScrollToPosition(bool vertical, int64_t pos) {
  const TGridAxis& a = vertical ? FRows : FCols;
  const int64_t target = a.Offset(vertical ? FFixedRows : FFixedCols) + pos;
  int i = a.IndexAt(target);
  if (i < a.Count() && target - a.Offset(i) > a.Extent(i) / 2) ++i;
  if (vertical)
    MoveTopLeft(FLeftCol, i);
  else
    MoveTopLeft(i, FTopRow);
}

}  // namespace host
