/// @file
/// TProgBar: a progress bar inside margins and two frames, filled in one colour
/// or from a 1024-entry colour table, over an optional background picture, with
/// grid lines, a value text at any angle and a timer that counts the value up.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "foundation/Zel_zelbase.h"
#include "host/ui/Controls.h"
#include "host/ui/WindowTimer.h"

namespace zel {

/// The exception of the progress bar.
class EZELProgBar : public EZELError {
 public:
  using EZELError::EZELError;
};

/// How the colour table maps onto the bar:
///   cgmCover    the table is laid over the whole bar area and the bar uncovers it;
///   cgmStretch  the whole table is squeezed onto the bar as long as it is now;
///   cgmMove     the table keeps the scale of cgmCover, but its last colour always
///               sits at the bar's leading edge.
enum TColorMapping : uint8_t { cgmCover, cgmStretch, cgmMove };

/// Last chance for the application to change the value text before it is drawn.
using TBeforeShowValueEvent = std::function<void(host::TObject* Sender, std::string& ValueText)>;

/// The value text: d >= 0 fixed point with d decimals and "."; -1 scientific with
/// a two-digit exponent ("1.2345E+04"), a value whose exponent needs three digits
/// giving as many '*' as the text has characters; -2 scientific with the full
/// three-digit exponent ("1.2345E+004"). The mantissa of both scientific forms
/// carries the value's significant digits (at most 15, trailing zeros dropped, at
/// least one decimal), so a counted value reads as set and not as a float error.
std::string ProgBarValueText(double Value, int DecPlaces);

/// A progress bar with margins, two frames, a colour table and a counting timer.
///
/// The state model. The bar shows Value between Min and Max; neither Value nor
/// the range is ever clamped or ordered (Min > Max is a reversed scale), and
/// Value may run far past Max while counting. What paint does with that is
/// decided in one place, Layout: the fill length is Round(length * fraction)
/// of the bar area, 0 when Max = Min or the value is not a number, and every
/// loop of paint runs only over the pixels inside the control, so a value of
/// 1e12 costs what a full bar costs. A fill of 0 or less draws no bar at all.
///
/// Directions: drUp (ordinal 0) fills from the bottom up, drRight (ordinal 3)
/// from left to right; drDown and drLeft draw no bar (the area stays empty).
///
/// The colour table is a palette the caller may load entry by entry
/// (SetBarColorElem); SetColorMin and SetColorMax refill entries 1..1022 between
/// the two ends.
///
/// Every setter stores, and repaints at once (Paint), only when the value
/// changes. The timer runs only while AutoInc is on outside design time; it
/// waits StartInterval before the first step, then RepeatInterval between the
/// steps. When no timer can be set, EZELProgBar says so and AutoInc is off again,
/// so AutoInc always tells whether the bar is counting and setting it retries.
class TProgBar : public host::TGraphicControl {
 public:
  static constexpr int kColorTableSize = 1024;  ///< entries of the colour table

  /// Creates the control with its defaults; AOwner frees it.
  explicit TProgBar(host::TComponent* AOwner);

  /// The value (default 10) and the range Min..Max (default 0..100), never clamped
  /// or ordered; see the state model. SetPBarValue, SetPBarMin and SetPBarMax are
  /// the historical names of the setters.
  ///@{
  double Value() const { return FValue; }
  void SetPBarValue(double v);
  void SetValue(double v) { SetPBarValue(v); }
  double Min() const { return FMin; }
  void SetPBarMin(double v);
  void SetMin(double v) { SetPBarMin(v); }
  double Max() const { return FMax; }
  void SetPBarMax(double v);
  void SetMax(double v) { SetPBarMax(v); }
  ///@}
  /// Min := the smaller, Max := the larger of the two.
  void SetRange(double A, double B);
  ///@{
  /// Where the bar grows from (default drRight, from the left); see the state model.
  TDirection Direction() const { return FDirection; }
  void SetDirection(TDirection d);
  ///@}

