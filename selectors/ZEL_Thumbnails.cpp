#include "selectors/ZEL_Thumbnails.h"

#include <algorithm>

namespace zel {

using namespace host;

TThumbnails::TThumbnails(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FBuffer(std::make_unique<TBitmap>()),
      FImgBuffer(std::make_unique<TBitmap>()) {
  SetBounds(Left(), Top(), 260, 400);
  ResizeSelection();
}

TThumbnails::~TThumbnails() = default;

// --- range and scrolling

void TThumbnails::ResizeSelection() { FSelectedSlide.SetSize(FMax - FMin + 1); }

void TThumbnails::RangeChanged(bool MinMoved) {
  if (!Loading() && FMin > FMax) {
    if (MinMoved)
      FMax = FMin;
    else
      FMin = FMax;
  }
  ResizeSelection();
  Invalidate();
}

void TThumbnails::SetMin(int v) {
  v = std::max(1, v);
  if (v == FMin) return;
  FMin = v;
  RangeChanged(true);
}

void TThumbnails::SetFMax(int v) {
  v = std::max(1, v);
  if (v == FMax) return;
  FMax = v;
  RangeChanged(false);
}

void TThumbnails::Loaded() {
  TGraphicControl::Loaded();
  if (FMin > FMax) FMax = FMin;
  ResizeSelection();
  Invalidate();
}

double TThumbnails::NormalisedPos(double x, int cols) const {
  x = std::clamp(x, double(FMin), double(FMax));
  // c: the first slide of x's row.
  const double c = double(cols) * double(Trunc(x - 1) / cols) + 1;
  return c + (x - c) / cols;
}

void TThumbnails::SetFirstThumbIx(double x) {
  const double pos = NormalisedPos(x, Layout().Cols);
  if (pos == FFirstThumbIx) return;
  FFirstThumbIx = pos;
  Invalidate();
}

// --- geometry and look

void TThumbnails::SetBaseSize(int v) {
  // The width wins over the lower bound on a control narrower than 50; a
  // slide never shrinks below one pixel, even on a control of no width.
  v = std::max(1, std::min(std::max(v, 50), Width()));
  Change(FSlideSize, v);
}

void TThumbnails::SetSlideMargin(int v) { Change(FSlideMargin, std::clamp(v, 0, 100)); }

void TThumbnails::SetSlideDist(int v) { Change(FSlideDistance, std::clamp(v, 0, 100)); }

void TThumbnails::SetHiliteThickn(int v) { Change(FFocusLinewidth, std::clamp(v, 0, 10)); }

void TThumbnails::SetColorScheme(TColorScheme s) {
  if (s == FColorScheme) return;
  FColorScheme = s;
  FColGrayLine = s == csmFixed ? TColor(0x808080) : clBtnShadow;
  FColWhiteLine = s == csmFixed ? TColor(0xFFFFFF) : clBtnHighlight;
  Invalidate();
}

// --- selection

void TThumbnails::SetSlideSelectMode(TSlideSelectMode m) {
  if (m == FSlideSelectMode) return;
  FSlideSelectMode = m;
  FSelectedSlide.Clear();
  Invalidate();
}

bool TThumbnails::GetSelectedSlide(int sldnum) const {
  return InRange(sldnum) && FSelectedSlide.GetBit(sldnum - FMin);
}

void TThumbnails::SetSelectedSlide(int sldnum, bool value) {
  if (!InRange(sldnum)) return;
  FSelectedSlide.SetBit(sldnum - FMin, value);
  Invalidate();
}

void TThumbnails::ResetAllSelections() {
  FSelectedSlide.Clear();
  Invalidate();
}

int TThumbnails::FirstSelectedSlide() const {
  const int bit = FSelectedSlide.FirstTrueBit();
  return bit < 0 ? 0 : bit + FMin;
}

// --- copying

void TThumbnails::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TThumbnails*>(Source);
  if (!src) {
    TGraphicControl::Assign(Source);
    return;
  }
  FFrameStyle = src->FFrameStyle;
  FOuterFrameStyle = src->FOuterFrameStyle;
  FInnerFrameStyle = src->FInnerFrameStyle;
  FColorBackGnd = src->FColorBackGnd;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FColorScheme = src->FColorScheme;
  FFirstThumbIx = src->FFirstThumbIx;
  FMin = src->FMin;
  FMax = src->FMax;
  FNumSldX = src->FNumSldX;
  FNumSldY = src->FNumSldY;
  FSlideSize = src->FSlideSize;
  FSlideDistance = src->FSlideDistance;
  FSlideMargin = src->FSlideMargin;
  FOnImageRequest = src->FOnImageRequest;
  FOnImageClick = src->FOnImageClick;
  FOnImageDblClick = src->FOnImageDblClick;
  FOnFocusChange = src->FOnFocusChange;
  FOnFirstImageRequest = src->FOnFirstImageRequest;
  FOnLastImageRequest = src->FOnLastImageRequest;
  FAntiAlias = src->FAntiAlias;
  FColorCover = src->FColorCover;
  FColorSelected = src->FColorSelected;
  FColorFocus = src->FColorFocus;
  FLastHiLite = src->FLastHiLite;
  FFocusLinewidth = src->FFocusLinewidth;
  ResizeSelection();
  Invalidate();
}

void TThumbnails::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TThumbnails*>(Dest)) {
    dst->Assign(this);
    return;
  }
  TGraphicControl::AssignTo(Dest);
}

}  // namespace zel
