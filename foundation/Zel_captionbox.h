/// @file
/// The look the framed controls share: a framed box with a caption on its left
/// and a text (usually a unit) on its right, the frame line colours a colour
/// scheme selects, single-line text centring, and the embossed captions of a
/// disabled control.
///
/// The pieces come in three layers so that each control takes what it has:
///   - values and free functions (line colours, frame colours, the probe text,
///     the caption-box arithmetic), for every framed control;
///   - TCaptionBoxLayout, where the left text, the box and the right text go and
///     which zone a point is in, computed from plain numbers (testable without
///     a font);
///   - TFramedControl, the frame style and colour scheme of any framed control
///     as published properties, and TCaptionBoxControl on top of it, the
///     captions, alignments and mouse zone of a control built around such a box.
#pragma once

#include <memory>
#include <string>

#include "foundation/Zel_zelbase.h"
#include "host/gfx/Graphics.h"
#include "host/ui/Controls.h"

namespace host {
class TCustomStyleServices;
}

namespace zel {

// --- text centring

/// A text holding the tallest and the deepest glyphs of a font: a single line is
/// centred on its height, so every text of a control sits on the same row
/// whatever characters it holds.
extern const char* const kTextHeightProbe;

/// y of a single line centred in a band `bandHeight` high, for a font whose probe
/// text is `probeHeight` high: (bandHeight - probeHeight) div 2.
constexpr int CenteredTextTop(int bandHeight, int probeHeight) {
  return (bandHeight - probeHeight) / 2;
}
/// The same, measuring the probe text in the canvas's font.
int CenteredTextTop(host::TCanvas* c, int bandHeight);

/// A canvas for measuring text in a font, for the moments (hit-testing, layout
/// queries) when no paint canvas is at hand.
class TMeasureCanvas {
 public:
  explicit TMeasureCanvas(host::TFont* f) { FBitmap.Canvas()->SetFont(f); }
  host::TCanvas* Canvas() { return FBitmap.Canvas(); }

