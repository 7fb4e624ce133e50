// TProgBar: the auto-increment timer.
#include <algorithm>

#include "instruments/ZEL_ProgBar.h"

namespace zel {

using namespace host;

void TProgBar::SetAutoInc(bool on) {
  if (on == FAutoInc) return;
  FAutoInc = on;
  if (Designing()) return;
  if (on)
    InitTimer();
  else
    FTimer.Stop();
}

void TProgBar::SetAutoIncStep(double x) {
  if (x != 0 && x != FAutoIncStep) FAutoIncStep = x;
}

void TProgBar::SetStartIv(int v) {
  v = std::max(v, 10);
  if (v == FStartInterval) return;
  FStartInterval = v;
  if (!Designing()) InitTimer();
}

void TProgBar::SetRepeatIv(int v) {
  v = std::max(v, 10);
  if (v == FRepeatInterval) return;
  FRepeatInterval = v;
  if (!Designing()) UpdateTimer();
}

void TProgBar::SetOnAutoInc(TNotifyEvent e) {
  FOnAutoInc = std::move(e);
  if (!Designing()) UpdateTimer();
}

// Timer id 1 on the hidden window with the interval. A timer that cannot be
// set turns AutoInc off before saying so, so the state tells the truth and
// switching AutoInc on again is a real retry.
void TProgBar::StartTimer(int interval) {
  FTimer.Stop();
  if (interval <= 0 || !FAutoInc) return;
  if (FTimer.Start(unsigned(interval))) return;
  FAutoInc = false;
  throw EZELProgBar(ComponentMessage(Name(), kNoTimerAvailable));
}

void TProgBar::InitTimer() {
  FIsStart = true;
  StartTimer(FStartInterval);
}

void TProgBar::UpdateTimer() {
  FIsStart = false;
  StartTimer(FRepeatInterval);
}

// The first tick ends the start interval and switches to the repeat interval.
// The value is not limited: an OnAutoInc handler stops or wraps it.
void TProgBar::DoTimer() {
  if (FIsStart) UpdateTimer();
  FValue += FAutoIncStep;
  Paint();
  if (FOnAutoInc) FOnAutoInc(this);
}

}  // namespace zel
