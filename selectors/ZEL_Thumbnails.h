/// @file
/// TThumbnails: a scrollable grid of square slides numbered Min..Max whose
/// pictures the application hands over while the strip paints.
///
/// State model. The control stores no pictures. The scroll position
/// FFirstThumbIx is the only navigation state: its integer part is the slide at
/// the left of the top row, its fraction how far (in slide pitches) the rows are
/// scrolled up. Everything on screen follows from it and the properties through
/// one TThumbLayout, which paint, hit testing and the hover outline share. Only
/// the slides that show are requested, so a strip of a million slides paints
/// like one of a hundred.
///
/// The picture of a slide. OnImageRequest receives ImgBuffer, a bitmap the
/// control owns and empties before each request; the handler draws into it or
/// copies its own (cached) picture into it with Assign. An empty buffer means
/// "no image", so irpShowSlide with nothing filled in shows the slide face only.
/// The control never frees or keeps a bitmap of the application's.
///
/// Range. Min is at least 1 and Max at least Min: setting Min above Max raises
/// Max, setting Max below Min lowers Min. While the control is loaded from a
/// form both are stored as they come and the rule is applied in Loaded, so a
/// stored Min 200 / Max 300 loads as written whatever the order of the two.
/// The selection holds one bit a slide (bit k: slide Min + k), at least one.
///
/// Choices of this implementation:
///  - Columns follow the control's width at once (not only at the next paint),
///    so SetFirstThumbIx and the hit test agree with what the next paint shows.
///  - ssmMultiple: a click selects the slide alone and makes it the anchor;
///    Ctrl+click toggles it (and makes it the anchor); Shift+click selects the
///    slides from the anchor to it, adding to the selection with Ctrl held too.
///  - AntiAlias scales the pictures with the area-averaging (halftone) stretch.
///  - FirstSelectedSlide is 0 (no slide) when nothing is selected.
///  - An exception thrown by a handler during paint ends that paint's slides,
///    the frame is still drawn, and the exception goes to the application's
///    handler; the next paint runs normally.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "foundation/Zel_dstruct.h"
#include "foundation/Zel_zelbase.h"
#include "host/ui/Controls.h"

namespace zel {

/// What the strip draws for a slide, chosen by the OnImageRequest handler.
enum TImageRequestProcessing : uint8_t {
  irpShowEmpty,      ///< a white picture area with the slide number
  irpShowSlide,      ///< the picture in ImgBuffer
  irpShowFrameOnly,  ///< the slide face and frame only
  irpShowNothing     ///< no slide face at all (marks and OnSlideRendered still run)
};
/// Whether clicks select no slide, one slide, or several (see the choices above).
enum TSlideSelectMode : uint8_t { ssmDisabled, ssmSingle, ssmMultiple };

/// Asked for the picture of slide ThumbID while the strip paints; HowToProcess
/// starts as irpShowEmpty, ImgBuffer empty. MarkIt: -1 for no mark, else a mark
/// kind of DrawMarkOnCanvas, drawn in ColorMark at the slide's top left.
using TImageRequestEvent =
    std::function<void(host::TObject* Sender, int ThumbID, TImageRequestProcessing& HowToProcess,
                       int& MarkIt, host::TBitmap* ImgBuffer)>;
/// After a slide is drawn: the canvas and the top-left corner (X, Y) of its box,
/// for drawing over it.
using TSlideRenderedEvent =
    std::function<void(host::TObject* Sender, host::TCanvas* Canvas, int X, int Y, int ThumbID)>;
/// A click at (X, Y) in client pixels on slide ThumbID (0 for no slide).
using TImageClickEvent = std::function<void(host::TObject* Sender, int X, int Y, int ThumbID)>;

/// Where everything is, for the current properties and scroll position.
struct TThumbLayout {
  /// The control's size and the slide geometry (SlideSize, SlideMargin,
  /// SlideDistance).
  ///@{
  int Width = 0, Height = 0;
  int Size = 0, Margin = 0, Distance = 0;
  ///@}
  int Pitch = 0;     ///< Size + Distance + 2 * Margin
  int Cols = 1;      ///< (Width + Distance - 20) div Pitch, at least 1
  int Rows = 0;      ///< Height div Pitch + 1: the rows that can show, partly or whole
  int First = 1;     ///< the slide at the left of the top row
  int ScrollUp = 0;  ///< pixels the rows are scrolled up: Round(frac * Pitch)
  /// The range of slide numbers.
  ///@{
  int Min = 1, Max = 1;
  ///@}
  /// Side of a slide's outer box: Size plus the margins.
  int Box() const { return Size + 2 * Margin; }
  /// Top-left of a slide's outer box (its right and bottom are + Box()).
  host::TPoint SlidePos(int SldNum) const;
  /// The slide under a point; 0 in gaps, borders and outside Min..Max.
  int SlideAt(int X, int Y) const;
  /// True when some of the slide lies between the 10-pixel strips.
  bool SlideShows(int SldNum) const;
};

/// A scrollable grid of numbered slides whose pictures the application supplies.
class TThumbnails : public host::TGraphicControl {
 public:
  /// Creates the control with its defaults; AOwner frees it.
  explicit TThumbnails(host::TComponent* AOwner);
  /// Frees the picture buffer.
  ~TThumbnails() override;