 private:
  host::TBitmap FBitmap{1, 1};
};

// --- colours

/// The three line colours of every framed control (FColBlackLine, FColGrayLine,
/// FColWhiteLine): fixed grey 128,128,128 and white under csmFixed, the system
/// colours clBtnShadow and clBtnHighlight under any other scheme; black always.
struct TFrameLineColors {
  TColor Black = host::clBlack;
  TColor Gray = host::RGB(128, 128, 128);
  TColor White = host::clWhite;
  friend bool operator==(const TFrameLineColors&, const TFrameLineColors&) = default;
};
TFrameLineColors FrameLineColors(TColorScheme Scheme);
/// The one change path of every ColorScheme setter: stores s and the grey and
/// white line colours it gives; false (and nothing stored) when s is the
/// scheme already, so the caller repaints only on true.
bool StoreColorScheme(TColorScheme s, TColorScheme& Scheme, TColor& GrayLine, TColor& WhiteLine);

/// The five colours DrawFrame takes, lightest edge first.
struct TFrameColors {
  TColor Light = host::clWhite;
  TColor Silver = host::RGB(192, 192, 192);
  TColor Shadow = host::RGB(128, 128, 128);
  TColor Dark = host::clBlack;
  TColor Fifth = host::clBlack;
  friend bool operator==(const TFrameColors&, const TFrameColors&) = default;
};
/// White, silver, grey, black and black: the frame most controls draw.
constexpr TFrameColors ClassicFrameColors() { return TFrameColors{}; }
/// The frame drawn in a scheme's line colours (silver stays silver).
TFrameColors FrameColorsOf(const TFrameLineColors& Lines);
/// The active visual style's cl3DLight, clBtnHighlight, clBtnShadow and
/// cl3DDkShadow, with `Fifth` as the fifth colour.
TFrameColors StyleFrameColors(const host::TCustomStyleServices* Style,
                              TColor Fifth = host::clBlack);

/// Pen of a box's own rectangle: the box colour without a frame (so the outline
/// vanishes), the white line for the light ridge, the grey line for the others.
TColor BoxOutlineColor(TFrameStyle Style, const TFrameLineColors& Lines, TColor BoxColor);

// --- drawing

/// Rectangle(r) with the pen in `outline` and a solid brush in `fill`; with
/// outline == fill it fills r exactly.
void FillBox(host::TCanvas* c, const host::TRect& r, TColor outline, TColor fill);
/// DrawFrame round the box (Left, Top) .. (Right, Bottom), both edges included.
void DrawBoxFrame(host::TCanvas* c, TFrameStyle Style, const host::TRect& box,
                  const TFrameColors& colors);

/// Where a caption's ink goes and where the light pass of its embossed
/// (disabled) look goes, one pixel lower.
struct TCaptionPlace {
  int X = 0;
  int ShadowX = 0;
  friend bool operator==(const TCaptionPlace&, const TCaptionPlace&) = default;
};

/// Draws a caption with a clear brush (left solid afterwards). Enabled: in `ink`
/// at (X, y). Disabled: embossed, `light` at (ShadowX, y + 1), then, when
/// greyPass, grey 128,128,128 at (X, y). A style's disabled colour is a look of
/// its own and goes without the grey pass.
void DrawCaption(host::TCanvas* c, const std::string& s, TCaptionPlace at, int y, bool enabled,
                 TColor ink, TColor light = host::clWhite, bool greyPass = true);

// --- layout

/// Which part of a caption box a point is in, as the controls' MouseAreaCode
/// reports it.
enum TCaptionZone : int { czLeftText = 0, czBox = 1, czRightText = 2 };

/// What the caption-box layout is computed from.
struct TCaptionBoxMetrics {
  int Width = 0;        ///< of the control
  int BandHeight = 0;   ///< the rows the texts are centred in
  int ProbeHeight = 0;  ///< height of kTextHeightProbe in the font
  int LeftSpace = 0;    ///< width of the left-text zone: the box starts here
  int BoxWidth = 0;
  /// Room between the box and the right-text zone (a control's buttons); the
  /// right caption is placed after it, the mouse zones ignore it.
  int RightGap = 0;
  int LeftTextWidth = 0, RightTextWidth = 0;
  host::TAlignment Alignment = host::taCenter;  ///< of the text in the box
  host::TAlignment LeftTextAlignment = host::taRightJustify;
  host::TAlignment RightTextAlignment = host::taLeftJustify;
};

/// The three zones from the control's left edge: left text 0..BoxLeft, box
/// BoxLeft..BoxRight, right text from BoxRight (after the gap) to the width.
struct TCaptionBoxLayout {
  int TextTop = 0;  ///< y of every single-line text of the control
  int BoxLeft = 0;
  int BoxRight = 0;
  host::TAlignment Alignment = host::taCenter;
  TCaptionPlace LeftCaption, RightCaption;

  /// czLeftText; czBox right of BoxLeft; czRightText right of BoxRight. A point
  /// on a border belongs to the zone on its left.
  TCaptionZone ZoneAt(int X) const;
  /// x of a text `w` wide in the box: left BoxLeft + 4, right BoxRight - w - 2,
  /// centred BoxLeft + 2 + (box width - w) div 2.
  int BoxTextX(int w) const;
};

/// Left caption: left 7, right LeftSpace - w - 5, centred (LeftSpace - w) div 2.
/// Right caption, its zone starting at s = LeftSpace + BoxWidth + RightGap: left
/// s + 7, right Width - w - 6, centred (Width - (s + w)) div 2 + s + 1. The light
/// pass of each lies one pixel right of its ink.
TCaptionBoxLayout CaptionBoxLayout(const TCaptionBoxMetrics& m);

// --- the properties

/// A self-painted control with a frame: its frame style, and the colour scheme
/// with the three line colours it selects, as published properties, and the
/// store-compare-repaint path of every setter. TBase is the host class the
/// control derives from. The setters repaint at once (Paint, not Invalidate)
/// and ignore an unchanged value.
template <class TBase>
class TFramedControl : public TBase {
 public:
  explicit TFramedControl(host::TComponent* AOwner, TFrameStyle Initial = frLowered)
      : TBase(AOwner), FFrameStyle(Initial) {}

