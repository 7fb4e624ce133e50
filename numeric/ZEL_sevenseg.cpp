// TSevenSeg: construction, settings, resizing and Assign.
#include <algorithm>

#include "numeric/ZEL_sevenseg.h"

namespace zel {

using namespace host;

TSevenSeg::TSevenSeg(TComponent* AOwner) : TFramedControl(AOwner, frLowered) {
  SetText("8.8.8.8.");
  SetBounds(0, 0, 216, 76);
  if (SizeChanged()) RebuildCache();  // the host's initial size may already be ours
}

TSevenSeg::~TSevenSeg() = default;

template <class T>
void TSevenSeg::ChangeCached(T& field, T v) {
  if (field == v) return;
  field = v;
  RebuildCache();
  Redraw();
}

void TSevenSeg::SetNumDigits(int n) {
  if (n >= 1 && n <= 32) ChangeCached(FNumDigits, n);
}
void TSevenSeg::SetColorText(TColor c) { ChangeCached(FColorText, c); }
void TSevenSeg::SetColorBackGnd(TColor c) { ChangeCached(FColorBackGnd, c); }
void TSevenSeg::SetMargin(int m) {
  ChangeCached(FMargin, std::max(0, std::min(m, Height() / 2 - 1)));
}
void TSevenSeg::SetInterDigDist(int d) { ChangeCached(FInterDigDist, std::clamp(d, 0, 255)); }

void TSevenSeg::Resize() {
  if (SizeChanged()) {
    RebuildCache();
    Redraw();
  }
  TFramedControl::Resize();
}

void TSevenSeg::CMTextChanged(TMessage&) { Redraw(); }

void TSevenSeg::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSevenSeg*>(Source);
  if (!src) {
    TFramedControl::Assign(Source);
    return;
  }
  FColorBackGnd = src->FColorBackGnd;
  FColorText = src->FColorText;
  FNumDigits = src->FNumDigits;
  AssignFrame(*src);
  FMargin = src->FMargin;
  FInterDigDist = src->FInterDigDist;
  RebuildCache();
  SetText(src->Caption());
  Invalidate();
}

void TSevenSeg::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TSevenSeg*>(Dest))
    dst->Assign(this);
  else
    TFramedControl::AssignTo(Dest);
}

}  // namespace zel
