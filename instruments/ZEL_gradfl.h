/// @file
/// TGradFill: a decorative area filled with a stepped colour gradient of
/// NrColors bands — top to bottom, left to right, or from the edges to the
/// middle — with an optional grid over it and a frame round it.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/Zel_zelbase.h"
#include "host/ui/Controls.h"

namespace zel {

/// Direction of the gradient (ordinals are stored in forms): bands stacked from
/// top to bottom, side by side from left to right, and the same two with
/// ColorLast in the middle band.
enum TGradType : uint8_t { gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert };
/// Grid lines over the bands: none, horizontal, vertical, both.
enum TGridMode : uint8_t { gmNone, gmHoriz, gmVert, gmBoth };

/// Band n (0..N-1) of an N-band gradient from First to Last, both RGB colours
/// (resolve system colours first). Channel by channel, with d = last - first:
///   gtHoriz, gtVert:   first + MulDiv(n, d, N); the last band stops one step
///                      short of Last.
///   mid-band types:    with M = N div 2, first + MulDiv(n, d, M) up to n = M
///                      (which is Last), then first + MulDiv(N - n - 1, d, M).
/// N < 2 gives First. The mid-band rule is kept as it has always drawn: for an
/// odd N it is symmetric about band M (5 bands: 0, 1/2, 1, 1/2, 0 of the way),
/// for an even N it is not — band M is Last, the band after it is already two
/// steps back and the last band equals the first (4 bands: 0, 1/2, 1, 0).
/// Stored pictures and users' screens rely on these colours, so the rule stays.
host::TColor GradBandColor(host::TColor First, host::TColor Last, TGradType Type, int n, int N);

/// Spacing of the grid lines in pixels, counted from the top-left corner.
inline constexpr int kGradGridPitch = 10;

/// A decorative area filled with a stepped colour gradient, a grid and a frame.
///
/// State model: the effective colours ColorFirst and ColorLast, what the user
/// gave (FColFirstOrg, FColLastOrg) and ColorFlipped, with the invariant
/// effective = given, exchanged while flipped. Setting a colour while flipped
/// therefore remembers it as the other given colour, so switching the flip off
/// puts it at the other end.
///
/// Every setter but FillType's stores and invalidates even when the value is
/// unchanged; NrColors is clamped to 1..255. Paint draws the Layout's bands in
/// order (more bands than pixels: the later paint over the earlier), the grid,
/// then the frame, into a bitmap copied to the screen in one step.
///
/// The grid (GridMode, GridColor): one-pixel lines every kGradGridPitch pixels
/// from the top-left corner, horizontal, vertical or both, over the bands and
/// under the frame. A fixed pitch keeps the grid readable as graph paper at any
/// band count, where lines at band edges would merge into a solid area once the
/// bands are thinner than a few pixels.
class TGradFill : public host::TGraphicControl {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TGradFill(host::TComponent* AOwner);

  ///@{
  /// Colour of band 0 (default maroon, 0x000080); see the state model for flipping.
  host::TColor ColorFirst() const { return FColorFirst; }
  void SetColorFirst(host::TColor c);
  ///@}
  ///@{
  /// Colour the bands run to (default yellow, 0x00FFFF).
  host::TColor ColorLast() const { return FColorLast; }
  void SetColorLast(host::TColor c);
  ///@}
  ///@{
  /// Exchanges ColorFirst and ColorLast (default off).
  bool ColorFlipped() const { return FColorFlipped; }
  void SetColorFlipped(bool v);
  ///@}
  /// Direction of the gradient (default gtHoriz, bands from top to bottom); the
  /// only setter that ignores an unchanged value. SeTGradType is the historical
  /// name of SetFillType.
  ///@{
  TGradType FillType() const { return FFillType; }
  void SeTGradType(TGradType t);
  void SetFillType(TGradType t) { SeTGradType(t); }
  ///@}
  ///@{
  /// Number of bands, 1..255 (default 16).
  int NrColors() const { return FNrColors; }
  void SetNrColors(int n);
  ///@}
  ///@{
  /// The frame drawn over the bands' edge (default frNone).
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle s);
  ///@}
  ///@{
  /// Which grid lines are drawn over the bands (default gmNone).
  TGridMode GridMode() const { return FGridMode; }
  void SetGridMode(TGridMode m);
  ///@}
  ///@{
  /// Colour of the grid lines (default navy, 0x800000).
  host::TColor GridColor() const { return FGridColor; }
  void SetGridColor(host::TColor c);
  ///@}

  ///@{
  /// After each paint.
  const host::TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(host::TNotifyEvent e) { FOnPaint = std::move(e); }
  ///@}

  /// One band of the gradient.
  struct TBand {
    host::TRect Rect;    ///< right and bottom excluded
    host::TColor Color;  ///< RGB
  };
  /// What paint draws, in the control's pixels.
  struct TLayout {
    std::vector<TBand> Bands;   ///< in painting order, band 0 first
    std::vector<int> GridRows;  ///< y of each horizontal grid line
    std::vector<int> GridCols;  ///< x of each vertical grid line
  };
  /// The layout for the current settings and size.
  TLayout Layout() const;

  /// The full picture into Bitmap (at its size): bands, grid, frame.
  void DrawGradient(host::TBitmap& Bitmap);

  /// From another TGradFill: every setting, then one repaint (invalidate).
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;
  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TGradFill"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  ///@}

 private:
  // settings and painting (ZEL_gradfl.cpp)
  host::TColor FColorFirst = 0x000080;
  host::TColor FColorLast = 0x00FFFF;
  host::TColor FColFirstOrg = 0x000080;
  host::TColor FColLastOrg = 0x00FFFF;
  bool FColorFlipped = false;
  TGradType FFillType = gtHoriz;
  int FNrColors = 16;
  TFrameStyle FFrameStyle = frNone;
  TGridMode FGridMode = gmNone;
  host::TColor FGridColor = 0x800000;
  host::TNotifyEvent FOnPaint;
  template <class T>
  void StoreAndInvalidate(T& field, const T& v) {
    field = v;
    Invalidate();
  }
  void PaintGrid(host::TCanvas* c, const TLayout& l) const;
};

}  // namespace zel
