// The draw grid's events and the string grid's cell store.
#include "host/grid/Grids.h"

namespace host {

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (FOnDrawCell) FOnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow) {
  bool can = true;
  if (FOnSelectCell) FOnSelectCell(this, ACol, ARow, can);
  return can;
}

void TCustomDrawGrid::TopLeftChanged() {
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

std::string TCustomDrawGrid::GetEditText(int ACol, int ARow) {
  std::string value;
  if (FOnGetEditText) FOnGetEditText(this, ACol, ARow, value);
  return value;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  if (FOnSetEditText) FOnSetEditText(this, ACol, ARow, Value);
}

std::string TStringGrid::Cells(int ACol, int ARow) const {
  auto it = FCells.find({ACol, ARow});
  return it == FCells.end() ? std::string() : it->second;
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& s) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
  if (s.empty())
    FCells.erase({ACol, ARow});
  else
    FCells[{ACol, ARow}] = s;
  InvalidateCell(ACol, ARow);
}

// Cells that fall outside a smaller grid are gone, not kept for a regrowth.
void TStringGrid::SizeChanged(int, int) {
  std::erase_if(FCells, [&](const auto& kv) {
    return kv.first.first >= ColCount() || kv.first.second >= RowCount();
  });
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (DefaultDrawing()) Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
  std::string value = Cells(ACol, ARow);
  if (OnGetEditText()) OnGetEditText()(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

}  // namespace host
