#include <algorithm>
#include <cstdio>

#include "host/backend/Backend.h"
#include "host/ui/Forms.h"
#include "host/ui/Loop.h"

namespace host {

namespace {
struct Globals {
  std::unique_ptr<TApplication> App;
  bool Creating = false;
  bool Destroying = false;
  bool BackendChosen = false;
};
Globals& G() {
  static Globals g;
  return g;
}
}  // namespace

TApplication* detail::ApplicationIfAny() { return G().Destroying ? nullptr : G().App.get(); }

TApplication* TApplicationRef::operator->() const {
  auto& g = G();
  if (!g.App) g.App = std::make_unique<TApplication>(nullptr);
  return g.App.get();
}
TApplicationRef::operator TApplication*() const { return operator->(); }

TScreen* TScreenRef::operator->() const {
  // Never destroyed, like the loop state: forms leave it in their destructors.
  static auto* screen = new TScreen(nullptr);
  return screen;
}
TScreenRef::operator TScreen*() const { return operator->(); }

void ResetApplication(std::unique_ptr<TBackend> backend) {
  auto& g = G();
  g.Destroying = true;
  g.App.reset();
  g.Destroying = false;
  detail::ResetLoop();
  Screen->SetCursor(crDefault);
  SetCurrentBackend(std::move(backend));
  g.BackendChosen = true;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() { SetComponentStateFlag(csDestroying, true); }

void TApplication::Initialize() {
  if (G().BackendChosen) return;
  SetCurrentBackend(CreateDefaultBackend());
  G().BackendChosen = true;
}

void TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  while (!FTerminated) {
    ProcessMessages();
    // With a virtual clock nothing more can happen once the queue is dry.
    if (CurrentBackend().HasVirtualClock() && !HasPendingWork()) break;
    HandleMessage();
  }
}

void TApplication::Deliver(const TBackendEvent& ev) {
  // A window the windowing system destroyed concerns its form alone; every
  // other event goes the usual way to the controls.
  if (ev.Kind != bekDestroyed) return detail::DispatchEvent(ev);
  if (TForm* f = Screen->FormOfWindow(ev.Window)) f->WindowDestroyed();
}

bool TApplication::PumpEvents(int64_t timeoutMs) {
  TBackendEvent ev;
  bool any = false;
  while (CurrentBackend().WaitEvent(ev, any ? 0 : timeoutMs)) {
    any = true;
    try {
      Deliver(ev);
    } catch (...) {
      HandleException(this);
    }
  }
  return any;
}

void TApplication::ProcessMessages() {
  PumpEvents(0);
  detail::DeliverPosted();
  int64_t now = Now();
  while (detail::FireOneDueTimer(now)) {
  }
  FinishTurn();
}

void TApplication::HandleMessage() {
  int64_t wait = 250;  // wake up now and then even without timers
  int64_t due;
  if (detail::NextTimerDue(due)) wait = std::clamp<int64_t>(due - Now(), 0, wait);
  if (!detail::Loop().Posted.empty()) wait = 0;
  PumpEvents(wait);
  ProcessMessages();
}

void TApplication::FinishTurn() {
  // A copy: painting may close or free forms.
  std::vector<TForm*> forms;
  for (int i = 0; i < Screen->FormCount(); ++i) forms.push_back(Screen->Forms(i));
  for (TForm* f : forms) {
    if (!Screen->HasForm(f)) continue;
    try {
      f->PaintPending();
    } catch (...) {
      HandleException(f);
    }
  }
}

bool TApplication::HasPendingWork() const {
  if (!detail::Loop().Posted.empty()) return true;
  if (CurrentBackend().HasQueuedEvents()) return true;
  int64_t due;
  if (detail::NextTimerDue(due) && due <= Now()) return true;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i)->HasPendingPaint()) return true;
  return false;
}

int64_t TApplication::Now() const { return CurrentBackend().Now(); }

void TApplication::AdvanceTime(int64_t ms) {
  if (ms < 0) return;
  TBackend& b = CurrentBackend();
  int64_t target = b.Now() + ms;
  ProcessMessages();
  if (!b.HasVirtualClock()) {
    while (!FTerminated && b.Now() < target) HandleMessage();
    return;
  }
  while (detail::FireOneDueTimer(target)) {
    PumpEvents(0);
    detail::DeliverPosted();
  }
  b.SetVirtualTime(target);
  ProcessMessages();
}

TForm* TApplication::ActiveForm() const { return Screen->ActiveForm(); }

void TApplication::HandleException(TObject* Sender) {
  auto ep = std::current_exception();
  if (!ep) return;
  auto report = [&](const std::exception& e) {
    if (FOnException)
      FOnException(Sender, e);
    else
      ShowException(e);
  };
  try {
    try {
      std::rethrow_exception(ep);
    } catch (const std::exception& e) {
      report(e);
    } catch (...) {
      report(Exception("Unknown exception"));
    }
  } catch (const std::exception& e) {
    // The handler itself failed: show that instead of losing both.
    ShowException(e);
  }
}

void TApplication::ShowException(const std::exception& E) {
  std::fprintf(stderr, "%s\n", E.what());
  std::fflush(stderr);
}

}  // namespace host
