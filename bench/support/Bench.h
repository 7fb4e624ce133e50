// What every benchmark program shares: a shown headless form to put a control
// on, a console reporter that keeps each run's figures for the closing summary,
// and the main that runs them. A program defines its benchmarks and a summary
// function, and ends with ZEL_BENCH_MAIN(summary).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/backend/Headless.h"
#include "host/ui/Forms.h"

namespace zelbench {

// A fresh headless application with one shown form of the given client size.
// Make<T> puts a control on it; Paint runs the pending paints.
struct TBenchForm {
  std::unique_ptr<host::TForm> Form;
  TBenchForm(int width, int height) {
    host::ResetApplication(std::make_unique<host::THeadlessBackend>());
    Form = std::make_unique<host::TForm>(nullptr);
    Form->SetBounds(0, 0, width, height);
  }
  template <class T>
  T* Make(int left, int top, int width, int height) {
    T* c = new T(Form.get());
    c->SetParent(Form.get());
    c->SetBounds(left, top, width, height);
    return c;
  }
  // Shows the form and paints it once, so a timed loop starts from a shown form.
  void Show() {
    Form->Show();
    Form->PaintPending();
  }
  void Paint() { Form->PaintPending(); }
};

// The console report, keeping every run's CPU time per iteration and counters
// under the benchmark's name with its arguments ("BM_Paint/4"). Repetitions are
// averaged, and a "mean" aggregate stands in when the library reports only the
// aggregates (the other aggregates are not figures of the benchmark).
class TFigureReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      const bool aggregate = r.run_type == Run::RT_Aggregate;
      if (aggregate && r.aggregate_name != "mean") continue;
      std::string name = r.run_name.function_name;
      if (!r.run_name.args.empty()) name += "/" + r.run_name.args;
      TFigures& f = (aggregate ? FMeans : FSamples)[name];
      f.Add("cpu", r.GetAdjustedCPUTime());
      for (const auto& [counter, value] : r.counters) f.Add(counter, value.value);
    }
  }
  // The figure `what` ("cpu" or a counter's name) of benchmark `name`; false
  // when it did not run (a filter left it out, say).
  bool Figure(const std::string& name, const std::string& what, double& value) const {
    for (const auto* source : {&FSamples, &FMeans}) {
      const auto it = source->find(name);
      if (it != source->end() && it->second.Get(what, value)) return true;
    }
    return false;
  }
  // CPU time per iteration in the run's own unit, 0 when it did not run.
  double Cpu(const std::string& name) const {
    double v = 0;
    return Figure(name, "cpu", v) ? v : 0;
  }
  // Seconds per item of a run that counts its items (SetItemsProcessed),
  // whatever unit it printed in; 0 when it did not run.
  double PerItem(const std::string& name) const {
    double perSecond = 0;
    return Figure(name, "items_per_second", perSecond) && perSecond > 0 ? 1.0 / perSecond : 0;
  }
  // The fastest repetition's CPU time (the one least disturbed by whatever else
  // the machine was doing), 0 when it did not run.
  double BestCpu(const std::string& name) const {
    const auto it = FSamples.find(name);
    if (it == FSamples.end()) return Cpu(name);
    return it->second.Best("cpu");
  }

 private:
  struct TFigures {
    std::map<std::string, std::pair<double, int>> Sums;
    std::map<std::string, double> Mins;
    void Add(const std::string& what, double v) {
      auto& [sum, n] = Sums[what];
      sum += v;
      ++n;
      const auto it = Mins.find(what);
      if (it == Mins.end() || v < it->second) Mins[what] = v;
    }
    double Best(const std::string& what) const {
      const auto it = Mins.find(what);
      return it == Mins.end() ? 0 : it->second;
    }
    bool Get(const std::string& what, double& v) const {
      const auto it = Sums.find(what);
      if (it == Sums.end()) return false;
      v = it->second.first / it->second.second;
      return true;
    }
  };
  std::map<std::string, TFigures> FSamples, FMeans;
};

// Prints "what  ratio x  (target <= t x) met" for two figures; nothing when
// either is missing (0). A target of 0 prints the ratio alone.
inline void PrintRatio(const std::string& what, double ours, double base, double target = 0) {
  if (ours <= 0 || base <= 0) return;
  const double ratio = ours / base;
  if (target > 0)
    std::printf("%-44s %6.2fx  (target <= %.2fx) %s\n", what.c_str(), ratio, target,
                ratio <= target ? "met" : "NOT met");
  else
    std::printf("%-44s %6.2fx\n", what.c_str(), ratio);
}

// The same for the CPU times of two runs measured in the same unit.
inline void PrintRatio(const TFigureReporter& rep, const std::string& what, const std::string& name,
                       const std::string& baseline, double target = 0) {
  PrintRatio(what, rep.Cpu(name), rep.Cpu(baseline), target);
}

// Runs the benchmarks the command line selects, then the summary.
inline int RunBenchmarks(int argc, char** argv,
                         const std::function<void(const TFigureReporter&)>& summary) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TFigureReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n");
  if (summary) summary(reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace zelbench

#define ZEL_BENCH_MAIN(summary) \
  int main(int argc, char** argv) { return zelbench::RunBenchmarks(argc, argv, summary); }
