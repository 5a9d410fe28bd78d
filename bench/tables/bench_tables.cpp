// Costs of the table engine: find-key in a large item table (it should not
// depend on the table's size), walking it, reading by position, and appending and posting rows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <map>
#include <memory>
#include <random>
#include <string>

#include "items/shoptables.h"
#include "support/tempdir.h"
#include "tables/tables.h"

namespace {

std::string Barcode(int i) { return std::to_string(5000000000000LL + 7919LL * i); }

// An item table of the program's layout with this many rows, filled in one
// transaction directly (filling is not what is measured).
struct TFilledTable {
  explicit TFilledTable(int rows) {
    const auto& layout = items::BarmasLayout();
    tables::CreateTable(Dir.Path(), layout.Name, layout.Fields, layout.IndexFields);
    sqlite3* db = nullptr;
    sqlite3_open((Dir.Path() + "Barmas.DAT").c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Barmas (FBarcode, FName, FSP, FBarQty) VALUES (?1, ?2, ?3, 1)", -1, &insert,
                       nullptr);
    for (int i = 0; i < rows; ++i) {
      const std::string code = Barcode(i);
      const std::string name = "Item number " + std::to_string(i);
      sqlite3_bind_text(insert, 1, code.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_double(insert, 3, 0.25 * (i % 400));
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  std::unique_ptr<tables::TTable> Open() const {
    auto table = std::make_unique<tables::TTable>();
    table->SetDatabaseName(Dir.Path());
    table->SetTableName("Barmas.DAT");
    table->Open();
    table->SetIndexFieldNames("Fbarcode");
    return table;
  }
  testsupport::TTempDir Dir;
};

const TFilledTable& FilledTable(int rows) {
  static std::map<int, std::unique_ptr<TFilledTable>> tables;
  auto& table = tables[rows];
  if (!table) table = std::make_unique<TFilledTable>(rows);
  return *table;
}

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
