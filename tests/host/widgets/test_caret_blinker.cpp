// The caret blinker on the virtual clock: the rhythm, restarts, stopping, a
// timer that cannot be set, and exceptions from the repaint callback.
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
