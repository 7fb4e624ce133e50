// Internal state of the message loop shared by the window layer's sources:
// the window table, timers, posted messages, mouse tracking and keyboard state.
// Not for controls: they use Windows.h, Controls.h and Forms.h.
#pragma once

#include <deque>
#include <map>
#include <vector>

#include "host/backend/Backend.h"
#include "host/ui/Controls.h"
#include "host/ui/Windows.h"

namespace host::detail {

struct TimerEntry {
  HWND Wnd = 0;
  uintptr_t Id = 0;
  unsigned Interval = 0;
  int64_t Due = 0;
  uint64_t Seq = 0;  // orders timers due at the same moment: first set, first fired
};

struct PostedMessage {
  HWND Wnd = 0;
  TMessage Msg;
};

// What a handle stands for: a windowed control, or a hidden window's procedure.
struct WindowTarget {
  TWinControl* Control = nullptr;
  TWndMethod Proc;
};

struct LoopState {
  std::map<HWND, WindowTarget> Windows;
  HWND NextHandle = 0x100;
  std::vector<TimerEntry> Timers;
  uint64_t NextSeq = 0;
  int SetTimerFailures = 0;
  std::deque<PostedMessage> Posted;

  TControl* Capture = nullptr;  // receives the mouse while a button is held
  TControl* Hover = nullptr;    // the control under the pointer
  TControl* LastClickControl = nullptr;
  TMouseButton LastClickButton = mbLeft;
  int64_t LastClickTime = 0;
  TPoint LastClickPos;  // screen coordinates
  bool LastClickWasDouble = false;
  TShiftState Keyboard = 0;          // modifier keys held
  TShiftState Buttons = 0;           // mouse buttons held
  bool SuppressChar = false;         // the key's character was used as a dialog key
  const TRect* PaintClip = nullptr;  // set while the loop paints (form coordinates)
};

LoopState& Loop();
// Clears the loop state (windows, timers, posted messages, tracking).
void ResetLoop();

HWND RegisterWindow(TWinControl* c);
void UnregisterWindow(HWND h);
void KillTimersOf(HWND h);
// Earliest due time of all timers; false when none runs.
bool NextTimerDue(int64_t& due);
// Fires the earliest timer due at or before `upTo`; false when none is due.
// With a virtual clock the clock is first moved to the timer's due time.
bool FireOneDueTimer(int64_t upTo);
// Delivers the posted messages queued before the call.
void DeliverPosted();
// Forgets a control that is going away (capture, hover, last click).
void ForgetControl(TControl* c);

// Turns one backend event into control messages.
void DispatchEvent(const TBackendEvent& ev);
// Paints the part `clip` (form coordinates) of `w` and its children, parents first.
void PaintTree(TWinControl* w, const TRect& clip);

}  // namespace host::detail

namespace host::detail {
// Shows the right pointer shape: Screen->Cursor, else the hovered control's
// (or its nearest parent's) cursor, else the arrow.
void UpdateCursor();
}  // namespace host::detail
