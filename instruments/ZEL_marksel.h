/// @file
/// TMarkSel: a palette of the 52 data-point marks (DrawMarkOnCanvas) laid out
/// in a grid; the mark under the mouse is highlighted and a left click selects
/// the nearest mark and reports it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "foundation/Zel_zelbase.h"
#include "host/ui/Controls.h"

namespace zel {

/// A mark was clicked: the release point (X, Y) and the mark (0..51).
using TMarkClickEvent = std::function<void(host::TObject* Sender, int X, int Y, int Mark)>;

/// A palette of the 52 data-point marks in a grid, from which the user picks one.
///
/// State model: the settings below, one visibility flag per mark (mark 0 is
/// always visible), Selected (-1 or 0..51) and the hover mark FLastHiLite (0 at
/// creation). Nothing else is kept: the grid — pitch, half-pitch and every
/// visible mark's grid point — is the Layout value, computed from the current
/// settings and size by Layout() whenever it is needed, so paint, the hover
/// highlight and the click all work on the same grid.
///
/// The grid: the visible marks in index order fill the cells row by row; marks
/// beyond NrOfColumns * NrOfRows continue below the last row, outside the
/// control. The nearest mark to a point is the eligible mark whose grid point is
/// closest (squared distance), ties to the lower index. Eligible are the visible
/// marks whose selection cell lies wholly inside the control, and mark 0 always,
/// so there is always a result: a mark the user cannot see is never chosen by
/// the pointer. Releases outside the control select nothing.
///
/// The hover highlight is drawn straight onto the control's canvas, not into
/// the picture, so a full repaint removes it; it returns when the pointer
/// reaches another mark. Restoring the previous highlight redraws that mark's
/// cell only when the mark is still on the grid: a mark hidden since the last
/// paint leaves no ghost behind.
///
/// Repainting: the grid, selection and colour setters paint at once when the
/// value changes; ShowZeroAsCross and Enabled invalidate. A disabled selector
/// draws grey symbols on silver, the selected cell in 0xDEDEDE.
class TMarkSel : public host::TGraphicControl {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TMarkSel(host::TComponent* AOwner);

  /// Grid columns and rows, each accepted in 1..51 (other values are ignored);
  /// default 8 x 6. SetNrCols and SetNrRows are the short names of the setters.
  ///@{
  int NrOfColumns() const { return FNrOfColumns; }
  void SetNrCols(int n);
  void SetNrOfColumns(int n) { SetNrCols(n); }
  int NrOfRows() const { return FNrOfRows; }
  void SetNrRows(int n);
  void SetNrOfRows(int n) { SetNrRows(n); }
  ///@}
  ///@{
  /// The selected mark, -1 for none; values outside -1..51 are ignored.
  int Selected() const { return FSelected; }
  void SetSelected(int m);
  ///@}
  /// Mark 0 drawn as a large cross over its cell (default on).
  ///@{
  bool ShowZeroAsCross() const { return FShowZeroAsCross; }
  void SetZeroAsCross(bool v);
  void SetShowZeroAsCross(bool v) { SetZeroAsCross(v); }
  ///@}

  /// Background of the palette (default clBtnFace) and colour of its symbols
  /// (default black); SetColorBG and SetColorFG are the short names.
  ///@{
  host::TColor ColorBackGnd() const { return FColorBackGnd; }
  void SetColorBG(host::TColor c) { Change(FColorBackGnd, c); }
  void SetColorBackGnd(host::TColor c) { SetColorBG(c); }
  host::TColor ColorMarks() const { return FColorMarks; }
  void SetColorFG(host::TColor c) { Change(FColorMarks, c); }
  void SetColorMarks(host::TColor c) { SetColorFG(c); }
  ///@}
  ///@{
  /// Background of the selected mark's cell (default white).
  host::TColor ColorSelBG() const { return FColorSelBG; }
  void SetColorSelBG(host::TColor c) { Change(FColorSelBG, c); }
  ///@}
  ///@{
  /// Outline of the selected mark's cell and colour of its symbol (default navy).
  host::TColor ColorSelFG() const { return FColorSelFG; }
  void SetColorSelFG(host::TColor c) { Change(FColorSelFG, c); }
  ///@}
  /// Background and symbol colour of the highlighted (hovered) cell (default
  /// red and white); SetColorHilite and SetColorHiSymb are the short names.
  ///@{
  host::TColor ColorHiLiteBG() const { return FColorHiLiteBG; }
  void SetColorHilite(host::TColor c) { Change(FColorHiLiteBG, c); }
  void SetColorHiLiteBG(host::TColor c) { SetColorHilite(c); }
  host::TColor ColorHiLiteSymbol() const { return FColorHiLiteSymbol; }
  void SetColorHiSymb(host::TColor c) { Change(FColorHiLiteSymbol, c); }
  void SetColorHiLiteSymbol(host::TColor c) { SetColorHiSymb(c); }
  ///@}
  ///@{
  /// The frame round the palette (default frEngraved).
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle s) { Change(FFrameStyle, s); }
  ///@}

