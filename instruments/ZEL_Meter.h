/// @file
/// TMeter: an analog panel meter. A circular scale sector with ticks, labels and
/// optional coloured range bands, a primary and a secondary needle, a cover with
/// rims and an anchor over the needles' pivot, and two limit lamps.
///
/// State model. The properties are the whole state, apart from the geometry
/// (sweep angle, centre, radius) that CalcMeterLayoutParams derives from the
/// layout, the size and the rims, and the two limit flags FOFL and FUFL that the
/// value and threshold setters keep for the lamps. Outside form loading the
/// setters keep these invariants:
///   MeterMinValue < MeterMaxValue;
///   min <= ThresholdLow <= ThresholdHigh <= max;
///   min <= Value, ValueSec <= max;
///   with Logarithmic on, min and max are above 1e-100.
/// Every setter repaints at once (Paint, not Invalidate); the whole meter is drawn
/// afresh into an off-screen bitmap and copied to the screen in one step, so no
/// picture of the scale is cached between paints.
///
/// Choices:
///   - mlCirc180 has its centre where mlCirc90 has it and a radius also limited
///     by the width, R := min(H - B - T - 16, W/2 - S - 8). mlCirc270 and
///     mlCirc360 place the centre as mlCirc300 does, with the height divided by
///     1 + cos 45 degrees and by 2: the lowest point of their sectors.
///   - Tick values are whole multiples of the step (first + i * step, never a
///     running sum), computed so that each is the double nearest its decimal
///     value: a label never reads 0.30000000000000004 and long scales do not
///     drift.
///   - The secondary needle is drawn after the primary one, with its own shadow,
///     only while NeedleLayoutSec.Visible is on; OnBeforeDrawNeedle is about the
///     primary needle and is not asked for it. NeedleLayout.Visible only gates
///     the range events of Value: the primary needle is always drawn.
///   - SetNeedleLayout and SetNeedle2Layout copy every published setting but
///     OnChange (the eleven of shape, colour, shadow and Visible), keep the
///     meter's own layout object and its OnChange binding, and repaint once.
///   - Minor ticks of a logarithmic scale lie on the linear step grid.
///   - On mlCirc360 the scale's ends meet; when both ends carry a tick, the tick
///     at max is drawn without its label, which would overprint the label at min.
///   - The anchor image's mask is computed per pixel of our 32-bit bitmaps:
///     black is transparent, any other colour opaque.
///
/// Guards:
///   - Loaded re-applies the setters' rules to the values a form streamed in
///     (min < max, logarithmic limits above 0, thresholds ordered in the range,
///     both values in the range), so painting never divides by zero or takes the
///     logarithm of 0.
///   - Moving one threshold past the other drags it along; the dragged
///     threshold's lamp is re-evaluated, so a lamp never stays lit for a limit
///     the value no longer violates.
///   - NaN and infinities are ignored by every value setter.
///   - Tiling skips a background image of zero width or height.
///   - mlCirc90 limits its radius by the width as mlCirc120 does (by 1 / sin 45
///     degrees), so a tall narrow meter keeps its scale inside the rims; the
///     default size is not affected.
///   - A range end moved past the other pushes it 1 away, or one step of double
///     where adding 1 is lost in rounding: the range never collapses. A scale
///     whose step cannot be counted (ranges near the limits of double) draws no
///     ticks rather than looping.
///   - A label of a value that rounds to zero reads "0.0", never "-0.0".
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Zel_captionbox.h"
#include "foundation/Zel_zelbase.h"
#include "host/ui/Controls.h"

