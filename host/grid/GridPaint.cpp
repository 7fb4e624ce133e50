// Painting the grid: border, scroll bars, and the visible cells with their
// lines. Nothing outside the view is touched, whatever the grid's size.
#include <algorithm>

#include "host/grid/Grids.h"
#include "host/widgets/Look.h"

namespace host {

void TCustomGrid::Paint() {
  const TRect area = ClientRect();
  TCanvas* c = Canvas();
  c->IntersectClip(area);
  PaintCells(c, area);
  // Border and bars come last, on a fresh binding: a cell hook that asked for
  // the canvas again got a binding without the cell clip, and a partly shown
  // cell may have spilled over them.
  c = Canvas();
  LayoutScrollBars();
  PaintBorder(c);
  FVScroll.Paint(c);
  FHScroll.Paint(c);
}

void TCustomGrid::PaintBorder(TCanvas* c) {
  if (FBorderStyle == bsSingle) {
    TRect r = Rect(0, 0, Width(), Height());
    DrawSunkenEdge(c, r);
  }
  if (FVScroll.Shown() && FHScroll.Shown()) {
    // The square where the two bars meet.
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(FVScroll.Bounds().Left, FHScroll.Bounds().Top, FVScroll.Bounds().Right,
                     FHScroll.Bounds().Bottom));
  }
}

void TCustomGrid::PaintCells(TCanvas* c, const TRect& area) {
  const TRect clip = IntersectRect(c->ClipRect(), area);
  const auto cols = VisibleCells(true);
  const auto rows = VisibleCells(false);
  int right = area.Left, bottom = area.Top;
  for (const TVisibleCell& row : rows) {
    bottom = row.Start + row.Size + FRows.LineWidth();
    if (row.Start >= clip.Bottom || bottom <= clip.Top) continue;
    for (const TVisibleCell& col : cols) {
      right = col.Start + col.Size + FCols.LineWidth();
      if (col.Start >= clip.Right || right <= clip.Left) continue;
      const bool fixed = col.Index < FFixedCols || row.Index < FFixedRows;
      const TRect where = CellPaintRect(
          Rect(col.Start, row.Start, col.Start + col.Size, row.Start + row.Size), fixed);
      PaintCell(c, col.Index, row.Index, where, fixed);
      PaintLines(c, where, fixed);
    }
  }
  if (!cols.empty()) right = cols.back().Start + cols.back().Size + FCols.LineWidth();
  // What lies beyond the last column and row shows the grid's colour.
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  if (right < area.Right) c->FillRect(Rect(right, area.Top, area.Right, area.Bottom));
  if (bottom < area.Bottom) c->FillRect(Rect(area.Left, bottom, area.Right, area.Bottom));
  // With row selection the focus frame goes round the visible part of the row.
  if (FDefaultDrawing && (FOptions & goRowSelect) && GridFocused()) {
    TRect r = CellRect(FLeftCol, FCurrent.Y);
    if (!r.IsEmpty() && !cols.empty())
      DrawFocusRect(c, Rect(r.Left, r.Top, std::min(right, area.Right), r.Bottom));
  }
}

void TCustomGrid::PaintCell(TCanvas* c, int col, int row, const TRect& where, bool fixed) {
  TGridDrawState state = fixed ? gdFixed : 0;
  if (!fixed) {
    const bool focused = col == FCurrent.X && row == FCurrent.Y && GridFocused();
    if (focused) state |= gdFocused;
    if (Selection().Contains(col, row)) state |= gdSelected;
  }
  if (FDefaultDrawing) {
    c->SetFont(Font());
    c->Brush()->SetStyle(bsSolid);
    c->Pen()->SetMode(pmCopy);
    const bool highlight =
        (state & gdSelected) &&
        (!(state & gdFocused) || (FOptions & (goDrawFocusSelected | goRowSelect)));
    if (fixed) {
      c->Brush()->SetColor(FFixedColor);
    } else if (highlight) {
      c->Brush()->SetColor(clHighlight);
      c->Font()->SetColor(clHighlightText);
    } else {
      c->Brush()->SetColor(Color());
    }
    c->FillRect(where);
  }
  DrawCell(col, row, where, state);
  if (!FDefaultDrawing) return;
  if (fixed && (FOptions & (goFixedVertLine | goFixedHorzLine))) {
    TRect r = where;
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
  }
  const bool editing = FEditorMode && FInplaceEdit && FInplaceEdit->Visible();
  if ((state & gdFocused) && !(FOptions & goRowSelect) && !editing) DrawFocusRect(c, where);
}

// The room of a line that is off belongs to the cell before it: the cell's
// fill and DrawCell cover it, so no stripe of background shows between cells
// (a row drawn highlighted reads as one bar).
TRect TCustomGrid::CellPaintRect(const TRect& cell, bool fixed) const {
  TRect r = cell;
  if (!(FOptions & (fixed ? goFixedVertLine : goVertLine))) r.Right += FCols.LineWidth();
  if (!(FOptions & (fixed ? goFixedHorzLine : goHorzLine))) r.Bottom += FRows.LineWidth();
  return r;
}

// The lines that are on, right of and below a cell painted over `where`:
// black between fixed cells, silver between the others. A vertical line takes
// the corner; a horizontal one runs on through a corner that no vertical line
// claims, so it stays unbroken.
void TCustomGrid::PaintLines(TCanvas* c, const TRect& where, bool fixed) {
  const bool vert = FOptions & (fixed ? goFixedVertLine : goVertLine);
  const bool horz = FOptions & (fixed ? goFixedHorzLine : goHorzLine);
  const int lw = vert ? FCols.LineWidth() : 0, lh = horz ? FRows.LineWidth() : 0;
  if (lw == 0 && lh == 0) return;
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(fixed ? clBlack : clSilver);
  if (lw > 0) c->FillRect(Rect(where.Right, where.Top, where.Right + lw, where.Bottom + lh));
  if (lh > 0) c->FillRect(Rect(where.Left, where.Bottom, where.Right, where.Bottom + lh));
}

}  // namespace host
