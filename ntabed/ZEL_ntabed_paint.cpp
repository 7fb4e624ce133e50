// Painting of the table editor: one cell at a time through the grid's cell
// hook, plus the automatic column width and row height.
#include <algorithm>

#include "ntabed/ZEL_ntabed.h"
#include "ntabed/ZEL_ntabed_format.h"

namespace zel {

using namespace host;

namespace {
// Tall letters, descenders and brackets: the height every row must hold.
constexpr const char* kRowHeightSample = "9GMgÜ$§[{|";
constexpr const char* kCursorSample = "999:9999";
}  // namespace

void TNTabEd::Paint() {
  if (Suppressed()) return;
  // A table shared with another editor may have changed size meanwhile.
  if (ColCount() != NrOfColumns() + FColOffset + 1 || RowCount() != NrOfRows() + FRowOffset + 1)
    SyncWithData();
  if (FOptRowHeight) {
    const int h = AutoRowHeight(-1, 2);
    if (h != DefaultRowHeight()) SetDefaultRowHeight(h);
  }
  TCustomGrid::Paint();
}

// The host tells every control of its font change (its own or, with ParentFont,
// the parent's) through this notification; the font's own change handler stays
// the host's.
void TNTabEd::CMFontChanged(TMessage& Message) {
  TCustomGrid::CMFontChanged(Message);
  Canvas()->SetFont(Font());
  Invalidate();
}

std::string TNTabEd::CellText(int ACol, int ARow) const {
  const uint8_t s = CellState(ACol, ARow);
  if (s & kcsEmpty) return "";
  if (s & kcsInvalid) return "-nan-";
  const double x = Elem(ACol, ARow);
  const uint8_t type = Data->GetMScaleType(ACol);
  if (IsCategorical(type))
    return CategoryCellText(x, MScaleTypeNames[type],
                            [&](int n) { return Data->GetNominalID(ACol, n); });
  return FormatTableNumber(x, FNumWidth, Precision(ACol));
}

void TNTabEd::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (ACol > FColOffset && ARow > FRowOffset)
    DrawDataCell(ACol - FColOffset, ARow - FRowOffset, ARect, AState & gdSelected);
  else if (ACol == 0 && ARow == 0)
    DrawTopLeft(ARect);
  else
    DrawHeaderCell(ACol, ARow, ARect);
  // The header cell a header menu is open for wears an inverted frame.
  if (FFramedCell == TGridCoord{ACol, ARow}) {
    TCanvas* cv = Canvas();
    cv->Pen()->SetMode(pmNot);
    cv->Brush()->SetStyle(bsClear);
    cv->Rectangle(ARect.Left, ARect.Top, ARect.Right - 1, ARect.Bottom - 1);
    cv->Pen()->SetMode(pmCopy);
    cv->Brush()->SetStyle(bsSolid);
  }
}

void TNTabEd::DrawDataCell(int c, int r, const TRect& rect, bool selected) {
  TCanvas* cv = Canvas();
  const uint8_t s = CellState(c, r);
  std::string text = CellText(c, r);
  TColor fg = selected ? FColorRngSelFG : FColorNormal;
  TFontStyles style = 0;
  if (s & kcsMarks) {
    const uint8_t marks = s & kcsMarks;
    fg = marks == kcsMarks ? FColorMarkedBoth
                           : (marks == kcsMarkedA ? FColorMarked1 : FColorMarked2);
    if (FBoldMarks) style = fsBold;
  }
  TColor bg = selected ? FColorRngSelBG : Color();
  if (FOnBeforeRenderCell) FOnBeforeRenderCell(this, c, r, text, fg, bg, style);
  cv->Font()->SetColor(fg);
  cv->Font()->SetStyle(style);
  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(bg);
  cv->TextRect(rect, rect.Left + 2, rect.Top + 1, text);
}

std::string TNTabEd::HeaderText(int ACol, int ARow, bool& current) const {
  const TGridRect sel = Selection();
  current = false;
  if (ARow > FRowOffset) {  // a row's name or attribute
    current = ARow == sel.Top;
    const int r = ARow - FRowOffset;
    return ACol == 0 ? RowName(r) : std::to_string(RowAttrib(r));
  }
  if (ACol > FColOffset) {  // a column's name or attribute
    current = ACol == sel.Left;
    const int c = ACol - FColOffset;
    return ARow == 0 ? ColName(c) : std::to_string(ColAttrib(c));
  }
  if (ARow == 0 && ACol == 1) return "Attrib";
  if (ARow == 1 && ACol == 0) return "Attribute";
  return "";  // where the attribute column and row meet
}

