// Report table costs, each next to a baseline that does only the unavoidable
// part of the work, and a closing summary of the ratios:
//   sort of 1,000,000 rows (numbers, text) vs std::stable_sort of an index vector
//     over keys extracted beforehand (target: within 1.5x);
//   XML load of 100,000 rows x 10 columns vs pugixml parsing the same file alone
//     (target: within 2x), both reading the file from the page cache; measured
//     warm (freed memory stays with the allocator, so CPU time is the parsing
//     and the table, not page faults) and cold (the allocator's defaults: large
//     blocks are mapped and unmapped every time, which flatters the baseline);
//   CSV import of the same data vs reading and splitting its lines into fields
//     with no table (target: within 2x);
//   memory per short cell (target: at most 48 bytes).
// The input files are written before anything is timed. The summary looks every
// figure up by its benchmark's name, whatever --benchmark_repetitions and the
// aggregate options make the library report.
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

#include "bench/support/Bench.h"
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

// The file table: kFileRows x kFileCols short texts and numbers, written by
// WriteInputFiles before the benchmarks run.
std::map<std::string, std::string>& FilePaths() {
  static std::map<std::string, std::string> paths;
  return paths;
}

const std::string& FilePath(const char* ext) { return FilePaths().at(ext); }

void WriteInputFiles() {
  TRLData t(nullptr);
  t.SetNrOfColumns(kFileCols);
  t.SetNrOfRows(kFileRows);
  std::mt19937 rng(11);
  for (int r = 1; r <= kFileRows; ++r)
    for (int c = 1; c <= kFileCols; ++c) t.SetElem(c, r, c % 2 ? Word(rng) : Number(rng));
  const std::string stem = "/tmp/zel_bench_replist_" + std::to_string(::getpid());
  FilePaths()[".xml"] = stem + ".xml";
  FilePaths()[".csv"] = stem + ".csv";
  t.SaveAsXMLFile(FilePath(".xml"), "bench");
  t.ExportCSV(FilePath(".csv"), zel::csvComma, true, false, 1, 1, kFileCols, kFileRows);
}

// Warm: freed memory stays in the heap, so a run after the first reuses it.
void WarmAllocator() {
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
}

// Cold: glibc's default thresholds, large blocks mapped afresh every time.
void ColdAllocator() {
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  mallopt(M_TRIM_THRESHOLD, 128 * 1024);
  malloc_trim(0);
}

template <class Body>
void XmlBench(benchmark::State& state, bool warm, Body body) {
  warm ? WarmAllocator() : ColdAllocator();
  if (warm) body();  // the first run fills the heap; it is not timed
  for (auto _ : state)
    if (!body()) state.SkipWithError("load failed");
}

bool LoadOurs(TRLData& t) { return t.LoadFromXMLFile(FilePath(".xml"), "bench"); }

bool LoadPugi() {
  pugi::xml_document doc;
  return bool(doc.load_file(FilePath(".xml").c_str()));
}

void BM_XmlLoad(benchmark::State& state) {
  TRLData t(nullptr);
  XmlBench(state, true, [&] { return LoadOurs(t); });
}
void BM_XmlLoadBaseline(benchmark::State& state) { XmlBench(state, true, LoadPugi); }
void BM_XmlLoadCold(benchmark::State& state) {
  TRLData t(nullptr);
  XmlBench(state, false, [&] { return LoadOurs(t); });
}
void BM_XmlLoadColdBaseline(benchmark::State& state) { XmlBench(state, false, LoadPugi); }

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

// Bytes in use, blocks of the heap and mapped blocks alike.
size_t HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

// Heap bytes per visible cell of a 100,000 x 10 table of 8-character texts,
// everything the table holds (hidden column, rows, sort order) included.
void BM_MemoryPerCell(benchmark::State& state) {
  double perCell = 0;
  for (auto _ : state) {
    const size_t before = HeapInUse();
    auto t = std::make_unique<TRLData>(nullptr);
    t->SetNrOfColumns(kFileCols);
    t->SetNrOfRows(kFileRows);
    for (int r = 1; r <= kFileRows; ++r)
      for (int c = 1; c <= kFileCols; ++c) t->SetElem(c, r, "abcdefgh");
    perCell = double(HeapInUse() - before) / (double(kFileRows) * kFileCols);
  }
  state.counters["bytes_per_cell"] = perCell;
}

BENCHMARK(BM_SortNumbers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumbersBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTextBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlLoadCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlLoadColdBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlLoadBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryPerCell)->Unit(benchmark::kMillisecond)->Iterations(1);

void PrintSummary(const zelbench::TFigureReporter& rep) {
  std::printf("Report table vs baselines:\n");
  zelbench::PrintRatio(rep, "sort 1,000,000 numbers", "BM_SortNumbers", "BM_SortNumbersBaseline",
                       1.5);
  zelbench::PrintRatio(rep, "sort 1,000,000 texts", "BM_SortText", "BM_SortTextBaseline", 1.5);
  zelbench::PrintRatio(rep, "XML load 100,000 x 10, warm", "BM_XmlLoad", "BM_XmlLoadBaseline", 2.0);
  zelbench::PrintRatio(rep, "XML load 100,000 x 10, cold", "BM_XmlLoadCold",
                       "BM_XmlLoadColdBaseline", 2.0);
  zelbench::PrintRatio(rep, "CSV import 100,000 x 10", "BM_CsvImport", "BM_CsvImportBaseline", 2.0);
  if (double bytes = 0; rep.Figure("BM_MemoryPerCell", "bytes_per_cell", bytes))
    std::printf("%-34s %5.1f bytes (target <= 48) %s\n", "memory per short cell", bytes,
                bytes <= 48 ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv) {
  WriteInputFiles();
  const int rc = zelbench::RunBenchmarks(argc, argv, PrintSummary);
  for (const auto& [ext, path] : FilePaths()) std::remove(path.c_str());
  return rc;
}
