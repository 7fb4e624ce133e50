// The blinking of a text caret, shared by every control that shows one.
#pragma once

#include <functional>

#include "host/ui/Messages.h"

namespace host {

// Blinks a caret: a hidden window with timer id 1 flips Visible every Interval
// milliseconds and calls OnToggle so that the control repaints.
//
// The control calls Restart on every caret move and edit (the caret shows at
// once and stays a full interval before it blinks off) and Stop when the focus
// leaves. Restart returns false when the timer cannot be set; the caret then
// stays shown, steady, and the caller decides whether that is an error. An
// exception thrown by OnToggle reaches Application->HandleException, as every
// exception of a timer tick does. The window goes with the blinker.
class TCaretBlinker {
 public:
  static constexpr uintptr_t kTimerId = 1;
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
  HWND Handle() const { return FWnd; }

  // Shows the caret and starts the interval afresh; false when no timer could
  // be set.
  bool Restart();
  // Hides the caret and stops the timer.
  void Stop();

 private:
  std::function<void()> FOnToggle;
  unsigned FInterval;
  HWND FWnd = 0;
  bool FVisible = false;
  bool FBlinking = false;
  void SetVisible(bool v);
  void WndProc(TMessage& Message);
};

}  // namespace host
