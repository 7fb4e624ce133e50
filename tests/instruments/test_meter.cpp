// The meter as an application uses it: setters and their clamps, range events
// and lamps across the thresholds, loading from a form, needle layouts and the
// mouse.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "instruments/ZEL_Meter.h"
#include "tests/support/Headless.h"

namespace {

using namespace zel;

class Meter : public zeltest::HeadlessTest {
 protected:
  TMeter* m = nullptr;
  std::vector<std::string> events;
  int paints = 0;

  void SetUp() override {
    HeadlessTest::SetUp();
    Form()->SetBounds(0, 0, 320, 240);
    m = Make<TMeter>(0, 0, 297, 209);
    m->SetOnOverFlow([this](host::TObject*) { events.push_back("over"); });
    m->SetOnUnderFlow([this](host::TObject*) { events.push_back("under"); });
    m->SetOnNormalRange([this](host::TObject*) { events.push_back("normal"); });
    m->SetOnMeterRendered([this](host::TObject*, host::TCanvas*) { ++paints; });
  }
  using Events = std::vector<std::string>;
};

TEST_F(Meter, StartsWithTheDocumentedDefaults) {
  TMeter fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 297);
  EXPECT_EQ(fresh.Height(), 209);
  EXPECT_EQ(fresh.MeterMaxValue(), 1);
  EXPECT_EQ(fresh.MeterNrTicks(), 3);
  EXPECT_EQ(fresh.FrameStyle(), frRaised);
  EXPECT_EQ(fresh.ColorSclBkNorm(), host::TColor(0x0080FF));
  EXPECT_TRUE(fresh.NeedleLayout()->Visible());
  EXPECT_FALSE(fresh.NeedleLayoutSec()->Visible());
  EXPECT_EQ(fresh.MeterRadius(), 175);
}

TEST_F(Meter, SettersClampIntoTheirRanges) {
  m->SetNrTicks(50);
  EXPECT_EQ(m->MeterNrTicks(), 21);
  m->SetDecPlaces(-3);
  EXPECT_EQ(m->MeterDecPlaces(), 0);
  m->SetScaleBkWidth(150);
  EXPECT_EQ(m->ScaleBkWidth(), 100);
  m->NeedleLayout()->SetPercentNeedleLength(150);
  EXPECT_EQ(m->NeedleLayout()->PercentNeedleLength(), 100);
  m->NeedleLayout()->SetHeadAngle(-5);
  EXPECT_EQ(m->NeedleLayout()->HeadAngle(), 0);
  m->SetValue(7);
  EXPECT_EQ(m->Value(), 1);
}

TEST_F(Meter, MovingOneLimitPastTheOtherMovesTheOther) {
  m->SetMinValue(5);
  EXPECT_EQ(m->MeterMaxValue(), 6);
  EXPECT_EQ(m->Value(), 5);
  EXPECT_EQ(m->ThresholdHigh(), 5);
  m->SetMinValue(1);
  m->SetMaxValue(0.5);
  EXPECT_EQ(m->MeterMinValue(), -0.5);
  m->SetMinValue(2);
  m->SetMaxValue(10);
  m->SetLogarithmic(true);
  ASSERT_TRUE(m->Logarithmic());
  m->SetMaxValue(0.5);
  EXPECT_EQ(m->MeterMinValue(), 0.05);
  m->SetMinValue(0);  // no logarithm of 0
  EXPECT_EQ(m->MeterMinValue(), 0.05);
  m->SetLogarithmic(false);
  m->SetMinValue(1e300);  // where x + 1 is x, the range still keeps a width
  EXPECT_GT(m->MeterMaxValue(), m->MeterMinValue());
}

TEST_F(Meter, LogarithmicNeedsPositiveLimits) {
  m->SetLogarithmic(true);
  EXPECT_FALSE(m->Logarithmic());
  m->SetMinValue(1);
  m->SetMaxValue(100);
  m->SetLogarithmic(true);
  EXPECT_TRUE(m->Logarithmic());
  EXPECT_DOUBLE_EQ(m->CalcNeedleAngle(10), 180);
}

TEST_F(Meter, EveryValueChangeFiresOneRangeEventAndSetsTheLamps) {
  m->SetValue(0.5);
  m->SetValue(1);
  EXPECT_TRUE(m->OverFlow());
  m->SetValue(0);
  EXPECT_TRUE(m->UnderFlow());
  EXPECT_FALSE(m->OverFlow());
  m->SetValue(7);  // stores 1
  m->SetValue(7);  // differs from the stored 1: fires again
  EXPECT_EQ(events, (Events{"normal", "over", "under", "over", "over"}));
}