  ///@{
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle s) { Change(FFrameStyle, s); }
  ///@}
  ///@{
  /// Selects the grey and white frame line colours (FrameLineColors).
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme s);
  ///@}
  host::TColor ColBlackLine() const { return FColBlackLine; }
  host::TColor ColGrayLine() const { return FColGrayLine; }
  host::TColor ColWhiteLine() const { return FColWhiteLine; }

 protected:
  /// Stores v in `field` and repaints when it differs.
  template <class T>
  void Change(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Redraw();
  }
  void Redraw() { this->Paint(); }
  TFrameLineColors LineColors() const { return {FColBlackLine, FColGrayLine, FColWhiteLine}; }
  /// A bitmap of the control's size in its font, to paint into before one copy
  /// to the screen; none while the control has no area.
  std::unique_ptr<host::TBitmap> OffscreenBitmap();
  /// Copies the frame style, the scheme and the line colours, without
  /// repainting: the caller's Assign repaints once.
  void AssignFrame(const TFramedControl& src);

 private:
  TFrameStyle FFrameStyle;
  TColorScheme FColorScheme = csmFixed;
  host::TColor FColBlackLine = host::clBlack;
  host::TColor FColGrayLine = host::RGB(128, 128, 128);
  host::TColor FColWhiteLine = host::clWhite;
};

/// A control built around a caption box: besides the frame, the captions, their
/// alignments, the caption colour and the mouse zone. The box's width, its
/// colours and the LeftSpace rule differ between the controls and stay with
/// them.
template <class TBase>
class TCaptionBoxControl : public TFramedControl<TBase> {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TCaptionBoxControl(host::TComponent* AOwner) : TFramedControl<TBase>(AOwner) {}

  ///@{
  const std::string& LeftText() const { return FLeftText; }
  void SetLeftText(const std::string& s) { this->Change(FLeftText, s); }
  ///@}
  ///@{
  const std::string& RightText() const { return FRightText; }
  void SetRightText(const std::string& s) { this->Change(FRightText, s); }
  ///@}
  /// Width of the left-text zone, where the box begins.
  int LeftSpace() const { return FLeftSpace; }
  ///@{
  /// Of the number within the box.
  host::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(host::TAlignment a) { this->Change(FAlignment, a); }
  ///@}
  ///@{
  host::TAlignment LeftTextAlignment() const { return FLeftTextAlignment; }
  void SetLeftTextAlignment(host::TAlignment a) { this->Change(FLeftTextAlignment, a); }
  ///@}
  ///@{
  host::TAlignment RightTextAlignment() const { return FRightTextAlignment; }
  void SetRightTextAlignment(host::TAlignment a) { this->Change(FRightTextAlignment, a); }
  ///@}
  ///@{
  /// Colour of the left and right texts.
  host::TColor ColorOutText() const { return FColorOutText; }
  void SetColorOutText(host::TColor c) { this->Change(FColorOutText, c); }
  ///@}
  /// Disabled controls draw their texts embossed: a change repaints.
  void SetEnabled(bool e) override;

  /// The zone under the mouse at the last move (TCaptionZone's values).
  int MouseAreaCode() const { return FMouseAreaCode; }

 protected:
  void StoreLeftSpace(int v) { this->Change(FLeftSpace, v); }
  /// The layout numbers of this control's texts, measured in c's font.
  TCaptionBoxMetrics CaptionMetrics(host::TCanvas* c, int boxWidth, int bandHeight,
                                    int rightGap = 0) const;
  void SetMouseArea(TCaptionZone z) { FMouseAreaCode = z; }
  /// Copies every setting above, the frame's included (not the mouse zone),
  /// without repainting: the caller's Assign repaints once.
  void AssignCaptionBox(const TCaptionBoxControl& src);

 private:
  std::string FLeftText, FRightText;
  int FLeftSpace = 35;
  host::TAlignment FAlignment = host::taCenter;
  host::TAlignment FLeftTextAlignment = host::taRightJustify;
  host::TAlignment FRightTextAlignment = host::taLeftJustify;
  host::TColor FColorOutText = host::clBlack;
  int FMouseAreaCode = czLeftText;
};

extern template class TFramedControl<host::TGraphicControl>;
extern template class TFramedControl<host::TCustomControl>;
extern template class TCaptionBoxControl<host::TGraphicControl>;
extern template class TCaptionBoxControl<host::TCustomControl>;

}  // namespace zel
