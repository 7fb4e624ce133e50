// The meter's scale arithmetic on its own: steps, tick values and labels on
// linear and logarithmic scales, the geometry of each layout and the value
// under a direction.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "instruments/ZEL_Meter.h"

namespace {

using namespace zel;

std::vector<std::string> Labels(double min, double max, int n, bool log, int dec = 1) {
  std::vector<std::string> out;
  for (const TMeterTick& t : MeterMajorTicks(min, max, n, log))
    if (t.Labelled) out.push_back(MeterLabelText(t.Value, dec));
  return out;
}

using Strings = std::vector<std::string>;

TEST(MeterScaleStep, PicksOneTwoOrFiveTimesAPowerOfTen) {
  const TMeterScaleStep a = MeterScaleStep(0, 1, 3);  // 0.333 per interval
  EXPECT_EQ(a.Step, 0.2);
  EXPECT_EQ(a.MinorCount, 4);
  const TMeterScaleStep b = MeterScaleStep(0, 60, 3);  // exactly 20: the lower step
  EXPECT_EQ(b.Step, 10);
  EXPECT_EQ(b.MinorCount, 5);
  const TMeterScaleStep c = MeterScaleStep(0, 100, 10);
  EXPECT_EQ(c.Step, 10);
  EXPECT_EQ(c.MinorCount, 5);
  const TMeterScaleStep d = MeterScaleStep(0, 70, 10);  // 7 per interval
  EXPECT_EQ(d.Step, 5);
  EXPECT_EQ(d.MinorCount, 5);
  const TMeterScaleStep e = MeterScaleStep(0, 0.05, 10);  // exactly 0.005
  EXPECT_EQ(e.Step, 0.002);
}

TEST(MeterScaleStep, FirstTickIsTheLowestMultipleOnTheScale) {
  EXPECT_EQ(MeterScaleStep(-50, 50, 3).First, -40);
  EXPECT_EQ(MeterScaleStep(0.05, 1, 3).First, 0.2);
  // Within a thousandth of a step below min still counts as on the scale.
  EXPECT_EQ(MeterScaleStep(0.0001, 1, 3).First, 0);
}

TEST(MeterMajorTicks, LinearScalesLabelEveryStep) {
  EXPECT_EQ(Labels(0, 1, 3, false), (Strings{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
  EXPECT_EQ(Labels(-50, 50, 3, false, 0), (Strings{"-40", "-20", "0", "20", "40"}));
  EXPECT_EQ(Labels(0, 100, 10, false, 0).size(), 11u);
}

TEST(MeterMajorTicks, ValuesAreTheDoublesNearestTheirDecimals) {
  const std::vector<TMeterTick> t = MeterMajorTicks(0, 1, 10, false);
  ASSERT_EQ(t.size(), 11u);
  EXPECT_EQ(t[3].Value, 0.3);
  EXPECT_EQ(t[7].Value, 0.7);
  EXPECT_EQ(MeterLabelText(t[3].Value, 4), "0.3000");
  EXPECT_DOUBLE_EQ(t[3].Fraction, 0.3);
}

TEST(MeterMajorTicks, LogarithmicDecadesLabelOneTwoAndFive) {
  const std::vector<TMeterTick> t = MeterMajorTicks(1, 1000, 3, true);
  ASSERT_EQ(t.size(), 28u);  // 1..9, 10..90, 100..900, 1000
  EXPECT_EQ(t.back().Value, 1000);
  EXPECT_DOUBLE_EQ(t[9].Fraction, 1.0 / 3);  // 10 is a third of three decades
  EXPECT_EQ(Labels(1, 1000, 3, true, 0),
            (Strings{"1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"}));
}

TEST(MeterMajorTicks, LogarithmicBelowADecadeUsesTheLinearStepsPlacedLogarithmically) {
  EXPECT_EQ(Labels(2, 8, 2, true, 0), (Strings{"2", "4", "6", "8"}));
  const std::vector<TMeterTick> t = MeterMajorTicks(2, 8, 2, true);
  EXPECT_DOUBLE_EQ(t[1].Fraction, 0.5);  // 4 is half way between 2 and 8 in log
}

TEST(MeterMinorTicks, FillTheStepsButLeaveTheMajorPositions) {
  const std::vector<TMeterTick> t = MeterMinorTicks(0, 1, 3, false);
  // Four intervals a step of 0.2: three minor ticks in each of five steps.
  ASSERT_EQ(t.size(), 15u);
  EXPECT_EQ(t[0].Value, 0.05);
  EXPECT_EQ(t[3].Value, 0.25);
  for (const TMeterTick& m : t) EXPECT_NE(std::fmod(m.Value * 100, 20.0), 0.0) << m.Value;
}

TEST(MeterScale, RangesAtTheLimitsOfDoubleEndWithoutHanging) {
  EXPECT_TRUE(MeterMajorTicks(-1.7e308, 1.7e308, 3, false).empty());
  EXPECT_LE(MeterMajorTicks(1e300, 1e300 * (1 + 1e-15), 3, false).size(), 2000u);
  EXPECT_LE(MeterMinorTicks(1e16, 1e16 + 2, 21, false).size(), 2000u);
  EXPECT_FALSE(MeterMajorTicks(1e-100, 1e300, 3, true).empty());
}

TEST(MeterLabelText, IsFixedPointWithAPointAndNoPadding) {
  EXPECT_EQ(MeterLabelText(1234.5, 2), "1234.50");
  EXPECT_EQ(MeterLabelText(-0.25, 1), "-0.2");  // half to even, as printf rounds
  EXPECT_EQ(MeterLabelText(-3, 0), "-3");
  EXPECT_EQ(MeterLabelText(-1e-17, 1), "0.0");
}

TEST(MeterGeometry, DefaultQuarterCircleOnTheDefaultSize) {
  const TMeterGeometry g = MeterGeometry(mlCirc90, 297, 209, 8, 10, 10);
  EXPECT_EQ(g.Angle, 90);
  EXPECT_EQ(g.Radius, 175);
  EXPECT_EQ(g.CenterX, 148);
  EXPECT_EQ(g.CenterY, 191);
}

TEST(MeterGeometry, WiderSectorsAreLimitedByTheWidth) {
  const TMeterGeometry a = MeterGeometry(mlCirc120, 297, 209, 8, 10, 10);
  EXPECT_DOUBLE_EQ(a.Radius, std::min(175.0, (148.5 - 18) * 1.1547));
  const TMeterGeometry b = MeterGeometry(mlCirc180, 297, 209, 8, 10, 10);
  EXPECT_DOUBLE_EQ(b.Radius, 130.5);
  EXPECT_EQ(b.CenterY, 191);
  const TMeterGeometry c = MeterGeometry(mlCirc300, 297, 209, 8, 10, 10);
  EXPECT_DOUBLE_EQ(c.Radius, 175 / 1.866);
  EXPECT_EQ(c.CenterY, 16 + 94);  // Round(8 + 8 + 93.78)
}

// Every layout keeps its sector, ticks included, inside the rims with the
// margin of 8 pixels the quarter circle has.
TEST(MeterGeometry, EverySectorStaysInsideTheRims) {
  const int T = 8, B = 10, S = 10;
  for (int layout = mlCirc90; layout <= mlCirc360; ++layout) {
    for (auto [W, H] : {std::pair{297, 209}, std::pair{200, 300}, std::pair{400, 150}}) {
      const TMeterGeometry g = MeterGeometry(TMeterLayout(layout), W, H, T, B, S);
      const double half = g.Angle / 2.0 * M_PI / 180;
      // Lowest point: the centre for sectors up to 180 degrees, else the ends.
      const double below = g.Angle > 180 ? -g.Radius * std::cos(half) : 0;
      const double across = g.Angle >= 180 ? g.Radius : g.Radius * std::sin(half);
      SCOPED_TRACE(testing::Message() << "layout " << layout << " on " << W << "x" << H);
      EXPECT_GE(g.CenterY - g.Radius, T + 8 - 0.5);
      EXPECT_LE(g.CenterY + below, H - B - 8 + 0.5);
      EXPECT_GE(g.CenterX - across, S + 8 - 0.5);
      EXPECT_LE(g.CenterX + across, W - S - 8 + 0.5);
    }
  }
}

TEST(MeterPixelToValue, DirectionsMapOntoTheSector) {
  double v = -1;
  EXPECT_TRUE(MeterPixelToValue(0, 0, 90, 0, 10, false, v));  // the centre: straight up
  EXPECT_DOUBLE_EQ(v, 5);
  EXPECT_TRUE(MeterPixelToValue(-50, -50, 90, 0, 10, false, v));  // the left end
  EXPECT_DOUBLE_EQ(v, 0);
  EXPECT_TRUE(MeterPixelToValue(50, -50, 90, 0, 10, false, v));  // the right end
  EXPECT_DOUBLE_EQ(v, 10);
  EXPECT_FALSE(MeterPixelToValue(50, -49, 90, 0, 10, false, v));  // just outside
  EXPECT_EQ(v, 0);
  EXPECT_FALSE(MeterPixelToValue(0, 30, 300, 0, 10, false, v));  // the gap at the bottom
  EXPECT_TRUE(MeterPixelToValue(0, 30, 360, 0, 10, false, v));
  EXPECT_TRUE(MeterPixelToValue(0, -1, 90, 1, 100, true, v));
  EXPECT_DOUBLE_EQ(v, 10);
}

}  // namespace