void TNTabEd::DrawHeaderCell(int ACol, int ARow, const TRect& rect) {
  TCanvas* cv = Canvas();
  TRect r = rect;
  if (r.Right - r.Left > 1) ++r.Left, --r.Right;
  if (r.Bottom - r.Top > 1) ++r.Top, --r.Bottom;
  bool current = false;
  const std::string text = HeaderText(ACol, ARow, current);
  const bool attribCaption = ARow == 0 && ACol == 1 && AttribRowVisible();
  // Names sit at the top of a row, everything else one pixel lower.
  const int y = (ACol == 0 && ARow > FRowOffset) ? r.Top : r.Top + 1;
  TRect clip = r;
  if (!attribCaption) clip.Right = std::max(clip.Left, clip.Right - 2);
  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(FixedColor());
  cv->FillRect(r);
  cv->Font()->SetColor(current ? FColorSelected : FColorNormal);
  cv->Font()->SetStyle(current && FBoldSelHeads ? fsBold : 0);
  cv->TextRect(clip, r.Left + 2, y, text);
}

void TNTabEd::DrawTopLeft(const TRect& rect) {
  TCanvas* cv = Canvas();
  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(clWindow);
  cv->Font()->SetColor(FColorNormal);
  cv->Font()->SetStyle(0);
  std::string text;
  if (CommentEditorOpen()) {
    // While the comment is edited the corner says what the box above the cells is.
    cv->Brush()->SetColor(kCommentColor);
    cv->Font()->SetColor(clWhite);
    cv->TextRect(rect, rect.Left + 3, rect.Top + 2, "Comment:");
    return;
  }
  if (FShowCellCursor)
    text = std::to_string(Col() - FColOffset) + ":" + std::to_string(Row() - FRowOffset);
  cv->TextRect(rect, rect.Left + 3, rect.Top + 2, text);
}

// ---------------------------------------------------------------- automatic sizes

int TNTabEd::TextWidthOf(const std::string& s) { return Canvas()->TextWidth(s); }

int TNTabEd::AutoRowHeight(int RowNr, int Addon) {
  TCanvas* cv = Canvas();
  cv->SetFont(Font());
  const int h = std::max(8, cv->TextHeight(kRowHeightSample) + Addon + 2);
  if (RowNr > 0 && RowNr <= NrOfRows())
    SetRowHeights(RowNr, h);
  else if (RowNr == 0)
    SetRowHeights(0, h);
  else if (RowNr < 0 && AttribColVisible())
    SetRowHeights(-1, h);
  return h;
}

int TNTabEd::AutoColWidth(int ColNr, bool IncludeHeader, int Addon) {
  Canvas()->SetFont(Font());
  int m = 0;
  if (ColNr == -1) {
    m = TextWidthOf(IncludeHeader ? "Attrib" : "255");
  } else if (ColNr == 0) {
    m = TextWidthOf(kCursorSample);
    for (int r = 1; r <= NrOfRows(); ++r) m = std::max(m, TextWidthOf(RowName(r)));
  } else if (ColNr >= 1 && ColNr <= NrOfColumns()) {
    if (IncludeHeader) m = TextWidthOf(ColName(ColNr));
    m = std::max(m, TextWidthOf(std::to_string(ColAttrib(ColNr))));
    // A categorical column is as wide as its category texts, not its codes.
    const bool categorical = IsCategorical(Data->GetMScaleType(ColNr));
    for (int r = 1; r <= NrOfRows(); ++r)
      m = std::max(m, TextWidthOf(categorical ? CellText(ColNr, r)
                                              : FormatTableNumber(Elem(ColNr, r), FNumWidth,
                                                                  Precision(ColNr))));
  }
  const int w = std::max(4, m + 8 + Addon);
  if (ColNr >= -1 && ColNr <= NrOfColumns()) SetColWidths(ColNr, w);
  return w;
}

}  // namespace zel
