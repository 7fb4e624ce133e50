// TRotLab: construction, settings, re-centring and Assign.
#include "labels/ZEL_RotLab.h"

#include "host/ui/Themes.h"

namespace zel {

using namespace host;

TRotLab::TRotLab(TComponent* AOwner) : TCustomLabel(AOwner) {
  SetAutoSize(false);
  TCustomLabel::SetTransparent(true);
  TCustomLabel::SetColor(clBtnFace);
  Font()->SetName("Arial");
  Font()->SetSize(11);
  SetBounds(0, 0, 200, 200);
}

void TRotLab::Redraw() {
  if (Transparent())
    Invalidate();
  else
    Paint();
}

template <class T>
void TRotLab::Change(T& field, const T& v) {
  if (field == v) return;
  field = v;
  Redraw();
}

void TRotLab::SetTextAngle(int v) { Change(FTextAngle, v); }
void TRotLab::SetAlignment(TAlignment v) { Change(FAlignment, v); }
void TRotLab::SetAntiAlias(bool v) { Change(FAntiAlias, v); }
void TRotLab::SetFrameStyle(TFrameStyle v) { Change(FFrameStyle, v); }

void TRotLab::SetTransparent(bool v) {
  if (v == Transparent()) return;
  TCustomLabel::SetTransparent(v);
  Redraw();
}

void TRotLab::SetColor(TColor c) {
  if (c == Color()) return;
  if (StyleServices()->Enabled() && (StyleElements() & seClient))
    c = StyleServices()->GetStyleColor(scWindow);
  TCustomLabel::SetColor(c);
  Redraw();
}

void TRotLab::Recenter() {
  FPosX = Width() / 2;
  FPosY = Height() / 2;
}

void TRotLab::SetAutoCenter(bool v) {
  if (v == FAutoCenter) return;
  FAutoCenter = v;
  if (v) Recenter();
  Redraw();
}

// With AutoCenter a new coordinate only re-centres the anchor.
void TRotLab::MoveAnchor(int& field, int v) {
  if (v == field) return;
  if (FAutoCenter)
    Recenter();
  else
    field = v;
  Redraw();
}

void TRotLab::SetPosX(int v) { MoveAnchor(FPosX, v); }
void TRotLab::SetPosY(int v) { MoveAnchor(FPosY, v); }

void TRotLab::Resize() {
  if (Parent() && FAutoCenter) {
    Recenter();
    Redraw();
  }
  TCustomLabel::Resize();
}

void TRotLab::SetParent(TWinControl* AParent) {
  TCustomLabel::SetParent(AParent);
  if (AParent && FAutoCenter) Recenter();
}

void TRotLab::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TRotLab*>(Source);
  if (!src) {
    TCustomLabel::Assign(Source);
    return;
  }
  FAutoCenter = src->FAutoCenter;
  FFrameStyle = src->FFrameStyle;
  FTextAngle = src->FTextAngle;
  FPosX = src->FPosX;
  FPosY = src->FPosY;
  FAntiAlias = src->FAntiAlias;
  Invalidate();
}

void TRotLab::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TRotLab*>(Dest))
    dst->Assign(this);
  else
    TCustomLabel::AssignTo(Dest);
}

}  // namespace zel