TEST_F(Meter, AnEqualValueNeitherFiresNorRepaints) {
  m->SetValue(0.5);
  events.clear();
  paints = 0;
  m->SetValue(0.5);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(paints, 0);
  m->SetValue(0.6);
  EXPECT_EQ(paints, 1);
}

TEST_F(Meter, AHiddenNeedleGatesTheEventsButStillDraws) {
  m->SetValue(1);
  m->NeedleLayout()->SetVisible(false);
  events.clear();
  m->SetValue(0);
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(m->OverFlow());
  EXPECT_FALSE(m->UnderFlow());
  // The secondary needle, hidden, changes silently and does not repaint.
  paints = 0;
  m->SetValue2(0.5);
  EXPECT_EQ(m->ValueSec(), 0.5);
  EXPECT_EQ(paints, 0);
  m->NeedleLayoutSec()->SetVisible(true);
  events.clear();
  m->SetValue2(1);
  EXPECT_EQ(events, (Events{"over"}));
}

TEST_F(Meter, AHiddenSecondaryNeedlePutsOutALitLampOnTheScreenToo) {
  m->SetValue(1);
  ASSERT_TRUE(m->OverFlow());
  m->NeedleLayoutSec()->SetVisible(false);
  paints = 0;
  m->SetValue2(0.5);
  EXPECT_FALSE(m->OverFlow());
  EXPECT_EQ(paints, 1);  // the lamp's change reaches the screen
  m->SetValue2(0.4);
  EXPECT_EQ(paints, 1);  // nothing lit: silent again
}

TEST_F(Meter, ThresholdsReachingTheValueFireTheirEvents) {
  m->SetValue(0.5);
  events.clear();
  m->SetHighThreshold(0.5);
  EXPECT_TRUE(m->OverFlow());
  m->SetLowThreshold(0.5);
  EXPECT_TRUE(m->UnderFlow());
  EXPECT_EQ(events, (Events{"over", "under"}));
}

TEST_F(Meter, AThresholdDraggedAwayFromTheValuePutsItsLampOut) {
  m->SetValue(0.9);
  m->SetHighThreshold(0.8);
  ASSERT_TRUE(m->OverFlow());
  m->SetLowThreshold(0.95);  // drags the high limit above the value
  EXPECT_EQ(m->ThresholdHigh(), 0.95);
  EXPECT_FALSE(m->OverFlow());
  EXPECT_TRUE(m->UnderFlow());

  m->SetValue(0.1);
  m->SetLowThreshold(0.2);
  m->SetHighThreshold(0.3);
  ASSERT_TRUE(m->UnderFlow());
  m->SetHighThreshold(0.05);  // drags the low limit below the value
  EXPECT_EQ(m->ThresholdLow(), 0.05);
  EXPECT_FALSE(m->UnderFlow());
  EXPECT_TRUE(m->OverFlow());
}

TEST_F(Meter, NonFiniteNumbersAreIgnored) {
  m->SetValue(0.5);
  events.clear();
  for (double x : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    m->SetValue(x);
    m->SetValue2(x);
    m->SetMinValue(x);
    m->SetMaxValue(x);
    m->SetLowThreshold(x);
    m->SetHighThreshold(x);
    m->SetScaleBkWidth(x == HUGE_VAL ? 50 : x);
  }
  EXPECT_EQ(m->Value(), 0.5);
  EXPECT_EQ(m->MeterMinValue(), 0);
  EXPECT_EQ(m->MeterMaxValue(), 1);
  EXPECT_EQ(m->ThresholdLow(), 0);
  EXPECT_EQ(m->ThresholdHigh(), 1);
  EXPECT_TRUE(events.empty());
}

TEST_F(Meter, WhileLoadingValuesAreOnlyStored) {
  m->BeginLoading();
  m->SetMinValue(5);
  m->SetMaxValue(1);
  m->SetValue(9);
  EXPECT_EQ(m->MeterMinValue(), 5);
  EXPECT_EQ(m->MeterMaxValue(), 1);
  EXPECT_EQ(m->Value(), 9);
  EXPECT_TRUE(events.empty());
}

