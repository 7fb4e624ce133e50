// Thumbnail strip paint cost against its number of slides: only the slides
// that show are requested and drawn, so a strip of 1,000,000 slides scrolled
// to its middle must paint within 1.2x of a strip of 100. The handler draws a
// small picture into the strip's buffer for every request, as an application
// would, and the closing lines print the ratio.
#include <cstdio>

#include "bench/support/Bench.h"
#include "selectors/ZEL_Thumbnails.h"

namespace {

using namespace host;
using zel::TThumbnails;

struct TStripBench : zelbench::TBenchForm {
  TThumbnails* Strip = nullptr;
  long Requests = 0;
  TStripBench(int slides, bool antiAlias) : TBenchForm(480, 420) {
    Strip = Make<TThumbnails>(10, 10, 420, 400);
    Strip->SetFMax(slides);
    Strip->SetAntiAlias(antiAlias);
    Strip->SetFirstThumbIx(slides / 2);
    Strip->SetOnImageRequest(
        [this](TObject*, int s, zel::TImageRequestProcessing& how, int&, TBitmap* img) {
          ++Requests;
          how = zel::irpShowSlide;
          img->SetSize(160, 100);
          img->Canvas()->Brush()->SetColor(TColor(0x102030 + (s % 200)));
          img->Canvas()->FillRect(Rect(0, 0, 160, 100));
        });
    Show();
  }
};

// range(0): slide count; range(1): anti-aliased scaling off or on.
void BM_Paint(benchmark::State& state) {
  TStripBench b(int(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    b.Strip->Invalidate();
    b.Form->PaintPending();
  }
  state.counters["requests/paint"] =
      benchmark::Counter(double(b.Requests) / double(state.iterations() + 1));
}
BENCHMARK(BM_Paint)->ArgsProduct({{100, 1000000}, {0, 1}});

void PrintSummary(const zelbench::TFigureReporter& rep) {
  std::printf("Paint of 1,000,000 slides against 100 slides\n");
  zelbench::PrintRatio(rep, "  plain stretch", "BM_Paint/1000000/0", "BM_Paint/100/0", 1.2);
  zelbench::PrintRatio(rep, "  halftone", "BM_Paint/1000000/1", "BM_Paint/100/1", 1.2);
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
