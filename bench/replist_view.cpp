// The report list view at scale.
//
// Painting: one 800x600 viewport of a list of 1,000,000 rows against the same
// viewport of a 100-row list; only the visible cells are painted, so the two
// should cost the same (target: within 1.2, printed at the end).
//
// Bulk selection and removal: SelectAllRows and RemoveEmptyRows at 1,000,000
// rows, and a click that selects one row. Each run counts the repaints and
// events per operation (one each is the rule), and the click at 1,000,000
// rows is set beside the click at 100 rows: it touches the rows it changes,
// not all of them.
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bench/support/Bench.h"
#include "replist/ZEL_replist_view.h"

namespace {

using namespace host;
using namespace zel;

// A view that counts its paints and can be clicked without an input queue.
class TBenchView : public TReportListView {
 public:
  using TReportListView::TReportListView;
  int Paints = 0;
  void ClickAt(int x, int y) {
    MouseDown(mbLeft, 0, x, y);
    MouseUp(mbLeft, 0, x, y);
  }

 protected:
  void Paint() override {
    if (!SuppressPaint()) ++Paints;
    TReportListView::Paint();
  }
};

struct TViewBench : zelbench::TBenchForm {
  TBenchView* View = nullptr;
  int Events = 0;
  explicit TViewBench(int rows) : TBenchForm(800, 600) {
    View = Make<TBenchView>(0, 0, 800, 600);
    Form->Show();
    Fill(rows);
    View->SetOnSelectedChange([this](TObject*) { ++Events; });
    View->SetOnChange([this](TObject*) { ++Events; });
    View->SetRowSelectMode(2);
    View->SetTopRow(rows / 2);
    Form->PaintPending();
  }
  // Texts of the same length whatever the row, so both sizes draw alike;
  // with `gaps` every other row is left empty.
  void Fill(int rows, bool gaps = false) {
    View->SetSuppressPaint(true);
    View->SetNrOfColumns(6);
    View->SetNrOfRows(rows);
    for (int r = 1; r <= rows; ++r) {
      if (gaps && r % 2 == 0) continue;
      View->SetElem(1, r, "CH" + std::to_string(100000 + r % 100000));
      View->SetElem(2, r, std::to_string(1000 + r % 1000) + ".5");
      View->SetElem(3, r, "V");
    }
    View->SetSuppressPaint(false);
  }
  void Count(benchmark::State& state, int paints, int events) {
    state.counters["repaints/op"] = double(paints) / double(state.iterations());
    state.counters["events/op"] = double(events) / double(state.iterations());
  }
};

void Paint(benchmark::State& state, int rows) {
  TViewBench b(rows);
  for (auto _ : state) {
    b.View->Invalidate();
    b.Form->PaintPending();
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_PaintViewport1M(benchmark::State& state) { Paint(state, 1000000); }
void BM_PaintViewport100(benchmark::State& state) { Paint(state, 100); }
BENCHMARK(BM_PaintViewport1M)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintViewport100)->Unit(benchmark::kMicrosecond);

void BM_SelectAllRows1M(benchmark::State& state) {
  TViewBench b(1000000);
  b.View->Paints = b.Events = 0;
  for (auto _ : state) {
    b.View->SelectAllRows();
    b.Form->PaintPending();
  }
  b.Count(state, b.View->Paints, b.Events);
}
BENCHMARK(BM_SelectAllRows1M)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RemoveEmptyRows1M(benchmark::State& state) {
  TViewBench b(10);
  int paints = 0, events = 0;
  for (auto _ : state) {
    state.PauseTiming();
    b.Fill(1000000, true);
    b.Form->PaintPending();
    b.View->Paints = b.Events = 0;
    state.ResumeTiming();
    b.View->RemoveEmptyRows();
    b.Form->PaintPending();
    paints += b.View->Paints, events += b.Events;
  }
  b.Count(state, paints, events);
}
BENCHMARK(BM_RemoveEmptyRows1M)->Unit(benchmark::kMillisecond)->Iterations(3);

void Click(benchmark::State& state, int rows) {
  TViewBench b(rows);
  const TRect first = b.View->CellRect(0, b.View->host::TCustomGrid::TopRow());
  b.View->ClickAt(first.Left + 30, first.Top + 5);
  b.Form->PaintPending();
  b.View->Paints = b.Events = 0;
  int k = 0;
  for (auto _ : state) {
    // Alternate between two rows, each click selecting one alone.
    const int y = first.Top + 5 + (k++ % 2) * (first.Bottom - first.Top + 1);
    b.View->ClickAt(first.Left + 30, y);
    b.Form->PaintPending();
  }
  b.Count(state, b.View->Paints, b.Events);
}

void BM_Click1M(benchmark::State& state) { Click(state, 1000000); }
void BM_Click100(benchmark::State& state) { Click(state, 100); }
BENCHMARK(BM_Click1M)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Click100)->Unit(benchmark::kMicrosecond);

void PrintSummary(const zelbench::TFigureReporter& rep) {
  zelbench::PrintRatio(rep, "viewport of 1,000,000 rows vs 100 rows", "BM_PaintViewport1M",
                       "BM_PaintViewport100", 1.2);
  zelbench::PrintRatio(rep, "click at 1,000,000 rows vs 100 rows", "BM_Click1M", "BM_Click100",
                       1.2);
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
