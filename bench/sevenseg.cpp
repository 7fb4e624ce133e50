// The seven-segment display's two costs: rebuilding the image cache (on a
// resize or a colour change) and painting, which should be no more than a few
// block copies. Both at the default size (216 x 76) and at four times that;
// the closing lines set each paint beside one CopyRect of the control's size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "host/backend/Headless.h"
#include "host/ui/Forms.h"
#include "numeric/ZEL_sevenseg.h"

namespace {

using namespace host;
using zel::TSevenSeg;

constexpr int kW = 216, kH = 76;

// Paint is protected: the benchmark paints the way the loop does.
class TBenchSevenSeg : public TSevenSeg {
 public:
  using TSevenSeg::Paint;
  using TSevenSeg::TSevenSeg;
};

struct TShownDisplay {
  std::unique_ptr<TForm> Form;
  TBenchSevenSeg* Display = nullptr;
  explicit TShownDisplay(int scale) {
    ResetApplication(std::make_unique<THeadlessBackend>());
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, kW * scale + 16, kH * scale + 16);
    Display = new TBenchSevenSeg(Form.get());
    Display->SetParent(Form.get());
    Display->SetBounds(0, 0, kW * scale, kH * scale);
    Display->SetCaption("-9.5:");
    Form->Show();
    Form->PaintPending();
  }
};

// A display without a parent paints nothing: what is timed is the rebuild.
void BM_CacheRebuild(benchmark::State& state) {
  const int scale = int(state.range(0));
  TSevenSeg s(nullptr);
  s.SetBounds(0, 0, kW * scale, kH * scale);
  int n = 0;
  for (auto _ : state) s.SetColorText((n++ & 1) ? clRed : clLime);
}
BENCHMARK(BM_CacheRebuild)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_Paint(benchmark::State& state) {
  TShownDisplay b(int(state.range(0)));
  for (auto _ : state) b.Display->Paint();
}
BENCHMARK(BM_Paint)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

// The floor: one copy of the control's area onto the same form.
void BM_CopyRect(benchmark::State& state) {
  const int scale = int(state.range(0));
  TShownDisplay b(scale);
  TBitmap src(kW * scale, kH * scale);
  const TRect r = Rect(0, 0, kW * scale, kH * scale);
  TCanvas* dst = b.Display->Canvas();
  for (auto _ : state) dst->CopyRect(r, src.Canvas(), r);
}
BENCHMARK(BM_CopyRect)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

// The console report; keeps each run's CPU time for the closing ratios.
class TPaintReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) Cpu[r.benchmark_name()] = r.GetAdjustedCPUTime();
  }
  void PrintPaintRatio(const char* scale) {
    const double paint = Cpu[std::string("BM_Paint/") + scale];
    const double copy = Cpu[std::string("BM_CopyRect/") + scale];
    if (paint > 0 && copy > 0)
      std::printf("paint at %sx size vs one CopyRect of the control: %.2fx\n", scale, paint / copy);
  }

 private:
  std::map<std::string, double> Cpu;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TPaintReporter rep;
  benchmark::RunSpecifiedBenchmarks(&rep);
  std::printf("\n");
  rep.PrintPaintRatio("1");
  rep.PrintPaintRatio("4");
  benchmark::Shutdown();
  return 0;
}
