// The table editor's clipboard at scale: copying a square block as text and
// extracting the numbers of a text of the same size, at 10,000 and 1,000,000
// cells. Both must be linear (the per-cell cost stays put), and extracting
// must stay within 2x of std::from_chars reading the same numbers.
#include <charconv>
#include <cstdio>
#include <string>

#include "bench/support/Bench.h"
#include "host/ui/Clipbrd.h"
#include "ntabed/ZEL_ntabed.h"

namespace {

using zel::TNTabEd;

// A shown form with an editor of side x side cells, filled with varied values.
struct TClipBench : zelbench::TBenchForm {
  TNTabEd* Ed = nullptr;
  explicit TClipBench(int side) : TBenchForm(400, 300) {
    Ed = Make<TNTabEd>(0, 0, 400, 300);
    Ed->Redimension(side, side);
    for (int r = 1; r <= side; ++r)
      for (int c = 1; c <= side; ++c) Ed->Data->ElemMatrix().SetElem(c, r, c * 0.37 - r * 12.5);
    Show();
    Ed->SelectAllData();
  }
};

// The text of side x side numbers, as a spreadsheet writes it.
std::string NumberText(int side) {
  std::string s;
  char buf[32];
  for (int r = 1; r <= side; ++r) {
    for (int c = 1; c <= side; ++c) {
      const auto res = std::to_chars(buf, buf + sizeof buf, c * 0.37 - r * 12.5);
      s.append(buf, size_t(res.ptr - buf));
      s += c == side ? '\n' : '\t';
    }
  }
  return s;
}

void BM_Copy(benchmark::State& state) {
  TClipBench b(int(state.range(0)));
  for (auto _ : state) b.Ed->CopySelection();
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}
BENCHMARK(BM_Copy)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_Extract(benchmark::State& state) {
  TClipBench b(int(state.range(0)));
  host::Clipboard()->SetAsText(NumberText(int(state.range(0))));
  b.Ed->SetSelection({b.Ed->FixedCols(), b.Ed->FixedRows(), b.Ed->FixedCols(), b.Ed->FixedRows()});
  for (auto _ : state) b.Ed->ExtractFromClipboard();
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}
BENCHMARK(BM_Extract)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The floor: std::from_chars over the same numbers, split at blanks and line ends.
void BM_FromChars(benchmark::State& state) {
  const std::string text = NumberText(int(state.range(0)));
  for (auto _ : state) {
    double sum = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
      double v = 0;
      p = std::from_chars(p, end, v).ptr;
      sum += v;
      while (p < end && (*p == '\t' || *p == '\n')) ++p;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}
BENCHMARK(BM_FromChars)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void PrintPerCell(const zelbench::TFigureReporter& rep, const char* what, const std::string& base) {
  for (int side : {100, 1000}) {
    const double ms = rep.BestCpu(base + "/" + std::to_string(side));
    if (ms > 0)
      std::printf("  %s, %d cells: %.1f ns per cell\n", what, side * side,
                  ms * 1e6 / (double(side) * side));
  }
}

void PrintSummary(const zelbench::TFigureReporter& rep) {
  std::printf("Per-cell cost (linear: the same at 10k and 1M cells)\n");
  PrintPerCell(rep, "copy", "BM_Copy");
  PrintPerCell(rep, "extract", "BM_Extract");
  PrintPerCell(rep, "from_chars", "BM_FromChars");
  zelbench::PrintRatio(rep, "extract 1M vs from_chars 1M", "BM_Extract/1000", "BM_FromChars/1000",
                       2.0);
  zelbench::PrintRatio(rep, "extract 10k vs from_chars 10k", "BM_Extract/100", "BM_FromChars/100",
                       2.0);
}

}  // namespace

ZEL_BENCH_MAIN(PrintSummary)
