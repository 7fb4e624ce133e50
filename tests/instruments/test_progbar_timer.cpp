// TProgBar's auto-increment on the virtual clock: the start and repeat
// intervals, restarts, the failure message and exceptions in the handler.
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/ui/Windows.h"
#include "instruments/ZEL_ProgBar.h"
#include "tests/support/Headless.h"

using namespace zel;
using zeltest::Advance;

namespace {

class ProgBarTimerTest : public zeltest::HeadlessTest {
 protected:
  TProgBar* Bar() {
    if (!FBar) {
      FBar = Make<TProgBar>(0, 0, 150, 28);
      FBar->SetName("Bar");
    }
    return FBar;
  }

 private:
  TProgBar* FBar = nullptr;
};

}  // namespace

TEST_F(ProgBarTimerTest, CountsAfterTheStartIntervalThenEveryRepeatInterval) {
  TProgBar* b = Bar();
  int ticks = 0;
  b->SetOnAutoInc([&](host::TObject* sender) {
    EXPECT_EQ(sender, b);
    ++ticks;
  });
  b->SetAutoInc(true);
  Advance(1499);
  EXPECT_EQ(b->Value(), 10);
  Advance(1);
  EXPECT_EQ(b->Value(), 11);
  Advance(699);
  EXPECT_EQ(b->Value(), 11);
  Advance(1);
  EXPECT_EQ(b->Value(), 12);
  Advance(1400);
  EXPECT_EQ(b->Value(), 14);
  EXPECT_EQ(ticks, 4);

  b->SetAutoInc(false);
  Advance(5000);
  EXPECT_EQ(b->Value(), 14);
  EXPECT_FALSE(b->TimerRunning());
}

TEST_F(ProgBarTimerTest, ValueRunsPastMaxUntilTheHandlerWrapsIt) {
  TProgBar* b = Bar();
  b->SetAutoIncStep(40);
  b->SetStartIv(10);
  b->SetRepeatIv(10);
  b->SetAutoInc(true);
  Advance(30);
  EXPECT_EQ(b->Value(), 130);
  b->SetOnAutoInc([b](host::TObject*) {
    if (b->Value() > b->Max()) b->SetPBarValue(b->Min());
  });
  Advance(10);
  EXPECT_EQ(b->Value(), 0);
}

TEST_F(ProgBarTimerTest, IntervalChangesRestartTheTimer) {
  TProgBar* b = Bar();
  b->SetAutoInc(true);
  Advance(1000);
  b->SetStartIv(200);  // the start interval again, from now
  Advance(199);
  EXPECT_EQ(b->Value(), 10);
  Advance(1);
  EXPECT_EQ(b->Value(), 11);
  Advance(300);
  b->SetRepeatIv(100);  // the repeat interval from now
  Advance(99);
  EXPECT_EQ(b->Value(), 11);
  Advance(1);
  EXPECT_EQ(b->Value(), 12);
  // A new handler in the start interval skips the rest of it.
  b->SetAutoInc(false);
  b->SetAutoInc(true);
  b->SetOnAutoInc([](host::TObject*) {});
  Advance(100);
  EXPECT_EQ(b->Value(), 13);
}

TEST_F(ProgBarTimerTest, NoTimerAtDesignTime) {
  auto* b = new TProgBar(nullptr);
  b->SetDesigning(true);
  b->SetAutoInc(true);
  b->SetStartIv(20);
  EXPECT_TRUE(b->AutoInc());
  EXPECT_FALSE(b->TimerRunning());
  Advance(3000);
  EXPECT_EQ(b->Value(), 10);
  delete b;
}

TEST_F(ProgBarTimerTest, ATimerThatCannotBeSetSaysSoAndLeavesAutoIncOff) {
  TProgBar* b = Bar();
  host::FailNextSetTimers(1);
  try {
    b->SetAutoInc(true);
    FAIL() << "no error raised";
  } catch (const EZELProgBar& e) {
    EXPECT_STREQ(e.what(), "Component \"Bar\": no timer available");
  }
  EXPECT_FALSE(b->AutoInc());
  // Switching it on again is a real retry.
  b->SetAutoInc(true);
  Advance(1500);
  EXPECT_EQ(b->Value(), 11);
  host::FailNextSetTimers(1);
  EXPECT_THROW(b->SetRepeatIv(300), EZELProgBar);
  EXPECT_FALSE(b->AutoInc());
  EXPECT_EQ(b->RepeatInterval(), 300);
}

TEST_F(ProgBarTimerTest, AnExceptionInTheHandlerReachesTheApplicationAndCountingGoesOn) {
  TProgBar* b = Bar();
  std::string caught;
  host::Application->SetOnException(
      [&](host::TObject*, const std::exception& e) { caught = e.what(); });
  b->SetOnAutoInc([](host::TObject*) { throw std::runtime_error("handler failed"); });
  b->SetAutoInc(true);
  Advance(1500);
  EXPECT_EQ(caught, "handler failed");
  EXPECT_EQ(b->Value(), 11);
  Advance(700);
  EXPECT_EQ(b->Value(), 12);
  EXPECT_TRUE(b->TimerRunning());
}
