#include "host/ui/Loop.h"

#include <algorithm>

#include "host/ui/Forms.h"

namespace host::detail {

LoopState& Loop() {
  // Never destroyed: forms and controls freed by static destructors at exit
  // still unregister themselves here.
  static auto* state = new LoopState;
  return *state;
}

void ResetLoop() { Loop() = LoopState{}; }

HWND RegisterWindow(TWinControl* c) {
  HWND h = Loop().NextHandle++;
  Loop().Windows[h] = WindowTarget{c, {}};
  return h;
}

void UnregisterWindow(HWND h) {
  KillTimersOf(h);
  Loop().Windows.erase(h);
  std::erase_if(Loop().Posted, [h](const PostedMessage& p) { return p.Wnd == h; });
}

void KillTimersOf(HWND h) {
  std::erase_if(Loop().Timers, [h](const TimerEntry& t) { return t.Wnd == h; });
}

bool NextTimerDue(int64_t& due) {
  auto& timers = Loop().Timers;
  if (timers.empty()) return false;
  due =
      std::min_element(timers.begin(), timers.end(), [](const TimerEntry& a, const TimerEntry& b) {
        return a.Due < b.Due;
      })->Due;
  return true;
}

namespace {
TimerEntry* EarliestDue(int64_t upTo) {
  TimerEntry* best = nullptr;
  for (auto& t : Loop().Timers) {
    if (t.Due > upTo) continue;
    if (!best || t.Due < best->Due || (t.Due == best->Due && t.Seq < best->Seq)) best = &t;
  }
  return best;
}
}  // namespace

bool FireOneDueTimer(int64_t upTo) {
  TimerEntry* t = EarliestDue(upTo);
  if (!t) return false;
  TBackend& b = CurrentBackend();
  if (b.HasVirtualClock()) b.SetVirtualTime(t->Due);
  int64_t now = b.Now();
  // Reschedule before the tick, so a handler that kills or resets the timer wins.
  int64_t next = t->Due + t->Interval;
  t->Due = next > now ? next : now + t->Interval;
  t->Seq = Loop().NextSeq++;
  HWND wnd = t->Wnd;
  uintptr_t id = t->Id;
  try {
    SendMessage(wnd, WM_TIMER, id, 0);
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return true;
}

void DeliverPosted() {
  auto batch = std::move(Loop().Posted);
  Loop().Posted.clear();
  for (auto& p : batch) {
    try {
      SendMessage(p.Wnd, p.Msg.Msg, p.Msg.WParam, p.Msg.LParam);
    } catch (...) {
      Application->HandleException(nullptr);
    }
  }
}

void ForgetControl(TControl* c) {
  auto& l = Loop();
  if (l.Capture == c) l.Capture = nullptr;
  if (l.Hover == c) l.Hover = nullptr;
  if (l.LastClickControl == c) l.LastClickControl = nullptr;
}

}  // namespace host::detail

namespace host {

using namespace detail;

HWND AllocateHWnd(TWndMethod proc) {
  HWND h = Loop().NextHandle++;
  Loop().Windows[h] = WindowTarget{nullptr, std::move(proc)};
  return h;
}

void DeallocateHWnd(HWND wnd) {
  auto it = Loop().Windows.find(wnd);
  if (it == Loop().Windows.end() || it->second.Control) return;
  UnregisterWindow(wnd);
}

LRESULT DefWindowProc(HWND, unsigned, WPARAM, LPARAM) { return 0; }

bool IsWindow(HWND wnd) { return Loop().Windows.count(wnd) != 0; }

uintptr_t SetTimer(HWND wnd, uintptr_t id, unsigned ms) {
  auto& l = Loop();
  if (l.SetTimerFailures > 0) {
    --l.SetTimerFailures;
    return 0;
  }
  if (!IsWindow(wnd)) return 0;
  // The platform's minimum period; 0 would otherwise spin the loop.
  unsigned interval = std::max(ms, 10u);
  int64_t due = CurrentBackend().Now() + interval;
  for (auto& t : l.Timers)
    if (t.Wnd == wnd && t.Id == id) {
      t.Interval = interval;
      t.Due = due;
      t.Seq = l.NextSeq++;
      return id;
    }
  l.Timers.push_back(TimerEntry{wnd, id, interval, due, l.NextSeq++});
  return id;
}

bool KillTimer(HWND wnd, uintptr_t id) {
  return std::erase_if(Loop().Timers,
                       [&](const TimerEntry& t) { return t.Wnd == wnd && t.Id == id; }) > 0;
}

void FailNextSetTimers(int count) { Loop().SetTimerFailures = std::max(count, 0); }

LRESULT SendMessage(HWND wnd, unsigned msg, WPARAM w, LPARAM l) {
  auto it = Loop().Windows.find(wnd);
  if (it == Loop().Windows.end()) return 0;
  if (it->second.Control) return it->second.Control->Perform(msg, w, l);
  // Copy: the procedure may deallocate its own window while it runs.
  TWndMethod proc = it->second.Proc;
  TMessage m{msg, w, l, 0};
  if (proc) proc(m);
  return m.Result;
}

bool PostMessage(HWND wnd, unsigned msg, WPARAM w, LPARAM l) {
  if (!IsWindow(wnd)) return false;
  Loop().Posted.push_back(PostedMessage{wnd, TMessage{msg, w, l, 0}});
  return true;
}

bool MessageBeep(unsigned type) {
  CurrentBackend().Beep(type);
  return true;
}

TShiftState KeyboardShiftState() { return Loop().Keyboard; }

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (Loop().Keyboard & ssAlt) s |= ssAlt;
  return s;
}

}  // namespace host
