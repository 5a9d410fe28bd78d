#include "tables/serverconnection.h"

#include <libpq-fe.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>

#include "tables/names.h"
#include <memory>

namespace tables::detail {

namespace {

constexpr char kLockNotAvailable[] = "55P03";
// Type numbers of pg_type that come back as numbers.
constexpr Oid kIntegerTypes[] = {20, 21, 23};
constexpr Oid kFloatTypes[] = {700, 701, 1700};

template <typename Number>
std::optional<Number> ParseNumber(const char* text, int length) {
  Number number{};
  const auto result = std::from_chars(text, text + length, number);
  if (result.ec != std::errc() || result.ptr != text + length) return std::nullopt;
  return number;
}

bool OneOf(Oid type, const auto& types) { return std::ranges::find(types, type) != std::end(types); }

TSqlValue Cell(PGresult* result, int row, int column) {
  if (PQgetisnull(result, row, column)) return std::monostate{};
  const char* text = PQgetvalue(result, row, column);
  const int length = PQgetlength(result, row, column);
  const Oid type = PQftype(result, column);
  // A number that does not parse (NaN, Infinity) stays text, which no float field accepts.
  if (OneOf(type, kIntegerTypes)) {
    if (auto number = ParseNumber<std::int64_t>(text, length)) return *number;
  } else if (OneOf(type, kFloatTypes)) {
    if (auto number = ParseNumber<double>(text, length)) return *number;
  }
  return std::string(text, static_cast<std::size_t>(length));
}

std::string ParameterText(const TSqlValue& value) {
  if (const auto* integer = std::get_if<std::int64_t>(&value)) return std::to_string(*integer);
  if (const auto* number = std::get_if<double>(&value)) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, *number).ptr);  // shortest exact form
  }
  return std::get<std::string>(value);
}

// ?N becomes $N outside quoted names and strings.
std::string ServerSql(const std::string& sql) {
  std::string text;
  char quote = 0;
  for (char c : sql) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '?') {
      c = '$';
    }
    text += c;
  }
  return text;
}

std::string FirstLine(const char* message) {
  std::string text = message ? message : "";
  if (const auto end = text.find('\n'); end != std::string::npos) text.resize(end);
  return text;
}

}  // namespace

struct TServerConnection::TResult {
  std::unique_ptr<PGresult, decltype(&PQclear)> Handle{nullptr, &PQclear};
  PGresult* get() const { return Handle.get(); }
};

TServerConnection::TServerConnection(const std::string& line, TLockPolicy policy)
    : TConnection("the table server"), FPolicy(policy) {
  // Later keywords win: the line may set its own connect_timeout; the encoding is ours.
  const char* keywords[] = {"connect_timeout", "fallback_application_name", "dbname", "client_encoding", nullptr};
  const char* values[] = {kConnectTimeout, "barcodeprint", line.c_str(), "UTF8", nullptr};
  FConn = PQconnectdbParams(keywords, values, 1);
  if (!FConn) throw ETableError("Cannot reach the table server: out of memory");
  try {
    Reopen();
  } catch (...) {
    PQfinish(FConn);  // the destructor does not run for a constructor that throws
    throw;
  }
}

TServerConnection::~TServerConnection() { PQfinish(FConn); }

std::string TServerConnection::Describe() const {
  const std::string host = PQhost(FConn) ? PQhost(FConn) : "";
  const std::string port = PQport(FConn) ? PQport(FConn) : "";
  return "database " + std::string(PQdb(FConn) ? PQdb(FConn) : "") + " on server " + host +
         (port.empty() ? "" : ":" + port);
}

// Opens the connection again when it is lost; the first call checks the new connection.
void TServerConnection::Reopen() {
  if (FOpened && PQstatus(FConn) == CONNECTION_OK) return;
  if (FOpened) PQreset(FConn);
  SetPath(Describe());
  if (PQstatus(FConn) != CONNECTION_OK) {
    throw ETableError("Cannot reach the table server (" + Path() + "): " + FirstLine(PQerrorMessage(FConn)));
  }
  FStatements.clear();  // prepared statements live in the server's session
  ++FNotifications;     // what happened while away was not heard
  FOpened = true;
  Configure();
}

void TServerConnection::Configure() {
  const char* encoding = PQparameterStatus(FConn, "server_encoding");
  if (!encoding || std::string(encoding) != "UTF8") {
    throw ETableError("The table server's " + Path() + " keeps its text as " + (encoding ? encoding : "?") +
                      ", not UTF8; create the database with ENCODING 'UTF8'");
  }
  SetLockPolicy(FPolicy);
  Run("LISTEN " + std::string(kChangeChannel), {});
}

