// TMeter: construction and defaults, the setters (clamp, compare, store,
// repaint), the range events and lamp flags, the images, Assign and Loaded.
#include "instruments/ZEL_Meter.h"

#include <cmath>
#include <filesystem>

namespace zel {

using namespace host;

namespace {

// Limits of a logarithmic scale must lie above this.
constexpr double kLogFloor = 1e-100;

bool FileExists(const std::string& name) {
  std::error_code ec;
  return !name.empty() && std::filesystem::is_regular_file(name, ec);
}

// The smallest double above x that differs from it: x + 1 unless that is lost
// in rounding (huge x), so a range never collapses to a single value.
double Above(double x) {
  const double y = x + 1;
  return y > x ? y : std::nextafter(x, HUGE_VAL);
}
double Below(double x) {
  const double y = x - 1;
  return y < x ? y : std::nextafter(x, -HUGE_VAL);
}

}  // namespace

// --- TNeedleLayout

void TNeedleLayout::SetHeadAngle(int v) { Change(FHeadAngle, std::clamp(v, 0, 180)); }
void TNeedleLayout::SetPercentNeedleLength(int v) {
  Change(FPercentNeedleLength, std::clamp(v, 0, 100));
}

void TNeedleLayout::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNeedleLayout*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  FHeadSize = src->FHeadSize;
  FHeadAngle = src->FHeadAngle;
  FHeadMidLeng = src->FHeadMidLeng;
  FThickness = src->FThickness;
  FColorBody = src->FColorBody;
  FColorOutline = src->FColorOutline;
  FPercentNeedleLength = src->FPercentNeedleLength;
  FShadowDx = src->FShadowDx;
  FShadowDy = src->FShadowDy;
  FShadowColor = src->FShadowColor;
  FVisible = src->FVisible;
  Changed();
}

// --- construction

TMeter::TMeter(TComponent* AOwner)
    : TFramedControl(AOwner, frRaised),
      AuxBGBmp(std::make_unique<TBitmap>(10, 10)),
      AuxACBmp(std::make_unique<TBitmap>(10, 10)),
      AuxACMaskBmp(std::make_unique<TBitmap>(10, 10)) {
  FNeedleLayoutSec.SetVisible(false);
  FNeedleLayout.SetOnChange([this](TObject* s) { StyleChanged(s); });
  FNeedleLayoutSec.SetOnChange([this](TObject* s) { StyleChanged(s); });
  FFontCaption.Assign(Font());
  SetBounds(Left(), Top(), 297, 209);
}

TMeter::~TMeter() = default;

void TMeter::StyleChanged(TObject*) { Redraw(); }

void TMeter::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  CalcMeterLayoutParams();
}

void TMeter::SetMeterLayout(TMeterLayout l) {
  if (l == FMeterLayout) return;
  FMeterLayout = l;
  CalcMeterLayoutParams();
  Redraw();
}

// --- range and values

void TMeter::ClampIntoRange(double& v) const { v = std::clamp(v, FMinValue, FMaxValue); }

void TMeter::SetLogarithmic(bool on) {
  if (on == FLogarithmic) return;
  if (Loading()) {
    FLogarithmic = on;
    return;
  }
  FLogarithmic = on && FMinValue > kLogFloor && FMaxValue > kLogFloor;
  Redraw();
}

// Non-finite and unchanged numbers are ignored; while a form loads, a number
// is only stored (Loaded brings it within the rules).
bool TMeter::Settled(double& field, double x) {
  if (!std::isfinite(x) || x == field) return true;
  if (!Loading()) return false;
  field = x;
  return true;
}

void TMeter::SetMinValue(double x) { SetRangeEnd(x, true); }
void TMeter::SetMaxValue(double x) { SetRangeEnd(x, false); }

void TMeter::SetRangeEnd(double x, bool isMin) {
  double& end = isMin ? FMinValue : FMaxValue;
  if (Settled(end, x) || (FLogarithmic && x <= kLogFloor)) return;
  end = x;
  if (isMin && x >= FMaxValue) FMaxValue = Above(x);
  if (!isMin && x <= FMinValue) {
    FMinValue = Below(x);
    if (FLogarithmic && !(FMinValue > 0)) FMinValue = x / 10;
  }
  // The values and thresholds follow the moved end, silently.
  for (double* v : {&FValue, &FValueSec, &FThresholdLow, &FThresholdHigh}) ClampIntoRange(*v);
  Redraw();
}

// Exactly one range event a change, before the repaint. Pushing a value to a
// limit is a violation: the lamps light at the threshold itself.
void TMeter::CheckLimits(double v) {
  FOFL = false;
  FUFL = false;
  if (v >= FThresholdHigh) {
    FOFL = true;
    if (FOnOverFlow) FOnOverFlow(this);
  } else if (v <= FThresholdLow) {
    FUFL = true;
    if (FOnUnderFlow) FOnUnderFlow(this);
  } else if (FOnNormalRange) {
    FOnNormalRange(this);
  }
}

