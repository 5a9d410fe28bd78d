// Costs of the table engine: find-key in a large item table (it should not
// depend on the table's size), walking it, reading by position, and appending and posting rows.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>
#include <string>

#include "support/filledtable.h"

namespace {

using benchsupport::Barcode;
using benchsupport::FilledTable;
using benchsupport::TFilledTable;

void BM_FindKey(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  auto table = FilledTable(rows).Open();
  std::mt19937 random(42);
  std::uniform_int_distribution<int> pick(0, rows - 1);
  for (auto _ : state) {
    const std::string key = Barcode(pick(random));
    if (!table->FindKey({key})) state.SkipWithError("key not found");
    benchmark::DoNotOptimize(table->FieldByName("FName").AsString());
  }
}
BENCHMARK(BM_FindKey)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_FindKeyMissing(benchmark::State& state) {
  auto table = FilledTable(100000).Open();
  for (auto _ : state) {
    if (table->FindKey({std::string("4000000000000")})) state.SkipWithError("found");
  }
}
BENCHMARK(BM_FindKeyMissing)->Unit(benchmark::kMicrosecond);

void BM_NextInIndexOrder(benchmark::State& state) {
  auto table = FilledTable(100000).Open();
  table->First();
  for (auto _ : state) {
    table->Next();
    if (table->Eof()) table->First();
  }
}
BENCHMARK(BM_NextInIndexOrder)->Unit(benchmark::kMicrosecond);

// A grid's screenful of rows read by position, near the start and near the end of the order.
void BM_ReadRowsAt(benchmark::State& state) {
  constexpr int kScreenRows = 30;
  auto table = FilledTable(100000).Open();
  const int first = static_cast<int>(state.range(0));
  for (auto _ : state) {
    if (table->ReadRowsAt(first, kScreenRows).size() != kScreenRows) state.SkipWithError("rows missing");
  }
}
BENCHMARK(BM_ReadRowsAt)->Arg(0)->Arg(50000)->Arg(99970)->Unit(benchmark::kMicrosecond);

// The current row's position, for a row at the start, the middle and the end.
void BM_CurrentPosition(benchmark::State& state) {
  auto table = FilledTable(100000).Open();
  const int position = static_cast<int>(state.range(0));
  table->First();
  table->MoveBy(position);
  for (auto _ : state) {
    if (table->CurrentPosition() != position) state.SkipWithError("wrong position");
  }
}
BENCHMARK(BM_CurrentPosition)->Arg(0)->Arg(50000)->Arg(99999)->Unit(benchmark::kMicrosecond);

// One iteration appends and posts 10 000 rows, each post committed on its own
// (and synced to disk) as the item window does it.
void BM_AppendPost10000(benchmark::State& state) {
  constexpr int kRows = 10000;
  for (auto _ : state) {
    state.PauseTiming();
    TFilledTable empty(0);
    auto table = empty.Open();
    state.ResumeTiming();
    for (int i = 0; i < kRows; ++i) {
      table->Append();
      table->FieldByName("FBarcode").SetAsString(Barcode(i));
      table->FieldByName("FName").SetAsString("Appended item");
      table->FieldByName("FSP").SetAsFloat(1.5);
      table->Post();
    }
    state.PauseTiming();
    if (table->RecordCount() != kRows) state.SkipWithError("rows missing");
    table.reset();
    state.ResumeTiming();
  }
  // Wall time per row (the benchmark uses real time: the disk sync is most of the cost).
  state.counters["per_post"] =
      benchmark::Counter(static_cast<double>(kRows) * state.iterations(), benchmark::Counter::kIsRate |
                                                                              benchmark::Counter::kInvert);
}
BENCHMARK(BM_AppendPost10000)->Iterations(1)->Repetitions(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
