// Report table costs, each next to a baseline that does only the unavoidable
// part of the work, and a closing summary of the ratios:
//   sort of 1,000,000 rows (numbers, text) vs std::stable_sort of an index vector
//     over keys extracted beforehand (target: within 1.5x);
//   XML load of 100,000 rows x 10 columns vs pugixml parsing the same file alone
//     (target: within 2x);
//   CSV import of the same data vs reading and splitting its lines into fields
//     with no table (target: within 2x);
//   memory per short cell (target: at most 48 bytes).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <numeric>
#include <pugixml.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "replist/ZEL_replist.h"

using zel::TRLData;

namespace {

constexpr int kSortRows = 1'000'000;
constexpr int kFileRows = 100'000;
constexpr int kFileCols = 10;

std::string Word(std::mt19937& rng) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string w(4 + rng() % 8, ' ');
  for (char& ch : w) ch = kLetters[rng() % 52];
  return w;
}

std::string Number(std::mt19937& rng) {
  return std::to_string(int(rng() % 2'000'000) - 1'000'000) + "." + std::to_string(rng() % 100);
}

// One column of kSortRows cells made by make.
template <class Make>
TRLData& SortTable(Make make) {
  static std::map<void*, std::unique_ptr<TRLData>> tables;
  auto& t = tables[reinterpret_cast<void*>(+make)];
  if (!t) {
    t = std::make_unique<TRLData>(nullptr);
    t->SetNrOfRows(kSortRows);
    std::mt19937 rng(7);
    for (int r = 1; r <= kSortRows; ++r) t->SetElem(1, r, make(rng));
  }
  return *t;
}

template <class Make>
void SortTableBench(benchmark::State& state, Make make) {
  TRLData& t = SortTable(make);
  for (auto _ : state) t.Sort(1, -1, true);
}

template <class Key, class Make, class Extract>
void SortBaselineBench(benchmark::State& state, Make make, Extract extract) {
  TRLData& t = SortTable(make);
  t.UnSort();  // keys in storage order, as the table's own sort starts from
  std::vector<Key> keys;
  for (int r = 1; r <= kSortRows; ++r) keys.push_back(extract(t.Elem(1, r)));
  std::vector<uint32_t> order(keys.size());
  for (auto _ : state) {
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    benchmark::DoNotOptimize(order.data());
  }
}

void BM_SortNumbers(benchmark::State& state) { SortTableBench(state, Number); }
void BM_SortNumbersBaseline(benchmark::State& state) {
  SortBaselineBench<double>(state, Number, [](const std::string& s) { return std::stod(s); });
}
void BM_SortText(benchmark::State& state) { SortTableBench(state, Word); }
void BM_SortTextBaseline(benchmark::State& state) {
  SortBaselineBench<std::string>(state, Word,
                                 [](const std::string& s) { return zel::FoldCase(s); });
}

// The file table: kFileRows x kFileCols short texts and numbers, saved once.
std::map<std::string, std::string>& FilePaths() {
  static std::map<std::string, std::string> paths;
  return paths;
}

const std::string& FilePath(const char* ext) {
  std::string& p = FilePaths()[ext];
  if (p.empty()) {
    TRLData t(nullptr);
    t.SetNrOfColumns(kFileCols);
    t.SetNrOfRows(kFileRows);
    std::mt19937 rng(11);
    for (int r = 1; r <= kFileRows; ++r)
      for (int c = 1; c <= kFileCols; ++c) t.SetElem(c, r, c % 2 ? Word(rng) : Number(rng));
    p = "/tmp/zel_bench_replist_" + std::to_string(::getpid()) + ext;
    if (std::string(ext) == ".xml") {
      t.SaveAsXMLFile(p, "bench");
    } else {
      t.ExportCSV(p, zel::csvComma, true, false, 1, 1, kFileCols, kFileRows);
    }
  }
  return p;
}

void BM_XmlLoad(benchmark::State& state) {
  TRLData t(nullptr);
  for (auto _ : state)
    if (!t.LoadFromXMLFile(FilePath(".xml"), "bench")) state.SkipWithError("load failed");
}

void BM_XmlLoadBaseline(benchmark::State& state) {
  for (auto _ : state) {
    pugi::xml_document doc;
    if (!doc.load_file(FilePath(".xml").c_str())) state.SkipWithError("parse failed");
  }
}

void BM_CsvImport(benchmark::State& state) {
  TRLData t(nullptr);
  for (auto _ : state)
    if (t.ImportCSV(FilePath(".csv"), zel::csvComma, true) != kFileRows)
      state.SkipWithError("import failed");
}

void BM_CsvImportBaseline(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream in(FilePath(".csv"));
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(in, line)) {
      std::vector<std::string> fields;
      std::stringstream ss(line);
      std::string f;
      while (std::getline(ss, f, ',')) fields.push_back(f);
      rows.push_back(std::move(fields));
    }
    benchmark::DoNotOptimize(rows.data());
  }
}

// Heap bytes per visible cell of a 100,000 x 10 table of 8-character texts,
// everything the table holds (hidden column, rows, sort order) included.
void BM_MemoryPerCell(benchmark::State& state) {
  double perCell = 0;
  for (auto _ : state) {
    const size_t before = mallinfo2().uordblks;
    auto t = std::make_unique<TRLData>(nullptr);
    t->SetNrOfColumns(kFileCols);
    t->SetNrOfRows(kFileRows);
    for (int r = 1; r <= kFileRows; ++r)
      for (int c = 1; c <= kFileCols; ++c) t->SetElem(c, r, "abcdefgh");
    perCell = double(mallinfo2().uordblks - before) / (double(kFileRows) * kFileCols);
  }
  state.counters["bytes_per_cell"] = perCell;
}

BENCHMARK(BM_SortNumbers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumbersBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTextBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlLoadBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryPerCell)->Unit(benchmark::kMillisecond)->Iterations(1);

// Console output plus the CPU time per iteration of every run, for the summary
// (CPU time, because the machine may be busy with other work).
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      Seconds[r.benchmark_name()] = r.GetAdjustedCPUTime();
      for (const auto& [name, counter] : r.counters) Counters[name] = counter.value;
    }
  }
  std::map<std::string, double> Seconds;
  std::map<std::string, double> Counters;
};

void PrintRatio(const TRatioReporter& rep, const std::string& what, const std::string& name,
                double target) {
  const auto ours = rep.Seconds.find(name), base = rep.Seconds.find(name + "Baseline");
  if (ours == rep.Seconds.end() || base == rep.Seconds.end() || base->second <= 0) return;
  const double ratio = ours->second / base->second;
  std::printf("%-34s %5.2fx  (target <= %.1fx) %s\n", what.c_str(), ratio, target,
              ratio <= target ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter rep;
  benchmark::RunSpecifiedBenchmarks(&rep);
  std::printf("\nReport table vs baselines:\n");
  PrintRatio(rep, "sort 1,000,000 numbers", "BM_SortNumbers", 1.5);
  PrintRatio(rep, "sort 1,000,000 texts", "BM_SortText", 1.5);
  PrintRatio(rep, "XML load 100,000 x 10", "BM_XmlLoad", 2.0);
  PrintRatio(rep, "CSV import 100,000 x 10", "BM_CsvImport", 2.0);
  if (const auto m = rep.Counters.find("bytes_per_cell"); m != rep.Counters.end())
    std::printf("%-34s %5.1f bytes (target <= 48) %s\n", "memory per short cell", m->second,
                m->second <= 48 ? "met" : "NOT met");
  for (const auto& [ext, path] : FilePaths()) std::remove(path.c_str());
  benchmark::Shutdown();
  return 0;
}
