#include "host/widgets/ScrollBox.h"

#include <algorithm>
#include <vector>

#include "host/widgets/Look.h"

namespace host {

TScrollBox::TScrollBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csCaptureMouse);
  // A bar moves the content to the position it proposes; the bar then shows
  // where the content really stands (clamped).
  FHScroll.SetOnScroll([this](TScrollCode c, int64_t& pos) {
    if (c != scEndScroll) ScrollTo(int(pos), FScrollY);
    pos = FScrollX;
  });
  FVScroll.SetOnScroll([this](TScrollCode c, int64_t& pos) {
    if (c != scEndScroll) ScrollTo(FScrollX, int(pos));
    pos = FScrollY;
  });
  SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  Realign();
  Invalidate();
}

// --- geometry

TPoint TScrollBox::ContentExtent() const {
  TPoint e{};
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (!c->Visible() || c->Align() != alNone) continue;
    e.x = std::max(e.x, c->Left() + c->Width() + FScrollX);
    e.y = std::max(e.y, c->Top() + c->Height() + FScrollY);
  }
  return e;
}

void TScrollBox::NeededScrollBars(bool& h, bool& v) const {
  const TPoint e = ContentExtent();
  const TRect all = ViewArea(false, false);
  const int s = TWindowScrollBar::kThickness;
  // Each bar takes room from the other's direction, so one may bring the other.
  v = e.y > all.Bottom;
  h = e.x > all.Right - (v ? s : 0);
  if (h && !v) v = e.y > all.Bottom - s;
}

TRect TScrollBox::ViewArea(bool withH, bool withV) const {
  const int bw = BorderWidth();
  TRect r = Rect(bw, bw, std::max(Width() - bw, bw), std::max(Height() - bw, bw));
  // The bars' strips come off the inside of the border.
  if (withV) r.Right = TWindowScrollBar::EdgeStrip(r, sbVertical).Left;
  if (withH) r.Bottom = TWindowScrollBar::EdgeStrip(r, sbHorizontal).Top;
  return r;
}

TRect TScrollBox::ClientRect() const {
  bool h, v;
  NeededScrollBars(h, v);
  return ViewArea(h, v);
}

TPoint TScrollBox::MaxScroll() const {
  const TPoint e = ContentExtent();
  const TRect view = ClientRect();
  return Point(std::max(e.x - view.Right, 0), std::max(e.y - view.Bottom, 0));
}

void TScrollBox::LayoutScrollBars() {
  bool h, v;
  NeededScrollBars(h, v);
  const TRect view = ViewArea(h, v);
  const int s = TWindowScrollBar::kThickness;
  FVScroll.SetBounds(v ? Rect(view.Right, view.Top, view.Right + s, view.Bottom) : TRect{});
  FHScroll.SetBounds(h ? Rect(view.Left, view.Bottom, view.Right, view.Bottom + s) : TRect{});
  const TPoint most = MaxScroll();
  FHScroll.SetParams(FScrollX, 0, most.x, std::max(view.Width(), 1));
  FVScroll.SetParams(FScrollY, 0, most.y, std::max(view.Height(), 1));
  FHScroll.SetSmallChange(kWheelStep / 3);
  FVScroll.SetSmallChange(kWheelStep / 3);
}

// --- scrolling

void TScrollBox::ScrollTo(int X, int Y) {
  const TPoint most = MaxScroll();
  X = std::clamp(X, 0, most.x);
  Y = std::clamp(Y, 0, most.y);
  const int dx = X - FScrollX, dy = Y - FScrollY;
  if (dx == 0 && dy == 0) return;
  FScrollX = X;
  FScrollY = Y;
  // A copy: a child's SetBounds runs its own code, which must not change the
  // list under this loop.
  std::vector<TControl*> children;
  for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
  for (TControl* c : children)
    if (c->Align() == alNone) c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
  Invalidate();
}

void TScrollBox::ScrollInView(TControl* AControl) {
  if (!AControl || AControl == this || !ContainsControl(AControl)) return;
  // The control's rectangle in this box's coordinates.
  TRect r = Rect(0, 0, AControl->Width(), AControl->Height());
  for (const TControl* c = AControl; c != this; c = c->Parent())
    r = OffsetRect(r, c->Left(), c->Top());
  const TRect view = ClientRect();
  // The least change that brings lo..hi inside the view; the start wins when
  // both ends cannot show.
  auto least = [](int pos, int lo, int hi, int viewLo, int viewHi) {
    int shift = hi > viewHi ? hi - viewHi : 0;
    if (lo - shift < viewLo) shift = lo - viewLo;
    return pos + shift;
  };
  const int x = least(FScrollX, r.Left, r.Right, view.Left, view.Right);
  const int y = least(FScrollY, r.Top, r.Bottom, view.Top, view.Bottom);
  ScrollTo(x, y);
}

void TScrollBox::Resize() {
  TCustomControl::Resize();
  // A larger box may show past the content's end: scroll back to keep it filled.
  ScrollTo(FScrollX, FScrollY);
  Invalidate();
}

void TScrollBox::WndProc(TMessage& Message) {
  // The form tells the focused control's parents; a control reached with Tab
  // is scrolled into view, as the platform's scroll boxes do.
  if (Message.Msg == CM_FOCUSCHANGED) ScrollInView(reinterpret_cast<TControl*>(Message.LParam));
  TCustomControl::WndProc(Message);
}

// --- paint and input

void TScrollBox::Paint() {
  TCanvas* c = Canvas();
  LayoutScrollBars();
  if (FBorderStyle == bsSingle) {
    TRect r = Rect(0, 0, Width(), Height());
    DrawSunkenEdge(c, r);
  }
  FHScroll.Paint(c);
  FVScroll.Paint(c);
  if (FHScroll.Shown() && FVScroll.Shown()) {
    const TRect v = FVScroll.Bounds(), h = FHScroll.Bounds();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(v.Left, h.Top, v.Right, h.Bottom));
  }
}

void TScrollBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    LayoutScrollBars();
    if (FVScroll.MouseDown(X, Y) || FHScroll.MouseDown(X, Y)) return;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TScrollBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (FVScroll.MouseMove(X, Y) || FHScroll.MouseMove(X, Y)) return;
  TCustomControl::MouseMove(Shift, X, Y);
}

void TScrollBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && (FVScroll.MouseUp(X, Y) || FHScroll.MouseUp(X, Y))) return;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TScrollBox::WheelScroll(TShiftState Shift, int notches) {
  const TPoint most = MaxScroll();
  const bool sideways = (Shift & ssShift) || most.y == 0;
  const int oldX = FScrollX, oldY = FScrollY;
  if (sideways)
    ScrollTo(FScrollX + notches * kWheelStep, FScrollY);
  else
    ScrollTo(FScrollX, FScrollY + notches * kWheelStep);
  return FScrollX != oldX || FScrollY != oldY || (sideways ? most.x : most.y) > 0;
}

bool TScrollBox::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  return TCustomControl::DoMouseWheelDown(Shift, MousePos) || WheelScroll(Shift, 1);
}

bool TScrollBox::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  return TCustomControl::DoMouseWheelUp(Shift, MousePos) || WheelScroll(Shift, -1);
}

}  // namespace host
