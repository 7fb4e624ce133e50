// The grid's keyboard, mouse and wheel handling: moving and extending the
// selection, sizing columns and rows by their borders, and the scroll bars.
#include <algorithm>
#include <cstdlib>

#include "host/grid/Grids.h"

namespace host {

namespace {
// How near (in pixels) to a border the pointer starts sizing.
constexpr int kSizingZone = 3;
}  // namespace

void TCustomGrid::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS;
  if (!(FOptions & goRowSelect)) {
    if (FOptions & goTabs) Message.Result |= DLGC_WANTTAB;
    if (FOptions & goEditing) Message.Result |= DLGC_WANTCHARS;
  }
}

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
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
        cur.Y += pageH, top += pageH;
        break;
      case VK_PRIOR:
        cur.Y -= pageH, top -= pageH;
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
  if (left != FLeftCol || top != FTopRow) MoveTopLeft(left, top);
  cur.X = std::clamp(cur.X, FFixedCols, ColCount() - 1);
  cur.Y = std::clamp(cur.Y, FFixedRows, RowCount() - 1);
  if (cur == FCurrent) return;
  MoveColRow(cur.X, cur.Y, !(Shift & ssShift), true);
  Click();
}

void TCustomGrid::TabMove(bool forward) {
  int c = FCurrent.X, r = FCurrent.Y;
  // Skips hidden columns; stops (without moving) at either end of the grid.
  for (int guard = ColCount() * 2; guard > 0; --guard) {
    c += forward ? 1 : -1;
    if (c >= ColCount()) c = FFixedCols, ++r;
    if (c < FFixedCols) c = ColCount() - 1, --r;
    if (r < FFixedRows || r >= RowCount()) return;
    if (FCols.Size(c) > 0) break;
  }
  MoveColRow(c, r, true, true);
  Click();
}

void TCustomGrid::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == U'\r' && !(FOptions & goAlwaysShowEditor)) {
    if (FEditorMode)
      HideEditor();
    else
      ShowEditor();
    Key = 0;
  }
}

void TCustomGrid::WMChar(TMessage& Message) {
  const char32_t ch = char32_t(Message.WParam);
  if ((FOptions & goEditing) && (ch == U'\b' || ch >= 32) && ch != 127 && CanEditShow()) {
    TypeIntoEditor(ch);
    return;
  }
  TCustomControl::WMChar(Message);
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
    if (p >= hi) {
      int last = first;
      for (const TVisibleCell& c : cells)
        if (c.Index >= fixed && c.Start + c.Size <= hi) last = c.Index;
      return std::min(last + 1, count - 1);
    }
    if (p < lo) return std::max(first - 1, fixed);
    for (const TVisibleCell& c : cells)
      if (c.Index >= fixed && p < c.Start + c.Size + (cols ? FCols : FRows).LineWidth())
        return c.Index;
    return count - 1;
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
  const int row = std::clamp(FCurrent.Y + delta, FFixedRows, RowCount() - 1);
  if (row != FCurrent.Y) MoveColRow(FCurrent.X, row, true, true);
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
