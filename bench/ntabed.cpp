// The table editor at scale.
//
// Painting: one viewport of a 1000 x 1000 table against the same viewport of a
// 10 x 10 table that fills it. Only the visible cells are formatted and drawn,
// so the two should cost the same (target: within 1.2).
//
// AutoColWidth measures every row of a column: the time per row should stay
// flat from 100,000 to 1,000,000 rows.
//
// Bulk state operations over 1,000,000 cells make one pass over the state bytes
// (one repaint request and one event); each is set against a plain loop over
// the same bytes (target: within 3).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/backend/Headless.h"
#include "host/ui/Forms.h"
#include "ntabed/ZEL_ntabed.h"

namespace {

using namespace host;
using zel::TNTabEd;

struct TEditorBench {
  std::unique_ptr<TForm> Form;
  TNTabEd* Ed = nullptr;
  int Events = 0;
  TEditorBench(int cols, int rows) {
    ResetApplication(std::make_unique<THeadlessBackend>());
    Form = std::make_unique<TForm>(nullptr);
    // The size a 10 x 10 table fills, so both tables paint the same cells.
    Form->SetBounds(0, 0, 700, 260);
    Ed = new TNTabEd(Form.get());
    Ed->SetParent(Form.get());
    Ed->SetBounds(0, 0, 700, 260);
    Ed->Redimension(cols, rows);
    for (int r = 1; r <= rows; r += std::max(1, rows / 1000))
      for (int c = 1; c <= cols; c += std::max(1, cols / 100)) Ed->SetElem(c, r, r * 0.37 - c);
    Ed->SetOnCellStateChanged([this](TObject*) { ++Events; });
    Ed->SetOnChange([this](TObject*) { ++Events; });
    Form->Show();
    Ed->SetTopRow(rows / 2);
    Ed->SetLeftCol(cols / 2);
    Form->PaintPending();
  }
  void PaintOnce() {
    Ed->Invalidate();
    Form->PaintPending();
  }
};

void Paint(benchmark::State& state, int n) {
  TEditorBench b(n, n);
  for (auto _ : state) b.PaintOnce();
}

void BM_PaintViewport1000x1000(benchmark::State& state) { Paint(state, 1000); }
void BM_PaintViewport10x10(benchmark::State& state) { Paint(state, 10); }
BENCHMARK(BM_PaintViewport1000x1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintViewport10x10)->Unit(benchmark::kMicrosecond);

void BM_AutoColWidth(benchmark::State& state) {
  const int rows = int(state.range(0));
  TEditorBench b(2, rows);
  for (auto _ : state) benchmark::DoNotOptimize(b.Ed->AutoColWidth(1, true, 0));
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_AutoColWidth)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// --- bulk state operations over 1000 x 1000 cells

constexpr int kSide = 1000;

template <typename Op>
void Bulk(benchmark::State& state, Op op) {
  TEditorBench b(kSide, kSide);
  b.Events = 0;
  for (auto _ : state) {
    op(*b.Ed);
    benchmark::ClobberMemory();
  }
  state.counters["events_per_call"] = double(b.Events) / double(state.iterations());
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

void BM_InvertCellStates(benchmark::State& s) {
  Bulk(s, [](TNTabEd& e) { e.InvertCellStates(zel::kcsLocked); });
}
void BM_ExchangeMarkings(benchmark::State& s) {
  Bulk(s, [](TNTabEd& e) { e.ExchangeMarkings(); });
}
void BM_MarkAllElemsA(benchmark::State& s) {
  Bulk(s, [](TNTabEd& e) { e.MarkAllElemsA(); });
}
void BM_FillMarkedCells(benchmark::State& s) {
  Bulk(s, [](TNTabEd& e) { benchmark::DoNotOptimize(e.FillMarkedCells(1.5, zel::kcsMarks)); });
}
BENCHMARK(BM_InvertCellStates)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExchangeMarkings)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MarkAllElemsA)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillMarkedCells)->Unit(benchmark::kMicrosecond);

// The plain loops: the same bytes, no editor around them.
void BM_PlainByteLoop(benchmark::State& state) {
  std::vector<uint8_t> s(size_t(kSide) * kSide, 0);
  for (auto _ : state) {
    for (uint8_t& x : s) x ^= 16;
    benchmark::ClobberMemory();
  }
}
void BM_PlainFillLoop(benchmark::State& state) {
  std::vector<uint8_t> s(size_t(kSide) * kSide, 0);
  std::vector<double> v(s.size(), 0.0);
  for (size_t i = 0; i < s.size(); i += 3) s[i] = 64;
  for (auto _ : state) {
    int n = 0;
    for (size_t i = 0; i < s.size(); ++i)
      if (s[i] & 192) v[i] = 1.5, ++n;
    benchmark::DoNotOptimize(n);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainByteLoop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainFillLoop)->Unit(benchmark::kMicrosecond);

class TTimesReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      CpuTime[r.benchmark_name()] = r.GetAdjustedCPUTime();
      if (r.counters.count("items_per_second"))
        PerItem[r.benchmark_name()] = 1.0 / double(r.counters.at("items_per_second"));
    }
  }
  std::map<std::string, double> CpuTime;
  std::map<std::string, double> PerItem;
};

void PrintRatio(const char* what, double a, double b, double target) {
  if (a <= 0 || b <= 0) return;
  std::printf("%s: %.2fx (target <= %.1f) %s\n", what, a / b, target,
              a / b <= target ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TTimesReporter rep;
  benchmark::RunSpecifiedBenchmarks(&rep);
  auto& t = rep.CpuTime;
  std::printf("\n");
  PrintRatio("viewport of 1000 x 1000 vs 10 x 10", t["BM_PaintViewport1000x1000"],
             t["BM_PaintViewport10x10"], 1.2);
  const double at100k = rep.PerItem["BM_AutoColWidth/100000"];
  const double at1m = rep.PerItem["BM_AutoColWidth/1000000"];
  if (at100k > 0 && at1m > 0) {
    std::printf("AutoColWidth per row: 100,000 rows %.0f ns, 1,000,000 rows %.0f ns\n",
                at100k * 1e9, at1m * 1e9);
    PrintRatio("AutoColWidth per row, 1,000,000 vs 100,000 (linear)", at1m, at100k, 1.5);
  }
  const double bytes = t["BM_PlainByteLoop"];
  PrintRatio("InvertCellStates vs plain loop", t["BM_InvertCellStates"], bytes, 3);
  PrintRatio("ExchangeMarkings vs plain loop", t["BM_ExchangeMarkings"], bytes, 3);
  PrintRatio("MarkAllElemsA vs plain loop", t["BM_MarkAllElemsA"], bytes, 3);
  PrintRatio("FillMarkedCells vs plain loop", t["BM_FillMarkedCells"], t["BM_PlainFillLoop"], 3);
  benchmark::Shutdown();
  return 0;
}