namespace zel {

/// Sector shapes, by sweep angle.
enum TMeterLayout : uint8_t { mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360 };

// --- scale arithmetic (ZEL_Meter_scale.cpp), pure functions of the settings

/// Sweep angle, radius and centre of the scale circle in client pixels.
struct TMeterGeometry {
  int Angle = 90;     ///< sweep in degrees
  double Radius = 0;  ///< in pixels
  /// The centre.
  ///@{
  int CenterX = 0, CenterY = 0;
  ///@}
};
/// The geometry of a layout on a control W x H with rims Top, Bottom, Side.
TMeterGeometry MeterGeometry(TMeterLayout Layout, int W, int H, int RimTop, int RimBottom,
                             int RimSide);

/// The major step of a scale with N intervals requested: 1, 2 or 5 times a power
/// of ten, the first multiple of it on the scale, and the minor intervals in one
/// step (5 for steps of 1 and 5, 4 for steps of 2). Step is Mantissa * 10^Exponent
/// and First is FirstMultiple steps: a tick value is computed from its whole
/// multiple of the step, so it is the double nearest its decimal value.
struct TMeterScaleStep {
  double Step = 0;           ///< the major step
  double First = 0;          ///< the first multiple of Step on the scale
  int MinorCount = 1;        ///< minor intervals in one step
  double Mantissa = 0;       ///< 1, 2 or 5, negative for a falling scale
  int Exponent = 0;          ///< of the power of ten in Step
  double FirstMultiple = 0;  ///< First in steps
  /// The value of j steps (j may be a fraction of whole minor intervals).
  double Multiple(double j) const;
};
/// The step of the scale Min..Max with N intervals requested.
TMeterScaleStep MeterScaleStep(double Min, double Max, int N);

/// Fraction 0..1 of the scale at v (logarithmic when asked and v, min, max > 0).
double MeterFraction(double v, double Min, double Max, bool Logarithmic);

/// A tick of the scale: its value, where it sits (fraction of the sweep) and,
/// for major ticks, whether it carries a label.
struct TMeterTick {
  double Value = 0;      ///< the scale value
  double Fraction = 0;   ///< 0..1 of the sweep
  bool Labelled = true;  ///< a major tick that carries its label
};
/// The major and the minor ticks of the scale Min..Max with N intervals
/// requested, in scale order.
///@{
std::vector<TMeterTick> MeterMajorTicks(double Min, double Max, int N, bool Logarithmic);
std::vector<TMeterTick> MeterMinorTicks(double Min, double Max, int N, bool Logarithmic);
///@}

/// Label text: fixed point with exactly DecPlaces decimals and "." (no padding).
std::string MeterLabelText(double v, int DecPlaces);

/// Value under a direction from the centre, the sector of sweep A symmetric about
/// the upward vertical; false (and 0) outside the sector. The distance does not
/// matter.
bool MeterPixelToValue(int dx, int dy, int A, double Min, double Max, bool Logarithmic,
                       double& MeterValue);

// --- the needle

/// Shape and colours of one needle. Every setter clamps, ignores an unchanged
/// value, stores and calls OnChange.
class TNeedleLayout : public host::TPersistent {
 public:
  ///@{
  /// Length of the head's sides in pixels (default 20).
  int HeadSize() const { return FHeadSize; }
  void SetHeadSize(int v) { Change(FHeadSize, v); }
  ///@}
  ///@{
  /// Full opening angle of the head in degrees, 0..180.
  int HeadAngle() const { return FHeadAngle; }
  void SetHeadAngle(int v);
  ///@}
  ///@{
  /// From the tip back to where the shaft meets the head.
  int HeadMidLeng() const { return FHeadMidLeng; }
  void SetHeadMidLeng(int v) { Change(FHeadMidLeng, v); }
  ///@}
  ///@{
  /// Width of the shaft; 0 draws it as a line.
  int Thickness() const { return FThickness; }
  void SetThickness(int v) { Change(FThickness, v); }
  ///@}
  ///@{
  /// Fill of the head and the shaft (default silver).
  TColor ColorBody() const { return FColorBody; }
  void SetColorBody(TColor c) { Change(FColorBody, c); }
  ///@}
  ///@{
  /// Outline of the needle (default black).
  TColor ColorOutline() const { return FColorOutline; }
  void SetColorOutline(TColor c) { Change(FColorOutline, c); }
  ///@}
  ///@{
  /// Length in percent of the scale radius less 4 pixels, 0..100.
  int PercentNeedleLength() const { return FPercentNeedleLength; }
  void SetPercentNeedleLength(int v);
  ///@}
  ///@{
  /// Shadow offset: the shadow lies ShadowDx left of and ShadowDy above the needle
  /// (default 0, 0: no shadow).
  int ShadowDx() const { return FShadowDx; }
  void SetShadowDx(int v) { Change(FShadowDx, v); }
  int ShadowDy() const { return FShadowDy; }
  void SetShadowDy(int v) { Change(FShadowDy, v); }
  ///@}
  ///@{
  /// Colour of the shadow (default grey).
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor c) { Change(FShadowColor, c); }
  ///@}
  ///@{
  /// Whether the needle counts (default on); see TMeter for what it gates.
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { Change(FVisible, v); }
  ///@}