  // --- range and scrolling
  /// The range of slide numbers (default 1..100); see the state model. SetFMax
  /// is the historical name of SetMax.
  ///@{
  int Min() const { return FMin; }
  void SetMin(int v);
  int Max() const { return FMax; }
  void SetFMax(int v);
  void SetMax(int v) { SetFMax(v); }
  ///@}
  /// The scroll position (default 1); see the state model.
  double FirstThumbIx() const { return FFirstThumbIx; }
  /// Clamped into Min..Max; scrolls so that the slide's row is at the top,
  /// shifted up by the slide's column share of a pitch.
  void SetFirstThumbIx(double x);

  // --- geometry
  /// Side of a slide's picture area in pixels, 50..Width (default 120).
  /// SetBaseSize is the historical name of the setter.
  ///@{
  int SlideSize() const { return FSlideSize; }
  void SetBaseSize(int v);
  void SetSlideSize(int v) { SetBaseSize(v); }
  ///@}
  ///@{
  /// Room between a slide's box and its picture, 0..100 pixels (default 7).
  int SlideMargin() const { return FSlideMargin; }
  void SetSlideMargin(int v);
  ///@}
  /// Gap between neighbouring slide boxes, 0..100 pixels (default 2).
  /// SetSlideDist is the historical name of the setter.
  ///@{
  int SlideDistance() const { return FSlideDistance; }
  void SetSlideDist(int v);
  void SetSlideDistance(int v) { SetSlideDist(v); }
  ///@}
  /// Slide columns and the rows that can show, as of the last layout.
  ///@{
  int NumSldX() const { return FNumSldX; }
  int NumSldY() const { return FNumSldY; }
  ///@}
  /// The layout for the current properties and scroll position.
  TThumbLayout Layout() const;
  /// The slide under a client point; 0 in gaps, borders and outside Min..Max.
  int CalcSlideIndex(int XPos, int YPos) const { return Layout().SlideAt(XPos, YPos); }
  /// Top-left of a slide's outer box in client pixels.
  void CalcSlidePos(int SldNum, int& XPos, int& YPos) const;

  // --- selection (slides outside Min..Max read false and are not set)
  ///@{
  /// How clicks select slides (default ssmSingle).
  TSlideSelectMode SlideSelectMode() const { return FSlideSelectMode; }
  void SetSlideSelectMode(TSlideSelectMode m);
  ///@}
  ///@{
  /// Whether a slide is selected; setting repaints it.
  bool GetSelectedSlide(int sldnum) const;
  void SetSelectedSlide(int sldnum, bool value);
  ///@}
  /// Unselects every slide.
  void ResetAllSelections();
  /// The lowest selected slide, 0 when none is.
  int FirstSelectedSlide() const;
  /// How many slides are selected.
  int NumSlidesSelected() const { return FSelectedSlide.CountTrueBits(); }
  /// The slide under the pointer's hover outline, 0 for none.
  int FocusedSlide() const { return FLastHiLite; }

