// The grid's scroll bars, drawn inside the grid: arrow buttons, track and
// thumb, horizontal or vertical. Positions are 64-bit pixel offsets of the
// scrolled part, so the thumb of a hundred-million-row grid still stands in
// proportion; the grid turns positions into its first visible row or column.
#pragma once

#include <cstdint>

#include "host/gfx/Graphics.h"

namespace host {

class TGridScrollBar {
 public:
  static constexpr int kThickness = 16;
  enum TPart : uint8_t { spNone, spLineBack, spPageBack, spThumb, spPageForward, spLineForward };

  explicit TGridScrollBar(bool vertical) : FVertical(vertical) {}
  bool Vertical() const { return FVertical; }

  // Where the bar lies in the grid; empty while it is not shown.
  TRect Bounds() const { return FBounds; }
  void SetBounds(const TRect& r) { FBounds = r; }
  bool Shown() const { return !FBounds.IsEmpty(); }
  // The scrollable length beyond the view (0: nothing to scroll), the view's
  // length (for the thumb's size) and the current position in 0..Max.
  void SetRange(int64_t max, int64_t page, int64_t position);
  int64_t Max() const { return FMax; }
  int64_t Position() const { return FPosition; }

  void Paint(TCanvas* c) const;
  TPart HitTest(int x, int y) const;
  // The thumb's rectangle (empty when there is nothing to scroll).
  TRect ThumbRect() const;
  // The position a thumb whose leading edge is at pixel `lead` (along the bar,
  // in grid coordinates) stands for, clamped to 0..Max.
  int64_t PositionAtThumb(int lead) const;
  // The pixel along the bar of a point (y for a vertical bar, else x).
  int Along(int x, int y) const { return FVertical ? y : x; }

 private:
  bool FVertical;
  TRect FBounds;
  int64_t FMax = 0, FPage = 0, FPosition = 0;
  int ButtonLength() const;
  int TrackStart() const;
  int TrackLength() const;
  int ThumbLength() const;
};

}  // namespace host
