// Progress bar paint cost against its value: a value far above Max (a bar left
// counting) must cost no more than a full bar, because paint visits only the
// pixels inside the control. Each mapping is timed at a mid value and at 1e12;
// the closing lines print the ratios (target: within 2x).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "host/backend/Headless.h"
#include "host/ui/Forms.h"
#include "instruments/ZEL_ProgBar.h"

namespace {

using namespace host;
using zel::TProgBar;

// A shown form with one bar of the default size, in a mapping (or none).
struct TBarBench {
  std::unique_ptr<TForm> Form;
  TProgBar* Bar = nullptr;
  TBarBench(int mapping, double value) {
    ResetApplication(std::make_unique<THeadlessBackend>());
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 320, 60);
    Bar = new TProgBar(Form.get());
    Bar->SetParent(Form.get());
    Bar->SetBounds(10, 10, 300, 28);
    Bar->SetGridDist(5);
    if (mapping >= 0) {
      Bar->SetColorGrad(true);
      Bar->SetColorMapMode(zel::TColorMapping(mapping));
    }
    Bar->SetPBarValue(value);
    Form->Show();
    Form->PaintPending();
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

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> Times;
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) Times[r.benchmark_name()] = r.GetAdjustedCPUTime();
  }
};

void PrintSummary(const std::map<std::string, double>& t) {
  const char* names[] = {"one colour", "cover", "stretch", "move"};
  std::printf("\nPaint at 1e12 against paint at 50 (target <= 2.00x) and at 100 (full bar)\n");
  for (int m = -1; m <= 2; ++m) {
    const std::string base = "BM_Paint/" + std::to_string(m);
    const auto mid = t.find(base + "/0"), far = t.find(base + "/1"), full = t.find(base + "/2");
    if (mid == t.end() || far == t.end() || full == t.end()) continue;
    if (mid->second <= 0 || full->second <= 0) continue;
    const double ratio = far->second / mid->second;
    std::printf("  %-11s ratio %5.2fx%-8s against a full bar %5.2fx\n", names[m + 1], ratio,
                ratio <= 2.0 ? "" : " MISSED", far->second / full->second);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter.Times);
  benchmark::Shutdown();
  return 0;
}