void TMeter::SetValue(double x) {
  if (Settled(FValue, x)) return;
  ClampIntoRange(x);
  FValue = x;
  if (FNeedleLayout.Visible())
    CheckLimits(x);
  else
    FOFL = FUFL = false;
  Redraw();
}

void TMeter::SetValue2(double x) {
  if (Settled(FValueSec, x)) return;
  ClampIntoRange(x);
  FValueSec = x;
  if (!FNeedleLayoutSec.Visible()) {
    // Silent and without a repaint, except when a lamp was lit: it goes out
    // on the screen too, instead of showing a limit no value violates.
    const bool lit = FOFL || FUFL;
    FOFL = FUFL = false;
    if (lit) Redraw();
    return;
  }
  CheckLimits(x);
  Redraw();
}

void TMeter::SetLowThreshold(double x) { SetThreshold(x, false); }
void TMeter::SetHighThreshold(double x) { SetThreshold(x, true); }

// A threshold moved past the other drags it along. The dragged one can only
// move away from the value (the low one down, the high one up), so its lamp
// can only go out.
void TMeter::SetThreshold(double x, bool high) {
  double& own = high ? FThresholdHigh : FThresholdLow;
  if (Settled(own, x) || (FLogarithmic && x <= kLogFloor)) return;
  ClampIntoRange(x);
  own = x;
  double& other = high ? FThresholdLow : FThresholdHigh;
  bool& otherFlag = high ? FUFL : FOFL;
  if (high ? other > x : other < x) {
    other = x;
    otherFlag = otherFlag && (high ? FValue <= other : FValue >= other);
  }
  bool& flag = high ? FOFL : FUFL;
  flag = high ? own <= FValue : own >= FValue;
  const TNotifyEvent& event = high ? FOnOverFlow : FOnUnderFlow;
  if (flag && event) event(this);
  Redraw();
}

// --- scale settings

void TMeter::SetNrTicks(int n) {
  if (n != FNrTicks) Change(FNrTicks, std::clamp(n, 2, 21));
}
void TMeter::SetDecPlaces(int n) {
  if (n != FDecPlaces) Change(FDecPlaces, std::clamp(n, 0, 4));
}
void TMeter::SetShortTicks(bool on) { Change(FShortTicks, on); }
void TMeter::SetScaleLine(bool on) { Change(FScaleLine, on); }
void TMeter::SetScaleVis(bool on) { Store(FScaleVisible, on); }
void TMeter::SetScaleBkVis(bool on) { Store(FScaleBkVisible, on); }
void TMeter::SetScaleBkWidth(double x) {
  if (std::isnan(x)) return;
  Store(FScaleBkWidth, std::clamp(x, 0.0, 100.0));
}
void TMeter::SetColorScale(TColor c) { Change(FColorScale, c); }
void TMeter::SetColorBakgLow(TColor c) { Change(FColorSclBkLow, c); }
void TMeter::SetColorBakgNorm(TColor c) { Change(FColorSclBkNorm, c); }
void TMeter::SetColorBakgHigh(TColor c) { Change(FColorSclBkHigh, c); }
void TMeter::SetTRim(int v) { Change(FRimTop, v); }
void TMeter::SetBRim(int v) { Change(FRimBottom, v); }
void TMeter::SetSRim(int v) { Change(FRimSide, v); }

// --- dial, cover and lamps

void TMeter::SetUnitLabel(const std::string& s) { Store(FCaption, s); }
void TMeter::SetFontCaption(TFont* f) {
  FFontCaption.Assign(f);
  Redraw();
}
void TMeter::SetColorBakG(TColor c) { Change(FColorBakG, c); }
void TMeter::SetColorCover(TColor c) { Change(FColorCover, c); }
void TMeter::SetBGFillMode(TBkgFill m) { Store(FBkgndFillMode, m); }
void TMeter::SetAnchorCovrd(bool on) { Change(FAnchorCovered, on); }
void TMeter::SetSizeAnchor(int v) { Change(FAnchorSize, v); }
void TMeter::SetLimWatHighOn(bool on) { Change(FLimWatchHighOn, on); }
void TMeter::SetLimWatLowOn(bool on) { Change(FLimWatchLowOn, on); }
void TMeter::SetLimWatActCol(TColor c) { Change(FLimWatchActColor, c); }
void TMeter::SetLimWatPsvCol(TColor c) { Change(FLimWatchPsvColor, c); }

// --- images

void TMeter::LoadBackground() { AuxBGBmp->LoadFromFile(FBackGroundImg); }

void TMeter::SetBakGndFname(const std::string& name) {
  FBackGroundImg = FileExists(name) ? name : "";
  if (!FBackGroundImg.empty() && !Loading()) {
    try {
      LoadBackground();
    } catch (...) {
      // The caller hears of the unreadable file; the picture still updates.
      Redraw();
      throw;
    }
  }
  Redraw();
}

