// TCaretBlinker: the hidden window, its timer and the visible flag.
#include "host/widgets/CaretBlinker.h"

namespace host {

TCaretBlinker::TCaretBlinker(std::function<void()> OnToggle, unsigned Interval)
    : FOnToggle(std::move(OnToggle)), FInterval(Interval), FTimer([this] { Tick(); }) {}

TCaretBlinker::~TCaretBlinker() = default;

bool TCaretBlinker::Start(bool visible) {
  FBlinking = FTimer.Start(FInterval);
  SetVisible(visible);
  return FBlinking;
}

void TCaretBlinker::Stop() {
  FTimer.Stop();
  FBlinking = false;
  SetVisible(false);
}

void TCaretBlinker::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  if (FOnToggle) FOnToggle();
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
