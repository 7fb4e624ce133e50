/// @file
/// TRotLab: a label whose caption is drawn at any angle about an anchor point,
/// inside a frame.
///
/// The host label does the rest of the work: caption, font, background and
/// transparency are its own; this class replaces only the text output and adds
/// the frame. The anchor (PosX, PosY) is the point of the caption's mid-line
/// that Alignment names: its left end, its right end or its middle. With
/// AutoCenter the anchor is kept at the centre of the label (the setters of
/// PosX and PosY then only re-centre), and every resize re-centres it.
///
/// Every setter ignores an unchanged value and repaints by one rule: a
/// transparent label is invalidated, so that its parent paints the ground
/// first; an opaque one paints at once.
///
/// Decisions where the behaviour was ours to choose:
///   - The rotated font is made from the label's font description with
///     escapement and orientation TextAngle * 10. AntiAlias on asks for the
///     anti-aliased quality; off asks for the non-antialiased quality, because
///     on this platform the default quality (0) is anti-aliased too.
///   - Re-centring on resize is part of the label's own resize handling, so an
///     OnResize handler of the application runs as well and cannot switch it
///     off; the handler sees the anchor already moved.
///   - A label that gets a parent with AutoCenter on is centred then, so one
///     placed at its initial size does not keep the anchor at (10, 10).
///   - An angle so large that TextAngle * 10 does not fit a 32-bit escapement is
///     reduced modulo 360 first (the drawing is the same).
#pragma once

#include "foundation/Zel_zelbase.h"
#include "host/widgets/StdCtrls.h"

namespace zel {

/// Where TextOut must start so that the chosen point of a text's mid-line lies
/// on the anchor, for a text Width x Height turned by Angle degrees
/// counter-clockwise: k = 0 left, 1 centre, 2 right end,
/// x = PosX + Round(-k*hw*cos a - hh*sin a), y = PosY + Round(k*hw*sin a - hh*cos a)
/// with hw, hh half the width and height (integer halves).
host::TPoint RotatedTextOrigin(int PosX, int PosY, int Width, int Height, int Angle,
                               host::TAlignment Alignment);

/// The escapement (tenths of a degree) that draws text at Angle degrees.
int32_t RotatedEscapement(int Angle);

/// A framed label whose caption is drawn at any angle about an anchor point.
class TRotLab : public host::TCustomLabel {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TRotLab(host::TComponent* AOwner);

  ///@{
  /// Degrees, counter-clockwise; any value, used as given.
  int TextAngle() const { return FTextAngle; }
  void SetTextAngle(int v);
  ///@}
  ///@{
  /// The anchor in client pixels (default 10, 10). With AutoCenter on a change
  /// only re-centres the anchor.
  int PosX() const { return FPosX; }
  void SetPosX(int v);
  int PosY() const { return FPosY; }
  void SetPosY(int v);
  ///@}
  ///@{
  /// Keeps the anchor at the centre of the label, also on every resize (default
  /// on); switching it on centres at once.
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool v);
  ///@}
  ///@{
  /// Which point of the caption sits on the anchor (not the host label's).
  host::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(host::TAlignment v);
  ///@}
  ///@{
  /// Asks the rotated font for anti-aliased glyphs (default on).
  bool AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(bool v);
  ///@}
  /// A transparent label (the default) lets its parent paint the ground first;
  /// a change repaints by that rule.
  void SetTransparent(bool v) override;
  /// Under an active visual style with seClient the style's window colour is
  /// stored instead of the given one.
  void SetColor(host::TColor c) override;
  ///@{
  /// The frame around the label (default frLowered, sunken).
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  ///@}

  /// The start point of the caption for the current settings, in the font
  /// the label draws with.
  host::TPoint TextOrigin();

  /// From another TRotLab: AutoCenter, FrameStyle, TextAngle, PosX, PosY and
  /// AntiAlias (not Alignment, Transparent or Color).
  void Assign(host::TPersistent* Source) override;
  /// A label placed with AutoCenter on is centred at once (not only at its
  /// first resize).
  void SetParent(host::TWinControl* AParent) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TRotLab"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  void DoDrawText(host::TRect& Rect, uint32_t Flags) override;
  void Resize() override;
  ///@}

 private:
  // settings (ZEL_RotLab.cpp)
  int FTextAngle = 0;
  int FPosX = 10;
  int FPosY = 10;
  bool FAutoCenter = true;
  host::TAlignment FAlignment = host::taCenter;
  bool FAntiAlias = true;
  TFrameStyle FFrameStyle = frLowered;
  template <class T>
  void Change(T& field, const T& v);
  void Recenter();
  void MoveAnchor(int& field, int v);
  void Redraw();  // the repaint rule above

  // painting (ZEL_RotLab_paint.cpp)
  void SelectRotatedFont(host::TCanvas* c);
  void PaintFrame(host::TCanvas* c);
};

}  // namespace zel
