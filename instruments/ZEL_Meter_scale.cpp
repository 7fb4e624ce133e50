// TMeter: the scale arithmetic. Pure functions of the settings: the geometry of
// each layout, the major step, the tick values and fractions, the label texts
// and the value under a direction. Paint, the mouse handling and the tests all
// use these, so what is drawn is what is tested.
#include <cmath>
#include <cstdio>

#include "foundation/Zel_math1.h"
#include "instruments/ZEL_Meter.h"

namespace zel {

namespace {

constexpr double kLog10Of2 = 0.3010299956639812;
constexpr double kLog10Of5 = 0.6989700043360189;
constexpr double kLn10 = 2.302585092994046;
constexpr double kPi = 3.14159265358979323846;
// Bounds on the loops over ticks: a sane scale has a few dozen ticks (the step
// is at least a fifth of the range over the intervals) and a few hundred decades
// at most; the bounds only stop a scale whose arithmetic has broken down.
constexpr int kMaxTicks = 2000;
constexpr int kMaxDecades = 700;

// m * 10^k for an integer k, correctly rounded: a negative power divides by the
// exact 10^-k instead of multiplying by an inexact 10^k, so 2 * 10^-1 is 0.2.
double Decade(double m, int k) { return k >= 0 ? m * std::pow(10.0, k) : m / std::pow(10.0, -k); }

bool Usable(const TMeterScaleStep& s) {
  return s.Step != 0 && std::isfinite(s.Step) && std::isfinite(s.First);
}

}  // namespace

TMeterGeometry MeterGeometry(TMeterLayout Layout, int W, int H, int T, int B, int S) {
  TMeterGeometry g;
  g.Radius = H - B - T - 16;
  g.CenterX = W / 2;
  g.CenterY = H - B - 8;
  // The layouts that reach below the centre fit their height from the top rim
  // down to the lowest point of the sector, R * (1 + cos(half the gap)).
  auto belowCentre = [&](double divisor) {
    g.Radius = std::min<double>(g.CenterX - S - 8, (H - B - T - 16) / divisor);
    g.CenterY = int(Round(T + 8 + g.Radius));
  };
  switch (Layout) {
    case mlCirc90:
      // Limited by the width as mlCirc120 is, by 1 / sin 45 degrees: a narrow
      // control keeps its scale inside the rims.
      g.Angle = 90;
      g.Radius = std::min(g.Radius, (W / 2.0 - S - 8) * 1.4142135623730951);
      break;
    case mlCirc120:
      g.Angle = 120;
      g.Radius = std::min(g.Radius, (W / 2.0 - S - 8) * 1.1547);
      break;
    case mlCirc180:
      g.Angle = 180;
      g.Radius = std::min(g.Radius, W / 2.0 - S - 8);
      break;
    case mlCirc270:
      g.Angle = 270;
      belowCentre(1.7071067811865475);
      break;
    case mlCirc300:
      g.Angle = 300;
      belowCentre(1.866);
      break;
    case mlCirc360:
      g.Angle = 360;
      belowCentre(2.0);
      break;
  }
  return g;
}

TMeterScaleStep MeterScaleStep(double Min, double Max, int N) {
  TMeterScaleStep r;
  if (Min == Max) {
    r.First = Min;
    return r;
  }
  const double d = std::fabs(Max - Min);
  const double s = Max > Min ? 1.0 : -1.0;
  // A range wider than the largest double, or narrower than the smallest, has
  // no step that could be counted: no ticks.
  if (!std::isfinite(d) || !(d / N > 0)) return r;
  double g = std::log(d / N) / kLn10;
  double h = Frac(g);
  if (std::fabs(h) < 1e-10 || std::fabs(h) > 0.9999999999) {
    g = double(Round(g));
    h = 0;
  }
  if (g < 0 && h != 0) g -= 1;
  if (h < 0) h += 1;
  // g is now floor(log10(d/N)) plus the fraction h: the step is 1, 2 or 5 times
  // 10^floor, the exact boundaries 2 and 5 taking the lower step.
  const int k = int(Trunc(g));
  double mantissa = 5;
  r.MinorCount = 5;
  if (h < kLog10Of2 + 1e-10) {
    mantissa = 1;
  } else if (h < kLog10Of5 + 1e-10) {
    mantissa = 2;
    r.MinorCount = 4;
  }
  r.Mantissa = s * mantissa;
  r.Exponent = k;
  r.Step = r.Multiple(1);
  // The lowest multiple of the step not below min by more than a thousandth of
  // a step. Counting multiples (not adding steps) keeps First exact.
  if (!std::isfinite(r.Step) || r.Step == 0) return r;
  double m = double(Trunc(Min / r.Step)) - 1;
  for (int i = 0; i < 8 && s * (Min - r.Multiple(m)) > 0.001 * std::fabs(r.Step); ++i) m += 1;
  r.FirstMultiple = m;
  r.First = r.Multiple(m);
  return r;
}

// j * Mantissa is a whole number for whole steps and a multiple of 1/5 or 1/2
// for minor positions; scaling those by ten keeps the product exact.
double TMeterScaleStep::Multiple(double j) const {
  const double units = j * Mantissa * 10;
  const double whole = std::nearbyint(units);
  return std::fabs(units - whole) < 1e-6 ? Decade(whole, Exponent - 1)
                                         : Decade(units, Exponent - 1);
}

double MeterFraction(double v, double Min, double Max, bool Logarithmic) {
  if (Logarithmic && v > 0 && Min > 0 && Max > 0)
    return (std::log(v) - std::log(Min)) / (std::log(Max) - std::log(Min));
  return (v - Min) / (Max - Min);
}

std::vector<TMeterTick> MeterMajorTicks(double Min, double Max, int N, bool Logarithmic) {
  std::vector<TMeterTick> ticks;
  const bool decades = Logarithmic && Min > 0 && Max > 0 && std::fabs(std::log10(Max / Min)) >= 1;
  if (decades) {
    const int e = int(IntNeg(std::log10(0.999999999 * Min)));
    const bool everyLabel = Max / Min < 10;
    for (int j = 0; j < kMaxDecades; ++j) {
      for (int k = 1; k <= 9; ++k) {
        const double v = Decade(k, e + j);
        if (v / 0.999999999 > Min && Max > 0.999999999 * v)
          ticks.push_back(
              {v, MeterFraction(v, Min, Max, true), everyLabel || k == 1 || k == 2 || k == 5});
      }
      if (!(Max >= 0.999999999 * Decade(1, e + j + 1))) break;
    }
    return ticks;
  }
  const TMeterScaleStep s = MeterScaleStep(Min, Max, N);
  if (!Usable(s)) return ticks;
  const double limit = Max + 0.001 * std::fabs(s.Step);
  for (int i = 0; i < kMaxTicks; ++i) {
    const double v = s.Multiple(s.FirstMultiple + i);
    ticks.push_back({v, MeterFraction(v, Min, Max, Logarithmic), true});
    if (!(s.Multiple(s.FirstMultiple + i + 1) <= limit)) break;
  }
  return ticks;
}

std::vector<TMeterTick> MeterMinorTicks(double Min, double Max, int N, bool Logarithmic) {
  std::vector<TMeterTick> ticks;
  const TMeterScaleStep s = MeterScaleStep(Min, Max, N);
  if (!Usable(s)) return ticks;
  const double limit = Max + 0.001 * std::fabs(s.Step) / s.MinorCount;
  // Minor position i lies i minor intervals after the step below First.
  auto at = [&](int i) { return s.Multiple(s.FirstMultiple - 1 + double(i) / s.MinorCount); };
  for (int i = 0; i < kMaxTicks; ++i) {
    const double v = at(i);
    // Every MinorCount-th position is a major tick, drawn longer elsewhere.
    if (v >= Min && i % s.MinorCount != 0)
      ticks.push_back({v, MeterFraction(v, Min, Max, Logarithmic && v > Min), false});
    if (!(at(i + 1) <= limit)) break;
  }
  return ticks;
}

std::string MeterLabelText(double v, int DecPlaces) {
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", DecPlaces, v);
  std::string s = buf;
  // A value a rounding error below zero reads as 0, not as "-0.0".
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

bool MeterPixelToValue(int dx, int dy, int A, double Min, double Max, bool Logarithmic,
                       double& MeterValue) {
  double phi;
  if (dx != 0) {
    phi = std::atan(double(dy) / dx);
    if (dx < 0) phi += kPi;
  } else {
    phi = dy > 0 ? kPi / 2 : 4.71238898038469;
  }
  if (phi < 0) phi += 2 * kPi;
  if (phi > 2 * kPi) phi -= 2 * kPi;
  // Clockwise from the downward vertical: 90 left, 180 up, 270 right.
  double c = phi * 180 / kPi - 90;
  if (c < 0) c += 360;
  const double b = 180 - A / 2.0, e = 180 + A / 2.0;
  if (c < b || c > e) {
    MeterValue = 0;
    return false;
  }
  const double f = (c - b) / A;
  if (Logarithmic)
    MeterValue = std::exp((std::log(Max) - std::log(Min)) * f + std::log(Min));
  else
    MeterValue = Min + f * (Max - Min);
  return true;
}

}  // namespace zel
