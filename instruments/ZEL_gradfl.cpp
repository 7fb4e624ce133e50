// TGradFill: construction, settings, painting and Assign.
#include "instruments/ZEL_gradfl.h"

#include <algorithm>

namespace zel {

using namespace host;

TGradFill::TGradFill(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 121, 121); }

void TGradFill::SetColorFirst(TColor c) {
  FColorFirst = c;
  (FColorFlipped ? FColLastOrg : FColFirstOrg) = c;
  Invalidate();
}

void TGradFill::SetColorLast(TColor c) {
  FColorLast = c;
  (FColorFlipped ? FColFirstOrg : FColLastOrg) = c;
  Invalidate();
}

void TGradFill::SetColorFlipped(bool v) {
  FColorFlipped = v;
  FColorFirst = v ? FColLastOrg : FColFirstOrg;
  FColorLast = v ? FColFirstOrg : FColLastOrg;
  Invalidate();
}

void TGradFill::SeTGradType(TGradType t) {
  if (t == FFillType) return;
  StoreAndInvalidate(FFillType, t);
}

void TGradFill::SetNrColors(int n) { StoreAndInvalidate(FNrColors, std::clamp(n, 1, 255)); }
void TGradFill::SetFrameStyle(TFrameStyle s) { StoreAndInvalidate(FFrameStyle, s); }
void TGradFill::SetGridMode(TGridMode m) { StoreAndInvalidate(FGridMode, m); }
void TGradFill::SetGridColor(TColor c) { StoreAndInvalidate(FGridColor, c); }

void TGradFill::PaintGrid(TCanvas* c, const TLayout& l) const {
  c->Pen()->SetColor(FGridColor);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetMode(pmCopy);
  for (int y : l.GridRows) {
    c->MoveTo(0, y);
    c->LineTo(Width(), y);
  }
  for (int x : l.GridCols) {
    c->MoveTo(x, 0);
    c->LineTo(x, Height());
  }
}

void TGradFill::DrawGradient(TBitmap& Bitmap) {
  TCanvas* c = Bitmap.Canvas();
  const TLayout l = Layout();
  for (const TBand& b : l.Bands) {
    c->Brush()->SetColor(b.Color);
    c->FillRect(b.Rect);
  }
  PaintGrid(c, l);
  DrawFrame(c, FFrameStyle, 0, 0, Bitmap.Width() - 1, Bitmap.Height() - 1, 0xFFFFFF, 0xC0C0C0,
            0x808080, 0x000000, 0x000000);
}

void TGradFill::Paint() {
  if (!Parent() || (!Visible() && !(ComponentState() & csDesigning))) return;
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap bmp(Width(), Height());
  DrawGradient(bmp);
  Canvas()->Draw(0, 0, &bmp);
  if (FOnPaint) FOnPaint(this);
}

void TGradFill::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TGradFill*>(Source);
  if (!src) {
    TGraphicControl::Assign(Source);
    return;
  }
  FColorFirst = src->FColorFirst;
  FColorLast = src->FColorLast;
  FColFirstOrg = src->FColFirstOrg;
  FColLastOrg = src->FColLastOrg;
  FColorFlipped = src->FColorFlipped;
  FFillType = src->FFillType;
  FNrColors = src->FNrColors;
  FFrameStyle = src->FFrameStyle;
  FGridMode = src->FGridMode;
  FGridColor = src->FGridColor;
  Invalidate();
}

void TGradFill::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TGradFill*>(Dest))
    dst->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

}  // namespace zel
