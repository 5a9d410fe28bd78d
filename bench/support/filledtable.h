// A large item table for the benchmarks, on either store the program keeps its items
// in: SQLite table files, or a private PostgreSQL server of the benchmark program's
// own reached over loopback TCP. The program's layout, filled directly in one
// transaction (filling is not what is measured), made once per size and store and kept.
#pragma once

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "support/tempdir.h"
#include "tables/tables.h"

namespace benchsupport {

enum class TStore { Files = 0, Server = 1 };

// The store a benchmark's argument names (0 files, 1 server), and the argument values for both.
TStore StoreArg(const benchmark::State& state, int index);

inline std::string Barcode(int i) { return std::to_string(5000000000000LL + 7919LL * i); }
inline std::string ItemName(int i) { return "Item number " + std::to_string(i); }

// True, with the benchmark skipped and the reason given, when the store cannot be had
// (the server package is missing or the private server does not start).
bool SkipWithoutStore(benchmark::State& state, TStore store);

// An item table of the program's layout with this many rows (barcodes Barcode(0..rows-1),
// names ItemName(i)). Dir is a data directory as the windows take it: on the server it
// holds databases/tavrin.uri naming the table's own database there.
class TFilledTable {
 public:
  TFilledTable(int rows, TStore store = TStore::Files);
  ~TFilledTable();
  TFilledTable(const TFilledTable&) = delete;
  TFilledTable& operator=(const TFilledTable&) = delete;

  // A cursor of its own (its own connection) on the table, in barcode order.
  std::unique_ptr<tables::TTable> Open() const;
  TStore Store() const { return FStore; }
  testsupport::TTempDir Dir;

 private:
  void FillFile(int rows);
  void FillServer(int rows);
  TStore FStore;
  std::unique_ptr<tables::TDatabase> FDatabase;  // on the server: what cursors and CreateTable are given
  std::string FServerLine;
};

const TFilledTable& FilledTable(int rows, TStore store = TStore::Files);

}  // namespace benchsupport
