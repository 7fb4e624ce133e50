// Progress bar paint cost against its value: a value far above Max (a bar left
// counting) must cost no more than a full bar, because paint visits only the
// pixels inside the control. Each mapping is timed at a mid value and at 1e12;
// the closing lines print the ratios (target: within 2x).
#include <cstdio>
#include <string>

#include "bench/support/Bench.h"
#include "instruments/ZEL_ProgBar.h"

namespace {

using namespace host;
using zel::TProgBar;

// A shown form with one bar of the default size, in a mapping (or none).
struct TBarBench : zelbench::TBenchForm {
  TProgBar* Bar = nullptr;
  TBarBench(int mapping, double value) : TBenchForm(320, 60) {
    Bar = Make<TProgBar>(10, 10, 300, 28);
    Bar->SetGridDist(5);
    if (mapping >= 0) {
      Bar->SetColorGrad(true);
      Bar->SetColorMapMode(zel::TColorMapping(mapping));
    }
    Bar->SetPBarValue(value);
    Show();
  }
};

// range(0): the mapping, -1 for one colour; range(1): the value, 0 mid (50),
// 1 far above Max (1e12), 2 full (100).
void BM_Paint(benchmark::State& state) {
  const double values[] = {50.0, 1e12, 100.0};
  TBarBench b(int(state.range(0)), values[state.range(1)]);
  for (auto _ : state) {
    b.Bar->Invalidate();
    b.Form->PaintPending();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Paint)->ArgsProduct({{-1, 0, 1, 2}, {0, 1, 2}});

void PrintSummary(const zelbench::TFigureReporter& rep) {
  const char* names[] = {"one colour", "cover", "stretch", "move"};
  std::printf("Paint at 1e12 against paint at 50, and against a full bar (100)\n");
  for (int m = -1; m <= 2; ++m) {
    const std::string base = "BM_Paint/" + std::to_string(m);
    const std::string name = names[m + 1];
    zelbench::PrintRatio(rep, "  " + name + ", 1e12 vs 50", base + "/1", base + "/0", 2.0);
    zelbench::PrintRatio(rep, "  " + name + ", 1e12 vs full", base + "/1", base + "/2");
  }
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
