// One SQLite connection to one table file, with its prepared statements kept for
// reuse and every call retried while the file is locked.
#pragma once

#include <unordered_map>

#include "tables/connection.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tables::detail {

class TSqliteConnection final : public TConnection {
 public:
  // Opens an existing file for reading and writing; a missing file is an error, never created.
  TSqliteConnection(const std::string& path, TLockPolicy policy);
  ~TSqliteConnection() override;

  const TDialect& Dialect() const override;
  void SetLockPolicy(TLockPolicy policy) override { FPolicy = policy; }
  const TLockPolicy& LockPolicy() const override { return FPolicy; }
  bool ReadOnly() const override;
  std::vector<TSqlRow> Query(const std::string& sql, const std::vector<TSqlValue>& params = {}) override;
  int Execute(const std::string& sql, const std::vector<TSqlValue>& params = {}) override;
  std::int64_t LastInsertRowId() override;
  // The file's data version and this connection's change counter.
  TChangeStamp ChangeStamp() override;
  // BEGIN IMMEDIATE: the write lock is taken (and retried) before anything is written.
  void WriteTransaction(const std::function<void()>& body) override;
  void ReadTransaction(const std::function<void()>& body) override;
  std::vector<std::pair<std::string, std::string>> Columns(const std::string& sqlTable) override;
  // Switching the journal writes: a file that may only be read is browsed as it is.
  void StartSharing() override {
    if (!ReadOnly()) UseWriteAheadLog();
  }

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
  TLockPolicy FPolicy;
  std::unordered_map<std::string, sqlite3_stmt*> FStatements;
};

}  // namespace tables::detail
