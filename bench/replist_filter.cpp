// Report list filtering and a two-column sort, with a summary at the end:
//   FilterRows in each mode over 100,000 and 1,000,000 measurement rows of five
//     columns: rows per second at both sizes and the ratio of the per-row costs
//     (1M over 100k; the cost must not grow with the list, target <= 1.2x);
//   a header-click sort of 1,000,000 rows by a numeric column with a text column
//     breaking ties, through TRLData::Sort, against std::stable_sort of an index
//     vector over keys extracted beforehand (target: within 1.5x).
// Every table is built before anything is timed. CPU time is compared, since the
// machine may be busy with other work.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "replist/ZEL_replist_filter.h"

using namespace zel;

namespace {

constexpr int kSmallRows = 100'000;
constexpr int kLargeRows = 1'000'000;

// Channel, value, unit, status (a check column), time stamp.
std::unique_ptr<TRLData> MeasurementTable(int rows) {
  static const char* const kUnits[] = {"V", "mA", "°C", "Hz", "Ω", "kPa"};
  static const char* const kStatus[] = {"ok",          "ok",           "ok",
                                        "low battery", "sensor fault", "overrange"};
  auto t = std::make_unique<TRLData>(nullptr);
  t->SetNrOfColumns(5);
  t->SetNrOfRows(rows);
  t->SetColumnCheckMode(4, cmBox);
  std::mt19937 rng(11);
  for (int r = 1; r <= rows; ++r) {
    t->SetElem(1, r, "CH" + std::to_string(1 + rng() % 16));
    t->SetElem(2, r,
               std::to_string(int(rng() % 100000) - 50000) + "." + std::to_string(rng() % 1000));
    t->SetElem(3, r, kUnits[rng() % 6]);
    t->SetElem(4, r, kStatus[rng() % 6]);
    t->SetElemChecked(4, r, rng() % 2);
    t->SetElem(5, r,
               "2026-12-" + std::to_string(10 + rng() % 18) + " 0" + std::to_string(rng() % 10) +
                   ":" + std::to_string(10 + rng() % 50));
  }
  return t;
}

TRLData& Table(int rows) {
  static std::map<int, std::unique_ptr<TRLData>> tables;
  auto& t = tables[rows];
  if (!t) t = MeasurementTable(rows);
  return *t;
}

struct TFilterCase {
  const char* Name;
  const char* Exp;
  TFilterMode Mode;
};
const TFilterCase kFilters[] = {
    {"simple", "ch1?", fmSimple},
    {"boolean", "CH1* AND (V OR mA) NOT fault", fmBoolean},
    {"grep", "^CH1[0-6]$|fault", fmGrep},
};

void BM_Filter(benchmark::State& state) {
  const TFilterCase& c = kFilters[state.range(0)];
  const int rows = int(state.range(1));
  const TRLData& t = Table(rows);
  const TRowFilter f(c.Exp, c.Mode, true);
  size_t kept = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> keep = FilterRows(t, f, {}, nullptr, nullptr);
    kept = size_t(std::count(keep.begin(), keep.end(), 1));
    benchmark::DoNotOptimize(keep.data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * rows);
  state.counters["kept"] = double(kept);
}

// A numeric and a text column.
TRLData& SortTable() {
  static std::unique_ptr<TRLData> t;
  if (!t) {
    t = std::make_unique<TRLData>(nullptr);
    t->SetNrOfColumns(2);
    t->SetNrOfRows(kLargeRows);
    std::mt19937 rng(7);
    for (int r = 1; r <= kLargeRows; ++r) {
      t->SetElem(1, r, std::to_string(rng() % 5000) + "." + std::to_string(rng() % 10));
      t->SetElem(2, r,
                 "CH" + std::to_string(1 + rng() % 16) + " probe " + std::to_string(rng() % 100));
    }
  }
  return *t;
}

void BM_SortTwoColumns(benchmark::State& state) {
  TRLData& t = SortTable();
  for (auto _ : state) t.Sort(1, 2, true);
}

void BM_SortTwoColumnsBaseline(benchmark::State& state) {
  TRLData& t = SortTable();
  t.UnSort();  // keys in storage order, as the table's own sort starts from
  std::vector<double> num;
  std::vector<std::string> text;
  for (int r = 1; r <= kLargeRows; ++r) {
    num.push_back(std::stod(t.Elem(1, r)));
    text.push_back(FoldCase(t.Elem(2, r)));
  }
  std::vector<uint32_t> order(num.size());
  for (auto _ : state) {
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
      return num[a] < num[b] || (num[a] == num[b] && text[a] < text[b]);
    });
    benchmark::DoNotOptimize(order.data());
  }
}

BENCHMARK(BM_Filter)
    ->ArgsProduct({{0, 1, 2}, {kSmallRows, kLargeRows}})
    ->ArgNames({"mode", "rows"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTwoColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTwoColumnsBaseline)->Unit(benchmark::kMillisecond);

// Console output, and the CPU time per iteration of every run by its full name
// (repetitions averaged; aggregates left out).
class TCpuTimes : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred || r.run_type == Run::RT_Aggregate) continue;
      auto& [sum, n] = FTimes[r.run_name.str()];
      sum += r.GetAdjustedCPUTime();
      ++n;
    }
  }
  // Mean CPU time of the run, 0 when it did not run.
  double Cpu(const std::string& name) const {
    const auto it = FTimes.find(name);
    return it == FTimes.end() ? 0 : it->second.first / it->second.second;
  }

 private:
  std::map<std::string, std::pair<double, int>> FTimes;
};

void PrintFilterLines(const TCpuTimes& times, int mode) {
  const std::string base = "BM_Filter/mode:" + std::to_string(mode) + "/rows:";
  // The reporter's unit is milliseconds.
  const double small = times.Cpu(base + std::to_string(kSmallRows)) / 1e3;
  const double large = times.Cpu(base + std::to_string(kLargeRows)) / 1e3;
  if (small <= 0 || large <= 0) return;
  const char* name = kFilters[mode].Name;
  std::printf("%-8s %12.0f rows/s at 100k, %12.0f rows/s at 1M\n", name, kSmallRows / small,
              kLargeRows / large);
  const double ratio = (large / kLargeRows) / (small / kSmallRows);
  std::printf("%-8s per-row cost 1M / 100k: %5.2fx  (target <= 1.2x) %s\n", name, ratio,
              ratio <= 1.2 ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Table(kSmallRows);
  Table(kLargeRows);
  SortTable();
  TCpuTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  std::printf("\nReport list filters:\n");
  for (int mode = 0; mode < 3; ++mode) PrintFilterLines(times, mode);
  const double ours = times.Cpu("BM_SortTwoColumns"), base = times.Cpu("BM_SortTwoColumnsBaseline");
  if (ours > 0 && base > 0)
    std::printf(
        "sort 1,000,000 rows, number then text: %5.2fx std::stable_sort  (target <= 1.5x) %s\n",
        ours / base, ours / base <= 1.5 ? "met" : "NOT met");
  benchmark::Shutdown();
  return 0;
}
