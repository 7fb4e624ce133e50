// Raster label costs: one scroll tick (step and repaint) of a 10,000-character
// text against the same tick of a 10-character text. The label keeps the
// text's layout and draws only the glyphs inside it, so the two should cost
// the same; the closing line prints the ratio (target: within 1.5). Also the
// time to sample a host font into a bit font, and a rotated label's paint.
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/support/Bench.h"
#include "labels/ZEL_RasterLab.h"
#include "labels/ZEL_RotLab.h"

namespace {

using namespace host;

// A shown form with one scrolling raster label on the virtual clock.
struct TScrollBench : zelbench::TBenchForm {
  zel::TRasterLab* Label = nullptr;
  explicit TScrollBench(size_t chars) : TBenchForm(420, 100) {
    Label = Make<zel::TRasterLab>(0, 0, 400, 68);
    std::string text;
    for (size_t i = 0; i < chars; ++i) text += char('A' + i % 26);
    Label->SetText(text);
    Form->Show();
    Label->SetScrollMode(zel::rdsmLeft);
    Form->PaintPending();
  }
};

void Scroll(benchmark::State& state, size_t chars) {
  TScrollBench b(chars);
  for (auto _ : state) Application->AdvanceTime(b.Label->ScrollInterval());
  state.SetItemsProcessed(state.iterations());
}

void BM_ScrollTickLongText(benchmark::State& state) { Scroll(state, 10000); }
void BM_ScrollTickShortText(benchmark::State& state) { Scroll(state, 10); }
BENCHMARK(BM_ScrollTickLongText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollTickShortText)->Unit(benchmark::kMicrosecond);

void BM_CreateBitFont(benchmark::State& state) {
  TFont f;
  f.SetName("DejaVu Sans");
  f.SetSize(12);
  for (auto _ : state) benchmark::DoNotOptimize(zel::SampleCharMatrix(&f));
}
BENCHMARK(BM_CreateBitFont)->Unit(benchmark::kMillisecond);

void BM_RotLabPaint(benchmark::State& state) {
  zelbench::TBenchForm b(220, 220);
  auto* l = b.Make<zel::TRotLab>(0, 0, 200, 200);
  l->SetCaption("Rotated 30 degrees");
  l->SetTextAngle(30);
  l->SetTransparent(false);
  b.Show();
  for (auto _ : state) {
    l->Invalidate();
    b.Paint();
  }
}
BENCHMARK(BM_RotLabPaint)->Unit(benchmark::kMicrosecond);

// Wall time of `ticks` scroll ticks of a text, for the
// closing ratio (the benchmark rows above show each on its own).
double TickSeconds(size_t chars, int ticks) {
  TScrollBench b(chars);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < ticks; ++i) Application->AdvanceTime(b.Label->ScrollInterval());
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void PrintSummary(const zelbench::TFigureReporter&) {
  // Measured here in one go rather than taken from the rows above, so both
  // texts tick the same number of times on an equally warm cache.
  constexpr int kTicks = 3000;
  const double longText = TickSeconds(10000, kTicks), shortText = TickSeconds(10, kTicks);
  std::printf("scroll tick of 10,000 characters vs 10: %.2fx (target <= 1.5) %s\n",
              longText / shortText, longText / shortText <= 1.5 ? "met" : "NOT met");
  TFont f;
  f.SetName("DejaVu Sans");
  f.SetSize(12);
  const auto start = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(zel::SampleCharMatrix(&f));
  std::printf(
      "CreateBitFont (DejaVu Sans 12 pt, once): %.2f ms\n",
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
