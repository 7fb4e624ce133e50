// The seven-segment display's two costs: rebuilding the image cache (on a
// resize or a colour change) and painting, which should be no more than a few
// block copies. Both at the default size (216 x 76) and at four times that;
// the closing lines set each paint beside one CopyRect of the control's size.
#include <string>

#include "bench/support/Bench.h"
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

struct TShownDisplay : zelbench::TBenchForm {
  TBenchSevenSeg* Display = nullptr;
  explicit TShownDisplay(int scale) : TBenchForm(kW * scale + 16, kH * scale + 16) {
    Display = Make<TBenchSevenSeg>(0, 0, kW * scale, kH * scale);
    Display->SetCaption("-9.5:");
    Show();
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

void PrintSummary(const zelbench::TFigureReporter& rep) {
  for (const std::string scale : {"1", "4"})
    zelbench::PrintRatio(rep, "paint at " + scale + "x size vs one CopyRect of the control",
                         "BM_Paint/" + scale, "BM_CopyRect/" + scale);
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
