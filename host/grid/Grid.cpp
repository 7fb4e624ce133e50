// The grid's shape, geometry, scrolling and selection.
#include <algorithm>

#include "host/grid/Grids.h"
#include "host/ui/Forms.h"

namespace host {

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  // No csClickEvents: the grid decides itself when a press is a click.
  SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);
  SetColor(clWindow);
  SetTabStop(true);
  FCols.SetCount(5);
  FRows.SetCount(5);
  FCols.SetDefaultSize(64);
  FRows.SetDefaultSize(24);
  UpdateLineWidths();
  FVScroll.SetOnScroll([this](TScrollCode c, int64_t& pos) { BarScrolled(true, c, pos); });
  FHScroll.SetOnScroll([this](TScrollCode c, int64_t& pos) { BarScrolled(false, c, pos); });
  SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() {
  // The editor goes first, while it can still tell this grid apart.
  delete FInplaceEdit;
  FInplaceEdit = nullptr;
}

// --- shape

void TCustomGrid::SetColCount(int v) {
  v = std::max(v, 1);
  int old = ColCount();
  if (v == old) return;
  if (v <= FFixedCols) FFixedCols = v - 1;
  FCols.SetCount(v);
  ClampCurrent();
  ClampTopLeft();
  SizeChanged(old, RowCount());
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetRowCount(int v) {
  v = std::max(v, 1);
  int old = RowCount();
  if (v == old) return;
  if (v <= FFixedRows) FFixedRows = v - 1;
  FRows.SetCount(v);
  ClampCurrent();
  ClampTopLeft();
  SizeChanged(ColCount(), old);
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int v) {
  if (v == FFixedCols) return;
  if (v < 0) throw EInvalidGridOperation("Grid index out of range");
  if (v >= ColCount())
    throw EInvalidGridOperation("Fixed column count must be less than column count");
  FFixedCols = v;
  ResetPosition();
}

void TCustomGrid::SetFixedRows(int v) {
  if (v == FFixedRows) return;
  if (v < 0) throw EInvalidGridOperation("Grid index out of range");
  if (v >= RowCount()) throw EInvalidGridOperation("Fixed row count must be less than row count");
  FFixedRows = v;
  ResetPosition();
}

// A new fixed part starts the grid afresh at its first scrolling cell.
void TCustomGrid::ResetPosition() {
  HideEditor();
  bool moved = FLeftCol != FFixedCols || FTopRow != FFixedRows;
  FLeftCol = FFixedCols;
  FTopRow = FFixedRows;
  FCurrent = FAnchor = TGridCoord{FFixedCols, FFixedRows};
  Invalidate();
  if (moved) TopLeftChanged();
}

void TCustomGrid::SetDefaultColWidth(int v) {
  FCols.SetDefaultSize(v);
  ColWidthsChanged();
  ClampTopLeft();
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int v) {
  FRows.SetDefaultSize(v);
  RowHeightsChanged();
  ClampTopLeft();
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetColWidths(int i, int v) {
  if (i < 0 || i >= ColCount() || FCols.Size(i) == std::max(v, 0)) return;
  FCols.SetSize(i, v);
  ColWidthsChanged();
  ClampTopLeft();
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetRowHeights(int i, int v) {
  if (i < 0 || i >= RowCount() || FRows.Size(i) == std::max(v, 0)) return;
  FRows.SetSize(i, v);
  RowHeightsChanged();
  ClampTopLeft();
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int v) {
  v = std::max(v, 0);
  if (v == FGridLineWidth) return;
  FGridLineWidth = v;
  UpdateLineWidths();
}

// Lines take room when either their fixed or their scrolling kind is on; the
// room of a line that is off shows the cell's background.
void TCustomGrid::UpdateLineWidths() {
  FCols.SetLineWidth((FOptions & (goFixedVertLine | goVertLine)) ? FGridLineWidth : 0);
  FRows.SetLineWidth((FOptions & (goFixedHorzLine | goHorzLine)) ? FGridLineWidth : 0);
  ClampTopLeft();
  UpdateEditor();
  Invalidate();
}

// --- look

void TCustomGrid::SetFixedColor(TColor c) {
  if (c == FFixedColor) return;
  FFixedColor = c;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle v) {
  if (v == FScrollBars) return;
  FScrollBars = v;
  ClampTopLeft();
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle v) {
  v = v == bsNone ? bsNone : bsSingle;
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  ClampTopLeft();
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions v) {
  if (v == FOptions) return;
  FOptions = v;
  if (!(v & goEditing)) HideEditor();
  if (v & goRowSelect) FAnchor.X = FCurrent.X;
  UpdateLineWidths();
  if ((v & goAlwaysShowEditor) && (v & goEditing)) ShowEditor();
}

void TCustomGrid::SetDefaultDrawing(bool v) {
  if (v == FDefaultDrawing) return;
  FDefaultDrawing = v;
  Invalidate();
}

// --- geometry

void TCustomGrid::NeededScrollBars(bool& h, bool& v) const {
  const bool canH = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  const bool canV = FScrollBars == ssVertical || FScrollBars == ssBoth;
  const int bw = BorderWidth();
  const int64_t w = Width() - 2 * bw, hgt = Height() - 2 * bw;
  const int64_t totalW = FCols.Offset(ColCount()), totalH = FRows.Offset(RowCount());
  v = canV && totalH > hgt;
  h = canH && totalW > w - (v ? TWindowScrollBar::kThickness : 0);
  if (h && !v) v = canV && totalH > hgt - TWindowScrollBar::kThickness;
}

TRect TCustomGrid::CellArea(bool withH, bool withV) const {
  const int bw = BorderWidth();
  const int s = TWindowScrollBar::kThickness;
  TRect r = Rect(bw, bw, Width() - bw - (withV ? s : 0), Height() - bw - (withH ? s : 0));
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

TRect TCustomGrid::ClientRect() const {
  bool h, v;
  NeededScrollBars(h, v);
  return CellArea(h, v);
}

void TCustomGrid::LayoutScrollBars() {
  bool h, v;
  NeededScrollBars(h, v);
  const TRect area = CellArea(h, v);
  const int bw = BorderWidth();
  const int s = TWindowScrollBar::kThickness;
  FVScroll.SetBounds(v ? Rect(area.Right, bw, area.Right + s, area.Bottom) : TRect{});
  FHScroll.SetBounds(h ? Rect(bw, area.Bottom, area.Right, area.Bottom + s) : TRect{});
  // Pixel positions from the first scrolling cell; the page is what shows of them.
  const int64_t baseY = FixedExtentY(), baseX = FixedExtentX();
  FVScroll.SetParams(ScrollOffset(true), 0, FRows.Offset(MaxTopRow()) - baseY,
                     std::max<int64_t>(area.Height() - baseY, 1));
  FHScroll.SetParams(ScrollOffset(false), 0, FCols.Offset(MaxLeftCol()) - baseX,
                     std::max<int64_t>(area.Width() - baseX, 1));
}

int TCustomGrid::MaxTopRow() const {
  const int64_t avail = ClientRect().Height() - FixedExtentY();
  const int last = std::max(FFixedRows, RowCount() - 1);
  if (avail <= 0) return last;
  return std::clamp(FRows.FirstAtOrAfter(FRows.Offset(RowCount()) - avail), FFixedRows, last);
}

int TCustomGrid::MaxLeftCol() const {
  const int64_t avail = ClientRect().Width() - FixedExtentX();
  const int last = std::max(FFixedCols, ColCount() - 1);
  if (avail <= 0) return last;
  return std::clamp(FCols.FirstAtOrAfter(FCols.Offset(ColCount()) - avail), FFixedCols, last);
}

int64_t TCustomGrid::ColX(int c) const {
  const int64_t left = ClientRect().Left;
  if (c < FFixedCols) return left + FCols.Offset(c);
  return left + FixedExtentX() + FCols.Offset(c) - FCols.Offset(FLeftCol);
}

int64_t TCustomGrid::RowY(int r) const {
  const int64_t top = ClientRect().Top;
  if (r < FFixedRows) return top + FRows.Offset(r);
  return top + FixedExtentY() + FRows.Offset(r) - FRows.Offset(FTopRow);
}

std::vector<TCustomGrid::TVisibleCell> TCustomGrid::VisibleCells(bool cols) const {
  const TGridAxis& a = cols ? FCols : FRows;
  const int fixed = cols ? FFixedCols : FFixedRows;
  const TRect area = ClientRect();
  const int end = cols ? area.Right : area.Bottom;
  std::vector<TVisibleCell> out;
  auto walk = [&](int from, int to, auto position) {
    for (int i = from; i < to;) {
      // Skip a run of hidden cells in one step: they share the next one's offset.
      if (a.Size(i) == 0) i = a.IndexAt(a.Offset(i));
      if (i >= to) break;
      const int64_t start = position(i);
      if (start >= end) break;
      out.push_back(TVisibleCell{i, int(start), a.Size(i)});
      ++i;
    }
  };
  walk(0, fixed, [&](int i) { return cols ? ColX(i) : RowY(i); });
  walk(cols ? FLeftCol : FTopRow, a.Count(), [&](int i) { return cols ? ColX(i) : RowY(i); });
  return out;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return TRect{};
  if ((ACol >= FFixedCols && ACol < FLeftCol) || (ARow >= FFixedRows && ARow < FTopRow))
    return TRect{};
  const int w = FCols.Size(ACol), h = FRows.Size(ARow);
  const TRect area = ClientRect();
  const int64_t x = ColX(ACol), y = RowY(ARow);
  if (w == 0 || h == 0 || x >= area.Right || y >= area.Bottom) return TRect{};
  return Rect(int(x), int(y), int(x) + w, int(y) + h);
}

int TCustomGrid::AxisCellAt(const TGridAxis& a, int fixed, int first, int64_t rel) const {
  const int64_t fixedExtent = a.Offset(fixed);
  const int64_t off = rel < fixedExtent ? rel : a.Offset(first) + rel - fixedExtent;
  const int i = a.IndexAt(off);
  return i < a.Count() && a.Size(i) > 0 ? i : -1;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
  const TRect area = ClientRect();
  if (!area.Contains(X, Y)) return TGridCoord{-1, -1};
  const int c = AxisCellAt(FCols, FFixedCols, FLeftCol, X - area.Left);
  const int r = AxisCellAt(FRows, FFixedRows, FTopRow, Y - area.Top);
  if (c < 0 || r < 0) return TGridCoord{-1, -1};
  return TGridCoord{c, r};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

int TCustomGrid::VisibleColCount() const {
  const int64_t avail = ClientRect().Width() - FixedExtentX();
  if (avail <= 0) return 0;
  return std::max(FCols.IndexAt(FCols.Offset(FLeftCol) + avail) - FLeftCol, 0);
}

int TCustomGrid::VisibleRowCount() const {
  const int64_t avail = ClientRect().Height() - FixedExtentY();
  if (avail <= 0) return 0;
  return std::max(FRows.IndexAt(FRows.Offset(FTopRow) + avail) - FTopRow, 0);
}

// --- scrolling

bool TCustomGrid::MoveTopLeft(int left, int top) {
  left = std::clamp(left, FFixedCols, std::max(MaxLeftCol(), FFixedCols));
  top = std::clamp(top, FFixedRows, std::max(MaxTopRow(), FFixedRows));
  if (left == FLeftCol && top == FTopRow) return false;
  FLeftCol = left;
  FTopRow = top;
  Invalidate();
  UpdateEditor();
  TopLeftChanged();
  return true;
}

void TCustomGrid::ClampTopLeft() { MoveTopLeft(FLeftCol, FTopRow); }

void TCustomGrid::SetTopRow(int v) { MoveTopLeft(FLeftCol, v); }
void TCustomGrid::SetLeftCol(int v) { MoveTopLeft(v, FTopRow); }

void TCustomGrid::ScrollIntoView(int ACol, int ARow) {
  ShowCell(ACol, ARow, !(FOptions & goRowSelect));
}

// Row selection leaves the columns where they are, except for a cell that is
// about to be edited: withCol scrolls sideways too.
void TCustomGrid::ShowCell(int ACol, int ARow, bool withCol) {
  const TRect area = ClientRect();
  auto firstToShow = [](const TGridAxis& a, int fixed, int first, int i, int64_t avail) {
    if (i < fixed) return first;
    if (i < first) return i;
    // The smallest first cell that still shows all of cell i.
    const int needed = a.FirstAtOrAfter(a.Offset(i + 1) - avail);
    return std::min(std::max(first, needed), i);
  };
  int top = firstToShow(FRows, FFixedRows, FTopRow, ARow, area.Height() - FixedExtentY());
  int left = withCol ? firstToShow(FCols, FFixedCols, FLeftCol, ACol, area.Width() - FixedExtentX())
                     : FLeftCol;
  MoveTopLeft(left, top);
}

void TCustomGrid::Resize() {
  ClampTopLeft();
  UpdateEditor();
  TCustomControl::Resize();
}

// --- current cell and selection

TGridRect TCustomGrid::Selection() const {
  TGridRect r{std::min(FCurrent.X, FAnchor.X), std::min(FCurrent.Y, FAnchor.Y),
              std::max(FCurrent.X, FAnchor.X), std::max(FCurrent.Y, FAnchor.Y)};
  if (FOptions & goRowSelect) {
    r.Left = FFixedCols;
    r.Right = ColCount() - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& r) {
  const TGridRect old = Selection();
  // One past the last cell is allowed: it is how a program shows no selection.
  auto clampX = [&](int v) { return std::clamp(v, 0, ColCount()); };
  auto clampY = [&](int v) { return std::clamp(v, 0, RowCount()); };
  if (FEditorMode) HideEditor();
  FAnchor = TGridCoord{clampX(r.Left), clampY(r.Top)};
  FCurrent = TGridCoord{clampX(r.Right), clampY(r.Bottom)};
  InvalidateSelectionChange(old);
}

void TCustomGrid::SetCol(int v) {
  if (v != FCurrent.X) MoveColRow(v, FCurrent.Y, true, true);
}

void TCustomGrid::SetRow(int v) {
  if (v != FCurrent.Y) MoveColRow(FCurrent.X, v, true, true);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
  ACol = std::clamp(ACol, FFixedCols, ColCount() - 1);
  ARow = std::clamp(ARow, FFixedRows, RowCount() - 1);
  if (!SelectCell(ACol, ARow)) return;
  const TGridRect old = Selection();
  const bool moved = ACol != FCurrent.X || ARow != FCurrent.Y;
  if (moved && FEditorMode && !(FOptions & goAlwaysShowEditor)) HideEditor();
  if (moved && FEditorMode) StoreEdit();
  FCurrent = TGridCoord{ACol, ARow};
  if (MoveAnchor || !(FOptions & goRangeSelect)) FAnchor = FCurrent;
  if (Show) ScrollIntoView(ACol, ARow);
  InvalidateSelectionChange(old);
  if (FOptions & goAlwaysShowEditor) ShowEditor();
}

void TCustomGrid::MoveAnchorTo(int ACol, int ARow) {
  if (!(FOptions & goRangeSelect)) {
    MoveColRow(ACol, ARow, true, true);
    return;
  }
  const TGridRect old = Selection();
  FAnchor = TGridCoord{std::clamp(ACol, FFixedCols, ColCount() - 1),
                       std::clamp(ARow, FFixedRows, RowCount() - 1)};
  ScrollIntoView(FAnchor.X, FAnchor.Y);
  InvalidateSelectionChange(old);
}

void TCustomGrid::ClampCurrent() {
  auto clamp = [&](TGridCoord& p) {
    p.X = std::clamp(p.X, FFixedCols, ColCount() - 1);
    p.Y = std::clamp(p.Y, FFixedRows, RowCount() - 1);
  };
  clamp(FCurrent);
  clamp(FAnchor);
}

bool TCustomGrid::GridFocused() const { return Focused() || EditorFocused(); }

// --- invalidation

void TCustomGrid::InvalidateClientRect(const TRect& r) {
  TForm* form = FormOf();
  if (!form || r.IsEmpty()) return;
  const TPoint o = ClientOrigin(), fo = form->ClientOrigin();
  form->InvalidateFormRect(
      IntersectRect(OffsetRect(r, o.x - fo.x, o.y - fo.y), VisibleRectInForm()));
}

// A cell's invalid area takes its grid lines too: they change with the cell.
void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  TRect r = CellRect(ACol, ARow);
  r.Right += FCols.LineWidth();
  r.Bottom += FRows.LineWidth();
  InvalidateClientRect(r);
}

void TCustomGrid::InvalidateCol(int ACol) {
  TRect area = ClientRect();
  TRect r = CellRect(ACol, FTopRow);
  if (ACol < 0 || ACol >= ColCount()) return;
  if (r.IsEmpty()) r = CellRect(ACol, 0);
  if (r.IsEmpty()) return;
  InvalidateClientRect(Rect(r.Left, area.Top, r.Right + FCols.LineWidth(), area.Bottom));
}

void TCustomGrid::InvalidateRow(int ARow) {
  TRect area = ClientRect();
  TRect r = CellRect(FLeftCol, ARow);
  if (ARow < 0 || ARow >= RowCount()) return;
  if (r.IsEmpty()) r = CellRect(0, ARow);
  if (r.IsEmpty()) return;
  InvalidateClientRect(Rect(area.Left, r.Top, area.Right, r.Bottom + FRows.LineWidth()));
}

// The visible part of a block of cells, as one rectangle.
void TCustomGrid::InvalidateBlock(const TGridRect& g) {
  const TRect area = ClientRect();
  auto span = [](const std::vector<TVisibleCell>& cells, int from, int to, int& a, int& b) {
    a = b = 0;
    bool any = false;
    for (const TVisibleCell& c : cells) {
      if (c.Index < from || c.Index > to) continue;
      if (!any) a = c.Start;
      b = c.Start + c.Size;
      any = true;
    }
    return any;
  };
  int l, r, t, b;
  if (!span(VisibleCells(true), g.Left, g.Right, l, r)) return;
  if (!span(VisibleCells(false), g.Top, g.Bottom, t, b)) return;
  InvalidateClientRect(
      IntersectRect(Rect(l, t, r + FCols.LineWidth(), b + FRows.LineWidth()), area));
}

void TCustomGrid::InvalidateSelectionChange(const TGridRect& old) {
  const TGridRect now = Selection();
  if (now == old) {
    InvalidateCell(FCurrent.X, FCurrent.Y);
    return;
  }
  InvalidateBlock(old);
  InvalidateBlock(now);
}

void TCustomGrid::InvalidateFocus() {
  if (FOptions & goRowSelect)
    InvalidateRow(FCurrent.Y);
  else
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

}  // namespace host
