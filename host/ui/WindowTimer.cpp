// TWindowTimer: one hidden window, one timer id.
#include "host/ui/WindowTimer.h"

#include "host/ui/Windows.h"

namespace host {

TWindowTimer::TWindowTimer(std::function<void()> OnTick) : FOnTick(std::move(OnTick)) {
  // The window is made last, so nothing after it can throw and leak it.
  FWnd = AllocateHWnd([this](TMessage& m) { WndProc(m); });
}

TWindowTimer::~TWindowTimer() { DeallocateHWnd(FWnd); }

bool TWindowTimer::Start(unsigned IntervalMs) {
  KillTimer(FWnd, kTimerId);
  FInterval = IntervalMs;
  FEnabled = SetTimer(FWnd, kTimerId, IntervalMs) != 0;
  return FEnabled;
}

void TWindowTimer::Stop() {
  KillTimer(FWnd, kTimerId);
  FEnabled = false;
}

void TWindowTimer::WndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER || Message.WParam != kTimerId) {
    Message.Result = DefWindowProc(FWnd, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  if (FEnabled && FOnTick) FOnTick();
}

}  // namespace host