  ///@{
  /// Raised after every change of a setting; the meter repaints from it.
  const host::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(host::TNotifyEvent e) { FOnChange = std::move(e); }
  ///@}

  /// From another TNeedleLayout: the eleven settings above, not OnChange; then
  /// one OnChange.
  void Assign(host::TPersistent* Source) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TNeedleLayout"; }

 private:
  int FHeadSize = 20;
  int FHeadAngle = 30;
  int FHeadMidLeng = 20;
  int FThickness = 0;
  TColor FColorBody = host::RGB(192, 192, 192);
  TColor FColorOutline = host::clBlack;
  int FPercentNeedleLength = 100;
  int FShadowDx = 0, FShadowDy = 0;
  TColor FShadowColor = host::RGB(128, 128, 128);
  bool FVisible = true;
  host::TNotifyEvent FOnChange;

  template <class T>
  void Change(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Changed();
  }
  void Changed() {
    if (FOnChange) FOnChange(this);
  }
};

// --- the meter's events

/// Asked before the primary needle is drawn into Canvas (the meter's picture);
/// a handler that draws the needle itself sets NeedleDrawn, which starts false.
using TBeforeDrawNeedleEvent =
    std::function<void(host::TObject* Sender, host::TCanvas* Canvas, bool& NeedleDrawn)>;
/// Asked for every label of a major tick before it is drawn at (ChartX, ChartY):
/// the handler may change the text, or empty it to draw nothing there.
using TmtBeforeDrawScaleLabelEvent =
    std::function<void(host::TObject* Sender, host::TCanvas* Canvas, std::string& CurrentTickLabel,
                       int ChartX, int ChartY)>;
/// After the meter is drawn into its picture, before the frame and the copy to
/// the screen: a handler may draw over it.
using TMeterRenderedEvent = std::function<void(host::TObject* Sender, host::TCanvas* Canvas)>;
/// A pointer move: WithinRange tells whether it lies in the sector, MeterValue is
/// the value of its ray (0 outside).
using TMouseMoveInMeterEvent = std::function<void(host::TObject* Sender, bool WithinRange,
                                                  host::TShiftState Shift, double MeterValue)>;

/// An analog panel meter with a primary and a secondary needle, range bands and
/// limit lamps.
class TMeter : public TFramedControl<host::TGraphicControl> {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TMeter(host::TComponent* AOwner);
  /// Frees the picture and the images.
  ~TMeter() override;

