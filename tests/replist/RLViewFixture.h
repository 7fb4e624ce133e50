// Shared set-up of the report list view tests: a view on a headless form,
// filled with a small measurement table, and a view that counts its paints.
#pragma once

#include <string>
#include <vector>

#include "replist/ZEL_replist_view.h"
#include "tests/support/Headless.h"

namespace rltest {

// Counts the paints that reach the screen.
class TCountingView : public zel::TReportListView {
 public:
  using TReportListView::TReportListView;
  int Paints = 0;

 protected:
  void Paint() override {
    if (!SuppressPaint()) ++Paints;
    TReportListView::Paint();
  }
};

class RLViewTest : public zeltest::HeadlessTest {
 protected:
  // A view of w x h pixels at the form's origin with the given rows (one
  // string per cell, row by row); the form grows to hold it.
  TCountingView* View(const std::vector<std::vector<std::string>>& rows, int w = 300, int h = 200) {
    Form()->SetBounds(0, 0, w + 20, h + 20);
    auto* v = Make<TCountingView>(0, 0, w, h);
    v->SetNrOfColumns(int(rows.at(0).size()));
    v->SetNrOfRows(int(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c) v->SetElem(int(c) + 1, int(r) + 1, rows[r][c]);
    zeltest::Pump();
    return v;
  }
  // A view of n rows "r1".."rn" in column 1 and n - r + 1 in column 2.
  TCountingView* Numbered(int n, int w = 300, int h = 200) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 1; r <= n; ++r)
      rows.push_back({"r" + std::to_string(r), std::to_string(n - r + 1)});
    return View(rows, w, h);
  }
  // Centre of a cell of data column c, data row r (row -1: the column header).
  static host::TPoint CellPoint(zel::TReportListView* v, int c, int r) {
    const int g = r < 0 ? (v->CommonHeaderVisible() ? 1 : 0) : r + v->HeadCount() - 1;
    const host::TRect cell = v->CellRect(v->GridColOf(c), g);
    return host::TPoint{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
  }
  static void ClickCell(zel::TReportListView* v, int c, int r, host::TShiftState s = 0) {
    const host::TPoint p = CellPoint(v, c, r);
    zeltest::Click(v, p.x, p.y, host::mbLeft, s);
  }
  static std::vector<std::string> Column(zel::TReportListView* v, int c) {
    std::vector<std::string> out;
    for (int r = 1; r <= v->NrOfRows(); ++r) out.push_back(v->Elem(c, r));
    return out;
  }
};

}  // namespace rltest
