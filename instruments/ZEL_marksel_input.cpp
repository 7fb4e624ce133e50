// TMarkSel: the hover highlight follows the pointer; a left release or double
// click selects the nearest mark.
#include "instruments/ZEL_marksel.h"

namespace zel {

using namespace host;

void TMarkSel::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  const int m = MarkAt(X, Y);
  if (m == FLastHiLite) return;
  ResetLastHiLite();
  HiLite(m);
  FLastHiLite = m;
}

// A release outside the control (the mouse was captured by the press, or the
// platform's "no position" (-1, -1)) chooses nothing, as it makes no click.
void TMarkSel::SelectAt(const TWMMouse& Message, const TMarkClickEvent& Event) {
  if (!ClientRect().Contains(Message.XPos, Message.YPos)) return;
  FSelected = MarkAt(Message.XPos, Message.YPos);
  if (Event) Event(this, Message.XPos, Message.YPos, FSelected);
  Paint();
  // The handler may have changed the selection, even to none.
  if (FSelected < 0) return;
  HiLite(FSelected);
  FLastHiLite = FSelected;
}

void TMarkSel::WMLButtonUp(TWMMouse& Message) {
  TGraphicControl::WMLButtonUp(Message);
  SelectAt(Message, FOnMarkClick);
}

void TMarkSel::WMLButtonDblClk(TWMMouse& Message) {
  TGraphicControl::WMLButtonDblClk(Message);
  SelectAt(Message, FOnMarkDblClick);
}

}  // namespace zel