  // --- look
  ///@{
  /// Scales pictures with the halftone stretch (default off).
  bool AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(bool v) { Change(FAntiAlias, v); }
  ///@}
  /// Background of the strip (default clBtnFace). SetColorBG is the short name.
  ///@{
  TColor ColorBackGnd() const { return FColorBackGnd; }
  void SetColorBG(TColor c) { Change(FColorBackGnd, c); }
  void SetColorBackGnd(TColor c) { SetColorBG(c); }
  ///@}
  ///@{
  /// Face of an unselected slide (default silver, 0xC0C0C0).
  TColor ColorCover() const { return FColorCover; }
  void SetColorCover(TColor c) { Change(FColorCover, c); }
  ///@}
  ///@{
  /// Face of a selected slide (default navy, 0x800000).
  TColor ColorSelected() const { return FColorSelected; }
  void SetColorSelected(TColor c) { Change(FColorSelected, c); }
  ///@}
  /// Colour of the hover outline (default blue, 0xFF0000). SetColorHilite is the
  /// short name.
  ///@{
  TColor ColorFocus() const { return FColorFocus; }
  void SetColorHilite(TColor c) { Change(FColorFocus, c); }
  void SetColorFocus(TColor c) { SetColorHilite(c); }
  ///@}
  /// Colour of the marks OnImageRequest asks for (default black). SetMarkColor
  /// is the short name.
  ///@{
  TColor ColorMark() const { return FColorMark; }
  void SetMarkColor(TColor c) { Change(FColorMark, c); }
  void SetColorMark(TColor c) { SetMarkColor(c); }
  ///@}
  /// Width of the hover outline, 0..10 pixels (default 1); 0 switches the hover
  /// outline off. SetHiliteThickn is the short name.
  ///@{
  int FocusLinewidth() const { return FFocusLinewidth; }
  void SetHiliteThickn(int v);
  void SetFocusLinewidth(int v) { SetHiliteThickn(v); }
  ///@}
  ///@{
  /// The frame round the control (default frLowered).
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle s) { Change(FFrameStyle, s); }
  ///@}
  ///@{
  /// The frame round each slide's box (default frRaised).
  TFrameStyle OuterFrameStyle() const { return FOuterFrameStyle; }
  void SetOuterFrameStyle(TFrameStyle s) { Change(FOuterFrameStyle, s); }
  ///@}
  ///@{
  /// The frame round each picture (default frLowered).
  TFrameStyle InnerFrameStyle() const { return FInnerFrameStyle; }
  void SetInnerFrameStyle(TFrameStyle s) { Change(FInnerFrameStyle, s); }
  ///@}
  ///@{
  /// Selects the grey and white frame line colours.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme s);
  ///@}

  // --- events
  ///@{
  /// Asked for each slide that shows, at every paint; see TImageRequestEvent.
  const TImageRequestEvent& OnImageRequest() const { return FOnImageRequest; }
  void SetOnImageRequest(TImageRequestEvent e) { FOnImageRequest = std::move(e); }
  ///@}
  ///@{
  /// Raised after each slide is drawn; see TSlideRenderedEvent.
  const TSlideRenderedEvent& OnSlideRendered() const { return FOnSlideRendered; }
  void SetOnSlideRendered(TSlideRenderedEvent e) { FOnSlideRendered = std::move(e); }
  ///@}
  ///@{
  /// Raised before the first and after the last image request of a paint, so a
  /// handler can prepare and release its pictures once per paint.
  const host::TNotifyEvent& OnFirstImageRequest() const { return FOnFirstImageRequest; }
  void SetOnFirstImageRequest(host::TNotifyEvent e) { FOnFirstImageRequest = std::move(e); }
  const host::TNotifyEvent& OnLastImageRequest() const { return FOnLastImageRequest; }
  void SetOnLastImageRequest(host::TNotifyEvent e) { FOnLastImageRequest = std::move(e); }
  ///@}
  ///@{
  /// Raised on a left click (release) and on a double click on the strip.
  const TImageClickEvent& OnImageClick() const { return FOnImageClick; }
  void SetOnImageClick(TImageClickEvent e) { FOnImageClick = std::move(e); }
  const TImageClickEvent& OnImageDblClick() const { return FOnImageDblClick; }
  void SetOnImageDblClick(TImageClickEvent e) { FOnImageDblClick = std::move(e); }
  ///@}
  ///@{
  /// Raised when the hover outline moves to another slide (or off the slides).
  const host::TNotifyEvent& OnFocusChange() const { return FOnFocusChange; }
  void SetOnFocusChange(host::TNotifyEvent e) { FOnFocusChange = std::move(e); }
  ///@}

