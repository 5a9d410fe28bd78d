// One libpq connection to a PostgreSQL server holding the tables. The cursors'
// SQL text is the same as for SQLite: ?N placeholders become $N, the row id is a
// hidden identity column named rowid, strings sort byte-wise (COLLATE "C"). Writers
// take one advisory lock each, the server's counterpart of SQLite's one writer, and
// wait for it at most as long as the SQLite retries would (lock_timeout). Other
// connections' changes are heard through LISTEN on the channel the table's trigger
// notifies. A lost connection is reported on the operation that meets it and
// re-opened by the next one.
#pragma once

#include <optional>
#include <unordered_map>

#include "tables/connection.h"

struct pg_conn;

namespace tables::detail {

// The channel that the trigger of every server table notifies on each change.
inline constexpr char kChangeChannel[] = "barcodeprint_rows";
// The advisory lock every writer of a server database takes (any fixed number).
inline constexpr std::int64_t kWriterLock = 0x4261726d6173;
// Seconds libpq waits for a server that does not answer, unless the line sets its own.
inline constexpr char kConnectTimeout[] = "5";

class TServerConnection final : public TConnection {
 public:
  // line: what PQconnectdb accepts (URI or keyword/value), already checked to hold no password.
  TServerConnection(const std::string& line, TLockPolicy policy);
  ~TServerConnection() override;

  const TDialect& Dialect() const override;
  void SetLockPolicy(TLockPolicy policy) override;
  const TLockPolicy& LockPolicy() const override { return FPolicy; }
  std::vector<TSqlRow> Query(const std::string& sql, const std::vector<TSqlValue>& params = {}) override;
  int Execute(const std::string& sql, const std::vector<TSqlValue>& params = {}) override;
  std::int64_t LastInsertRowId() override;
  // The notifications heard so far (every reconnect counts as one) and this connection's changes.
  TChangeStamp ChangeStamp() override;
  void WriteTransaction(const std::function<void()>& body) override;
  void ReadTransaction(const std::function<void()>& body) override;
  bool Committed(std::int64_t transaction) override;
  std::vector<std::pair<std::string, std::string>> Columns(const std::string& sqlTable) override;
  // The trigger that tells every listening connection of the table's changes.
  void TableCreated(const std::string& sqlTable) override;

 private:
  struct TResult;
  TResult Run(const std::string& sql, const std::vector<TSqlValue>& params);
  void Reopen();
  void Configure();
  void Begin(const char* sql);
  void Commit();
  void Rollback();
  void SettleInterruptedCommit(std::int64_t transaction);
  // true or false once the server knows; none while the transaction may still be running.
  std::optional<bool> Outcome(std::int64_t transaction);
  [[noreturn]] void CommitUnknown(std::int64_t transaction) const;
  std::string Describe() const;
  [[noreturn]] void Fail(const std::string& detail, const char* sqlState) const;

  pg_conn* FConn = nullptr;
  TLockPolicy FPolicy;
  std::unordered_map<std::string, std::string> FStatements;  // cursor SQL -> prepared statement name
  std::int64_t FNotifications = 0;
  std::int64_t FOwnChanges = 0;
  bool FOpened = false;
  bool FInTransaction = false;
};

}  // namespace tables::detail