const TDialect& TServerConnection::Dialect() const {
  static constexpr TDialect kServer{"DOUBLE PRECISION", " COLLATE \"C\"",
                                    "rowid BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY", " NULLS FIRST, rowid",
                                    "SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() "
                                    "AND lower(indexname) = lower(?1)"};
  return kServer;
}

void TServerConnection::SetLockPolicy(TLockPolicy policy) {
  FPolicy = policy;
  // The SQLite cursor's retries wait this long in all; 0 would mean no limit to the server.
  const int milliseconds = std::max(1, policy.RetryCount * policy.WaitMilliseconds);
  if (PQstatus(FConn) == CONNECTION_OK) Run("SET lock_timeout = " + std::to_string(milliseconds), {});
}

TServerConnection::TResult TServerConnection::Run(const std::string& sql, const std::vector<TSqlValue>& params) {
  // Inside a transaction a lost connection is the transaction's failure, never a fresh start.
  if (!FInTransaction) Reopen();
  auto prepared = FStatements.find(sql);
  if (prepared == FStatements.end()) {
    const std::string name = "s" + std::to_string(FStatements.size());
    TResult made{{PQprepare(FConn, name.c_str(), ServerSql(sql).c_str(), 0, nullptr), &PQclear}};
    if (PQresultStatus(made.get()) != PGRES_COMMAND_OK) {
      Fail(PQresultErrorMessage(made.get()), PQresultErrorField(made.get(), PG_DIAG_SQLSTATE));
    }
    prepared = FStatements.emplace(sql, name).first;
  }
  std::vector<std::string> texts;
  std::vector<const char*> values;
  for (const auto& param : params) {
    if (std::holds_alternative<std::monostate>(param)) {
      values.push_back(nullptr);
      continue;
    }
    texts.push_back(ParameterText(param));
    values.push_back(nullptr);
  }
  for (std::size_t i = 0, t = 0; i < params.size(); ++i) {
    if (!std::holds_alternative<std::monostate>(params[i])) values[i] = texts[t++].c_str();
  }
  TResult result{{PQexecPrepared(FConn, prepared->second.c_str(), static_cast<int>(values.size()), values.data(),
                                 nullptr, nullptr, 0),
                  &PQclear}};
  const auto status = PQresultStatus(result.get());
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
    Fail(PQresultErrorMessage(result.get()), PQresultErrorField(result.get(), PG_DIAG_SQLSTATE));
  }
  return result;
}

void TServerConnection::Fail(const std::string& detail, const char* sqlState) const {
  if (sqlState && std::string(sqlState) == kLockNotAvailable) throw ETableLocked(LockRefusedMessage(Path(), FPolicy));
  if (PQstatus(FConn) != CONNECTION_OK) {
    throw ETableError("Lost the connection to the table server (" + Path() + "): " + FirstLine(detail.c_str()) +
                      "; the next action connects again");
  }
  throw ETableError("Table server (" + Path() + "): " + FirstLine(detail.c_str()));
}

std::vector<TSqlRow> TServerConnection::Query(const std::string& sql, const std::vector<TSqlValue>& params) {
  const TResult result = Run(sql, params);
  std::vector<TSqlRow> rows(static_cast<std::size_t>(PQntuples(result.get())));
  const int columns = PQnfields(result.get());
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    rows[r].reserve(columns);
    for (int c = 0; c < columns; ++c) rows[r].push_back(Cell(result.get(), r, c));
  }
  return rows;
}

int TServerConnection::Execute(const std::string& sql, const std::vector<TSqlValue>& params) {
  const TResult result = Run(sql, params);
  const char* count = PQcmdTuples(result.get());
  const int changed = count && *count ? std::atoi(count) : 0;
  FOwnChanges += changed;
  return changed;
}

std::int64_t TServerConnection::LastInsertRowId() {
  return std::get<std::int64_t>(Query("SELECT lastval()").front().front());
}

TConnection::TChangeStamp TServerConnection::ChangeStamp() {
  // Reads what has arrived on the socket without a statement, so a read transaction
  // begun just before takes its snapshot only at its first query, after this.
  if (PQstatus(FConn) == CONNECTION_OK && PQconsumeInput(FConn)) {
    while (PGnotify* notify = PQnotifies(FConn)) {
      if (notify->be_pid != PQbackendPID(FConn)) ++FNotifications;  // own changes are counted when made
      PQfreemem(notify);
    }
  }
  return {FNotifications, FOwnChanges};
}

void TServerConnection::Rollback() {
  FInTransaction = false;
  if (PQstatus(FConn) == CONNECTION_OK && PQtransactionStatus(FConn) != PQTRANS_IDLE) {
    PQclear(PQexec(FConn, "ROLLBACK"));
  }
}

