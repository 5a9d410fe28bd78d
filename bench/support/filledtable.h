// A large item table for the benchmarks: the program's layout, filled directly in one
// transaction (filling is not what is measured), made once per size and kept.
#pragma once

#include <sqlite3.h>

#include <map>
#include <memory>
#include <string>

#include "items/shoptables.h"
#include "support/tempdir.h"
#include "tables/tables.h"

namespace benchsupport {

inline std::string Barcode(int i) { return std::to_string(5000000000000LL + 7919LL * i); }

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

inline const TFilledTable& FilledTable(int rows) {
  static std::map<int, std::unique_ptr<TFilledTable>> tables;
  auto& table = tables[rows];
  if (!table) table = std::make_unique<TFilledTable>(rows);
  return *table;
}

}  // namespace benchsupport
