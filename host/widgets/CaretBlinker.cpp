// TCaretBlinker: the hidden window, its timer and the visible flag.
#include "host/widgets/CaretBlinker.h"

#include "host/ui/Windows.h"

namespace host {

TCaretBlinker::TCaretBlinker(std::function<void()> OnToggle, unsigned Interval)
    : FOnToggle(std::move(OnToggle)), FInterval(Interval) {
  // The window is made last, so nothing after it can throw and leak it.
  FWnd = AllocateHWnd([this](TMessage& m) { WndProc(m); });
}

TCaretBlinker::~TCaretBlinker() { DeallocateHWnd(FWnd); }

bool TCaretBlinker::Start(bool visible) {
  KillTimer(FWnd, kTimerId);
  FBlinking = SetTimer(FWnd, kTimerId, FInterval) != 0;
  SetVisible(visible);
  return FBlinking;
}

void TCaretBlinker::Stop() {
  KillTimer(FWnd, kTimerId);
  FBlinking = false;
  SetVisible(false);
}

void TCaretBlinker::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  if (FOnToggle) FOnToggle();
}

void TCaretBlinker::WndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER || Message.WParam != kTimerId) {
    Message.Result = DefWindowProc(FWnd, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  Tick();
}

void TCaretBlinker::Tick() {
  if (!FKeepBlinking || FKeepBlinking()) {
    SetVisible(!FVisible);
    return;
  }
  const bool wasVisible = FVisible;
  Stop();
  // Stop called OnToggle only if the caret was shown; the tick promises one call.
  if (!wasVisible && FOnToggle) FOnToggle();
}

}  // namespace host
