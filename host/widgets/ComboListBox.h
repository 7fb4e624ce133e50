// The list a combo box drops down (used by the combo box's own files only).
#pragma once

#include <string>

#include "host/ui/Controls.h"
#include "host/widgets/ScrollBar.h"

namespace host {

class TCustomComboBox;

// The rows of the box's items inside the drop-down window, with a scroll bar
// when they do not all fit. The box keeps the items and the lit row; the list
// paints through the box (so owner drawing works) and reports a chosen row by
// closing the box's list.
class TComboListBox : public TCustomControl {
 public:
  explicit TComboListBox(TCustomComboBox* box);
  // The bar scrolls by rows; it shows only while the items do not all fit.
  TWindowScrollBar& Scroll() { return FScroll; }
  // Where the bar lies inside the frame; empty while it is not shown.
  TRect ScrollRect() const;
  // The item under list row y, or -1.
  int RowAt(int y) const;
  std::string ClassName() const override { return "TComboListBox"; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

 private:
  TCustomComboBox* FBox;
  TWindowScrollBar FScroll{this, sbVertical};
  bool FOnScroll = false;  // the press that is held began on the scroll bar
  void TrackHot(int X, int Y);
};

}  // namespace host
