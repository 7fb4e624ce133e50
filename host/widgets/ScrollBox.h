// TScrollBox: a windowed control whose children scroll, with scroll bars
// that show only while the children reach beyond what the box shows.
//
// State model. The box keeps how far it is scrolled (ScrollPosX, ScrollPosY)
// and moves its children by that much: a child's Left and Top are always
// where it shows now, as on the platform, so hit-testing, painting and focus
// need nothing of their own. The content's extent is the children's right and
// bottom edges put back to where they stood unscrolled; it is asked afresh
// whenever it matters (ClientRect, paint, input), so a child that moves or
// grows changes the bars without telling the box.
//
// Aligned children are laid out in the client area by the base class and do
// not scroll, nor count for the extent; scrolled content is placed by bounds.
//
// Invariants: 0 <= ScrollPos <= the extent beyond the client area, kept so
// when the box is resized or scrolled; the bars' positions are the scroll
// positions in pixels and their pages the client area's size.
#pragma once

#include <string>

#include "host/ui/Controls.h"
#include "host/widgets/ScrollBar.h"

namespace host {

class TScrollBox : public TCustomControl {
 public:
  // The pixels a wheel notch scrolls.
  static constexpr int kWheelStep = 48;

  explicit TScrollBox(TComponent* AOwner);

  // bsSingle (the default): a 2-pixel sunken edge inside the bounds.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);

  // The bars as they stand; read them for Position, Max and PageSize.
  const TWindowScrollBar& HorzScrollBar() const { return FHScroll; }
  const TWindowScrollBar& VertScrollBar() const { return FVScroll; }
  int ScrollPosX() const { return FScrollX; }
  int ScrollPosY() const { return FScrollY; }
  // Scrolls so that content point (X, Y) shows at the client area's top-left
  // corner, each clamped to what there is to scroll.
  void ScrollTo(int X, int Y);
  // Scrolls the least that shows AControl, a descendant, wholly (its top-left
  // corner when it is larger than the view).
  void ScrollInView(TControl* AControl);

  // Inside the border, left of and above the bars that show.
  TRect ClientRect() const override;
  void WndProc(TMessage& Message) override;
  std::string ClassName() const override { return "TScrollBox"; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Down and up scroll vertically (with Shift, or with no vertical bar,
  // sideways); false when there is nothing to scroll, so a parent may.
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void Resize() override;

 private:
  TBorderStyle FBorderStyle = bsSingle;
  int FScrollX = 0, FScrollY = 0;
  TWindowScrollBar FHScroll{this, sbHorizontal}, FVScroll{this, sbVertical};

  int BorderWidth() const { return FBorderStyle == bsSingle ? 2 : 0; }
  // The right and bottom edge of the unscrolled content, in box coordinates.
  TPoint ContentExtent() const;
  void NeededScrollBars(bool& h, bool& v) const;
  TRect ViewArea(bool withH, bool withV) const;
  // The largest scroll positions: how far the content reaches past the view.
  TPoint MaxScroll() const;
  // Places the bars and gives them the range; before they paint or take the mouse.
  void LayoutScrollBars();
  bool WheelScroll(TShiftState Shift, int notches);
};

}  // namespace host