  /// Fills the bar from the colour table instead of ColorMin (default off).
  /// SetColorGrad is the short name.
  ///@{
  bool ShowColorGradient() const { return FShowColorGradient; }
  void SetColorGrad(bool on);
  void SetShowColorGradient(bool on) { SetColorGrad(on); }
  ///@}
  ///@{
  /// How the colour table maps onto the bar (default cgmStretch).
  TColorMapping ColorMapMode() const { return FColorMapMode; }
  void SetColorMapMode(TColorMapping m);
  ///@}
  ///@{
  /// Entry 0 of the table, also the colour of a bar without gradient.
  host::TColor ColorMin() const { return FColorTable[0]; }
  void SetColorMin(host::TColor c);
  ///@}
  ///@{
  /// Entry 1023 of the table.
  host::TColor ColorMax() const { return FColorTable[kColorTableSize - 1]; }
  void SetColorMax(host::TColor c);
  ///@}
  ///@{
  /// One entry of the table (0..1023; others read 0 and are ignored). Setting
  /// one neither repaints nor touches the other entries.
  host::TColor GetBarColorElem(int Index) const;
  void SetBarColorElem(int Index, host::TColor Color);
  ///@}

  /// Colour of the bar area outside the bar (default silver, 0xC0C0C0).
  /// SetColorBakG is the short name.
  ///@{
  host::TColor ColorBackGnd() const { return FColorBackGnd; }
  void SetColorBakG(host::TColor c);
  void SetColorBackGnd(host::TColor c) { SetColorBakG(c); }
  ///@}
  ///@{
  /// Colour of the margins round the bar area (default silver, 0xC0C0C0).
  host::TColor ColorMargin() const { return FColorMargin; }
  void SetColorMargin(host::TColor c);
  ///@}
  ///@{
  /// Colour of the grid lines (default black).
  host::TColor ColorGrid() const { return FColorGrid; }
  void SetColorGrid(host::TColor c);
  ///@}
  ///@{
  /// Spacing of the grid lines in pixels (default 0); a grid is drawn only when
  /// above 1.
  int GridDist() const { return FGridDist; }
  void SetGridDist(int d);
  ///@}

  ///@{
  /// Room between the outer frame and the bar area on each side, in pixels
  /// (default 4).
  int MarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(int m);
  int MarginRight() const { return FMarginRight; }
  void SetMarginRight(int m);
  int MarginTop() const { return FMarginTop; }
  void SetMarginTop(int m);
  int MarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(int m);
  ///@}

  /// The frame round the control (default frRaised) and the one round the bar
  /// area (default frLowered). SetOuterFrameStyle and SetInnerFrameStyle are the
  /// short names.
  ///@{
  TFrameStyle FrameStyleOuter() const { return FFrameStyleOuter; }
  void SetOuterFrameStyle(TFrameStyle s);
  void SetFrameStyleOuter(TFrameStyle s) { SetOuterFrameStyle(s); }
  TFrameStyle FrameStyleInner() const { return FFrameStyleInner; }
  void SetInnerFrameStyle(TFrameStyle s);
  void SetFrameStyleInner(TFrameStyle s) { SetInnerFrameStyle(s); }
  ///@}
  ///@{
  /// Selects the grey and white frame line colours (FrameLineColors).
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme s);
  ///@}
  /// The frame line colours ColorScheme selects.
  ///@{
  host::TColor ColBlackLine() const { return FColBlackLine; }
  host::TColor ColGrayLine() const { return FColGrayLine; }
  host::TColor ColWhiteLine() const { return FColWhiteLine; }
  ///@}