// A form streamed with values no setter would accept is made whole at Loaded:
// painting it never divides by zero or takes the logarithm of 0.
TEST_F(Meter, LoadedRepairsWhatAFormStreamedIn) {
  m->BeginLoading();
  m->SetMinValue(0);
  m->SetMaxValue(-3);
  m->SetLogarithmic(true);
  m->SetLowThreshold(8);
  m->SetHighThreshold(-8);
  m->SetValue(42);
  m->SetValue2(-42);
  paints = 0;
  m->EndLoading();
  EXPECT_LT(m->MeterMinValue(), m->MeterMaxValue());
  EXPECT_FALSE(m->Logarithmic());
  EXPECT_LE(m->MeterMinValue(), m->ThresholdLow());
  EXPECT_LE(m->ThresholdLow(), m->ThresholdHigh());
  EXPECT_LE(m->ThresholdHigh(), m->MeterMaxValue());
  EXPECT_EQ(m->Value(), m->MeterMaxValue());
  EXPECT_EQ(m->ValueSec(), m->MeterMinValue());
  EXPECT_EQ(paints, 1);
  EXPECT_TRUE(std::isfinite(m->CalcNeedleAngle(m->Value())));
}

TEST_F(Meter, SetNeedleLayoutCopiesTheSettingsAndKeepsTheBinding) {
  TNeedleLayout other;
  int otherChanges = 0;
  other.SetOnChange([&](host::TObject*) { ++otherChanges; });
  other.SetHeadSize(7);
  other.SetColorBody(host::clRed);
  other.SetShadowDx(3);
  other.SetVisible(false);
  paints = 0;
  m->SetNeedleLayout(&other);
  EXPECT_EQ(m->NeedleLayout()->HeadSize(), 7);
  EXPECT_EQ(m->NeedleLayout()->ColorBody(), host::clRed);
  EXPECT_EQ(m->NeedleLayout()->ShadowDx(), 3);
  EXPECT_FALSE(m->NeedleLayout()->Visible());
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(otherChanges, 4);          // the source's own setters only
  m->NeedleLayout()->SetThickness(4);  // still repaints the meter
  EXPECT_EQ(paints, 2);
}

TEST_F(Meter, AssignCopiesTheSettingsAndRepaintsOnce) {
  TMeter* b = Make<TMeter>(0, 0, 297, 209);
  b->SetMeterLayout(mlCirc300);
  b->SetMaxValue(50);
  b->SetValue(20);
  b->SetUnitLabel("mA");
  b->NeedleLayout()->SetHeadSize(9);
  paints = 0;
  m->Assign(b);
  EXPECT_EQ(m->MeterLayout(), mlCirc300);
  EXPECT_EQ(m->MeterAngle(), 300);
  EXPECT_EQ(m->Value(), 20);
  EXPECT_EQ(m->Caption(), "mA");
  EXPECT_EQ(m->NeedleLayout()->HeadSize(), 9);
  EXPECT_EQ(paints, 1);
}

TEST_F(Meter, MouseMovesReportTheValueUnderThePointer) {
  struct Report {
    bool Within;
    double Value;
  };
  std::vector<Report> got;
  m->SetMaxValue(10);
  m->SetOnMouseMoveInMeter([&](host::TObject*, bool w, host::TShiftState, double v) {
    got.push_back({w, v});
  });
  const int cx = m->MeterCenterX(), cy = m->MeterCenterY();
  zeltest::MouseMove(m, cx, cy);              // the centre: straight up, mid scale
  zeltest::MouseMove(m, cx - 100, cy - 100);  // the left end of the sector
  zeltest::MouseMove(m, cx + 100, cy - 100);  // the right end
  zeltest::MouseMove(m, cx + 100, cy - 99);   // just below it: outside
  ASSERT_EQ(got.size(), 4u);
  EXPECT_TRUE(got[0].Within);
  EXPECT_DOUBLE_EQ(got[0].Value, 5);
  EXPECT_DOUBLE_EQ(got[1].Value, 0);
  EXPECT_DOUBLE_EQ(got[2].Value, 10);
  EXPECT_FALSE(got[3].Within);
  EXPECT_EQ(got[3].Value, 0);
}

TEST_F(Meter, ConversionsRoundTripThroughPixels) {
  m->SetMaxValue(100);
  int x = 0, y = 0;
  m->ConvertToPixelCoords(0, 100, x, y);
  EXPECT_EQ(x, 148 - 124);  // 175 * cos 45 = 123.74
  EXPECT_EQ(y, 191 - 124);
  m->ConvertToPixelCoords(50, 50, x, y);
  EXPECT_EQ(x, 148);
  EXPECT_EQ(y, 104);  // 103.5 rounds to even
  double v = 0;
  m->ConvertToPixelCoords(30, 90, x, y);
  ASSERT_TRUE(m->ConvertPixelToValue(x, y, v));
  EXPECT_NEAR(v, 30, 0.5);
}

}  // namespace
