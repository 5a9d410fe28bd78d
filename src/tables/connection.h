// The one seam between the cursors and where the rows live: a connection to a
// store of tables, either an SQLite table file (sqliteconnection.h) or a table on
// a PostgreSQL server (serverconnection.h). Cursors speak one SQL text to both:
// parameters written ?N, identifiers quoted, every row carrying its id in a column
// named rowid. Each backend turns its own failures into ETableError with a message
// that names its file or server, never a password.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "tables/busy.h"
#include "tables/tables.h"

namespace tables::detail {

// A value as the store holds it; row ids need the integer.
using TSqlValue = std::variant<std::monostate, std::int64_t, double, std::string>;
using TSqlRow = std::vector<TSqlValue>;

// How a store declares what the engine creates in it.
struct TDialect {
  const char* FloatType;        // a float field's column type
  const char* StringCollation;  // appended to a string field's type: how strings sort
  const char* RowIdColumn;      // the row id column a table declares itself, "" when the store has one
  const char* IndexOrder;       // after an index's field: so the index serves the cursor's order
  const char* IndexExists;      // one row when the index named ?1 exists (names compared without case)
};

// A commit whose answer was lost with the connection, while the server does not
// answer yet: its transaction's number lets a later call ask whether it happened.
class ECommitUnknown : public ETableError {
 public:
  ECommitUnknown(const std::string& message, std::int64_t transaction)
      : ETableError(message), Transaction(transaction) {}
  std::int64_t Transaction;
};

class TConnection {
 public:
  virtual ~TConnection() = default;

  // The file or the server and database, as messages name it.
  const std::string& Path() const { return FPath; }
  virtual const TDialect& Dialect() const = 0;
  virtual void SetLockPolicy(TLockPolicy policy) = 0;
  virtual const TLockPolicy& LockPolicy() const = 0;
  // True when the store may only be read (a file's permissions, or its file system).
  virtual bool ReadOnly() const { return false; }

  // Runs a statement and returns its rows.
  virtual std::vector<TSqlRow> Query(const std::string& sql, const std::vector<TSqlValue>& params = {}) = 0;
  // Runs a statement and returns the number of rows it changed.
  virtual int Execute(const std::string& sql, const std::vector<TSqlValue>& params = {}) = 0;
  // The row id of the row this connection inserted last.
  virtual std::int64_t LastInsertRowId() = 0;

  // Changes whenever the store's rows may have changed: by this connection (its own
  // count of changes) or by any other connection or process (the store's count of
  // outside changes). Read it inside a read transaction, before what it stamps.
  struct TChangeStamp {
    std::int64_t DataVersion = -1;
    std::int64_t OwnChanges = -1;
    bool operator==(const TChangeStamp&) const = default;
  };
  virtual TChangeStamp ChangeStamp() = 0;

  // Runs body as the store's only writer, committing at the end and rolling back
  // when it throws. The writer's lock is taken first, so a refused lock shows up
  // here, before anything is written, with the lock message.
  // A commit cut off with the connection throws ECommitUnknown when the store cannot
  // tell at once whether it happened.
  virtual void WriteTransaction(const std::function<void()>& body) = 0;
  // Whether the transaction of an ECommitUnknown was committed: asked again once the
  // store answers (and ECommitUnknown while it cannot tell yet). Only a server's
  // commit can be cut off that way.
  virtual bool Committed(std::int64_t /*transaction*/) { return false; }
  // Runs body in one read transaction (unless one is open already), so several
  // queries see the same state of the store.
  virtual void ReadTransaction(const std::function<void()>& body) = 0;

  // The columns of the table as name and declared type ("VARCHAR(13)", "FLOAT"),
  // in column order and without the row id; empty when the store has no such table.
  virtual std::vector<std::pair<std::string, std::string>> Columns(const std::string& sqlTable) = 0;
  // Readies an opened table for cursors of other windows and processes at once.
  virtual void StartSharing() {}
  // Adds what the store needs beside a table just created in this write transaction.
  virtual void TableCreated(const std::string& /*sqlTable*/) {}

 protected:
  explicit TConnection(std::string path) : FPath(std::move(path)) {}
  TConnection(const TConnection&) = delete;
  TConnection& operator=(const TConnection&) = delete;
  void SetPath(std::string path) { FPath = std::move(path); }

 private:
  std::string FPath;
};

// The connection a cursor of that database (a connected TDatabase's name or a
// directory) needs for that table: the server named in the database's .uri file
// when there is one, else the table file in the directory.
std::unique_ptr<TConnection> ConnectTable(const std::string& databaseName, const std::string& tableName,
                                          TLockPolicy policy);

}  // namespace tables::detail