// The anchor is drawn by ANDing the mask and ORing the image: the mask is white
// where the image is black (the dial shows through) and black elsewhere.
void TMeter::BuildAnchorMask() {
  AuxACMaskBmp->Assign(AuxACBmp.get());
  for (int y = 0; y < AuxACMaskBmp->Height(); ++y) {
    TPixel* row = AuxACMaskBmp->ScanLine(y);
    for (int x = 0; x < AuxACMaskBmp->Width(); ++x)
      row[x] = (row[x] & 0x00FFFFFF) == 0 ? 0x00FFFFFF : 0;
  }
}

bool TMeter::LoadAnchor() {
  try {
    AuxACBmp->LoadFromFile(FAnchorImage);
  } catch (const Exception&) {
    FAnchorImage.clear();
    return false;
  }
  BuildAnchorMask();
  return true;
}

void TMeter::SetACoverFname(const std::string& name) {
  FAnchorImage = FileExists(name) ? name : "";
  if (!FAnchorImage.empty() && !Loading()) LoadAnchor();
  Redraw();
}

// --- loading

// A form may stream values that the setters would never have let through:
// bring them back within the rules before the first paint.
void TMeter::Normalize() {
  if (!std::isfinite(FMinValue)) FMinValue = 0;
  if (!std::isfinite(FMaxValue)) FMaxValue = Above(FMinValue);
  if (FMinValue >= FMaxValue) FMaxValue = Above(FMinValue);
  if (FLogarithmic && !(FMinValue > kLogFloor && FMaxValue > kLogFloor)) FLogarithmic = false;
  ClampIntoRange(FThresholdLow);
  ClampIntoRange(FThresholdHigh);
  if (FThresholdHigh < FThresholdLow) FThresholdHigh = FThresholdLow;
  ClampIntoRange(FValue);
  ClampIntoRange(FValueSec);
}

void TMeter::Loaded() {
  TGraphicControl::Loaded();
  Normalize();
  if (!FBackGroundImg.empty()) {
    try {
      LoadBackground();
    } catch (const Exception&) {
      FBackGroundImg.clear();
    }
  }
  if (!FAnchorImage.empty()) LoadAnchor();
  Redraw();
}

// --- Assign

void TMeter::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TMeter*>(Source);
  if (!src) {
    TGraphicControl::Assign(Source);
    return;
  }
  AssignFrame(*src);
  FMinValue = src->FMinValue;
  FMaxValue = src->FMaxValue;
  FValue = src->FValue;
  FValueSec = src->FValueSec;
  FThresholdLow = src->FThresholdLow;
  FThresholdHigh = src->FThresholdHigh;
  FLogarithmic = src->FLogarithmic;
  FMeterLayout = src->FMeterLayout;
  FNrTicks = src->FNrTicks;
  FDecPlaces = src->FDecPlaces;
  FShortTicks = src->FShortTicks;
  FScaleLine = src->FScaleLine;
  FScaleVisible = src->FScaleVisible;
  FScaleBkVisible = src->FScaleBkVisible;
  FScaleBkWidth = src->FScaleBkWidth;
  FColorScale = src->FColorScale;
  FColorSclBkLow = src->FColorSclBkLow;
  FColorSclBkNorm = src->FColorSclBkNorm;
  FColorSclBkHigh = src->FColorSclBkHigh;
  FRimTop = src->FRimTop;
  FRimBottom = src->FRimBottom;
  FRimSide = src->FRimSide;
  FCaption = src->FCaption;
  FFontCaption.Assign(&src->FFontCaption);
  FColorBakG = src->FColorBakG;
  FColorCover = src->FColorCover;
  FBackGroundImg = src->FBackGroundImg;
  AuxBGBmp->Assign(src->AuxBGBmp.get());
  FBkgndFillMode = src->FBkgndFillMode;
  FAnchorCovered = src->FAnchorCovered;
  FAnchorSize = src->FAnchorSize;
  FAnchorImage = src->FAnchorImage;
  AuxACBmp->Assign(src->AuxACBmp.get());
  AuxACMaskBmp->Assign(src->AuxACMaskBmp.get());
  FLimWatchHighOn = src->FLimWatchHighOn;
  FLimWatchLowOn = src->FLimWatchLowOn;
  FLimWatchActColor = src->FLimWatchActColor;
  FLimWatchPsvColor = src->FLimWatchPsvColor;
  // The needle layouts copy without asking to repaint: one repaint follows.
  auto quiet = [](TNeedleLayout& dst, TNeedleLayout& from) {
    TNotifyEvent keep = dst.OnChange();
    dst.SetOnChange(nullptr);
    dst.Assign(&from);
    dst.SetOnChange(std::move(keep));
  };
  quiet(FNeedleLayout, src->FNeedleLayout);
  quiet(FNeedleLayoutSec, src->FNeedleLayoutSec);
  CalcMeterLayoutParams();
  Redraw();
}

void TMeter::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TMeter*>(Dest))
    dst->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

}  // namespace zel
