// TReportListView: painting. The grid paints the cells through DrawCell
// (data cells, column headers, the fixed first column); the common header,
// which spans all columns, the empty-table message and the insertion
// indicator are drawn over the grid afterwards.
#include <algorithm>

#include "foundation/Zel_stringl.h"
#include "replist/ZEL_replist_view.h"

namespace zel {

using namespace host;

namespace {

// Space a check box takes before the text, and the room a sort triangle takes
// in the header.
constexpr int kCheckReserve = 16;
constexpr int kSortReserve = 13;

std::vector<std::string> SplitAt(const std::string& s, char sep) {
  std::vector<std::string> parts(1);
  for (const char ch : s) {
    if (ch == sep)
      parts.emplace_back();
    else
      parts.back() += ch;
  }
  return parts;
}

// The text without its first character (a check flag, or the character the
// truncation keeps in front).
std::string AfterFirstChar(const std::string& s) {
  char32_t cp;
  return s.substr(std::min(s.size(), Utf8CharAt(s, 0, cp)));
}

// The last n characters.
std::string RightChars(const std::string& s, int n) {
  const int len = int(Utf8Length(s));
  std::string out;
  size_t i = 0;
  for (int k = 0; i < s.size(); ++k) {
    char32_t cp;
    const size_t step = Utf8CharAt(s, i, cp);
    if (k >= len - n) out.append(s, i, step);
    i += step;
  }
  return out;
}

int AlignedX(TAlignment a, const TRect& text, int width) {
  switch (a) {
    case taRightJustify:
      return text.Right - width;
    case taCenter:
      return (text.Left + text.Right) / 2 - width / 2;
    default:
      return text.Left;
  }
}

void Line(TCanvas* c, TColor color, int x0, int y0, int x1, int y1) {
  c->Pen()->SetColor(color);
  c->MoveTo(x0, y0);
  c->LineTo(x1, y1);
}

}  // namespace

std::string FitText(const std::string& Text, int Room, int Measured, int Slack, bool RightAligned) {
  if (Measured <= 0 || Room >= Measured) return Text;
  const int len = int(Utf8Length(Text));
  const int keep = std::max(int(Round(double(len) * Room / Measured - Slack)), 1);
  return RightAligned ? LeftString(Text, 1) + "..." + RightChars(Text, keep)
                      : LeftString(Text, keep) + "...";
}

void TReportListView::Paint() {
  if (FSuppressPaint) return;
  TCustomDrawGrid::Paint();
  if (FCommonHeaderVisible) PaintCommonHeader();
  if (NrOfRows() == 0) PaintEmptyTable();
  PaintIndicator();
}

void TReportListView::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (ARow >= HeadCount()) {
    PaintDataCell(ACol, ARow, ARect);
  } else if (FColumnHeadersVisible && ARow == ColumnHeaderRow()) {
    PaintColumnHeader(ACol, ARect);
  } else {
    return;  // the common header is drawn across all columns by Paint
  }
  TCustomDrawGrid::DrawCell(ACol, ARow, TextRectOf(ARect), AState);
}

void TReportListView::DrawRaisedEdge(TCanvas* c, int L, int T, int R, int B) {
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(clWhite);
  c->MoveTo(L, B - 1);
  c->LineTo(L, T);
  c->LineTo(R, T);
  c->Pen()->SetColor(clGray);
  c->MoveTo(L + 1, B - 1);
  c->LineTo(R - 1, B - 1);
  c->LineTo(R - 1, T);
}

void TReportListView::DrawCheckGlyph(TCanvas* c, const TRect& cell, TCheckMode mode, bool checked,
                                     TColor outline, TColor mark) {
  const int L = cell.Left, T = cell.Top;
  if (!FCheckMarksReadOnly) {
    c->Pen()->SetColor(outline);
    if (mode == cmRadio)
      c->Ellipse(L + 4, T + 4, L + 15, T + 15);
    else
      c->Rectangle(L + 4, T + 4, L + 15, T + 15);
  }
  if (!checked) return;
  if (mode == cmRadio) {
    Line(c, mark, L + 8, T + 7, L + 11, T + 7);
    for (int k = 0; k < 3; ++k) Line(c, mark, L + 7, T + 8 + k, L + 12, T + 8 + k);
    Line(c, mark, L + 8, T + 11, L + 11, T + 11);
  } else {
    for (int k = 0; k < 3; ++k) {
      Line(c, mark, L + 6, T + 8 + k, L + 9, T + 11 + k);
      Line(c, mark, L + 8, T + 10 + k, L + 13, T + 5 + k);
    }
  }
}