  /// Copies the settings of another strip (not ColorMark, OnSlideRendered, the
  /// selection mode or the selection) and repaints.
  void Assign(host::TPersistent* Source) override;
  /// Calls Dest->Assign(this) when Dest is of this class; else the host's assignment.
  void AssignTo(host::TPersistent* Dest) override;

  /// The class name, for the host's streaming and type checks.
  std::string ClassName() const override { return "TThumbnails"; }

 protected:
  /// The host control's paint, input and notification handlers, as
  /// this control answers them.
  ///@{
  void Paint() override;
  void Loaded() override;
  void MouseMove(host::TShiftState Shift, int X, int Y) override;
  void WMLButtonUp(host::TWMMouse& Message) override;
  void WMLButtonDblClk(host::TWMMouse& Message) override;
  ///@}

 private:
  // ZEL_Thumbnails.cpp: state and change paths
  int FMin = 1, FMax = 100;
  int FSlideSize = 120, FSlideMargin = 7, FSlideDistance = 2;
  TSlideSelectMode FSlideSelectMode = ssmSingle;
  bool FAntiAlias = false;
  TColor FColorBackGnd = host::clBtnFace;
  TColor FColorCover = 0xC0C0C0, FColorSelected = 0x800000, FColorFocus = 0xFF0000;
  TColor FColorMark = 0x000000;
  int FFocusLinewidth = 1;
  TFrameStyle FFrameStyle = frLowered, FOuterFrameStyle = frRaised, FInnerFrameStyle = frLowered;
  TColorScheme FColorScheme = csmFixed;
  TColor FColBlackLine = 0x000000, FColGrayLine = 0x808080, FColWhiteLine = 0xFFFFFF;
  double FFirstThumbIx = 1.0;
  int FNumSldX = 2, FNumSldY = 0;
  int FLastHiLite = 0;
  int FLastClickedSlide = 0;
  TBitFld FSelectedSlide;
  bool FIsWorking = false;
  std::unique_ptr<host::TBitmap> FBuffer;     // the off-screen picture of the control
  std::unique_ptr<host::TBitmap> FImgBuffer;  // handed to OnImageRequest
  TImageRequestEvent FOnImageRequest;
  TSlideRenderedEvent FOnSlideRendered;
  host::TNotifyEvent FOnFirstImageRequest, FOnLastImageRequest, FOnFocusChange;
  TImageClickEvent FOnImageClick, FOnImageDblClick;

  template <class T>
  void Change(T& field, T v) {
    if (field == v) return;
    field = v;
    Invalidate();
  }
  bool Loading() const { return (ComponentState() & host::csLoading) != 0; }
  // Applies the Min <= Max rule (unless loading) and sizes the selection.
  void RangeChanged(bool MinMoved);
  void ResizeSelection();
  bool InRange(int s) const { return s >= FMin && s <= FMax; }
  // The scroll position SetFirstThumbIx makes of x with `cols` columns.
  double NormalisedPos(double x, int cols) const;

  // ZEL_Thumbnails_paint.cpp
  void PaintSlides(host::TCanvas* c, const TThumbLayout& L);
  void PaintSlide(host::TCanvas* c, const TThumbLayout& L, int s);
  void DrawPicture(host::TCanvas* c, int x0, int y0);
  void DrawEmptyFace(host::TCanvas* c, const TThumbLayout& L, int x0, int y0, int s);
  void HideScrolledEdges(host::TCanvas* c, int Left, int Right) const;
  void DrawFrameStyle(host::TCanvas* c, TFrameStyle st, int l, int t, int r, int b) const;

  // ZEL_Thumbnails_input.cpp
  void HiLite(int s);
  void ResetLastHiLite();
  void DrawOutline(int s, TColor pen);
  void ClickSelect(int s, host::TShiftState Shift);
};

}  // namespace zel
