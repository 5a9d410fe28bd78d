// Helpers for the table engine tests: a temporary data directory or a store on the
// private server, item tables filled through the engine, and a raw connection of
// SQLite or libpq that plays another user.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "support/privatepostgres.h"
#include "support/tempdir.h"
#include "tables/tables.h"

struct pg_conn;

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

// The store a suite runs against: table files, or with TABLES_STORE=server in the
// environment the private PostgreSQL server of the test process.
bool SuiteOnServer();
// The server of the process, started at its first use; Failure() says why it does not run.
testsupport::TPrivatePostgres& SuiteServer();

class TRawConnection;

// A fresh, empty place for tables in the suite's store: a temporary directory, and on
// the server a connected database of its own name whose databases/NAME.uri leads to
// the private server (its tables dropped first).
class TStore {
 public:
  TStore();
  // What cursors and CreateTable take as database name.
  const std::string& Database() const { return FDatabase.DatabaseName(); }
  bool OnServer() const { return FOnServer; }
  // What a lock message names: the table file or the server and database.
  std::string LockedName() const;
  // The statements with which another program takes the store's write lock.
  std::string HoldWriteLockSql() const;
  std::unique_ptr<TRawConnection> OtherUser() const;
  TTempDir Dir;

 private:
  bool FOnServer;
  TDatabase FDatabase;
};

// A connection of its own, as another program (the sqlite3 tool, psql) would have.
// SQL text for both stores quotes its identifiers ("FName").
class TRawConnection {
 public:
  explicit TRawConnection(const std::string& path);
  // A libpq connection with this connection line.
  static std::unique_ptr<TRawConnection> ToServer(const std::string& line);
  ~TRawConnection();
  TRawConnection(const TRawConnection&) = delete;
  TRawConnection& operator=(const TRawConnection&) = delete;
  void Exec(const std::string& sql);
  // The first column of every row, as text ("NULL" for no value).
  std::vector<std::string> Column(const std::string& sql);

 private:
  TRawConnection() = default;
  sqlite3* FDb = nullptr;
  pg_conn* FServer = nullptr;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace tables::test
