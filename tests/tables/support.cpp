#include "support.h"

#include <libpq-fe.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "items/shoptables.h"
#include "tables/serverconnection.h"

namespace tables::test {

void MakeBarmas(const std::string& directory, const std::vector<TItem>& items) {
  const auto& layout = items::BarmasLayout();
  CreateTable(directory, layout.Name, layout.Fields, layout.IndexFields);
  auto table = OpenTable(directory);
  for (const auto& item : items) {
    table->Append();
    table->FieldByName("FBarcode").SetAsString(item.Barcode);
    table->FieldByName("FName").SetAsString(item.Name);
    table->FieldByName("FSP").SetAsString(item.Price);
    table->Post();
  }
}

std::unique_ptr<TTable> OpenTable(const std::string& directory, const std::string& name) {
  auto table = std::make_unique<TTable>();
  table->SetDatabaseName(directory);
  table->SetTableName(name);
  table->Open();
  return table;
}

std::vector<std::string> Walk(TTable& table, const std::string& field, bool forward) {
  std::vector<std::string> values;
  forward ? table.First() : table.Last();
  while (!(forward ? table.Eof() : table.Bof())) {
    values.push_back(table.FieldByName(field).AsString());
    forward ? table.Next() : table.Prior();
  }
  return values;
}

bool SuiteOnServer() {
  const char* store = std::getenv("TABLES_STORE");
  return store && std::string(store) == "server";
}

testsupport::TPrivatePostgres& SuiteServer() {
  static testsupport::TPrivatePostgres server;
  return server;
}

namespace {

std::string NextDatabaseName() {
  static std::atomic<int> count{0};
  return "store" + std::to_string(++count);
}

}  // namespace

TStore::TStore() : FOnServer(SuiteOnServer()), FDatabase(NextDatabaseName()) {
  FDatabase.SetDirectory(Dir.Path());
  FDatabase.Open();
  if (!FOnServer) return;
  if (!SuiteServer().Failure().empty()) throw std::runtime_error(SuiteServer().Failure());
  std::filesystem::create_directory(Dir.File("databases"));
  std::ofstream(Dir.File("databases/" + Database() + ".uri")) << "# the tests' private server\n"
                                                                  << SuiteServer().SocketLine() << "\n";
  OtherUser()->Exec("DROP TABLE IF EXISTS \"Barmas\"");
}

std::string TStore::LockedName() const {
  if (!FOnServer) return Dir.File("Barmas.DAT");
  return "database postgres on server " + SuiteServer().SocketFolder() + ":" + std::to_string(SuiteServer().Port());
}

std::string TStore::HoldWriteLockSql() const {
  if (!FOnServer) return "BEGIN IMMEDIATE";
  return "BEGIN; SELECT pg_advisory_xact_lock(" + std::to_string(detail::kWriterLock) + ")";
}

std::unique_ptr<TRawConnection> TStore::OtherUser() const {
  if (FOnServer) return TRawConnection::ToServer(SuiteServer().SocketLine());
  return std::make_unique<TRawConnection>(Dir.File("Barmas.DAT"));
}

std::unique_ptr<TRawConnection> TRawConnection::ToServer(const std::string& line) {
  std::unique_ptr<TRawConnection> raw(new TRawConnection());
  raw->FServer = PQconnectdb((line + " client_encoding=UTF8").c_str());
  if (PQstatus(raw->FServer) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(raw->FServer));
  return raw;
}

TRawConnection::TRawConnection(const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &FDb, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    throw std::runtime_error("cannot open " + path);
  }
}

TRawConnection::~TRawConnection() {
  sqlite3_close_v2(FDb);
  if (FServer) PQfinish(FServer);
}

void TRawConnection::Exec(const std::string& sql) {
  if (FServer) {
    std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(FServer, sql.c_str()), &PQclear);
    const auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
      throw std::runtime_error(sql + ": " + PQresultErrorMessage(result.get()));
    }
    return;
  }
  char* error = nullptr;
  if (sqlite3_exec(FDb, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : "unknown error";
    sqlite3_free(error);
    throw std::runtime_error(sql + ": " + message);
  }
}

std::vector<std::string> TRawConnection::Column(const std::string& sql) {
  std::vector<std::string> values;
  if (FServer) {
    std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(FServer, sql.c_str()), &PQclear);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK) {
      throw std::runtime_error(sql + ": " + PQresultErrorMessage(result.get()));
    }
    for (int row = 0; row < PQntuples(result.get()); ++row) {
      values.push_back(PQgetisnull(result.get(), row, 0) ? "NULL" : PQgetvalue(result.get(), row, 0));
    }
    return values;
  }
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(FDb, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    throw std::runtime_error(sql + ": " + sqlite3_errmsg(FDb));
  }
  while (sqlite3_step(statement) == SQLITE_ROW) {
    const auto* text = sqlite3_column_text(statement, 0);
    values.push_back(text ? reinterpret_cast<const char*>(text) : "NULL");
  }
  sqlite3_finalize(statement);
  return values;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace tables::test