void TReportListView::PaintDataCell(int ACol, int ARow, const TRect& ARect) {
  TCanvas* cv = Canvas();
  cv->SetFont(Font());
  cv->Pen()->SetWidth(1);
  cv->Pen()->SetMode(pmCopy);
  const int c = DataColOf(ACol), r = DataRowOf(ARow);
  if (c == 0 || !ValidRow(r)) {
    // No data behind the cell: the blank column of a table without columns,
    // or the blank row of an empty table.
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(Color());
    cv->FillRect(ARect);
    return;
  }
  const uint8_t attr = FRLData->RowAttrib(r);
  const TCheckMode mode = ColumnCheckMode(c);
  std::string text = ColumnIsPwd(c) ? "******" : FRLData->Strings()->GetString(c, r);

  TColor font = FColorText;
  TColor bkgd = (FRowColPattern > 0 && (ARow - HeadCount()) / FRowColPattern % 2 == 0)
                    ? FColorBkgdShaded
                    : FColorBkgdNormal;
  TFontStyles styles = Font()->Style();
  if (Enabled()) {
    const bool rowSel = attr & kRowSelected, colSel = ColumnSelected(c);
    if (attr & kRowDisabled) {
      bkgd = FColorDisabledBkgd, font = FColorDisabledText;
    } else if (rowSel && colSel) {
      bkgd = FColorSelectedBoth, font = FColorSelectedBothText;
    } else if (colSel) {
      bkgd = FColorSelectedCol, font = FColorSelectedColText;
    } else if (rowSel) {
      bkgd = FColorSelectedRow, font = FColorSelectedRowText;
    }
    if (!(attr & kRowDisabled) && (r == FHighLightRow || c == FHighLightColumn)) {
      bkgd = FColorHigh, font = FColorHighText;
      if (FHighLightBold) styles |= fsBold;
    }
  }
  const bool fixedCol = ACol < FixedCols();
  if (fixedCol) bkgd = FixedColor();
  if (!Enabled()) font = clInactiveCaption;
  TColor pen = bkgd;
  if (FOnBeforeRenderCell) FOnBeforeRenderCell(this, c, r, pen, bkgd, font, styles, text);
  cv->Font()->SetStyle(styles);
  cv->Font()->SetColor(font);

  // Cut texts that do not fit, keeping the first character in front.
  const int colW = TCustomGrid::ColWidths(ACol);
  const int reserve = mode != cmNone ? kCheckReserve : 0;
  const int room = colW - reserve - 9;
  const TAlignment align = ColumnAlignment(c);
  text = FitText(text, room, cv->TextWidth(AfterFirstChar(text)), 4, align == taRightJustify);

  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(bkgd);
  cv->Pen()->SetColor(bkgd);
  cv->Rectangle(ARect);
  cv->Pen()->SetColor(pen);

  TRect tr = TextRectOf(ARect);
  const bool glyph = mode != cmNone && (text.size() > 1 || FShowEmptyCheckBoxes);
  bool checked = false;
  if (glyph) {
    tr.Left += kCheckReserve;
    checked = !text.empty() && text[0] != ' ';
    text = AfterFirstChar(text);
  } else if (mode != cmNone) {
    text = AfterFirstChar(text);
  }
  const int w = cv->TextWidth(text) + ((styles & fsItalic) ? 2 : 0);
  cv->Brush()->SetStyle(bsClear);
  cv->TextRect(ARect, AlignedX(align, tr, w), tr.Top - 1, text);
  if (glyph) {
    cv->Brush()->SetStyle(bsSolid);
    const TColor outline = !Enabled()              ? clInactiveCaption
                           : (attr & kRowDisabled) ? pen
                                                   : clBtnShadow;
    DrawCheckGlyph(cv, ARect, mode, checked, outline, Enabled() ? font : clInactiveCaption);
  }
  if (fixedCol) DrawRaisedEdge(cv, ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
}

void TReportListView::DrawSortArrow(TCanvas* c, int X, int Y, int h, bool ascending) {
  if (ascending) {
    c->Pen()->SetColor(clGray);
    c->MoveTo(X - 4, Y + h + 3);
    c->LineTo(X, Y + h - 3);
    c->Pen()->SetColor(clWhite);
    c->LineTo(X + 4, Y + h + 3);
    c->LineTo(X - 4, Y + h + 3);
  } else {
    c->Pen()->SetColor(clWhite);
    c->MoveTo(X + 4, Y + h - 3);
    c->LineTo(X, Y + h + 3);
    c->Pen()->SetColor(clGray);
    c->LineTo(X - 4, Y + h - 3);
    c->LineTo(X + 4, Y + h - 3);
  }
}

void TReportListView::PaintColumnHeader(int ACol, const TRect& ARect) {
  TCanvas* cv = Canvas();
  cv->SetFont(Font());
  cv->Font()->SetColor(Enabled() ? FColorColumnHdText : clInactiveCaption);
  cv->Pen()->SetWidth(1);
  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(FixedColor());
  cv->FillRect(ARect);
  const int c = DataColOf(ACol);
  if (c > 0) {
    const bool sorted = c == LastSortColumn();
    const int room = TCustomGrid::ColWidths(ACol) - (sorted ? kSortReserve : 0) - 9;
    const TRect tr = TextRectOf(ARect);
    const TAlignment align = ColumnAlignment(c);
    const int th = cv->TextHeight("(8g]}ÜÄ§");
    int width = 0, y = tr.Top;
    cv->Brush()->SetStyle(bsClear);
    for (std::string line : SplitAt(Header(c), '\n')) {
      line = FitText(line, room, cv->TextWidth(line), 3, false);
      const int w = cv->TextWidth(line);
      width = std::max(width, w);
      cv->TextRect(ARect, AlignedX(align, tr, w), y, line);
      y += th;
    }
    if (sorted) {
      int a = 0;
      if (align == taLeftJustify) a = width + 10;
      if (align == taRightJustify) a = tr.Right - tr.Left - width - 12;
      if (align == taCenter) a = (tr.Right - tr.Left) / 2 + width / 2 + 10;
      a = std::min(a, TCustomGrid::ColWidths(ACol) - 12);
      DrawSortArrow(cv, tr.Left + a, tr.Top, th / 2, LastSortOrder());
    }
  }
  DrawRaisedEdge(cv, ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
}

void TReportListView::PaintCommonHeader() {
  const TRect area = ClientRect();
  // The header ends where the last data column in view ends.
  int R = area.Left;
  for (int i = ColCount() - 1; i >= 0 && R == area.Left; --i) {
    const TRect cell = CellRect(i, 0);
    if (!cell.IsEmpty()) R = std::min(cell.Right, area.Right);
  }
  const int L = area.Left, T = area.Top, B = T + TCustomGrid::RowHeights(0);
  TCanvas* cv = Canvas();
  cv->IntersectClip(area);
  cv->SetFont(Font());
  cv->Font()->SetColor(Enabled() ? FColorCommonHdText : clInactiveCaption);
  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(FColorCommonHd);
  cv->FillRect(Rect(L, T, R, B));
  cv->Brush()->SetStyle(bsClear);
  const int th = cv->TextHeight("(8g]}ÜÄ§");
  int y = T + 2;
  for (const std::string& line : SplitAt(CommonHeader(), '\n')) {
    const int w = cv->TextWidth(line);
    int x = L + 4;
    if (FCommonHeaderAlignment == taRightJustify) x = R - w - 6;
    if (FCommonHeaderAlignment == taCenter) x = L + (R - L) / 2 - w / 2;
    cv->TextRect(Rect(L, T, R, B), x, y, line);
    y += th;
  }
  DrawRaisedEdge(cv, L, T, R, B);
  Line(cv, clBlack, R, B - 1, R, T - 1);
}

void TReportListView::PaintEmptyTable() {
  const TRect area = ClientRect();
  const int head = HeadHeight();
  TCanvas* cv = Canvas();
  cv->IntersectClip(area);
  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(Color());
  cv->FillRect(Rect(area.Left, area.Top + head, area.Right, area.Bottom));
  if (FEmptyMessage.empty()) return;
  cv->SetFont(Font());
  cv->Font()->SetColor(FColorEmptyMsg);
  cv->Brush()->SetStyle(bsClear);
  const auto lines = SplitAt(FEmptyMessage, '|');
  const int h = cv->TextHeight("(8g]}ÜÄ§");
  const int y0 = head - int(lines.size()) * h;
  for (size_t k = 0; k < lines.size(); ++k) {
    const int x = area.Left + (area.Width() - cv->TextWidth(lines[k])) / 2;
    const int y = area.Top + y0 + (area.Height() - y0) / 2 + h * int(k) - 2;
    cv->TextOut(x, y, lines[k]);
  }
}

// The line lies on the top edge of data row p (p = NrOfRows + 1: below the
// last row). It follows the rows as the grid lays them out, so rows hidden by
// a filter or sized by the user are taken into account.
void TReportListView::PaintIndicator() {
  const int p = FInterRowIndi;
  if (p == 0 || p < TopRow() || p > NrOfRows() + 1) return;
  const int col = TCustomGrid::LeftCol();
  const int lastShown = TCustomGrid::TopRow() + VisibleRowCount() + 1;
  int y = -1;
  for (int g = GridRowOf(p); g < std::min(RowCount(), lastShown + 1) && y < 0; ++g) {
    const TRect cell = CellRect(col, g);
    if (!cell.IsEmpty()) y = cell.Top;
  }
  if (y < 0) {
    const int first = std::max(HeadCount(), TCustomGrid::TopRow());
    for (int g = std::min(GridRowOf(p), RowCount()) - 1; g >= first && y < 0; --g) {
      const TRect cell = CellRect(col, g);
      if (!cell.IsEmpty()) y = cell.Bottom + GridLineWidth();
    }
  }
  if (y < 0) return;
  const TRect area = ClientRect();
  TCanvas* cv = Canvas();
  cv->IntersectClip(area);
  cv->Pen()->SetMode(pmCopy);
  cv->Pen()->SetWidth(FInterRowIndicatorWidth);
  cv->Pen()->SetColor(FInterRowIndicatorColor);
  cv->MoveTo(area.Left, y);
  cv->LineTo(area.Right, y);
  cv->Pen()->SetWidth(1);
}

}  // namespace zel