  // --- range and values
  /// The scale's range (default 0..1). An end moved past the other pushes it
  /// away; values and thresholds follow into the new range silently.
  ///@{
  double MeterMinValue() const { return FMinValue; }
  void SetMinValue(double x);
  double MeterMaxValue() const { return FMaxValue; }
  void SetMaxValue(double x);
  ///@}
  ///@{
  /// Clamped into the range; each change fires one range event (while
  /// NeedleLayout.Visible) before the repaint.
  double Value() const { return FValue; }
  void SetValue(double x);
  ///@}
  /// The secondary needle's value, clamped into the range; fires the range
  /// events and repaints only while NeedleLayoutSec.Visible.
  ///@{
  double ValueSec() const { return FValueSec; }
  void SetValue2(double x);
  ///@}
  /// The limits the lamps watch (default 0 and 1), kept in order within the
  /// range: a value at or beyond one lights its lamp and fires OnUnderFlow or
  /// OnOverFlow.
  ///@{
  double ThresholdLow() const { return FThresholdLow; }
  void SetLowThreshold(double x);
  double ThresholdHigh() const { return FThresholdHigh; }
  void SetHighThreshold(double x);
  ///@}
  ///@{
  /// A logarithmic scale (default off); on only while both limits are above 1e-100.
  bool Logarithmic() const { return FLogarithmic; }
  void SetLogarithmic(bool on);
  ///@}