  /// A bitmap file (BMP or PNG) stretched over the bar area. A file that cannot
  /// be read keeps the old name and picture; an empty name stops drawing the
  /// picture (which is kept).
  ///@{
  const std::string& BackGroundImg() const { return FBackGroundImg; }
  void SetBakGndFile(const std::string& name);
  void SetBackGroundImg(const std::string& name) { SetBakGndFile(name); }
  ///@}
  /// The picture (AuxBmp), 10 x 10 until a file is loaded.
  const host::TBitmap& BackGroundPicture() const { return *FAuxBmp; }

  /// Shows the value text (default on). SetShowValue is the short name.
  ///@{
  bool TextVisible() const { return FTextVisible; }
  void SetShowValue(bool v);
  void SetTextVisible(bool v) { SetShowValue(v); }
  ///@}
  ///@{
  /// Anchor of the value text, clamped to 0..Width and 0..Height (default 14, 14).
  int TextPosX() const { return FTextPosX; }
  void SetTextPosX(int x);
  int TextPosY() const { return FTextPosY; }
  void SetTextPosY(int y);
  ///@}
  /// Which point of the text's mid-line sits on the anchor (default taCenter).
  /// SetAlignment is the short name.
  ///@{
  host::TAlignment TextAlignment() const { return FTextAlignment; }
  void SetAlignment(host::TAlignment a);
  void SetTextAlignment(host::TAlignment a) { SetAlignment(a); }
  ///@}
  ///@{
  /// Angle of the value text, degrees counter-clockwise, clamped to 0..360
  /// (default 0).
  int TextAngle() const { return FTextAngle; }
  void SetTextAngle(int a);
  ///@}
  /// Decimals of the value text (default 0), clamped to -2..10; see
  /// ProgBarValueText. SetTextDecPl is the short name.
  ///@{
  int TextDecPlaces() const { return FTextDecPlaces; }
  void SetTextDecPl(int d);
  void SetTextDecPlaces(int d) { SetTextDecPl(d); }
  ///@}
  /// The text the bar shows now: ProgBarValueText, offered to OnShowValue.
  std::string ValueText();

  ///@{
  /// Counts Value up by AutoIncStep on the timer (default off). Raises
  /// EZELProgBar and turns itself off when no timer can be set.
  bool AutoInc() const { return FAutoInc; }
  void SetAutoInc(bool on);
  ///@}
  ///@{
  /// Added to Value at each tick (default 1); 0 is refused.
  double AutoIncStep() const { return FAutoIncStep; }
  void SetAutoIncStep(double x);
  ///@}
  /// Milliseconds before the first step (default 1500) and between the
  /// following ones (default 700), at least 10. SetStartIv and SetRepeatIv are
  /// the short names.
  ///@{
  int StartInterval() const { return FStartInterval; }
  void SetStartIv(int v);
  void SetStartInterval(int v) { SetStartIv(v); }
  int RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatIv(int v);
  void SetRepeatInterval(int v) { SetRepeatIv(v); }
  ///@}

  ///@{
  /// Raised after every step of the timer, once the new value is painted; the
  /// handler may stop or wrap the value. Assigning it restarts the timer.
  const host::TNotifyEvent& OnAutoInc() const { return FOnAutoInc; }
  void SetOnAutoInc(host::TNotifyEvent e);
  ///@}
  ///@{
  /// Offered the value text before it is drawn; see TBeforeShowValueEvent.
  const TBeforeShowValueEvent& OnShowValue() const { return FOnShowValue; }
  void SetOnShowValue(TBeforeShowValueEvent e) { FOnShowValue = std::move(e); }
  ///@}

  /// Where the parts of the bar go, in the control's pixels.
  struct TLayout {
    host::TRect Area;     ///< the bar area (ML, MT) .. (W - MR, H - MB), right and bottom excluded
    int Length = 0;       ///< of the bar area along the direction of filling
    int64_t Fill = 0;     ///< Round(Length * fraction): may be above Length or below 0
    bool HasBar = false;  ///< the direction draws, and Fill > 0
    /// The bar's leading edge (its top row, or the column after its last one)
    /// before any cutting; a bar longer than any bitmap is cut to 2^40 pixels
    /// here, which leaves every pixel of the control as the true bar would.
    int64_t Edge = 0;
    /// The filled part, cut to the control (empty without a bar): what a one
    /// colour bar covers and the pixels the gradient and grid loops visit.
    host::TRect Bar;
  };
  /// The layout for the current settings, value and size.
  TLayout Layout() const;

