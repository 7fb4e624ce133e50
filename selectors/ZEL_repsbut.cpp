#include "selectors/ZEL_repsbut.h"

#include <algorithm>

namespace zel {

using namespace host;

namespace {
constexpr int kMinInterval = 10;
}

TRepSpeedButton::TRepSpeedButton(TComponent* AOwner)
    : TSpeedButton(AOwner), FTimer([this] { Tick(); }) {}

void TRepSpeedButton::SetStartClickInterval(int v) {
  v = std::max(v, kMinInterval);
  if (v == FStartClickInterval) return;
  FStartClickInterval = v;
  if (!Designing()) EnterStartPhase();
}

void TRepSpeedButton::SetRepeatClickInterval(int v) {
  v = std::max(v, kMinInterval);
  if (v == FRepeatClickInterval) return;
  FRepeatClickInterval = v;
  if (!Designing()) EnterRepeatPhase();
}

void TRepSpeedButton::SetOnRepeatClick(TNotifyEvent e) {
  FOnRepeatClick = std::move(e);
  if (!Designing()) EnterRepeatPhase();
}

// --- timer

// Timer 1 afresh with the interval, or off while no press is held. A timer
// that cannot be set ends the repeating before saying so, so the button's
// state tells the truth.
void TRepSpeedButton::SetTimer(int interval) {
  FTimer.Stop();
  if (interval <= 0 || !FTimerEnabled) return;
  if (FTimer.Start(unsigned(interval))) return;
  FTimerEnabled = false;
  throw EZELRepSpeedButton(ComponentMessage(Name(), kNoTimerAvailable));
}

void TRepSpeedButton::EnterStartPhase() {
  FStartPhase = true;
  SetTimer(FStartClickInterval);
}

void TRepSpeedButton::EnterRepeatPhase() {
  FStartPhase = false;
  SetTimer(FRepeatClickInterval);
}

void TRepSpeedButton::Tick() {
  if (!MouseCapture()) {
    // Something else took the mouse (a dialog the handler opened): the
    // release will not come here, so the press ends now, without a click.
    EndPress(-1, -1);
    return;
  }
  if (FStartPhase) EnterRepeatPhase();
  RepeatClickEvent();
  if (FOnRepeatClick) FOnRepeatClick(this);
}

// --- mouse

void TRepSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  FTimerEnabled = true;
  EnterStartPhase();
}

void TRepSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FTimerEnabled = false;
  EnterRepeatPhase();
}

// The base has marked the pointer as gone, so the release at (0, 0) does not
// click. A button that is not held has no press to end.
void TRepSpeedButton::CMMouseLeave(TMessage& Message) {
  TSpeedButton::CMMouseLeave(Message);
  if (FTimerEnabled) EndPress(0, 0);
}

void TRepSpeedButton::CMEnabledChanged(TMessage& Message) {
  TSpeedButton::CMEnabledChanged(Message);
  if (!Enabled() && FTimerEnabled) EndPress(-1, -1);
}

void TRepSpeedButton::EndPress(int X, int Y) { MouseUp(mbLeft, 0, X, Y); }

}  // namespace zel
