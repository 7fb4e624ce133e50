/// @file
/// TOnOffBut: a two-state switch drawn from a bitmap glyph (check box, radio
/// button, slide switches, LEDs, arrows, traffic light, smileys, bulb, lamp
/// button and others), with up to four captions round the glyph, exclusive
/// groups, a momentary (speed-button) mode and a transparent mode.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "foundation/Zel_zelbase.h"
#include "host/ui/Controls.h"

namespace zel {

/// The glyph sets, in this order (ordinals are stored in forms). Every style but
/// oobsUser is a bitmap resource of the library (OnOffStyleResource).
enum TOnOffButStyle : uint8_t {
  oobsUser,  ///< the glyphs given by SetUserGlyph or LoadUserGlyph
  oobsCheckbox,
  oobsRadioBut,
  oobsSlideTB,
  oobsSlideLR,
  oobsColSlideTB,
  oobsColSlideLR,
  oobsLedRedGreen,
  oobsArrowTopRgt,
  oobsArrowUpDown,
  oobsArrowLeftRight,
  oobsTrafficLPed,
  oobsBeveledLed,
  oobsSmileyYellow,
  oobsSmileyRedGrn,
  oobsBulb,
  oobsButLamp,
  oobsHDLeft,
  oobsHDRight,
  oobsUser1,
  oobsUser2,
  oobsUser3,
  oobsUser4,
  oobsUser5
};
constexpr int kNumOnOffStyles = 24;  ///< values of TOnOffButStyle

/// oobmNormalBut toggles at each press; oobmSpeedBut is on only while pressed.
enum TOOButMode : uint8_t { oobmNormalBut, oobmSpeedBut };
/// Which presses toggle: none, those inside the glyph, those anywhere on the control.
enum TOOButMouseAction : uint8_t { oomaNone, oomaFocused, oomaPlain };

/// Pixels of this colour (R 0xEB, G 0xBE, B 0xEB) inside a glyph are background.
constexpr TColor kOnOffKeyColor = 0xEBBEEB;

/// The resource holding a style's glyph set ("CHECKBOX", "BULB", ...); nullptr
/// for oobsUser and for values outside the enumeration.
const char* OnOffStyleResource(TOnOffButStyle s);

/// A glyph set: [state (off 0, on 1)][enabled (0, 1)].
using TOnOffGlyphs = std::array<std::array<host::TBitmap, 2>, 2>;

/// Every glyph-set bitmap holds its four glyphs in a 2 x 2 grid: top left on and
/// enabled, top right off and enabled, bottom left on and disabled, bottom right
/// off and disabled; a glyph is half the bitmap's width and height. Cuts `src`
/// into `dst` that way.
void ExtractGlyphs(host::TBitmap& src, TOnOffGlyphs& dst);

/// A two-state switch drawn from a bitmap glyph, with captions round it.
///
/// State model: OnOff is the only state. Groups have no object of their own:
/// a button that turns on tells its siblings (CM_BUTTONPRESSED to the parent's
/// controls) and those of the same non-negative GroupIndex that are on turn off,
/// taking over the sender's AllowAllOff. Without AllowAllOff a grouped button
/// that is on cannot be switched off, by click or by SetOnOff.
///
/// The glyph's top-left corner is (LeftSpace + 1, TopSpace + 1); with AutoCenter
/// the spaces follow the control's size and the glyph's, and setting them is
/// ignored. The captions sit round the glyph (TLayout).
///
/// Repainting: state, colour and frame changes paint at once; when Transparent
/// they invalidate instead, so the parent repaints beneath and the previous
/// glyph never shows through the key-coloured pixels of the new one. Other
/// changes invalidate.
///
/// User glyphs (oobsUser): SetUserGlyph / LoadUserGlyph take a bitmap laid out
/// like a style bitmap, at least 2 x 2 pixels (any other size is accepted, the
/// glyph being half its width and height). An empty image or an unreadable file
/// raises EZELError and leaves the user glyphs as they were. Until then the
/// user set is 20 x 20 placeholders: a circle for on, a cross for off.
class TOnOffBut : public host::TGraphicControl {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TOnOffBut(host::TComponent* AOwner);

