// Mini calendar repaint after a month change: the whole 8 x 8 grid is drawn
// again, holidays and week numbers included. Printed per month step, with
// the holiday colouring on and off to show what the holiday search costs.
#include <cstdio>

#include "bench/support/Bench.h"
#include "host/ui/DateTime.h"
#include "selectors/ZEL_MiniCal.h"

namespace {

using namespace host;
using zel::TMiniCal;

struct TCalBench : zelbench::TBenchForm {
  TMiniCal* Cal = nullptr;
  explicit TCalBench(bool holidays) : TBenchForm(320, 200) {
    Cal = Make<TMiniCal>(10, 10, 300, 180);
    Cal->SetDate(EncodeDate(2025, 1, 15));
    Cal->SetIndicateHolidays(holidays);
    Show();
  }
};

// range(0): holidays coloured (1) or not (0).
void BM_MonthChangeRepaint(benchmark::State& state) {
  TCalBench b(state.range(0) != 0);
  int step = 1;
  for (auto _ : state) {
    // Back and forth, so the dates stay in one year whatever the count.
    if (step > 0)
      b.Cal->NextMonth();
    else
      b.Cal->PrevMonth();
    if (b.Cal->Month() == 12 || b.Cal->Month() == 1) step = -step;
    b.Form->PaintPending();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MonthChangeRepaint)->Arg(0)->Arg(1);

void PrintSummary(const zelbench::TFigureReporter& rep) {
  std::printf("Month change and repaint of the mini calendar\n");
  std::printf("  without holidays: %.1f us\n", rep.Cpu("BM_MonthChangeRepaint/0") / 1000.0);
  std::printf("  with holidays:    %.1f us\n", rep.Cpu("BM_MonthChangeRepaint/1") / 1000.0);
  zelbench::PrintRatio(rep, "  holidays vs none", "BM_MonthChangeRepaint/1",
                       "BM_MonthChangeRepaint/0");
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
