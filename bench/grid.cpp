// Grid painting at scale: one viewport of a grid of 100,000,000 rows against
// the same viewport of a 100-row grid. Only visible cells are painted and the
// scroll arithmetic is 64-bit, so the two should cost the same; the closing
// line prints the ratio (target: within 1.2).
//
// Hiding rows at scale: a filter hides every other row of N by height 0, the
// grid clamping its scroll position after each, then asks one question of the
// result. The time per row should stay flat from a thousand rows to a million.
#include <cstdio>
#include <string>

#include "bench/support/Bench.h"
#include "host/grid/Grids.h"

namespace {

using namespace host;

// A shown form with one draw grid that writes into each cell a text of the
// same length whatever the row, so both grids draw the same glyphs.
struct TGridBench : zelbench::TBenchForm {
  TDrawGrid* Grid = nullptr;
  explicit TGridBench(int rows) : TBenchForm(800, 600) {
    Grid = Make<TDrawGrid>(0, 0, 800, 600);
    Grid->SetColCount(12);
    Grid->SetRowCount(rows);
    // A few individually sized rows, spread over the whole grid.
    for (int i = 1; i < rows; i += rows / 8) Grid->SetRowHeights(i, 30);
    Grid->SetOnDrawCell([this](TObject*, int c, int r, TRect rc, TGridDrawState) {
      Grid->Canvas()->TextRect(rc, rc.Left + 2, rc.Top + 2,
                               std::to_string(c) + ":" + std::to_string(r % 100));
    });
    Form->Show();
    Grid->SetTopRow(rows / 2);
    Form->PaintPending();
  }
  void PaintOnce() {
    Grid->Invalidate();
    Form->PaintPending();
  }
};

void Paint(benchmark::State& state, int rows) {
  TGridBench b(rows);
  for (auto _ : state) b.PaintOnce();
  state.SetItemsProcessed(state.iterations());
}

void BM_PaintHugeGrid(benchmark::State& state) { Paint(state, 100000000); }
void BM_PaintHugeGridBaseline(benchmark::State& state) { Paint(state, 100); }

BENCHMARK(BM_PaintHugeGrid)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintHugeGridBaseline)->Unit(benchmark::kMicrosecond);

void BM_HideEveryOtherRow(benchmark::State& state) {
  const int rows = int(state.range(0));
  TGridBench b(rows);
  for (auto _ : state) {
    state.PauseTiming();
    b.Grid->SetDefaultRowHeight(24);  // every row shown again
    state.ResumeTiming();
    // From the bottom up: the order that costs most when each set moves the
    // offsets of all the sized rows after it.
    for (int i = rows - 1; i >= 1; i -= 2) b.Grid->SetRowHeights(i, 0);
    b.Grid->SetTopRow(rows / 2);
    benchmark::DoNotOptimize(b.Grid->VisibleRowCount());
  }
  state.SetItemsProcessed(state.iterations() * rows);
}

BENCHMARK(BM_HideEveryOtherRow)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

void PrintSummary(const zelbench::TFigureReporter& rep) {
  zelbench::PrintRatio(rep, "viewport of 100,000,000 rows vs 100 rows", "BM_PaintHugeGrid",
                       "BM_PaintHugeGridBaseline", 1.2);
  const double first = rep.PerItem("BM_HideEveryOtherRow/1000");
  const double last = rep.PerItem("BM_HideEveryOtherRow/1000000");
  if (first <= 0 || last <= 0) return;
  std::printf("hiding every other row, time per row:");
  for (const char* n : {"1000", "10000", "100000", "1000000"})
    std::printf(" %s: %.0f ns", n, rep.PerItem(std::string("BM_HideEveryOtherRow/") + n) * 1e9);
  std::printf("\n1,000,000 rows vs 1,000 rows per row: %.2fx (flat: target <= 3) %s\n",
              last / first, last / first <= 3 ? "met" : "NOT met");
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
