// The blinking of a text caret, shared by every control that shows one.
#pragma once

#include <functional>

#include "host/ui/WindowTimer.h"

namespace host {

// Blinks a caret: a hidden window with timer id 1 flips Visible every Interval
// milliseconds and calls OnToggle so that the control repaints. OnToggle is
// also called whenever Visible changes by a call below, and a tick always ends
// in exactly one OnToggle call.
//
// The control calls Restart on every caret move and edit (the caret shows at
// once and stays a full interval before it blinks off) and Stop when the focus
// leaves. Restart returns false when the timer cannot be set; the caret then
// stays shown, steady, and the caller decides whether that is an error. An
// exception thrown by OnToggle reaches Application->HandleException, as every
// exception of a timer tick does. The window goes with the blinker.
//
// A control with a rhythm of its own uses the finer calls: Start(false) runs
// the timer before the caret is wanted, SetVisible shows the caret for a click
// without moving the next tick, and SetKeepBlinking lets every tick ask whether
// the caret is still wanted, so that the blinker ends itself once it is not.
class TCaretBlinker {
 public:
  static constexpr uintptr_t kTimerId = TWindowTimer::kTimerId;
  static constexpr unsigned kDefaultInterval = 500;

  explicit TCaretBlinker(std::function<void()> OnToggle, unsigned Interval = kDefaultInterval);
  ~TCaretBlinker();
  TCaretBlinker(const TCaretBlinker&) = delete;
  TCaretBlinker& operator=(const TCaretBlinker&) = delete;

  // True while the caret is to be drawn.
  bool Visible() const { return FVisible; }
  // True while the timer runs.
  bool Blinking() const { return FBlinking; }
  unsigned Interval() const { return FInterval; }
  // Takes effect at the next Restart.
  void SetInterval(unsigned ms) { FInterval = ms; }
  // The hidden window that owns the timer.
  HWND Handle() const { return FTimer.Handle(); }

  // Shows the caret and starts the interval afresh; false when no timer could
  // be set.
  bool Restart() { return Start(true); }
  // Starts the interval afresh with the caret shown or hidden; false when no
  // timer could be set (the caret is then as asked, steady).
  bool Start(bool visible);
  // Hides the caret and stops the timer.
  void Stop();
  // Shows or hides the caret now and leaves the timer alone: the next tick
  // comes when it was due and flips the caret from here.
  void SetVisible(bool v);
  // Asked at every tick before the caret flips. When it answers false the tick
  // stops the blinker as Stop does (and still calls OnToggle once, since what
  // ended the blinking, a lost focus say, may change the picture too). Without
  // one every tick flips the caret.
  void SetKeepBlinking(std::function<bool()> KeepBlinking) {
    FKeepBlinking = std::move(KeepBlinking);
  }

 private:
  std::function<void()> FOnToggle;
  std::function<bool()> FKeepBlinking;
  unsigned FInterval;
  bool FVisible = false;
  bool FBlinking = false;
  TWindowTimer FTimer;  // last: its window goes first
  void Tick();
};

}  // namespace host
