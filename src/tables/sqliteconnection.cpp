#include "tables/sqliteconnection.h"

#include <sqlite3.h>

#include <filesystem>

#include "tables/tables.h"

namespace tables::detail {

namespace {

void Bind(sqlite3_stmt* statement, int index, const TSqlValue& value) {
  if (const auto* integer = std::get_if<std::int64_t>(&value)) {
    sqlite3_bind_int64(statement, index, *integer);
  } else if (const auto* number = std::get_if<double>(&value)) {
    sqlite3_bind_double(statement, index, *number);
  } else if (const auto* text = std::get_if<std::string>(&value)) {
    sqlite3_bind_text64(statement, index, text->data(), text->size(), SQLITE_TRANSIENT, SQLITE_UTF8);
  } else {
    sqlite3_bind_null(statement, index);
  }
}

TSqlValue Column(sqlite3_stmt* statement, int index) {
  switch (sqlite3_column_type(statement, index)) {
    case SQLITE_INTEGER:
      return static_cast<std::int64_t>(sqlite3_column_int64(statement, index));
    case SQLITE_FLOAT:
      return sqlite3_column_double(statement, index);
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
      const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, index));
      return std::string(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(statement, index)));
    }
    default:
      return std::monostate{};
  }
}

void RequireFile(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) throw ETableError("Table file " + path + " does not exist");
  if (!std::filesystem::is_regular_file(status)) throw ETableError(path + " is not a table file");
}

}  // namespace

TSqliteConnection::TSqliteConnection(const std::string& path, TLockPolicy policy) : TConnection(path), FPolicy(policy) {
  RequireFile(path);
  const int rc = sqlite3_open_v2(path.c_str(), &FDb, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    const std::string message = FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(rc);
    sqlite3_close_v2(FDb);
    throw ETableError("Cannot open table file " + path + ": " + message);
  }
  try {
    Configure();
  } catch (...) {
    CloseAll();  // the destructor does not run for a constructor that throws
    throw;
  }
}

