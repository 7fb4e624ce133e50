// TMarkSel: construction, settings, mark visibility and Assign.
#include "instruments/ZEL_marksel.h"

namespace zel {

using namespace host;

namespace {

constexpr int kMaxGrid = 51;  // columns and rows accepted: 1..kMaxGrid

bool IsMark(int Index) { return Index >= 0 && Index < kNumMarks; }

}  // namespace

TMarkSel::TMarkSel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FVisible.fill(true);
  SetBounds(0, 0, 236, 178);
}

void TMarkSel::SetNrCols(int n) {
  if (n >= 1 && n <= kMaxGrid) Change(FNrOfColumns, n);
}

void TMarkSel::SetNrRows(int n) {
  if (n >= 1 && n <= kMaxGrid) Change(FNrOfRows, n);
}

void TMarkSel::SetSelected(int m) {
  if (m >= -1 && m < kNumMarks) Change(FSelected, m);
}

void TMarkSel::SetZeroAsCross(bool v) {
  FShowZeroAsCross = v;
  Invalidate();
}

bool TMarkSel::GetVis(int Index) const { return FVisible[size_t(IsMark(Index) ? Index : 0)]; }

void TMarkSel::SetVis(int Index, bool Value) {
  if (Index < 1 || Index >= kNumMarks) return;
  FVisible[size_t(Index)] = Value;
  Paint();
}

void TMarkSel::SetAllVis(bool v) {
  for (int i = 1; i < kNumMarks; ++i) FVisible[size_t(i)] = v;
  Paint();
}

void TMarkSel::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TMarkSel*>(Source);
  if (!src) {
    TGraphicControl::Assign(Source);
    return;
  }
  FNrOfColumns = src->FNrOfColumns;
  FNrOfRows = src->FNrOfRows;
  FSelected = src->FSelected;
  FShowZeroAsCross = src->FShowZeroAsCross;
  FColorBackGnd = src->FColorBackGnd;
  FColorMarks = src->FColorMarks;
  FColorSelBG = src->FColorSelBG;
  FColorSelFG = src->FColorSelFG;
  FColorHiLiteBG = src->FColorHiLiteBG;
  FColorHiLiteSymbol = src->FColorHiLiteSymbol;
  FFrameStyle = src->FFrameStyle;
  FVisible = src->FVisible;
  Paint();
}

void TMarkSel::AssignTo(TPersistent* Dest) {
  if (auto* dst = dynamic_cast<TMarkSel*>(Dest))
    dst->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

}  // namespace zel