  ///@{
  /// The state, on by default; see the state model for groups.
  bool OnOff() const { return FOnOff; }
  void SetOnOff(bool v);
  ///@}
  ///@{
  /// The glyph set (default oobsColSlideLR); a change loads its bitmaps.
  TOnOffButStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TOnOffButStyle s);
  ///@}
  /// How a press acts (default oobmNormalBut, a toggle).
  TOOButMode Mode() const { return FMode; }
  /// oobmSpeedBut also switches the button off.
  void SetMode(TOOButMode m);
  ///@{
  /// Which presses toggle (default oomaFocused, those inside the glyph).
  TOOButMouseAction MouseAction() const { return FMouseAction; }
  void SetMouseAction(TOOButMouseAction a) { FMouseAction = a; }
  ///@}
  ///@{
  /// 0: no group; negative: sends group messages but ignores those of others.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int v);
  ///@}
  ///@{
  /// A grouped button that is on may be switched off, leaving the group all off
  /// (default on).
  bool AllowAllOff() const { return FAllowAllOff; }
  void SetAllowAllOff(bool v);
  ///@}
  ///@{
  /// Centres the glyph in the control: LeftSpace and TopSpace follow the sizes
  /// (default on).
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool v);
  ///@}
  ///@{
  /// Room left of and above the glyph (default 35, 18). Negative values are
  /// ignored; LeftSpace is limited to the width, TopSpace to the height.
  int LeftSpace() const { return FLeftSpace; }
  void SetLeftSpace(int v);
  int TopSpace() const { return FTopSpace; }
  void SetTopSpace(int v);
  ///@}

  ///@{
  /// The captions left of, above, right of and below the glyph (default empty).
  const std::string& LeftText() const { return FLeftText; }
  void SetLeftText(const std::string& s) { ChangeAndInvalidate(FLeftText, s); }
  const std::string& TopText() const { return FTopText; }
  void SetTopText(const std::string& s) { ChangeAndInvalidate(FTopText, s); }
  const std::string& RightText() const { return FRightText; }
  void SetRightText(const std::string& s) { ChangeAndInvalidate(FRightText, s); }
  const std::string& BottomText() const { return FBottomText; }
  void SetBottomText(const std::string& s) { ChangeAndInvalidate(FBottomText, s); }
  ///@}
  ///@{
  /// Alignment of each caption in its zone (defaults: left text right-justified,
  /// right text left-justified, top and bottom centred).
  host::TAlignment LeftTextAlignment() const { return FLeftTextAlignment; }
  void SetLeftTextAlignment(host::TAlignment a) { ChangeAndInvalidate(FLeftTextAlignment, a); }
  host::TAlignment TopTextAlignment() const { return FTopTextAlignment; }
  void SetTopTextAlignment(host::TAlignment a) { ChangeAndInvalidate(FTopTextAlignment, a); }
  host::TAlignment RightTextAlignment() const { return FRightTextAlignment; }
  void SetRightTextAlignment(host::TAlignment a) { ChangeAndInvalidate(FRightTextAlignment, a); }
  host::TAlignment BottomTextAlignment() const { return FBottomTextAlignment; }
  void SetBottomTextAlignment(host::TAlignment a) { ChangeAndInvalidate(FBottomTextAlignment, a); }
  ///@}

  ///@{
  /// Colour of the captions (default clBlack).
  TColor ColorText() const { return FColorText; }
  void SetColorText(TColor c) { ChangeAndRedraw(FColorText, c); }
  ///@}
  ///@{
  /// Background of the control (default clBtnFace).
  TColor ColorBackgnd() const { return FColorBackgnd; }
  void SetColorBackgnd(TColor c) { ChangeAndRedraw(FColorBackgnd, c); }
  ///@}
  ///@{
  /// The background and the key-coloured glyph pixels show the parent through.
  /// A change repaints (invalidates).
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  ///@}
  ///@{
  /// The frame round the control (default frLowered).
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle s) { ChangeAndRedraw(FFrameStyle, s); }
  ///@}
  ///@{
  /// Stored and copied, and selects the line colours; the drawing does not use them.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme s);
  ///@}
  /// The frame line colours ColorScheme selects.
  ///@{
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }
  ///@}
  /// A disabled button shows the disabled glyphs and engraved captions.
  void SetEnabled(bool e) override;

  /// The glyph size of the current set.
  ///@{
  int GlyphWidth() const { return FGlyphWidth; }
  int GlyphHeight() const { return FGlyphHeight; }
  ///@}
  /// The glyph shown for a state (on/off) and enabled flag.
  host::TBitmap* Glyph(bool on, bool enabled) { return &FButImg[on][enabled]; }
  /// The user glyph set from a bitmap in the 2 x 2 layout (see above).
  void SetUserGlyph(host::TBitmap* Img);
  /// The same from a BMP or PNG file.
  void LoadUserGlyph(const std::string& FileName);

  /// Where the parts go, in client pixels.
  struct TLayout {
    int TextHeight = 0;  ///< of the probe text in the font
    host::TRect Glyph;   ///< what the glyph covers: from (LeftSpace + 1, TopSpace + 1)
    /// TextOut points of the four captions (the engraved light pass goes one
    /// pixel right of and below each).
    ///@{
    host::TPoint LeftText, TopText, RightText, BottomText;
    ///@}
  };
  /// The layout for the current settings, glyph and font.
  TLayout Layout();
  /// Whether a press at (X, Y) toggles under oomaFocused: strictly inside
  /// LeftSpace .. LeftSpace + GlyphWidth and TopSpace .. TopSpace + GlyphHeight.
  bool InGlyph(int X, int Y) const;

  /// From another TOnOffBut: everything but GroupIndex, AllowAllOff and Mode.
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TOnOffBut"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  void MouseUp(host::TMouseButton Button, host::TShiftState Shift, int X, int Y) override;
  /// Does nothing: OnClick fires from the button's own release handling only.
  void Click() override {}
  void DefaultHandler(host::TMessage& Message) override;
  ///@}

 private:
  // settings and glyph sets (ZEL_onoffbut.cpp)
  bool FOnOff = true;
  TOnOffButStyle FButtonStyle = oobsColSlideLR;
  TOOButMode FMode = oobmNormalBut;
  TOOButMouseAction FMouseAction = oomaFocused;
  int FGroupIndex = 0;
  bool FAllowAllOff = true;
  bool FAutoCenter = true;
  int FLeftSpace = 35;
  int FTopSpace = 18;
  std::string FLeftText, FTopText, FRightText, FBottomText;
  host::TAlignment FLeftTextAlignment = host::taRightJustify;
  host::TAlignment FTopTextAlignment = host::taCenter;
  host::TAlignment FRightTextAlignment = host::taLeftJustify;
  host::TAlignment FBottomTextAlignment = host::taCenter;
  TColor FColorText = host::clBlack;
  TColor FColorBackgnd = host::clBtnFace;
  bool FTransparent = false;
  TFrameStyle FFrameStyle = frLowered;
  TColorScheme FColorScheme = csmFixed;
  TColor FColBlackLine = host::clBlack;
  TColor FColGrayLine = host::RGB(128, 128, 128);
  TColor FColWhiteLine = host::clWhite;
  TOnOffGlyphs FButImg;
  TOnOffGlyphs FUserImg;
  int FGlyphWidth = 0;
  int FGlyphHeight = 0;
  void LoadGlyphs();
  void DrawUserPlaceholders();
  // LeftSpace and TopSpace: ignored while centred, else limited to `limit`.
  void SetSpace(int& space, int v, int limit);
  // The one repaint path of a state change: Paint, or Invalidate when Transparent.
  void Redraw();
  template <class T>
  void ChangeAndRedraw(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Redraw();
  }
  template <class T>
  void ChangeAndInvalidate(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Invalidate();
  }

  // layout (ZEL_onoffbut_layout.cpp)
  TLayout ComputeLayout(host::TCanvas* c) const;
  void AdjustAutoCenter();

  // painting (ZEL_onoffbut_paint.cpp)
  host::TBitmap FMask;  // opaque (black) where the button covers its parent
  void PaintCaptions(host::TCanvas* c, host::TCanvas* mask, const TLayout& l);
  void PaintGlyph(host::TBitmap& bmp, const TLayout& l);
  void PaintFrame(host::TCanvas* c, host::TCanvas* mask);
  void CopyToScreen(host::TBitmap& bmp);

  // mouse, groups and resizing (ZEL_onoffbut_input.cpp)
  // A press or release that counts: the left button, where MouseAction allows.
  bool Counts(host::TMouseButton Button, int X, int Y) const;
  void UpdateExclusive();
  void CMButtonPressed(host::TMessage& Message);
  void ProcessResize();
};

}  // namespace zel