  // --- scale
  ///@{
  /// The sector shape (default mlCirc90); a change recomputes the geometry.
  TMeterLayout MeterLayout() const { return FMeterLayout; }
  void SetMeterLayout(TMeterLayout l);
  ///@}
  /// Scale intervals requested, 2..21 (default 3); the step is rounded to 1, 2
  /// or 5 times a power of ten.
  ///@{
  int MeterNrTicks() const { return FNrTicks; }
  void SetNrTicks(int n);
  ///@}
  /// Decimals of the scale labels, 0..4 (default 1).
  ///@{
  int MeterDecPlaces() const { return FDecPlaces; }
  void SetDecPlaces(int n);
  ///@}
  /// Draws the minor ticks (default on).
  ///@{
  bool MeterShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool on);
  ///@}
  /// Draws the arc the ticks stand on (default on).
  ///@{
  bool MeterScaleLine() const { return FScaleLine; }
  void SetScaleLine(bool on);
  ///@}
  /// Draws the scale: arc, ticks and labels (default on). SetScaleVis is the
  /// short name.
  ///@{
  bool ScaleVisible() const { return FScaleVisible; }
  void SetScaleVis(bool on);
  ///@}
  /// Draws the coloured range bands below, between and above the thresholds
  /// (default off). SetScaleBkVis is the short name.
  ///@{
  bool ScaleBkVisible() const { return FScaleBkVisible; }
  void SetScaleBkVis(bool on);
  ///@}
  ///@{
  /// Width of the bands in percent of the radius, 0..100 (default 0).
  double ScaleBkWidth() const { return FScaleBkWidth; }
  void SetScaleBkWidth(double x);
  ///@}
  ///@{
  /// Colour of the arc, ticks and labels (default navy).
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor c);
  ///@}
  /// Colours of the bands below the low threshold (default green), between the
  /// thresholds (default orange) and above the high one (default red).
  ///@{
  TColor ColorSclBkLow() const { return FColorSclBkLow; }
  void SetColorBakgLow(TColor c);
  TColor ColorSclBkNorm() const { return FColorSclBkNorm; }
  void SetColorBakgNorm(TColor c);
  TColor ColorSclBkHigh() const { return FColorSclBkHigh; }
  void SetColorBakgHigh(TColor c);
  ///@}
  /// Rims of the cover. They shape the geometry at the next resize or layout
  /// change, and the cover at once. In pixels; default 8 at the top, 10 at the
  /// bottom and the sides.
  ///@{
  int RimTop() const { return FRimTop; }
  void SetTRim(int v);
  int RimBottom() const { return FRimBottom; }
  void SetBRim(int v);
  int RimSide() const { return FRimSide; }
  void SetSRim(int v);
  ///@}

  // --- needles, dial and cover
  /// The primary and the secondary needle's settings; a change of either
  /// repaints. The setters copy the settings (see the choices above).
  ///@{
  TNeedleLayout* NeedleLayout() { return &FNeedleLayout; }
  void SetNeedleLayout(TNeedleLayout* L) { FNeedleLayout.Assign(L); }
  TNeedleLayout* NeedleLayoutSec() { return &FNeedleLayoutSec; }
  void SetNeedle2Layout(TNeedleLayout* L) { FNeedleLayoutSec.Assign(L); }
  ///@}
  /// The unit text, drawn above the centre in FontCaption (default empty).
  /// SetUnitLabel is the setter.
  ///@{
  const std::string& Caption() const { return FCaption; }
  void SetUnitLabel(const std::string& s);
  ///@}
  ///@{
  /// The font of Caption; the setter copies the given font.
  host::TFont* FontCaption() { return &FFontCaption; }
  void SetFontCaption(host::TFont* f);
  ///@}
  ///@{
  /// Colour of the dial behind the scale (default white).
  TColor ColorBakG() const { return FColorBakG; }
  void SetColorBakG(TColor c);
  ///@}
  ///@{
  /// Colour of the cover round the dial (default clBtnFace).
  TColor ColorCover() const { return FColorCover; }
  void SetColorCover(TColor c);
  ///@}
  /// A missing file leaves the name empty; a file that cannot be read raises the
  /// loader's error, the name staying stored.
  ///@{
  const std::string& BackGroundImg() const { return FBackGroundImg; }
  void SetBakGndFname(const std::string& name);
  ///@}
  /// How the background image covers the dial (default bfSimple, at its own
  /// size at the top left).
  ///@{
  TBkgFill BkgndFillMode() const { return FBkgndFillMode; }
  void SetBGFillMode(TBkgFill m);
  ///@}
  /// Draws the anchor over the needles' pivot (default on); off, only its bevel.
  ///@{
  bool AnchorCovered() const { return FAnchorCovered; }
  void SetAnchorCovrd(bool on);
  ///@}
  /// Radius of the anchor in pixels (default 24).
  ///@{
  int AnchorSize() const { return FAnchorSize; }
  void SetSizeAnchor(int v);
  ///@}
  /// An image drawn over the anchor (black pixels transparent). A file that is
  /// missing or cannot be read leaves the name empty.
  ///@{
  const std::string& AnchorImage() const { return FAnchorImage; }
  void SetACoverFname(const std::string& name);
  ///@}
  /// Shows the lamp of the high limit (top right) and of the low limit (top
  /// left); both on by default.
  ///@{
  bool LimWatchHighOn() const { return FLimWatchHighOn; }
  void SetLimWatHighOn(bool on);
  bool LimWatchLowOn() const { return FLimWatchLowOn; }
  void SetLimWatLowOn(bool on);
  ///@}
  /// Colour of a lit lamp (default red) and of an unlit one (default grey).
  ///@{
  TColor LimWatchActColor() const { return FLimWatchActColor; }
  void SetLimWatActCol(TColor c);
  TColor LimWatchPsvColor() const { return FLimWatchPsvColor; }
  void SetLimWatPsvCol(TColor c);
  ///@}
  /// Lamp states: the value violated the high (overflow) or low limit at the last
  /// change of a value or threshold.
  ///@{
  bool OverFlow() const { return FOFL; }
  bool UnderFlow() const { return FUFL; }
  ///@}

  // --- events
  /// The range events: one of them fires at every change of a value, OnOverFlow
  /// at or above ThresholdHigh, OnUnderFlow at or below ThresholdLow, else
  /// OnNormalRange. Moving a threshold onto the value fires its event too.
  ///@{
  const host::TNotifyEvent& OnOverFlow() const { return FOnOverFlow; }
  void SetOnOverFlow(host::TNotifyEvent e) { FOnOverFlow = std::move(e); }
  const host::TNotifyEvent& OnUnderFlow() const { return FOnUnderFlow; }
  void SetOnUnderFlow(host::TNotifyEvent e) { FOnUnderFlow = std::move(e); }
  const host::TNotifyEvent& OnNormalRange() const { return FOnNormalRange; }
  void SetOnNormalRange(host::TNotifyEvent e) { FOnNormalRange = std::move(e); }
  ///@}
  ///@{
  /// Asked before the primary needle is drawn; see TBeforeDrawNeedleEvent.
  const TBeforeDrawNeedleEvent& OnBeforeDrawNeedle() const { return FOnBeforeDrawNeedle; }
  void SetOnBeforeDrawNeedle(TBeforeDrawNeedleEvent e) { FOnBeforeDrawNeedle = std::move(e); }
  ///@}
  /// Asked for every scale label; see TmtBeforeDrawScaleLabelEvent.
  ///@{
  const TmtBeforeDrawScaleLabelEvent& OnBeforeDrawScaleLabel() const {
    return FOnBeforeDrawScaleLabel;
  }
  void SetOnBeforeDrawScaleLabel(TmtBeforeDrawScaleLabelEvent e) {
    FOnBeforeDrawScaleLabel = std::move(e);
  }
  ///@}
  ///@{
  /// Raised after each paint of the picture; see TMeterRenderedEvent.
  const TMeterRenderedEvent& OnMeterRendered() const { return FOnMeterRendered; }
  void SetOnMeterRendered(TMeterRenderedEvent e) { FOnMeterRendered = std::move(e); }
  ///@}
  ///@{
  /// Raised at every pointer move over the meter; see TMouseMoveInMeterEvent.
  const TMouseMoveInMeterEvent& OnMouseMoveInMeter() const { return FOnMouseMoveInMeter; }
  void SetOnMouseMoveInMeter(TMouseMoveInMeterEvent e) { FOnMouseMoveInMeter = std::move(e); }
  ///@}

  // --- geometry and conversions
  /// The geometry of the last layout: sweep angle, radius and centre in pixels.
  ///@{
  int MeterAngle() const { return FMeterAngle; }
  double MeterRadius() const { return FMeterRadius; }
  int MeterCenterX() const { return FMeterCenterX; }
  int MeterCenterY() const { return FMeterCenterY; }
  ///@}
  /// Recomputes the geometry from the layout, the size and the rims.
  void CalcMeterLayoutParams();
  /// Clockwise from the downward vertical, in degrees, of the clamped value.
  double CalcNeedleAngle(double v) const;
  /// The point on the ray of `value` at `pctradius` percent of the radius.
  void ConvertToPixelCoords(double value, double pctradius, int& X, int& Y) const;
  /// The value whose ray passes through a client point; false (and 0) outside
  /// the sector.
  bool ConvertPixelToValue(int XPos, int YPos, double& MeterValue) const;

  /// A new size recomputes the geometry.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  /// From another TMeter: every published setting and both values, not the
  /// events; then one repaint.
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TMeter"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  void Loaded() override;
  void WMMouseMove(host::TWMMouse& Message) override;
  ///@}

 private:
  // settings (ZEL_Meter.cpp)
  double FMinValue = 0, FMaxValue = 1;
  double FValue = 0, FValueSec = 0;
  double FThresholdLow = 0, FThresholdHigh = 1;
  bool FLogarithmic = false;
  TMeterLayout FMeterLayout = mlCirc90;
  int FNrTicks = 3;
  int FDecPlaces = 1;
  bool FShortTicks = true, FScaleLine = true, FScaleVisible = true, FScaleBkVisible = false;
  double FScaleBkWidth = 0;
  TColor FColorScale = host::RGB(0, 0, 128);
  TColor FColorSclBkLow = host::RGB(0, 255, 0);
  TColor FColorSclBkNorm = host::RGB(255, 128, 0);
  TColor FColorSclBkHigh = host::RGB(255, 0, 0);
  int FRimTop = 8, FRimBottom = 10, FRimSide = 10;
  TNeedleLayout FNeedleLayout, FNeedleLayoutSec;
  std::string FCaption;
  host::TFont FFontCaption;
  TColor FColorBakG = host::clWhite;
  TColor FColorCover = host::clBtnFace;
  std::string FBackGroundImg;
  TBkgFill FBkgndFillMode = bfSimple;
  bool FAnchorCovered = true;
  int FAnchorSize = 24;
  std::string FAnchorImage;
  bool FLimWatchHighOn = true, FLimWatchLowOn = true;
  TColor FLimWatchActColor = host::RGB(255, 0, 0);
  TColor FLimWatchPsvColor = host::RGB(128, 128, 128);
  bool FOFL = false, FUFL = false;
  host::TNotifyEvent FOnOverFlow, FOnUnderFlow, FOnNormalRange;
  TBeforeDrawNeedleEvent FOnBeforeDrawNeedle;
  TmtBeforeDrawScaleLabelEvent FOnBeforeDrawScaleLabel;
  TMeterRenderedEvent FOnMeterRendered;
  TMouseMoveInMeterEvent FOnMouseMoveInMeter;
  std::unique_ptr<host::TBitmap> AuxBGBmp, AuxACBmp, AuxACMaskBmp;
  bool Loading() const { return ComponentState() & host::csLoading; }
  // Stores and repaints, also when unchanged (the setters that always redraw).
  template <class T>
  void Store(T& field, const T& v) {
    field = v;
    Redraw();
  }
  void StyleChanged(host::TObject* Sender);
  bool Settled(double& field, double x);
  void SetRangeEnd(double x, bool isMin);
  void SetThreshold(double x, bool high);
  // Range events and lamp flags of a changed value.
  void CheckLimits(double v);
  void ClampIntoRange(double& v) const;
  void LoadBackground();
  bool LoadAnchor();
  void BuildAnchorMask();
  // Re-applies the setters' rules to streamed values (Loaded).
  void Normalize();

  // geometry (ZEL_Meter_layout.cpp)
  int FMeterAngle = 90;
  double FMeterRadius = 0;
  int FMeterCenterX = 0, FMeterCenterY = 0;
  // The point at angle t (degrees, counter-clockwise from +x) and radius r.
  host::TPoint PointAt(double t, double r) const;
  // Drawing angle of a value (f of the mapping, not clamped).
  double AngleOf(double v) const;
  double AngleOfFraction(double f) const;

  // painting (ZEL_Meter_paint.cpp)
  std::unique_ptr<host::TBitmap> FBuffer;
  host::TBitmap* PaintBuffer();
  void PaintBackground(host::TCanvas* c);
  void PaintBands(host::TCanvas* c);
  void PaintScale(host::TCanvas* c);
  void PaintMajorTick(host::TCanvas* c, const TMeterTick& t, double dx, double dy);
  void PaintCaption(host::TCanvas* c);
  void PaintNeedles(host::TCanvas* c);
  void PaintNeedle(host::TCanvas* c, TNeedleLayout& L, double v);
  void PaintCover(host::TCanvas* c);
  void PaintAnchor(host::TCanvas* c);
  void PaintBevel(host::TCanvas* c);
  void PaintLamp(host::TCanvas* c, int X, bool active);
  void PaintFrame(host::TCanvas* c);
};

/// The seven corners of a needle at drawing angle theta (degrees), from the
/// centre (cx, cy) with length Ln: barb, tip, barb, then the shaft's four corners.
std::vector<host::TPoint> NeedlePolygon(const TNeedleLayout& L, double theta, int cx, int cy,
                                        double Ln);
/// Where the copies of a bw x bh background image go to tile a W x H area,
/// column by column; none for an image without area.
std::vector<host::TRect> BackgroundTiles(int W, int H, int bw, int bh);

}  // namespace zel
