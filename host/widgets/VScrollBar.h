// A vertical scroll bar drawn inside a control's own client area, for the
// lists that scroll by whole rows (tree view, drop-down lists). It is not a
// control: the owner reserves a strip at its right edge, paints the bar there
// and passes the mouse on, and reads Position() as its first visible row.
#pragma once

#include "host/gfx/Graphics.h"

namespace host {

class TVScrollBar {
 public:
  static constexpr int kWidth = 16;

  // Total rows and rows that fit; the position is clamped to the new range.
  void SetRange(int total, int page);
  int Total() const { return FTotal; }
  int Page() const { return FPage; }
  // True when there are more rows than fit: only then is the bar shown.
  bool Needed() const { return FTotal > FPage; }
  int Position() const { return FPosition; }
  int MaxPosition() const { return FTotal > FPage ? FTotal - FPage : 0; }
  // Clamps to 0..MaxPosition; true when the position changed.
  bool SetPosition(int p);

  // Draws the bar (arrow buttons, track, thumb) filling `r`.
  void Paint(TCanvas* c, const TRect& r) const;
  // A press at (x, y) inside `r`: arrows step one row, the track a page, the
  // thumb starts a drag. False when the press is not on the bar.
  bool MouseDown(const TRect& r, int x, int y);
  // Moves a dragged thumb; true when the position changed.
  bool MouseMove(const TRect& r, int y);
  void MouseUp() { FDragging = false; }
  bool Dragging() const { return FDragging; }

 private:
  int FTotal = 0, FPage = 0, FPosition = 0;
  bool FDragging = false;
  int FDragOffset = 0;  // pointer distance from the thumb's top while dragging
  // The thumb in `r` (between the arrow buttons).
  TRect ThumbRect(const TRect& r) const;
  int ButtonHeight(const TRect& r) const;
};

}  // namespace host
