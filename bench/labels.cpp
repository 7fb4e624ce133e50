// Raster label costs: one scroll tick (step and repaint) of a 10,000-character
// text against the same tick of a 10-character text. The label keeps the
// text's layout and draws only the glyphs inside it, so the two should cost
// the same; the closing line prints the ratio (target: within 1.5). Also the
// time to sample a host font into a bit font, and a rotated label's paint.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "host/backend/Headless.h"
#include "labels/ZEL_RasterLab.h"
#include "labels/ZEL_RotLab.h"

namespace {

using namespace host;

// A shown form with one scrolling raster label on the virtual clock.
struct TScrollBench {
  std::unique_ptr<TForm> Form;
  zel::TRasterLab* Label = nullptr;
  explicit TScrollBench(size_t chars) {
    ResetApplication(std::make_unique<THeadlessBackend>(true));
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 420, 100);
    Label = new zel::TRasterLab(Form.get());
    Label->SetParent(Form.get());
    Label->SetBounds(0, 0, 400, 68);
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
  ResetApplication(std::make_unique<THeadlessBackend>(true));
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 220, 220);
  auto* l = new zel::TRotLab(form.get());
  l->SetParent(form.get());
  l->SetCaption("Rotated 30 degrees");
  l->SetTextAngle(30);
  l->SetTransparent(false);
  form->Show();
  form->PaintPending();
  for (auto _ : state) {
    l->Invalidate();
    form->PaintPending();
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

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  constexpr int kTicks = 3000;
  const double longText = TickSeconds(10000, kTicks), shortText = TickSeconds(10, kTicks);
  std::printf("\nscroll tick of 10,000 characters vs 10: %.2fx (target <= 1.5) %s\n",
              longText / shortText, longText / shortText <= 1.5 ? "met" : "NOT met");
  TFont f;
  f.SetName("DejaVu Sans");
  f.SetSize(12);
  const auto start = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(zel::SampleCharMatrix(&f));
  std::printf(
      "CreateBitFont (DejaVu Sans 12 pt, once): %.2f ms\n",
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  benchmark::Shutdown();
  return 0;
}
