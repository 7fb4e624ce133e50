// The timer of a control that ticks on its own: a hidden message window with
// timer id 1, as the progress bar's auto-increment, the raster label's
// scrolling, the caret and the repeating button use it.
#pragma once

#include <cstdint>
#include <functional>

#include "host/ui/Messages.h"

namespace host {

// A hidden window made at construction and destroyed with the object; Start
// sets (or resets, with a new interval) timer id 1 on it and every WM_TIMER of
// that id calls OnTick. The loop hands an exception thrown by OnTick to
// Application->HandleException, as for every tick, and the timer keeps running.
// A tick that arrives after Stop (one already queued) is dropped, so OnTick
// never runs for a stopped timer.
class TWindowTimer {
 public:
  static constexpr uintptr_t kTimerId = 1;

  explicit TWindowTimer(std::function<void()> OnTick);
  ~TWindowTimer();
  TWindowTimer(const TWindowTimer&) = delete;
  TWindowTimer& operator=(const TWindowTimer&) = delete;

  // Starts the timer afresh with the interval (at least 10 ms, as SetTimer
  // makes it); false when no timer could be set, and the timer is then off.
  bool Start(unsigned IntervalMs);
  void Stop();
  bool Enabled() const { return FEnabled; }
  unsigned Interval() const { return FInterval; }
  HWND Handle() const { return FWnd; }

 private:
  std::function<void()> FOnTick;
  HWND FWnd = 0;
  unsigned FInterval = 0;
  bool FEnabled = false;
  void WndProc(TMessage& Message);
};

}  // namespace host
