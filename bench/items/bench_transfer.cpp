// Items to and from CSV, 100,000 rows, on either store (argument server: 0 table files,
// 1 the private PostgreSQL server over loopback TCP): the export of a filled table, and
// the import of that export into an empty item table (read, checked, compared and
// written in one transaction). Each reports the growth of the peak resident memory.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "items/itemtransfer.h"
#include "support/filledtable.h"

namespace {

constexpr int kRows = 100000;
const std::vector<std::int64_t> kStores = {0, 1};

using benchsupport::StoreArg;

// A line "VmRSS:  1234 kB" of /proc/self/status, in MB.
double StatusMB(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word != key + ":") continue;
    double kilobytes = 0;
    status >> kilobytes;
    return kilobytes / 1024;
  }
  return 0;
}

// Restarts the peak at the present size (Linux: writing 5 to clear_refs resets VmHWM)
// and returns that size.
double RestartPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
  return StatusMB("VmRSS");
}

double PeakGrowthMB(double start) { return StatusMB("VmHWM") - start; }

std::string ExportOf(const benchsupport::TFilledTable& filled) {
  const auto table = filled.Open();
  return items::ItemCsvText(items::AllItemRows(*table));
}

void BM_Export100k(benchmark::State& state) {
  if (benchsupport::SkipWithoutStore(state, StoreArg(state, 0))) return;
  const auto& filled = benchsupport::FilledTable(kRows, StoreArg(state, 0));
  const double start = RestartPeak();
  for (auto _ : state) items::WriteTextFile(filled.Dir.File("export.csv"), ExportOf(filled));
  state.counters["peak_growth_MB"] = PeakGrowthMB(start);
}
BENCHMARK(BM_Export100k)->ArgsProduct({kStores})->ArgNames({"server"})->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_Import100k(benchmark::State& state) {
  const benchsupport::TStore store = StoreArg(state, 0);
  if (benchsupport::SkipWithoutStore(state, store)) return;
  const auto& filled = benchsupport::FilledTable(kRows, store);
  items::WriteTextFile(filled.Dir.File("import.csv"), ExportOf(filled));
  const double start = RestartPeak();
  for (auto _ : state) {
    state.PauseTiming();
    auto target = std::make_unique<benchsupport::TFilledTable>(0, store);
    state.ResumeTiming();
    auto table = target->Open();
    items::TItemImport import(filled.Dir.File("import.csv"), *table);
    import.Apply(true);
    if (import.NewCount() != kRows) state.SkipWithError("not every row was imported");
    state.PauseTiming();
    table.reset();
    target.reset();
    state.ResumeTiming();
  }
  state.counters["peak_growth_MB"] = PeakGrowthMB(start);
}
BENCHMARK(BM_Import100k)->ArgsProduct({kStores})->ArgNames({"server"})->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
