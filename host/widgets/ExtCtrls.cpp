#include "host/widgets/ExtCtrls.h"

#include <algorithm>

#include "host/widgets/Look.h"

namespace host {

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle(ControlStyle() | csAcceptsControls | csSetCaption));
  SetColor(clBtnFace);
  SetParentBackground(true);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::Changed() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  if (v == FBevelInner) return;
  FBevelInner = v;
  Changed();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  if (v == FBevelOuter) return;
  FBevelOuter = v;
  Changed();
}

void TCustomPanel::SetBevelWidth(TBevelWidth v) {
  v = std::max(v, 1);
  if (v == FBevelWidth) return;
  FBevelWidth = v;
  Changed();
}

void TCustomPanel::SetBorderWidth(int v) {
  v = std::max(v, 0);
  if (v == FBorderWidth) return;
  FBorderWidth = v;
  Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
  if (v != bsNone) v = bsSingle;
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  Changed();
}

void TCustomPanel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment v) {
  if (v == FVerticalAlignment) return;
  FVerticalAlignment = v;
  Invalidate();
}

void TCustomPanel::SetShowCaption(bool v) {
  if (v == FShowCaption) return;
  FShowCaption = v;
  Invalidate();
}

TRect TCustomPanel::ClientRect() const {
  const int b = FBorderStyle == bsSingle ? 2 : 0;
  return Rect(b, b, std::max(b, Width() - b), std::max(b, Height() - b));
}

namespace {

// Draws one bevel and shrinks r by its width.
void Bevel(TCanvas* c, TRect& r, TBevelCut cut, int width, TColor face) {
  switch (cut) {
    case bvNone:
      return;
    case bvLowered:
      Frame3D(c, r, clBtnShadow, clBtnHighlight, width);
      return;
    case bvRaised:
      Frame3D(c, r, clBtnHighlight, clBtnShadow, width);
      return;
    case bvSpace:
      Frame3D(c, r, face, face, width);
      return;
  }
}

}  // namespace

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  if (FBorderStyle == bsSingle) DrawSunkenEdge(c, r);
  Bevel(c, r, FBevelOuter, FBevelWidth, Color());
  // The border band is the panel's own colour unless the parent shows through.
  if (ParentBackground())
    r = Rect(r.Left + FBorderWidth, r.Top + FBorderWidth, r.Right - FBorderWidth,
             r.Bottom - FBorderWidth);
  else
    Frame3D(c, r, Color(), Color(), FBorderWidth);
  Bevel(c, r, FBevelInner, FBevelWidth, Color());
  if (!ParentBackground()) {
    c->Brush()->SetColor(Color());
    c->FillRect(r);
  }
  if (!FShowCaption || Caption().empty()) return;
  c->SetFont(Font());
  c->Brush()->SetStyle(bsClear);
  uint32_t flags = DT_EXPANDTABS | DT_SINGLELINE;
  flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
  flags |= FVerticalAlignment == taVerticalCenter ? DT_VCENTER
           : FVerticalAlignment == taAlignBottom  ? DT_BOTTOM
                                                  : 0;
  if (Enabled())
    DrawText(c, Caption(), r, flags);
  else
    DrawDisabledText(c, Caption(), r, flags);
}

void TCustomPanel::DefaultHandler(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY) Broadcast(Message);
}

// --- TPaintBox

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 105, 105); }

void TPaintBox::Paint() {
  if (FOnPaint) FOnPaint(this);
}

}  // namespace host