  /// From another TProgBar: the look, the range and value, the colour table,
  /// the picture and the text settings, then one repaint; not the timer
  /// settings, AutoIncStep, OnAutoInc or Font.
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TProgBar"; }

  /// The hidden window of the timer (for tests that post to it).
  host::HWND TimerWindow() const { return FTimer.Handle(); }
  /// Whether the auto-increment timer is set.
  bool TimerRunning() const { return FTimer.Enabled(); }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  ///@}

 private:
  // settings (ZEL_ProgBar.cpp)
  double FValue = 10.0;
  double FMin = 0.0;
  double FMax = 100.0;
  TDirection FDirection = drRight;
  bool FShowColorGradient = false;
  TColorMapping FColorMapMode = cgmStretch;
  std::array<host::TColor, kColorTableSize> FColorTable{};
  host::TColor FColorBackGnd = 0xC0C0C0;
  host::TColor FColorMargin = 0xC0C0C0;
  host::TColor FColorGrid = 0x000000;
  int FGridDist = 0;
  int FMarginLeft = 4, FMarginRight = 4, FMarginTop = 4, FMarginBottom = 4;
  TFrameStyle FFrameStyleOuter = frRaised;
  TFrameStyle FFrameStyleInner = frLowered;
  TColorScheme FColorScheme = csmFixed;
  host::TColor FColBlackLine = host::clBlack;
  host::TColor FColGrayLine = 0x808080;
  host::TColor FColWhiteLine = 0xFFFFFF;
  std::string FBackGroundImg;
  std::unique_ptr<host::TBitmap> FAuxBmp;
  bool FTextVisible = true;
  int FTextPosX = 14, FTextPosY = 14;
  host::TAlignment FTextAlignment = host::taCenter;
  int FTextAngle = 0;
  int FTextDecPlaces = 0;
  TBeforeShowValueEvent FOnShowValue;
  // Stores v in `field` and repaints when it differs.
  template <class T>
  void Change(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Paint();
  }
  void FillColorTable();
  bool Designing() const { return ComponentState() & host::csDesigning; }

  // layout (ZEL_ProgBar_layout.cpp)
  int64_t FillLength(int length) const;

  // painting (ZEL_ProgBar_paint.cpp)
  void PaintMargin(host::TCanvas* c);
  void PaintBackground(host::TCanvas* c, const TLayout& l);
  void PaintPicture(host::TCanvas* c, const TLayout& l);
  void PaintBar(host::TCanvas* c, const TLayout& l);
  void PaintGradient(host::TCanvas* c, const TLayout& l);
  void PaintGrid(host::TCanvas* c, const TLayout& l);
  void PaintFrame(host::TCanvas* c, TFrameStyle s, const host::TRect& box);
  void PaintValueText(host::TCanvas* c);
  // Table index of the k-th line of a gradient bar (k = 0 at the bar's start).
  int GradientIndex(int64_t k, const TLayout& l) const;

  // timer (ZEL_ProgBar_timer.cpp)
  bool FAutoInc = false;
  double FAutoIncStep = 1.0;
  int FStartInterval = 1500;
  int FRepeatInterval = 700;
  bool FIsStart = false;  // the next tick ends the start interval
  host::TNotifyEvent FOnAutoInc;
  void InitTimer();
  void UpdateTimer();
  void StartTimer(int interval);
  void DoTimer();
  // Last, so it is destroyed first: no tick reaches a half-destroyed bar.
  host::TWindowTimer FTimer{[this] { DoTimer(); }};
};

}  // namespace zel
