// Meter drawing costs at the default size (297 x 209): one Value change (the
// whole meter redrawn into a fresh bitmap and copied to the form), the same
// with bands and both needles, and an unchanged Value; against one CopyRect of
// a bitmap of the meter's size onto the form. The summary prints each repaint's
// ratio to the copy beside its target of 20x.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "host/backend/Headless.h"
#include "host/ui/Forms.h"
#include "instruments/ZEL_Meter.h"

namespace {

using namespace host;
using zel::TMeter;

constexpr int kW = 297, kH = 209;

struct TMeterBench {
  std::unique_ptr<TForm> Form;
  TMeter* Meter = nullptr;
  explicit TMeterBench(bool dressed) {
    ResetApplication(std::make_unique<THeadlessBackend>());
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, kW + 20, kH + 20);
    Meter = new TMeter(Form.get());
    Meter->SetParent(Form.get());
    Meter->SetBounds(0, 0, kW, kH);
    Form->Show();
    Form->PaintPending();
    if (!dressed) return;
    Meter->SetLowThreshold(0.2);
    Meter->SetHighThreshold(0.8);
    Meter->SetScaleBkWidth(10);
    Meter->SetScaleBkVis(true);
    Meter->SetUnitLabel("Volt");
    Meter->NeedleLayout()->SetShadowDx(2);
    Meter->NeedleLayout()->SetShadowDy(-2);
    Meter->NeedleLayoutSec()->SetVisible(true);
    Meter->SetValue2(0.3);
  }
};

void ValueChanges(benchmark::State& state, bool dressed) {
  TMeterBench b(dressed);
  int i = 0;
  for (auto _ : state) b.Meter->SetValue((i++ % 100) / 100.0);
}

void BM_ValueChange(benchmark::State& state) { ValueChanges(state, false); }
BENCHMARK(BM_ValueChange);

void BM_ValueChangeBandsTwoNeedles(benchmark::State& state) { ValueChanges(state, true); }
BENCHMARK(BM_ValueChangeBandsTwoNeedles);

void BM_EqualValue(benchmark::State& state) {
  TMeterBench b(false);
  b.Meter->SetValue(0.5);
  for (auto _ : state) b.Meter->SetValue(0.5);
}
BENCHMARK(BM_EqualValue);

// The floor of any repaint: one copy of a bitmap of the meter's size onto the
// form's canvas.
void BM_CopyRect(benchmark::State& state) {
  TMeterBench b(false);
  TBitmap src(kW, kH);
  TCanvas* dst = b.Meter->Canvas();
  for (auto _ : state) dst->CopyRect(Rect(0, 0, kW, kH), src.Canvas(), Rect(0, 0, kW, kH));
}
BENCHMARK(BM_CopyRect);

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> Times;
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) Times[r.benchmark_name()] = r.GetAdjustedCPUTime();
  }
};

void PrintSummary(const std::map<std::string, double>& t) {
  const auto copy = t.find("BM_CopyRect");
  if (copy == t.end() || copy->second <= 0) return;
  std::printf("\nSummary (CPU time per repaint / one CopyRect of %dx%d; target 20x)\n", kW, kH);
  for (const char* name : {"BM_ValueChange", "BM_ValueChangeBandsTwoNeedles", "BM_EqualValue"}) {
    const auto a = t.find(name);
    if (a == t.end()) continue;
    const double ratio = a->second / copy->second;
    std::printf("  %-30s %8.2fx%s\n", name, ratio, ratio <= 20 ? "" : "  MISSED");
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
