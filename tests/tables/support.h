// Helpers for the table engine tests: a temporary data directory, item tables
// filled through the engine, and a raw SQLite connection that plays another user.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "support/tempdir.h"
#include "tables/tables.h"

namespace tables::test {

using testsupport::TTempDir;

struct TItem {
  std::string Barcode;
  std::string Name;
  std::string Price;  // text for FSP; "" leaves it without a value
};

// Creates Barmas in the directory (the program's layout) holding these items, posted through a cursor.
void MakeBarmas(const std::string& directory, const std::vector<TItem>& items = {});

std::unique_ptr<TTable> OpenTable(const std::string& directory, const std::string& name = "Barmas.DAT");

// The values of one field, row by row, from First to the end (or Last to the start).
std::vector<std::string> Walk(TTable& table, const std::string& field, bool forward = true);

// A connection of its own, as another program (or the sqlite3 tool) would have.
class TRawConnection {
 public:
  explicit TRawConnection(const std::string& path);
  ~TRawConnection();
  TRawConnection(const TRawConnection&) = delete;
  TRawConnection& operator=(const TRawConnection&) = delete;
  void Exec(const std::string& sql);
  // The first column of every row, as text ("NULL" for no value).
  std::vector<std::string> Column(const std::string& sql);

 private:
  sqlite3* FDb = nullptr;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace tables::test
