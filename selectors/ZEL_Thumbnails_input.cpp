// The mouse: the hover outline (drawn straight onto the control's canvas, so
// moving the pointer never repaints the strip) and the clicks that select.
#include <algorithm>

#include "selectors/ZEL_Thumbnails.h"

namespace zel {

using namespace host;

void TThumbnails::DrawOutline(int s, TColor pen) {
  const TThumbLayout L = Layout();
  // A slide scrolled out of view (or gone with a changed range) has no
  // outline to draw or remove.
  if (!L.SlideShows(s)) return;
  TCanvas* c = Canvas();
  const TPoint p = L.SlidePos(s);
  const int W = Width(), H = Height();
  const int x = p.x + 2, y = std::max(p.y + 2, 2);
  const int bottom = std::min(H - 3, p.y + L.Box() - 2);
  c->Pen()->SetColor(pen);
  c->Pen()->SetWidth(1);
  for (int k = 1; k <= FFocusLinewidth; ++k)
    DrawRectangle(c, x + k - 1, y + k - 1, p.x + L.Box() - k - 1, bottom - k + 1);
  c->Pen()->SetColor(FColorBackGnd);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(FColorBackGnd);
  c->Rectangle(2, 2, W - 2, 10);
  c->Rectangle(2, H - 10, W - 2, H - 2);
}

void TThumbnails::HiLite(int s) { DrawOutline(s, FColorFocus); }

void TThumbnails::ResetLastHiLite() {
  DrawOutline(FLastHiLite, GetSelectedSlide(FLastHiLite) ? FColorSelected : FColorCover);
}

void TThumbnails::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FFocusLinewidth == 0) return;
  const int s = CalcSlideIndex(X, Y);
  if (s == FLastHiLite) return;
  ResetLastHiLite();
  HiLite(s);
  FLastHiLite = s;
  if (FOnFocusChange) FOnFocusChange(this);
}

void TThumbnails::ClickSelect(int s, TShiftState Shift) {
  if (FSlideSelectMode == ssmSingle) {
    FSelectedSlide.Clear();
    if (s != 0) SetSelectedSlide(s, true);
    FLastClickedSlide = s;
    Invalidate();
    return;
  }
  if (FSlideSelectMode != ssmMultiple) return;
  const bool ctrl = (Shift & ssCtrl) != 0, shift = (Shift & ssShift) != 0;
  if (shift && InRange(FLastClickedSlide) && s != 0) {
    if (!ctrl) FSelectedSlide.Clear();
    for (int k = std::min(s, FLastClickedSlide); k <= std::max(s, FLastClickedSlide); ++k)
      FSelectedSlide.SetBit(k - FMin, true);
  } else if (ctrl) {
    if (s != 0) SetSelectedSlide(s, !GetSelectedSlide(s));
    FLastClickedSlide = s;
  } else {
    FSelectedSlide.Clear();
    if (s != 0) FSelectedSlide.SetBit(s - FMin, true);
    FLastClickedSlide = s;
  }
  Invalidate();
}

void TThumbnails::WMLButtonUp(TWMMouse& Message) {
  TGraphicControl::WMLButtonUp(Message);
  if (Message.XPos == -1 && Message.YPos == -1) return;
  const int s = CalcSlideIndex(Message.XPos, Message.YPos);
  ClickSelect(s, KeysToShiftState(Message.Keys));
  if (FOnImageClick) FOnImageClick(this, Message.XPos, Message.YPos, s);
}

void TThumbnails::WMLButtonDblClk(TWMMouse& Message) {
  TGraphicControl::WMLButtonDblClk(Message);
  if (FOnImageDblClick)
    FOnImageDblClick(this, Message.XPos, Message.YPos, CalcSlideIndex(Message.XPos, Message.YPos));
}

}  // namespace zel
