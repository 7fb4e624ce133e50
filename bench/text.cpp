// Text drawing costs: measuring and drawing the same text again (the glyph cache
// at work), turned text, and the first use of a new font size.
#include <benchmark/benchmark.h>

#include <vector>

#include "host/gfx/FontFace.h"
#include "host/gfx/Graphics.h"

using namespace host;

namespace {

struct Target {
  std::vector<TPixel> Pixels = std::vector<TPixel>(400 * 100, 0xFFFFFF);
  TCanvas Canvas;
  explicit Target(int tenths = 0) {
    Canvas.BindSurface(TSurface{Pixels.data(), 400, 100, 400});
    Canvas.Font()->SetName("Arial");
    Canvas.Font()->SetSize(11);
    Canvas.Font()->SetOrientation(tenths);
    Canvas.Brush()->SetStyle(bsClear);
  }
};

constexpr const char* kText =
    "Temperature 23.45 \xC2\xB0"
    "C (8g]}";

void BM_TextWidth(benchmark::State& state) {
  Target t;
  for (auto _ : state) benchmark::DoNotOptimize(t.Canvas.TextWidth(kText));
}
BENCHMARK(BM_TextWidth);

void BM_TextOut(benchmark::State& state) {
  Target t;
  for (auto _ : state) t.Canvas.TextOut(10, 10, kText);
}
BENCHMARK(BM_TextOut);

void BM_TextOutSolidBrush(benchmark::State& state) {
  Target t;
  t.Canvas.Brush()->SetColor(clYellow);
  for (auto _ : state) t.Canvas.TextOut(10, 10, kText);
}
BENCHMARK(BM_TextOutSolidBrush);

void BM_TextOutTurned30(benchmark::State& state) {
  Target t(300);
  for (auto _ : state) t.Canvas.TextOut(100, 90, kText);
}
BENCHMARK(BM_TextOutTurned30);

// A font size never used before: fontconfig look-up (cached after the first),
// face opening and rendering every glyph of the text.
void BM_FirstUseOfASize(benchmark::State& state) {
  int height = -8;
  for (auto _ : state) {
    TFont f;
    f.SetName("Arial");
    f.SetHeight(height);
    height = height <= -600 ? -8 : height - 1;
    benchmark::DoNotOptimize(f.Face().TextWidth(kText));
  }
}
BENCHMARK(BM_FirstUseOfASize);

}  // namespace

BENCHMARK_MAIN();
