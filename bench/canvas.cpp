// Drawing speed of the canvas. Each fill is paired with a memset of the same
// number of bytes, the floor no fill can beat, so the output shows the ratio.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "host/gfx/Graphics.h"

namespace {

using namespace host;

void Fill(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  TBitmap bmp(w, h);
  TCanvas* c = bmp.Canvas();
  int n = 0;
  for (auto _ : state) {
    c->Brush()->SetColor((n++ & 1) ? clRed : clBlue);
    c->FillRect(Rect(0, 0, w, h));
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * w * h * int64_t(sizeof(TPixel)));
}
BENCHMARK(Fill)->Args({16, 16})->Args({256, 256})->Args({1920, 1080});

void MemsetBaseline(benchmark::State& state) {
  const size_t bytes = size_t(state.range(0)) * size_t(state.range(1)) * sizeof(TPixel);
  std::vector<unsigned char> buf(bytes);
  int n = 0;
  for (auto _ : state) {
    std::memset(buf.data(), (n++ & 1) ? 0x12 : 0x34, bytes);
    benchmark::DoNotOptimize(buf.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(MemsetBaseline)->Args({16, 16})->Args({256, 256})->Args({1920, 1080});

// 64 one-pixel lines fanning out over 512 x 512.
void Lines(benchmark::State& state) {
  TBitmap bmp(512, 512);
  TCanvas* c = bmp.Canvas();
  for (auto _ : state) {
    for (int i = 0; i < 64; ++i) {
      c->MoveTo(256, 256);
      c->LineTo(i * 8, i % 2 ? 0 : 511);
    }
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * 64);
}
BENCHMARK(Lines);

void Ellipse(benchmark::State& state) {
  const int size = int(state.range(0));
  TBitmap bmp(size + 2, size + 2);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clYellow);
  for (auto _ : state) {
    c->Ellipse(1, 1, size + 1, size + 1);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}
BENCHMARK(Ellipse)->Arg(16)->Arg(200);

// A meter's range band: a thin sector of a 200-pixel circle.
void Pie(benchmark::State& state) {
  TBitmap bmp(202, 202);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clLime);
  for (auto _ : state) {
    c->Pie(1, 1, 201, 201, 200, 20, 20, 20);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}
BENCHMARK(Pie);

// A needle-like polygon and a star.
void Polygon(benchmark::State& state) {
  TBitmap bmp(200, 200);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clRed);
  const std::vector<TPoint> needle{{100, 190}, {104, 100}, {100, 10}, {96, 100}};
  const std::vector<TPoint> star{{100, 0}, {160, 199}, {0, 70}, {199, 70}, {40, 199}};
  for (auto _ : state) {
    c->Polygon(needle);
    c->Polygon(star);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}
BENCHMARK(Polygon);

void CopyModeBlit(benchmark::State& state) {
  const TCopyMode mode = TCopyMode(state.range(0));
  TBitmap src(256, 256), dst(256, 256);
  src.Canvas()->Brush()->SetColor(clRed);
  src.Canvas()->Ellipse(0, 0, 256, 256);
  dst.Canvas()->SetCopyMode(mode);
  for (auto _ : state) {
    dst.Canvas()->Draw(0, 0, &src);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 256 * 256 * int64_t(sizeof(TPixel)));
}
BENCHMARK(CopyModeBlit)->Arg(int64_t(cmSrcCopy))->Arg(int64_t(cmSrcAnd));

// The seven-segment cache build: a 312 x 432 master glyph into a 40 x 55 cell.
void Stretch(benchmark::State& state) {
  const TStretchMode mode = TStretchMode(state.range(0));
  TBitmap src(312, 432), dst(40, 55);
  src.Canvas()->Brush()->SetColor(clBlack);
  src.Canvas()->Polygon({{60, 20}, {250, 20}, {200, 400}, {10, 400}});
  for (auto _ : state) {
    StretchBlt(dst.Canvas(), 0, 0, 40, 55, src.Canvas(), 0, 0, 312, 432, cmSrcCopy, mode);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
}
BENCHMARK(Stretch)->Arg(COLORONCOLOR)->Arg(HALFTONE);

void CachedText(benchmark::State& state) {
  TBitmap bmp(200, 40);
  TCanvas* c = bmp.Canvas();
  c->TextOut(2, 2, "-12.345 mV");  // the first call fills the glyph cache
  for (auto _ : state) {
    c->TextOut(2, 2, "-12.345 mV");
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}
BENCHMARK(CachedText);

}  // namespace

BENCHMARK_MAIN();
