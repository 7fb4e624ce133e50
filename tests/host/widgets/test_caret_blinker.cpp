// The caret blinker on the virtual clock: the rhythm, restarts, stopping, a
// hidden start, showing without a restart, ending itself on a tick, a timer that
// cannot be set, and exceptions from the repaint callback.
#include <stdexcept>
#include <string>
#include <vector>

#include "host/ui/Forms.h"
#include "host/ui/Loop.h"
#include "host/ui/Windows.h"
#include "host/widgets/CaretBlinker.h"
#include "tests/support/Headless.h"

using namespace host;
using namespace zeltest;

namespace {

class Blinker : public HeadlessTest {
 protected:
  std::vector<std::pair<int64_t, bool>> toggles;  // (time, visible after)
  std::unique_ptr<TCaretBlinker> B;
  void SetUp() override {
    HeadlessTest::SetUp();
    B = std::make_unique<TCaretBlinker>(
        [this] { toggles.emplace_back(Application->Now(), B->Visible()); });
  }
  void TearDown() override {
    B.reset();
    HeadlessTest::TearDown();
  }
};

TEST_F(Blinker, ShowsAtOnceThenFlipsEveryHalfSecond) {
  EXPECT_FALSE(B->Visible());
  EXPECT_TRUE(B->Restart());
  EXPECT_TRUE(B->Visible());
  Advance(1500);
  using T = std::vector<std::pair<int64_t, bool>>;
  EXPECT_EQ(toggles, (T{{0, true}, {500, false}, {1000, true}, {1500, false}}));
}

TEST_F(Blinker, ARestartShowsTheCaretAndWaitsAFullIntervalAgain) {
  B->Restart();
  Advance(500);
  ASSERT_FALSE(B->Visible());
  B->Restart();  // a key at 500: shown again, steady until 1000
  EXPECT_TRUE(B->Visible());
  Advance(400);
  B->Restart();  // another at 900: no toggle, the interval starts anew
  Advance(499);
  EXPECT_TRUE(B->Visible());
  Advance(1);
  EXPECT_FALSE(B->Visible());
  EXPECT_EQ(Application->Now(), 1400);
}

TEST_F(Blinker, StopHidesTheCaretAndEndsTheTicks) {
  B->Restart();
  B->Stop();
  EXPECT_FALSE(B->Visible());
  EXPECT_FALSE(B->Blinking());
  const size_t n = toggles.size();
  Advance(2000);
  EXPECT_EQ(toggles.size(), n);
  B->SetInterval(100);
  B->Restart();
  Advance(100);
  EXPECT_FALSE(B->Visible());
}

TEST_F(Blinker, ATimerThatCannotBeSetIsReportedAndTheCaretStaysSteady) {
  FailNextSetTimers(1);
  EXPECT_FALSE(B->Restart());
  EXPECT_FALSE(B->Blinking());
  EXPECT_TRUE(B->Visible());
  Advance(2000);
  EXPECT_TRUE(B->Visible());
  EXPECT_TRUE(B->Restart());  // the next try may succeed
  EXPECT_TRUE(B->Blinking());
}

using Toggles = std::vector<std::pair<int64_t, bool>>;

TEST_F(Blinker, AHiddenStartRunsTheTimerAndShowsTheCaretAtTheFirstTick) {
  EXPECT_TRUE(B->Start(false));
  EXPECT_TRUE(B->Blinking());
  EXPECT_FALSE(B->Visible());
  EXPECT_TRUE(toggles.empty());  // nothing changed, nothing to repaint
  Advance(1000);
  EXPECT_EQ(toggles, (Toggles{{500, true}, {1000, false}}));
  Advance(200);
  B->SetVisible(true);
  B->Start(false);  // at 1200: hides the caret, and the tick due at 1500 moves to 1700
  Advance(499);
  EXPECT_FALSE(B->Visible());
  Advance(1);
  EXPECT_TRUE(B->Visible());

  B->Stop();
  FailNextSetTimers(1);
  EXPECT_FALSE(B->Start(false));
  EXPECT_FALSE(B->Visible());
  EXPECT_FALSE(B->Blinking());
}

TEST_F(Blinker, SetVisibleShowsTheCaretWithoutMovingTheNextTick) {
  B->Restart();
  Advance(500);
  ASSERT_FALSE(B->Visible());
  Advance(200);
  B->SetVisible(true);  // a click at 700
  B->SetVisible(true);  // no change, no repaint
  EXPECT_EQ(toggles.back(), (std::pair<int64_t, bool>{700, true}));
  Advance(300);  // the tick due at 1000 still comes at 1000
  EXPECT_EQ(toggles, (Toggles{{0, true}, {500, false}, {700, true}, {1000, false}}));
  B->SetVisible(false);  // showing and hiding alone never start a timer
  B->Stop();
  B->SetVisible(true);
  EXPECT_FALSE(B->Blinking());
  Advance(1000);
  EXPECT_TRUE(B->Visible());
}

TEST_F(Blinker, ATickThatMayNotBlinkStopsTheBlinkerWithOneRepaint) {
  bool wanted = true;
  int asked = 0;
  B->SetKeepBlinking([&] {
    ++asked;
    return wanted;
  });
  B->Restart();
  EXPECT_EQ(asked, 0);  // only ticks ask
  Advance(500);
  EXPECT_EQ(asked, 1);
  wanted = false;
  Advance(500);  // hidden already: the tick still repaints once
  EXPECT_EQ(toggles, (Toggles{{0, true}, {500, false}, {1000, false}}));
  EXPECT_FALSE(B->Blinking());
  EXPECT_FALSE(KillTimer(B->Handle(), TCaretBlinker::kTimerId));
  Advance(2000);
  EXPECT_EQ(toggles.size(), 3u);

  toggles.clear();
  B->Restart();  // at 3000; a shown caret hides with the stopping tick, one repaint
  Advance(500);
  EXPECT_EQ(toggles, (Toggles{{3000, true}, {3500, false}}));
  EXPECT_FALSE(B->Blinking());

  wanted = true;  // the question is asked anew after a restart
  B->Restart();
  Advance(500);
  EXPECT_TRUE(B->Blinking());
}

// A control that, like the numeric input, refuses to exist without a timer.
struct NeedsTimer {
  TCaretBlinker Blink{nullptr};
  NeedsTimer() {
    if (!Blink.Restart()) throw std::runtime_error("no timer available");
  }
};

TEST_F(Blinker, TheWindowGoesWithTheBlinkerEvenWhenItsOwnerFailsToConstruct) {
  const HWND w = B->Handle();
  ASSERT_TRUE(IsWindow(w));
  B.reset();
  EXPECT_FALSE(IsWindow(w));

  const size_t windows = detail::Loop().Windows.size();
  FailNextSetTimers(1);
  EXPECT_THROW(NeedsTimer(), std::runtime_error);
  EXPECT_EQ(detail::Loop().Windows.size(), windows);
}

TEST_F(Blinker, AnExceptionInTheCallbackReachesTheApplication) {
  std::vector<std::string> errors;
  Application->SetOnException(
      [&](TObject*, const std::exception& e) { errors.push_back(e.what()); });
  TCaretBlinker failing([] { throw std::runtime_error("repaint failed"); });
  // Restart shows the caret, and the exception of that repaint goes to the caller.
  EXPECT_THROW(failing.Restart(), std::runtime_error);
  Advance(1000);
  EXPECT_EQ(errors, (std::vector<std::string>{"repaint failed", "repaint failed"}));
}

}  // namespace
