// TRasterLab: the scroll timer and the scroll step of each direction.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "host/ui/WindowTimer.h"
#include "labels/ZEL_RasterLab.h"

namespace zel {

using namespace host;

bool TRasterLab::TimerRunning() const { return FTimer->Enabled(); }

void TRasterLab::RestartTimer() {
  if (!FTimerEnabled || FScrollMode == rdsmOff || FScrollInterval <= 0 || Designing()) {
    FTimer->Stop();
    return;
  }
  if (!FTimer->Start(unsigned(FScrollInterval)))
    throw EZELRasterLabError(ComponentMessage(Name(), kNoTimerAvailable));
}

void TRasterLab::SetScrollMode(TRDScrollMode m) {
  FScrollMode = m;
  if (m == rdsmOff) {
    FTimerEnabled = false;
    FTimer->Stop();
    FScrollX = FScrollY = 0;
    Paint();
    return;
  }
  if (Designing()) return;
  FTimerEnabled = true;
  RestartTimer();
}

void TRasterLab::SetScrollInterval(int ms) {
  FScrollInterval = std::max(ms, 10);
  RestartTimer();
}

void TRasterLab::SetScrollIncrement(int px) {
  if (px == 0) px = 1;
  FScrollIncrement = px == INT_MIN ? INT_MAX : (px < 0 ? -px : px);
  RestartTimer();
}

void TRasterLab::SetScrollLoop(bool v) {
  FScrollLoop = v;
  Paint();
}

void TRasterLab::SetOnScrollTimer(TNotifyEvent e) {
  FOnScrollTimer = std::move(e);
  RestartTimer();
}

void TRasterLab::Tick() {
  ScrollStep();
  if (FOnScrollTimer) FOnScrollTimer(this);
}

void TRasterLab::LoopRestart() {
  if (FOnScrollLoopRestart) FOnScrollLoopRestart(this);
}

// One step in the mode's direction. With ScrollLoop the text re-enters from the
// opposite edge once it has left; without, it stays where it left the view.
void TRasterLab::ScrollStep() {
  const int inc = FScrollIncrement, w = Width(), h = Height();
  const int textHeight = Pitch() * FCharMatrix.FontHeight;
  const int left = SaturatedSum(FPosX, FScrollX), top = SaturatedSum(FPosY, FScrollY);
  switch (FScrollMode) {
    case rdsmOff:
      FTimerEnabled = false;
      FTimer->Stop();
      FScrollX = FScrollY = 0;
      break;
    case rdsmRight:
      if (!FScrollLoop && left >= w) break;
      FScrollX = SaturatedSum(FScrollX, inc);
      if (FScrollLoop && FScrollX > w) {
        FScrollX = -FRun.BitLength;
        LoopRestart();
      }
      break;
    case rdsmLeft:
      if (!FScrollLoop && int64_t(left) + FRun.BitLength <= 0) break;
      FScrollX = SaturatedSum(FScrollX, -inc);
      if (FScrollLoop && int64_t(FPosX) + FScrollX + FRun.BitLength <= 0) {
        FScrollX = w - FPosX;
        LoopRestart();
      }
      break;
    case rdsmDown:
      if (!FScrollLoop && top >= h) break;
      FScrollY = SaturatedSum(FScrollY, inc);
      if (FScrollLoop && FScrollY > h) {
        FScrollY = -textHeight;
        LoopRestart();
      }
      break;
    case rdsmUp:
      if (!FScrollLoop && int64_t(top) + textHeight <= 0) break;
      FScrollY = SaturatedSum(FScrollY, -inc);
      if (FScrollLoop && int64_t(FPosY) + FScrollY + textHeight <= 0) {
        FScrollY = h - FPosY;
        LoopRestart();
      }
      break;
  }
  Paint();
}

}  // namespace zel