  ///@{
  /// Visibility of a mark. Reading an index outside 0..51 reads mark 0; setting
  /// is accepted for 1..51 only (mark 0 cannot be hidden) and paints.
  bool GetVis(int Index) const;
  void SetVis(int Index, bool Value);
  ///@}
  /// Marks 1..51 shown or hidden, then one paint.
  ///@{
  void ShowAllMarks() { SetAllVis(true); }
  void HideAllMarks() { SetAllVis(false); }
  ///@}

  ///@{
  /// Raised when a left click selects a mark (on the release inside the control).
  const TMarkClickEvent& OnMarkClick() const { return FOnMarkClick; }
  void SetOnMarkClick(TMarkClickEvent e) { FOnMarkClick = std::move(e); }
  ///@}
  ///@{
  /// Raised when a double click selects a mark.
  const TMarkClickEvent& OnMarkDblClick() const { return FOnMarkDblClick; }
  void SetOnMarkDblClick(TMarkClickEvent e) { FOnMarkDblClick = std::move(e); }
  ///@}
  ///@{
  /// After each full paint.
  const host::TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(host::TNotifyEvent e) { FOnPaint = std::move(e); }
  ///@}

  /// The grid, in the control's pixels.
  struct TLayout {
    /// Cell pitch dh, dv and half-pitch mh, mv.
    ///@{
    int MarkDistHorz = 0, MarkDistVert = 0;      ///< cell pitch dh, dv
    int MarkMarginHorz = 0, MarkMarginVert = 0;  ///< half-pitch mh, mv
    ///@}
    std::array<bool, kNumMarks> OnGrid{};          ///< visible, so it has a grid point
    std::array<bool, kNumMarks> Inside{};          ///< on the grid, cell inside the control
    std::array<host::TPoint, kNumMarks> Points{};  ///< grid point of each mark on the grid
    /// What the selection outline and background cover (right, bottom excluded).
    host::TRect Cell(int Mark) const;
    /// What the hover highlight covers: the cell less its outline.
    host::TRect HiLiteCell(int Mark) const;
  };
  /// The grid for the current settings and size.
  TLayout Layout() const;
  /// The nearest eligible mark to (X, Y) (see above); always 0..51.
  int MarkAt(int X, int Y) const;
  /// The mark the hover highlight is on (or was last put on).
  int LastHiLite() const { return FLastHiLite; }

  /// The full picture into Bitmap (at its size): background, cells, symbols, frame.
  void DrawMarks(host::TBitmap& Bitmap);

  /// From another TMarkSel: the grid, selection, colours, frame and the marks'
  /// visibility, then one paint.
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TMarkSel"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  void MouseMove(host::TShiftState Shift, int X, int Y) override;
  void WMLButtonUp(host::TWMMouse& Message) override;
  void WMLButtonDblClk(host::TWMMouse& Message) override;
  ///@}

 private:
  // settings (ZEL_marksel.cpp)
  int FNrOfColumns = 8;
  int FNrOfRows = 6;
  int FSelected = -1;
  bool FShowZeroAsCross = true;
  host::TColor FColorBackGnd = host::clBtnFace;
  host::TColor FColorMarks = 0x000000;
  host::TColor FColorSelBG = 0xFFFFFF;
  host::TColor FColorSelFG = 0x800000;
  host::TColor FColorHiLiteBG = 0x0000FF;
  host::TColor FColorHiLiteSymbol = 0xFFFFFF;
  TFrameStyle FFrameStyle = frEngraved;
  std::array<bool, kNumMarks> FVisible;
  TMarkClickEvent FOnMarkClick, FOnMarkDblClick;
  host::TNotifyEvent FOnPaint;
  void SetAllVis(bool v);
  // Stores v in `field` and paints when it differs.
  template <class T>
  void Change(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Paint();
  }

  // painting (ZEL_marksel_paint.cpp)
  // The symbol of a mark at its grid point in the pen colour (mark 0 as the
  // cross when ShowZeroAsCross).
  void DrawSymbol(host::TCanvas* c, const TLayout& l, int Mark) const;
  void HiLite(int Mark);
  void ResetLastHiLite();
  bool CanDrawOnScreen() const;

  // mouse (ZEL_marksel_input.cpp)
  int FLastHiLite = 0;
  // A left release or double click at the message's point: select, report, paint.
  void SelectAt(const host::TWMMouse& Message, const TMarkClickEvent& Event);
};

}  // namespace zel
