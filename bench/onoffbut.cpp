// On/off button toggle cost: one toggle (state change and repaint of the whole
// 100 x 50 button: background, glyph with its key pixels, frame, copy to the
// form) against the floor of the work, one CopyRect of the glyph's size onto
// the form. Opaque buttons repaint at once; transparent ones invalidate, so
// their figure includes the parent's repaint beneath them. The closing lines
// print each toggle's time as a multiple of the copy.
#include <cstdio>

#include "bench/support/Bench.h"
#include "instruments/ZEL_onoffbut.h"

namespace {

using namespace host;
using zel::TOnOffBut;

// A shown form with one button of the default size and style.
struct TButtonBench : zelbench::TBenchForm {
  TOnOffBut* Button = nullptr;
  explicit TButtonBench(bool transparent) : TBenchForm(200, 120) {
    Button = Make<TOnOffBut>(10, 10, 100, 50);
    Button->SetTransparent(transparent);
    Show();
  }
};

void Toggle(benchmark::State& state, bool transparent) {
  TButtonBench b(transparent);
  for (auto _ : state) {
    b.Button->SetOnOff(!b.Button->OnOff());
    b.Form->PaintPending();
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ToggleOpaque(benchmark::State& state) { Toggle(state, false); }
void BM_ToggleTransparent(benchmark::State& state) { Toggle(state, true); }

void BM_GlyphCopyRect(benchmark::State& state) {
  TButtonBench b(false);
  TBitmap* glyph = b.Button->Glyph(true, true);
  const TRect src = Rect(0, 0, glyph->Width(), glyph->Height());
  TCanvas* screen = b.Button->Canvas();
  for (auto _ : state) {
    screen->CopyRect(Rect(36, 16, 36 + src.Width(), 16 + src.Height()), glyph->Canvas(), src);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_ToggleOpaque)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ToggleTransparent)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GlyphCopyRect)->Unit(benchmark::kMicrosecond);

void PrintSummary(const zelbench::TFigureReporter& rep) {
  const double copy = rep.Cpu("BM_GlyphCopyRect");
  if (copy <= 0) return;
  std::printf("One CopyRect of the 30 x 18 glyph: %.2f us\n", copy);
  for (const char* name : {"BM_ToggleOpaque", "BM_ToggleTransparent"})
    if (const double t = rep.Cpu(name); t > 0)
      std::printf("%-22s %8.2f us per toggle = %6.1f CopyRects\n", name, t, t / copy);
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
