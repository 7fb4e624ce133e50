// TOnOffBut: mouse, exclusive groups, resizing.
#include "host/widgets/Buttons.h"
#include "instruments/ZEL_onoffbut.h"

namespace zel {

using namespace host;

bool TOnOffBut::Counts(TMouseButton Button, int X, int Y) const {
  if (Button != mbLeft) return false;
  switch (FMouseAction) {
    case oomaFocused:
      return InGlyph(X, Y);
    case oomaPlain:
      return true;
    default:
      return false;
  }
}

void TOnOffBut::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (!Counts(Button, X, Y)) return;
  if (FGroupIndex != 0 && !FAllowAllOff && FOnOff) return;
  FOnOff = !FOnOff;
  Redraw();
  if (FOnOff) UpdateExclusive();
}

// A momentary button ends its press at any left release, wherever it happens:
// one pressed inside the glyph and released outside it would otherwise stay on.
// Only a release that counts clicks.
void TOnOffBut::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (FMode == oobmSpeedBut && FOnOff) {
    FOnOff = false;
    Redraw();
  }
  if (Counts(Button, X, Y)) TGraphicControl::Click();
}

void TOnOffBut::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(this), 0};
  Parent()->Broadcast(m);
}

void TOnOffBut::CMButtonPressed(TMessage& Message) {
  if (FGroupIndex < 0 || int(Message.WParam) != FGroupIndex) return;
  TOnOffBut* sender = GroupMessageSender<TOnOffBut>(this, Message);
  if (!sender || sender == this) return;
  if (sender->OnOff() && FOnOff) {
    FOnOff = false;
    Redraw();
  }
  FAllowAllOff = sender->AllowAllOff();
}

void TOnOffBut::DefaultHandler(TMessage& Message) {
  if (Message.Msg == CM_BUTTONPRESSED) CMButtonPressed(Message);
  TGraphicControl::DefaultHandler(Message);
}

void TOnOffBut::ProcessResize() {
  if (!Parent() || !FAutoCenter) return;
  AdjustAutoCenter();
  Redraw();
}

}  // namespace zel
