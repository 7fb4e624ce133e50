// Meter drawing costs at the default size (297 x 209): one Value change (the
// whole meter redrawn into a fresh bitmap and copied to the form), the same
// with bands and both needles, and an unchanged Value; against one CopyRect of
// a bitmap of the meter's size onto the form. The summary prints each repaint's
// ratio to the copy beside its target of 20x.
#include <cstdio>
#include <string>

#include "bench/support/Bench.h"
#include "instruments/ZEL_Meter.h"

namespace {

using namespace host;
using zel::TMeter;

constexpr int kW = 297, kH = 209;

struct TMeterBench : zelbench::TBenchForm {
  TMeter* Meter = nullptr;
  explicit TMeterBench(bool dressed) : TBenchForm(kW + 20, kH + 20) {
    Meter = Make<TMeter>(0, 0, kW, kH);
    Show();
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

void PrintSummary(const zelbench::TFigureReporter& rep) {
  std::printf("CPU time per repaint / one CopyRect of %dx%d\n", kW, kH);
  for (const std::string name : {"BM_ValueChange", "BM_ValueChangeBandsTwoNeedles"})
    zelbench::PrintRatio(rep, "  " + name, name, "BM_CopyRect", 20);
  zelbench::PrintRatio(rep, "  BM_EqualValue", "BM_EqualValue", "BM_CopyRect");
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