void TServerConnection::Begin(const char* sql) {
  Run(sql, {});
  FInTransaction = true;
}

void TServerConnection::Commit() {
  TResult result{{PQexec(FConn, "COMMIT"), &PQclear}};
  FInTransaction = false;
  if (PQresultStatus(result.get()) == PGRES_COMMAND_OK) return;
  const bool lost = PQstatus(FConn) != CONNECTION_OK;
  if (!lost) Rollback();
  Fail(PQresultErrorMessage(result.get()), PQresultErrorField(result.get(), PG_DIAG_SQLSTATE));
}

void TServerConnection::WriteTransaction(const std::function<void()>& body) {
  Begin("BEGIN");
  std::int64_t transaction = 0;
  try {
    // The transaction's number tells, should the commit's answer be lost, whether it happened.
    transaction = std::get<std::int64_t>(
        Query("SELECT txid_current() FROM pg_advisory_xact_lock(?1)", {kWriterLock}).front().front());
    body();
  } catch (...) {
    Rollback();
    throw;
  }
  try {
    Commit();
  } catch (const ETableError&) {
    if (PQstatus(FConn) == CONNECTION_OK) throw;
    SettleInterruptedCommit(transaction);
  }
}

// The connection went while the commit was on its way: ask the server, once it
// answers again, whether the transaction committed.
void TServerConnection::SettleInterruptedCommit(std::int64_t transaction) {
  std::optional<bool> committed;
  try {
    committed = Outcome(transaction);
  } catch (const ETableError&) {
    CommitUnknown(transaction);
  }
  if (!committed) CommitUnknown(transaction);
  if (!*committed) {
    throw ETableError("Lost the connection to the table server (" + Path() +
                      ") while a change was committed; it was not stored");
  }
}

std::optional<bool> TServerConnection::Outcome(std::int64_t transaction) {
  Reopen();
  std::vector<TSqlRow> rows;
  try {
    rows = Query("SELECT txid_status(?1)", {transaction});
  } catch (const ETableError&) {
    if (PQstatus(FConn) != CONNECTION_OK) throw;
    return false;  // a number the server refuses ("in the future"): it lost that transaction whole in a crash
  }
  const auto* status = std::get_if<std::string>(&rows.front().front());
  // A transaction of a server that went down is aborted once it is back; one still
  // "in progress" belongs to a session that outlived our connection and may yet commit.
  if (status && *status == "committed") return true;
  if (status && *status == "aborted") return false;
  return std::nullopt;
}

bool TServerConnection::Committed(std::int64_t transaction) {
  const auto committed = Outcome(transaction);
  if (!committed) CommitUnknown(transaction);
  return *committed;
}

void TServerConnection::CommitUnknown(std::int64_t transaction) const {
  throw ECommitUnknown("Lost the connection to the table server (" + Path() +
                           ") while a change was committed; whether it was stored is not known until the server "
                           "answers again",
                       transaction);
}

void TServerConnection::ReadTransaction(const std::function<void()>& body) {
  if (FInTransaction) {
    body();
    return;
  }
  Begin("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY");
  try {
    body();
  } catch (...) {
    Rollback();
    throw;
  }
  Commit();
}

std::vector<std::pair<std::string, std::string>> TServerConnection::Columns(const std::string& sqlTable) {
  std::vector<std::pair<std::string, std::string>> columns;
  const auto rows = Query(
      "SELECT column_name, CASE data_type WHEN 'character varying' THEN 'VARCHAR(' || character_maximum_length || ')' "
      "WHEN 'character' THEN 'CHAR(' || character_maximum_length || ')' WHEN 'double precision' THEN 'DOUBLE' "
      "ELSE data_type END FROM information_schema.columns WHERE table_schema = current_schema() AND table_name = ?1 "
      "AND column_name <> 'rowid' ORDER BY ordinal_position",
      {sqlTable});
  for (const auto& row : rows) columns.emplace_back(std::get<std::string>(row[0]), std::get<std::string>(row[1]));
  return columns;
}

void TServerConnection::TableCreated(const std::string& sqlTable) {
  const std::string function = QuoteIdentifier(std::string(kChangeChannel) + "_changed");
  Execute("CREATE OR REPLACE FUNCTION " + function + "() RETURNS trigger LANGUAGE plpgsql AS $body$ BEGIN PERFORM "
          "pg_notify('" + kChangeChannel + "', TG_TABLE_NAME); RETURN NULL; END $body$");
  Execute("CREATE TRIGGER " + QuoteIdentifier(sqlTable + "_changes") + " AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE ON " +
          QuoteIdentifier(sqlTable) + " FOR EACH STATEMENT EXECUTE FUNCTION " + function + "()");
}

}  // namespace tables::detail
