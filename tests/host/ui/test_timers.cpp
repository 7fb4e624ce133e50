// Timers of hidden windows on the virtual clock.
#include <string>
#include <vector>

#include "host/ui/Forms.h"
#include "host/ui/WindowTimer.h"
#include "host/ui/Windows.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

struct Tick {
  uintptr_t Id;
  int64_t At;
  friend bool operator==(const Tick&, const Tick&) = default;
};

class Timers : public HeadlessTest {
 protected:
  std::vector<Tick> ticks;
  HWND Window() {
    return AllocateHWnd([this](TMessage& m) {
      if (m.Msg == WM_TIMER)
        ticks.push_back({m.WParam, Application->Now()});
      else
        m.Result = DefWindowProc(0, m.Msg, m.WParam, m.LParam);
    });
  }
};

TEST_F(Timers, DueTicksFireInOrderEachAtItsTime) {
  HWND w = Window();
  ASSERT_EQ(SetTimer(w, 1, 30), 1u);
  ASSERT_EQ(SetTimer(w, 2, 50), 2u);
  Advance(100);
  EXPECT_EQ(ticks, (std::vector<Tick>{{1, 30}, {2, 50}, {1, 60}, {1, 90}, {2, 100}}));
  EXPECT_EQ(Application->Now(), 100);
  DeallocateHWnd(w);
}

TEST_F(Timers, SettingAnIdAgainReplacesItAndKillStopsIt) {
  HWND w = Window();
  SetTimer(w, 1, 100);
  Advance(60);
  SetTimer(w, 1, 20);  // restarts from now with the new period
  Advance(50);
  EXPECT_EQ(ticks, (std::vector<Tick>{{1, 80}, {1, 100}}));
  EXPECT_TRUE(KillTimer(w, 1));
  EXPECT_FALSE(KillTimer(w, 1));
  Advance(100);
  EXPECT_EQ(ticks.size(), 2u);
  DeallocateHWnd(w);
}

TEST_F(Timers, FailureHookAndUnknownWindowsMakeSetTimerReturnZero) {
  HWND w = Window();
  FailNextSetTimers();
  EXPECT_EQ(SetTimer(w, 1, 10), 0u);
  EXPECT_EQ(SetTimer(w, 1, 10), 1u);  // only the next one failed
  DeallocateHWnd(w);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(SetTimer(w, 1, 10), 0u);
  Advance(50);
  EXPECT_TRUE(ticks.empty());  // the window's timers went with it
}

TEST_F(Timers, ExceptionInATickReachesTheHandlerAndTheTimerGoesOn) {
  int calls = 0;
  HWND w = AllocateHWnd([&](TMessage& m) {
    if (m.Msg == WM_TIMER && ++calls == 1) throw Exception("tick failed");
  });
  std::vector<std::string> errors;
  Application->SetOnException(
      [&](TObject*, const std::exception& e) { errors.push_back(e.what()); });
  SetTimer(w, 1, 10);
  Advance(30);
  EXPECT_EQ(errors, std::vector<std::string>{"tick failed"});
  EXPECT_EQ(calls, 3);
  DeallocateHWnd(w);
}

TEST_F(Timers, ATickMayKillItsOwnTimerOrWindow) {
  HWND w = 0;
  int calls = 0;
  w = AllocateHWnd([&](TMessage& m) {
    if (m.Msg != WM_TIMER) return;
    ++calls;
    DeallocateHWnd(w);
  });
  SetTimer(w, 1, 10);
  Advance(100);
  EXPECT_EQ(calls, 1);
}

TEST_F(Timers, WindowedControlsReceiveTimerMessagesUntilDestroyed) {
  struct Ticker : TCustomControl {
    using TCustomControl::TCustomControl;
    int* count = nullptr;
    void WMTimer(TMessage& m) override { ++*count; }
  };
  int count = 0;
  auto* t = Make<Ticker>(0, 0, 10, 10);
  t->count = &count;
  SetTimer(t->Handle(), 7, 100);
  Advance(250);
  EXPECT_EQ(count, 2);
  delete t;
  Advance(250);
  EXPECT_EQ(count, 2);
}

TEST_F(Timers, PostedMessagesArriveOnTheNextTurn) {
  std::vector<unsigned> got;
  HWND w = AllocateHWnd([&](TMessage& m) { got.push_back(m.Msg); });
  EXPECT_TRUE(PostMessage(w, WM_USER + 1, 0, 0));
  EXPECT_EQ(SendMessage(w, WM_USER + 2, 0, 0), 0);
  EXPECT_EQ(got, std::vector<unsigned>{WM_USER + 2});
  Pump();
  EXPECT_EQ(got, (std::vector<unsigned>{WM_USER + 2, WM_USER + 1}));
  DeallocateHWnd(w);
  EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
}

}  // namespace

TEST_F(Timers, AWindowTimerTicksOnIdOneUntilStoppedAndReportsAFailedStart) {
  int calls = 0;
  {
    TWindowTimer timer([&] { ++calls; });
    ASSERT_TRUE(IsWindow(timer.Handle()));
    EXPECT_TRUE(timer.Start(40));
    Advance(100);
    EXPECT_EQ(calls, 2);
    // A tick posted before Stop does not reach a stopped timer.
    PostMessage(timer.Handle(), WM_TIMER, TWindowTimer::kTimerId, 0);
    timer.Stop();
    Pump();
    EXPECT_EQ(calls, 2);
    FailNextSetTimers();
    EXPECT_FALSE(timer.Start(40));
    EXPECT_FALSE(timer.Enabled());
    Advance(100);
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(timer.Start(10));
    Advance(10);
    EXPECT_EQ(calls, 3);
  }
}
