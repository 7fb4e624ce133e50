// Hidden message windows, window timers, message sending and the beep: the
// operating-system services the controls use directly.
#pragma once

#include <functional>

#include "host/ui/Messages.h"

namespace host {

// A window procedure of a hidden message window.
using TWndMethod = std::function<void(TMessage& Message)>;

// Creates a hidden window whose messages (timer ticks above all) go to `proc`.
HWND AllocateHWnd(TWndMethod proc);
// Destroys a window made by AllocateHWnd, with its timers; 0 or an unknown handle
// is ignored.
void DeallocateHWnd(HWND wnd);
// The default answer to a message: 0, and nothing happens.
LRESULT DefWindowProc(HWND wnd, unsigned msg, WPARAM w, LPARAM l);
// True for a live window handle (hidden window, windowed control or form).
bool IsWindow(HWND wnd);

// Starts (or, for an id already running on that window, restarts with the new
// interval) a timer that sends WM_TIMER with WParam = id every `ms` milliseconds
// (at least 10). Returns id, or 0 on failure: unknown window, or a failure the
// test hook below asked for.
uintptr_t SetTimer(HWND wnd, uintptr_t id, unsigned ms);
// Stops the timer; false when there was none.
bool KillTimer(HWND wnd, uintptr_t id);
// Test hook: the next `count` calls of SetTimer fail (0 turns the failures off).
void FailNextSetTimers(int count = 1);

// Delivers a message at once and returns its result (0 for an unknown window).
LRESULT SendMessage(HWND wnd, unsigned msg, WPARAM w, LPARAM l);
// Queues a message; the loop delivers it on its next turn. False for an unknown
// window.
bool PostMessage(HWND wnd, unsigned msg, WPARAM w, LPARAM l);

// Sounds the system beep of the given type; the headless backend counts them.
bool MessageBeep(unsigned type);

}  // namespace host
