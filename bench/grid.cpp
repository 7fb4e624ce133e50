// Grid painting at scale: one viewport of a grid of 100,000,000 rows against
// the same viewport of a 100-row grid. Only visible cells are painted and the
// scroll arithmetic is 64-bit, so the two should cost the same; the closing
// line prints the ratio (target: within 1.2).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "host/backend/Headless.h"
#include "host/grid/Grids.h"

namespace {

using namespace host;

// A shown form with one draw grid that writes into each cell a text of the
// same length whatever the row, so both grids draw the same glyphs.
struct TGridBench {
  std::unique_ptr<TForm> Form;
  TDrawGrid* Grid = nullptr;
  explicit TGridBench(int rows) {
    ResetApplication(std::make_unique<THeadlessBackend>());
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 800, 600);
    Grid = new TDrawGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 800, 600);
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

// The console report, keeping each run's CPU time for the closing ratio.
class TTimesReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) CpuTime[r.benchmark_name()] = r.GetAdjustedCPUTime();
  }
  std::map<std::string, double> CpuTime;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TTimesReporter rep;
  benchmark::RunSpecifiedBenchmarks(&rep);
  const double huge = rep.CpuTime["BM_PaintHugeGrid"];
  const double small = rep.CpuTime["BM_PaintHugeGridBaseline"];
  if (huge > 0 && small > 0)
    std::printf("\nviewport of 100,000,000 rows vs 100 rows: %.2fx (target <= 1.2) %s\n",
                huge / small, huge / small <= 1.2 ? "met" : "NOT met");
  benchmark::Shutdown();
  return 0;
}