void TSqliteConnection::Configure() {
  sqlite3_extended_result_codes(FDb, 1);
  // The file may come from anywhere: its schema must not run code or be written raw.
  sqlite3_db_config(FDb, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(FDb, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  // Every commit is synced to disk before Post returns, so a posted item survives
  // a crash of the program and also of the system or a power cut. Posts come at
  // typing speed, so the sync (about a millisecond) is never felt.
  Execute("PRAGMA synchronous=FULL");
  // Room for the pages of a large item table (allocated only as pages are read),
  // so find-key and moves are served from memory instead of reading the file.
  Execute("PRAGMA cache_size=-32768");
}

void TSqliteConnection::CloseAll() {
  for (auto& [sql, statement] : FStatements) sqlite3_finalize(statement);
  FStatements.clear();
  sqlite3_close_v2(FDb);
  FDb = nullptr;
}

TSqliteConnection::~TSqliteConnection() { CloseAll(); }

const TDialect& TSqliteConnection::Dialect() const {
  // Every SQLite table has its rowid; text compares byte-wise (BINARY) unless told otherwise.
  static constexpr TDialect kSqlite{"FLOAT", "", "", "",
                                    "SELECT 1 FROM sqlite_schema WHERE type = 'index' AND name = ?1 COLLATE NOCASE"};
  return kSqlite;
}

std::vector<std::pair<std::string, std::string>> TSqliteConnection::Columns(const std::string& sqlTable) {
  std::vector<std::pair<std::string, std::string>> columns;
  if (Query("SELECT name FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE", {sqlTable}).empty()) {
    return columns;
  }
  for (auto& row : Query("SELECT name, type FROM pragma_table_info(?1) ORDER BY cid", {sqlTable})) {
    auto text = [](TSqlValue& value) {
      auto* found = std::get_if<std::string>(&value);
      return found ? std::move(*found) : std::string();
    };
    columns.emplace_back(text(row[0]), text(row[1]));
  }
  return columns;
}

std::vector<TSqlRow> TSqliteConnection::Query(const std::string& sql, const std::vector<TSqlValue>& params) {
  std::vector<TSqlRow> rows;
  Run(Prepared(sql), params, &rows);
  return rows;
}

int TSqliteConnection::Execute(const std::string& sql, const std::vector<TSqlValue>& params) {
  Run(Prepared(sql), params, nullptr);
  return sqlite3_changes(FDb);
}

bool TSqliteConnection::ReadOnly() const { return sqlite3_db_readonly(FDb, "main") == 1; }

std::int64_t TSqliteConnection::LastInsertRowId() { return sqlite3_last_insert_rowid(FDb); }

TConnection::TChangeStamp TSqliteConnection::ChangeStamp() {
  const auto version = std::get<std::int64_t>(Query("PRAGMA data_version").front().front());
  return {version, sqlite3_total_changes64(FDb)};
}

void TSqliteConnection::WriteTransaction(const std::function<void()>& body) { InTransaction("BEGIN IMMEDIATE", body); }

void TSqliteConnection::ReadTransaction(const std::function<void()>& body) {
  if (sqlite3_get_autocommit(FDb)) {
    InTransaction("BEGIN", body);
  } else {
    body();
  }
}

void TSqliteConnection::InTransaction(const std::string& begin, const std::function<void()>& body) {
  Execute(begin);
  try {
    body();
    Execute("COMMIT");
  } catch (...) {
    if (!sqlite3_get_autocommit(FDb)) sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

void TSqliteConnection::UseWriteAheadLog() {
  // Readers and one writer work at once, so cursors of other windows and
  // processes keep browsing while a row is posted.
  const auto mode = Query("PRAGMA journal_mode");
  if (!mode.empty() && mode.front().front() == TSqlValue(std::string("wal"))) return;
  Query("PRAGMA journal_mode=WAL");
}

sqlite3_stmt* TSqliteConnection::Prepared(const std::string& sql) {
  if (const auto found = FStatements.find(sql); found != FStatements.end()) return found->second;
  sqlite3_stmt* statement = nullptr;
  const int rc = RetryWhileBusy(FPolicy, [&] {
    return sqlite3_prepare_v3(FDb, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                              &statement, nullptr);
  });
  if (rc != SQLITE_OK) Fail(rc, sqlite3_errmsg(FDb));
  FStatements.emplace(sql, statement);
  return statement;
}

void TSqliteConnection::Run(sqlite3_stmt* statement, const std::vector<TSqlValue>& params,
                      std::vector<TSqlRow>* rows) {
  for (std::size_t i = 0; i < params.size(); ++i) Bind(statement, static_cast<int>(i + 1), params[i]);
  const int columns = sqlite3_column_count(statement);
  const int rc = RetryWhileBusy(FPolicy, [&] {
    sqlite3_reset(statement);
    if (rows) rows->clear();
    int stepped;
    while ((stepped = sqlite3_step(statement)) == SQLITE_ROW) {
      if (!rows) continue;
      TSqlRow& row = rows->emplace_back();
      for (int c = 0; c < columns; ++c) row.push_back(Column(statement, c));
    }
    return stepped;
  });
  // Read the message before the reset, which may replace it.
  const std::string detail = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(FDb);
  // A reset statement holds no read snapshot, so the next query sees every commit.
  sqlite3_reset(statement);
  if (rc != SQLITE_DONE) Fail(rc, detail);
}

void TSqliteConnection::Fail(int resultCode, const std::string& detail) const {
  switch (resultCode & 0xFF) {
    case SQLITE_BUSY:
      throw ETableLocked(LockRefusedMessage(Path(), FPolicy));
    case SQLITE_READONLY:
      throw ETableError("Table file " + Path() + " is read-only: its rows can be browsed but not changed");
    case SQLITE_NOTADB:
      throw ETableError(Path() + " is not a table file (" + detail + ")");
    case SQLITE_CORRUPT:
      throw ETableError("Table file " + Path() + " is damaged (" + detail + ")");
    default:
      throw ETableError("Table file " + Path() + ": " + detail);
  }
}

}  // namespace tables::detail
