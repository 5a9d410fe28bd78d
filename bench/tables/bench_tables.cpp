// Costs of the table engine on either store (argument server: 0 table files, 1 the
// private PostgreSQL server over loopback TCP): find-key in a large item table (it
// should not depend on the table's size), walking it, reading by position, and
// appending, editing and posting rows.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "support/filledtable.h"

namespace {

using benchsupport::Barcode;
using benchsupport::FilledTable;
using benchsupport::SkipWithoutStore;
using benchsupport::StoreArg;
using benchsupport::TFilledTable;

// The store argument of each benchmark, 0 table files and 1 the server, after any other.
const std::vector<std::int64_t> kStores = {0, 1};

void BM_FindKey(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  if (SkipWithoutStore(state, StoreArg(state, 1))) return;
  auto table = FilledTable(rows, StoreArg(state, 1)).Open();
  std::mt19937 random(42);
  std::uniform_int_distribution<int> pick(0, rows - 1);
  for (auto _ : state) {
    const std::string key = Barcode(pick(random));
    if (!table->FindKey({key})) state.SkipWithError("key not found");
    benchmark::DoNotOptimize(table->FieldByName("FName").AsString());
  }
}
BENCHMARK(BM_FindKey)
    ->ArgsProduct({{1000, 100000}, kStores})
    ->ArgNames({"rows", "server"})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

void BM_FindKeyMissing(benchmark::State& state) {
  if (SkipWithoutStore(state, StoreArg(state, 0))) return;
  auto table = FilledTable(100000, StoreArg(state, 0)).Open();
  for (auto _ : state) {
    if (table->FindKey({std::string("4000000000000")})) state.SkipWithError("found");
  }
}
BENCHMARK(BM_FindKeyMissing)
    ->ArgsProduct({kStores})
    ->ArgNames({"server"})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

void BM_NextInIndexOrder(benchmark::State& state) {
  if (SkipWithoutStore(state, StoreArg(state, 0))) return;
  auto table = FilledTable(100000, StoreArg(state, 0)).Open();
  table->First();
  for (auto _ : state) {
    table->Next();
    if (table->Eof()) table->First();
  }
}
BENCHMARK(BM_NextInIndexOrder)
    ->ArgsProduct({kStores})
    ->ArgNames({"server"})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

// A grid's screenful of rows read by position, near the start and near the end of the order.
void BM_ReadRowsAt(benchmark::State& state) {
  constexpr int kScreenRows = 30;
  if (SkipWithoutStore(state, StoreArg(state, 1))) return;
  auto table = FilledTable(100000, StoreArg(state, 1)).Open();
  const int first = static_cast<int>(state.range(0));
  for (auto _ : state) {
    if (table->ReadRowsAt(first, kScreenRows).size() != kScreenRows) state.SkipWithError("rows missing");
  }
}
BENCHMARK(BM_ReadRowsAt)
    ->ArgsProduct({{0, 50000, 99970}, kStores})
    ->ArgNames({"first", "server"})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

// The current row's position, for a row at the start, the middle and the end.
void BM_CurrentPosition(benchmark::State& state) {
  if (SkipWithoutStore(state, StoreArg(state, 1))) return;
  auto table = FilledTable(100000, StoreArg(state, 1)).Open();
  const int position = static_cast<int>(state.range(0));
  table->First();
  table->MoveBy(position);
  for (auto _ : state) {
    if (table->CurrentPosition() != position) state.SkipWithError("wrong position");
  }
}
BENCHMARK(BM_CurrentPosition)
    ->ArgsProduct({{0, 50000, 99999}, kStores})
    ->ArgNames({"position", "server"})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

// One post of the item window: a random row of the 100,000 edited (its name) and posted,
// committed on its own.
void BM_EditPost(benchmark::State& state) {
  if (SkipWithoutStore(state, StoreArg(state, 0))) return;
  auto table = FilledTable(100000, StoreArg(state, 0)).Open();
  std::mt19937 random(5);
  std::uniform_int_distribution<int> pick(0, 99999);
  int posts = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const int row = pick(random);
    if (!table->FindKey({Barcode(row)})) state.SkipWithError("key not found");
    state.ResumeTiming();
    table->Edit();
    table->FieldByName("FName").SetAsString("Edited " + std::to_string(++posts));
    table->Post();
  }
}
BENCHMARK(BM_EditPost)->ArgsProduct({kStores})->ArgNames({"server"})->UseRealTime()->Unit(benchmark::kMillisecond);

// One iteration appends and posts 10 000 rows, each post committed on its own
// (and synced to disk) as the item window does it.
void BM_AppendPost10000(benchmark::State& state) {
  constexpr int kRows = 10000;
  if (SkipWithoutStore(state, StoreArg(state, 0))) return;
  for (auto _ : state) {
    state.PauseTiming();
    TFilledTable empty(0, StoreArg(state, 0));
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
BENCHMARK(BM_AppendPost10000)
    ->ArgsProduct({kStores})
    ->ArgNames({"server"})
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
