// TRepSpeedButton on the virtual clock: repeat timing, interval limits, which
// presses repeat and what ends them, the failure message and handler errors.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "host/ui/Windows.h"
#include "selectors/ZEL_repsbut.h"
#include "tests/support/Headless.h"

using namespace zel;
using zeltest::Advance;

namespace {

class RepSpeedButtonTest : public zeltest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    FButton = Make<TRepSpeedButton>(10, 10, 40, 30);
    FButton->SetName("Plus");
    FButton->SetOnRepeatClick([this](host::TObject*) { Repeats.push_back(Now()); });
    FButton->SetOnClick([this](host::TObject*) { ++Clicks; });
  }
  TRepSpeedButton* Button() { return FButton; }
  static int64_t Now() { return host::Application->Now(); }
  void Press(host::TMouseButton b = host::mbLeft) {
    zeltest::MouseMove(Form(), 20, 20);
    zeltest::MouseDown(Form(), 20, 20, b);
  }
  void Release(host::TMouseButton b = host::mbLeft) { zeltest::MouseUp(Form(), 20, 20, b); }
  // Repeat times relative to t0.
  std::vector<int64_t> Since(int64_t t0) const {
    std::vector<int64_t> r;
    for (int64_t t : Repeats) r.push_back(t - t0);
    return r;
  }
  std::vector<int64_t> Repeats;
  int Clicks = 0;

 private:
  TRepSpeedButton* FButton = nullptr;
};

using Times = std::vector<int64_t>;

}  // namespace

TEST_F(RepSpeedButtonTest, HoldingRepeatsAfterTheStartDelayThenAtTheRepeatInterval) {
  const int64_t t0 = Now();
  Press();
  EXPECT_TRUE(Button()->Repeating());
  Advance(1100);
  EXPECT_EQ(Since(t0), (Times{500, 700, 900, 1100}));
  Release();
  EXPECT_FALSE(Button()->Repeating());
  EXPECT_EQ(Clicks, 1);  // the release still clicks
  Advance(1000);
  EXPECT_EQ(Repeats.size(), 4u);
  // The next press starts with the start delay again.
  Repeats.clear();
  const int64_t t1 = Now();
  Press();
  Advance(499);
  EXPECT_TRUE(Repeats.empty());
  Advance(1);
  EXPECT_EQ(Since(t1), (Times{500}));
}

TEST_F(RepSpeedButtonTest, IntervalsAreAtLeastTenMilliseconds) {
  Button()->SetStartClickInterval(3);
  Button()->SetRepeatClickInterval(0);
  EXPECT_EQ(Button()->StartClickInterval(), 10);
  EXPECT_EQ(Button()->RepeatClickInterval(), 10);
  const int64_t t0 = Now();
  Press();
  Advance(30);
  EXPECT_EQ(Since(t0), (Times{10, 20, 30}));
}

TEST_F(RepSpeedButtonTest, ANewRepeatIntervalWhileHeldTakesEffectAtOnce) {
  const int64_t t0 = Now();
  Press();
  Advance(600);
  Button()->SetRepeatClickInterval(50);
  Advance(100);
  EXPECT_EQ(Since(t0), (Times{500, 650, 700}));
}

TEST_F(RepSpeedButtonTest, ANewStartIntervalWhileHeldStartsTheDelayAfresh) {
  const int64_t t0 = Now();
  Press();
  Advance(300);
  Button()->SetStartClickInterval(400);
  Advance(700);
  EXPECT_EQ(Since(t0), (Times{700, 900}));
}

TEST_F(RepSpeedButtonTest, TheRightButtonNeverRepeats) {
  Press(host::mbRight);
  Advance(2000);
  Release(host::mbRight);
  EXPECT_TRUE(Repeats.empty());
  EXPECT_FALSE(Button()->Repeating());
}

TEST_F(RepSpeedButtonTest, LeavingTheHeldButtonStopsTheRepeatsWithoutAClick) {
  Press();
  Advance(600);
  zeltest::MouseMove(Form(), 150, 100);
  EXPECT_FALSE(Button()->Repeating());
  Advance(1000);
  zeltest::MouseUp(Form(), 150, 100);
  EXPECT_EQ(Repeats.size(), 1u);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(Button()->State(), host::bsUp);
}

TEST_F(RepSpeedButtonTest, LeavingAButtonNobodyHoldsReportsNoRelease) {
  int ups = 0;
  Button()->SetOnMouseUp(
      [&](host::TObject*, host::TMouseButton, host::TShiftState, int, int) { ++ups; });
  zeltest::MouseMove(Form(), 20, 20);
  zeltest::MouseMove(Form(), 150, 100);
  EXPECT_EQ(ups, 0);
}

TEST_F(RepSpeedButtonTest, AHandlerErrorReachesTheApplicationAndTheRepeatsGoOn) {
  std::vector<std::string> caught;
  host::Application->SetOnException(
      [&](host::TObject*, const std::exception& e) { caught.push_back(e.what()); });
  Button()->SetOnRepeatClick([this](host::TObject*) {
    Repeats.push_back(Now());
    throw std::runtime_error("step failed");
  });
  Press();
  Advance(900);
  EXPECT_EQ(caught, (std::vector<std::string>{"step failed", "step failed", "step failed"}));
  EXPECT_TRUE(Button()->Repeating());
}

TEST_F(RepSpeedButtonTest, ATimerThatCannotBeSetSaysSoAndEndsTheRepeating) {
  std::string caught;
  host::Application->SetOnException(
      [&](host::TObject*, const std::exception& e) { caught = e.what(); });
  host::FailNextSetTimers(1);
  Press();
  EXPECT_EQ(caught, "Component \"Plus\": no timer available");
  EXPECT_FALSE(Button()->Repeating());
  Advance(1000);
  EXPECT_TRUE(Repeats.empty());
  Release();
  // From a setter the error reaches the caller, as the button's own class.
  Press();
  host::FailNextSetTimers(1);
  EXPECT_THROW(Button()->SetRepeatClickInterval(100), EZELRepSpeedButton);
  EXPECT_FALSE(Button()->Repeating());
}

TEST_F(RepSpeedButtonTest, ADialogOpenedByTheHandlerStopsTheRepeats) {
  host::TForm dialog(nullptr);
  dialog.SetName("StepDialog");
  host::Application->SetModalHook([](host::TForm* f) {
    Advance(1000);  // the user looks at the dialog for a second
    f->SetModalResult(host::mrOk);
  });
  Button()->SetOnRepeatClick([&](host::TObject*) {
    Repeats.push_back(Now());
    dialog.ShowModal();
  });
  Press();
  Advance(500);
  EXPECT_EQ(Repeats.size(), 1u);
  EXPECT_FALSE(Button()->Repeating());
  Advance(1000);
  EXPECT_EQ(Repeats.size(), 1u);
  EXPECT_EQ(Clicks, 0);
}

TEST_F(RepSpeedButtonTest, DisablingTheHeldButtonStopsTheRepeats) {
  int value = 0;
  Button()->SetOnRepeatClick([&](host::TObject*) {
    if (++value == 3) Button()->SetEnabled(false);  // the upper limit
  });
  Press();
  Advance(2000);
  EXPECT_EQ(value, 3);
  EXPECT_FALSE(Button()->Repeating());
}
