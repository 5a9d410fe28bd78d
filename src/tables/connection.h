// One SQLite connection to one table file, with its prepared statements kept for
// reuse, every call retried while the file is locked, and SQLite's failures
// turned into ETableError with a message that names the file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "tables/busy.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tables::detail {

// A value as SQLite holds it; row ids need the integer.
using TSqlValue = std::variant<std::monostate, std::int64_t, double, std::string>;
using TSqlRow = std::vector<TSqlValue>;

class TConnection {
 public:
  // Opens an existing file for reading and writing; a missing file is an error, never created.
  TConnection(const std::string& path, TLockPolicy policy);
  ~TConnection();
  TConnection(const TConnection&) = delete;
  TConnection& operator=(const TConnection&) = delete;

  const std::string& Path() const { return FPath; }
  void SetLockPolicy(TLockPolicy policy) { FPolicy = policy; }
  const TLockPolicy& LockPolicy() const { return FPolicy; }
  // True when the file may only be read (its permissions, or its file system).
  bool ReadOnly() const;

  // Runs a statement, kept prepared for the next call, and returns its rows.
  std::vector<TSqlRow> Query(const std::string& sql, const std::vector<TSqlValue>& params = {});
  // Runs a statement and returns the number of rows it changed.
  int Execute(const std::string& sql, const std::vector<TSqlValue>& params = {});
  std::int64_t LastInsertRowId() const;

  // Changes whenever the file's rows may have changed: by this connection (its change
  // counter) or by any other connection or process (the file's data version). Read it
  // inside a read transaction together with what it stamps.
  struct TChangeStamp {
    std::int64_t DataVersion = -1;
    std::int64_t OwnChanges = -1;
    bool operator==(const TChangeStamp&) const = default;
  };
  TChangeStamp ChangeStamp();

  // Runs body between BEGIN IMMEDIATE and COMMIT, rolling back when it throws.
  // Taking the write lock first means a refused lock shows up here, where it is retried.
  void WriteTransaction(const std::function<void()>& body);

  // Runs body in one read transaction (unless one is open already), so several
  // queries see the same state of the file and take the read lock only once.
  void ReadTransaction(const std::function<void()>& body);

  // Puts the file into write-ahead-log mode (kept in the file).
  void UseWriteAheadLog();

 private:
  void Configure();
  void InTransaction(const std::string& begin, const std::function<void()>& body);
  void CloseAll();
  sqlite3_stmt* Prepared(const std::string& sql);
  void Run(sqlite3_stmt* statement, const std::vector<TSqlValue>& params, std::vector<TSqlRow>* rows);
  [[noreturn]] void Fail(int resultCode, const std::string& detail) const;

  sqlite3* FDb = nullptr;
  std::string FPath;
  TLockPolicy FPolicy;
  std::unordered_map<std::string, sqlite3_stmt*> FStatements;
};

}  // namespace tables::detail
