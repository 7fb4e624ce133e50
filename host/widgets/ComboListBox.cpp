#include "host/widgets/ComboListBox.h"

#include <algorithm>

#include "host/widgets/ComboBox.h"

namespace host {

TComboListBox::TComboListBox(TCustomComboBox* box) : TCustomControl(nullptr), FBox(box) {
  SetControlStyle(TControlStyle((ControlStyle() | csOpaque) & ~csClickEvents));
  SetColor(clWindow);
}

TRect TComboListBox::ScrollRect() const {
  if (!FScroll.Active()) return TRect{};
  return TWindowScrollBar::EdgeStrip(Rect(1, 1, Width() - 1, Height() - 1), sbVertical);
}

int TComboListBox::RowAt(int y) const {
  const int ih = std::max(1, FBox->ItemHeight());
  if (y < 1 || y >= Height() - 1) return -1;
  const int row = (y - 1) / ih + int(FScroll.Position());
  return row < FBox->FItems.Count() ? row : -1;
}

void TComboListBox::Paint() {
  FScroll.SetBounds(ScrollRect());
  FBox->PaintList(Canvas(), Width(), Height());
}

void TComboListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FScroll.SetBounds(ScrollRect());
  if (Button == mbLeft && FScroll.MouseDown(X, Y)) FOnScroll = true;
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TComboListBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (FScroll.MouseMove(X, Y)) {
    // the bar has the press
  } else if (!FOnScroll || !(Shift & ssLeft)) {
    TrackHot(X, Y);
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TComboListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool wasScroll = FOnScroll;
  FOnScroll = false;
  if (Button == mbLeft) FScroll.MouseUp(X, Y);
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (wasScroll || Button != mbLeft) return;
  const bool onRows = ScrollRect().IsEmpty() || X < ScrollRect().Left;
  if (onRows && RowAt(Y) >= 0) {
    FBox->FHot = RowAt(Y);
    FBox->CloseList(true);  // frees nothing: the list is kept for the next drop
  }
}

bool TComboListBox::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (FScroll.SetPosition(FScroll.Position() + 3)) Invalidate();
  return true;
}

bool TComboListBox::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (FScroll.SetPosition(FScroll.Position() - 3)) Invalidate();
  return true;
}

void TComboListBox::TrackHot(int X, int Y) {
  if (!ScrollRect().IsEmpty() && X >= ScrollRect().Left) return;
  const int row = RowAt(Y);
  if (row >= 0 && row != FBox->FHot) {
    FBox->FHot = row;
    Invalidate();
  }
}

}  // namespace host
