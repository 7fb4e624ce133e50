// TMeter: the geometry. The sweep, centre and radius of the current layout, and
// the mapping between values, angles and client pixels that paint and the mouse
// handling share.
#include <cmath>

#include "instruments/ZEL_Meter.h"

namespace zel {

using namespace host;

namespace {
constexpr double kDegToRad = 3.14159265358979323846 / 180;
}

void TMeter::CalcMeterLayoutParams() {
  const TMeterGeometry g =
      MeterGeometry(FMeterLayout, Width(), Height(), FRimTop, FRimBottom, FRimSide);
  FMeterAngle = g.Angle;
  FMeterRadius = g.Radius;
  FMeterCenterX = g.CenterX;
  FMeterCenterY = g.CenterY;
}

TPoint TMeter::PointAt(double t, double r) const {
  const double a = t * kDegToRad;
  return Point(int(Round(FMeterCenterX + r * std::cos(a))),
               int(Round(FMeterCenterY - r * std::sin(a))));
}

double TMeter::AngleOfFraction(double f) const { return 90 + FMeterAngle / 2.0 - FMeterAngle * f; }

double TMeter::AngleOf(double v) const {
  return AngleOfFraction(MeterFraction(v, FMinValue, FMaxValue, FLogarithmic));
}

double TMeter::CalcNeedleAngle(double v) const {
  v = std::clamp(v, FMinValue, FMaxValue);
  return 180 - FMeterAngle / 2.0 +
         FMeterAngle * MeterFraction(v, FMinValue, FMaxValue, FLogarithmic);
}

void TMeter::ConvertToPixelCoords(double value, double pctradius, int& X, int& Y) const {
  const double a = (-90 - CalcNeedleAngle(value)) * kDegToRad;
  const double r = pctradius * 0.01 * FMeterRadius;
  X = int(Round(FMeterCenterX + r * std::cos(a)));
  Y = int(Round(FMeterCenterY - r * std::sin(a)));
}

bool TMeter::ConvertPixelToValue(int XPos, int YPos, double& MeterValue) const {
  return MeterPixelToValue(XPos - FMeterCenterX, YPos - FMeterCenterY, FMeterAngle, FMinValue,
                           FMaxValue, FLogarithmic, MeterValue);
}

}  // namespace zel
