#include "support/filledtable.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "items/shoptables.h"
#include "support/privatepostgres.h"

namespace benchsupport {

namespace {

// The one private server of the benchmark program, stopped at its end.
testsupport::TPrivatePostgres& Server() {
  static testsupport::TPrivatePostgres server;
  return server;
}

using TServerLink = std::unique_ptr<PGconn, decltype(&PQfinish)>;

TServerLink Connect(const std::string& line) {
  TServerLink link(PQconnectdb((line + " client_encoding=UTF8").c_str()), &PQfinish);
  if (PQstatus(link.get()) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(link.get()));
  return link;
}

void Exec(PGconn* link, const std::string& sql, ExecStatusType expected = PGRES_COMMAND_OK) {
  std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(link, sql.c_str()), &PQclear);
  if (PQresultStatus(result.get()) != expected) throw std::runtime_error(sql + ": " + PQerrorMessage(link));
}

// The server line of a new, empty database of that name on the private server.
std::string NewServerDatabase(const std::string& name) {
  Exec(Connect(Server().TcpLine()).get(), "CREATE DATABASE " + name);
  std::string line = Server().TcpLine();
  const std::string standard = "dbname=postgres";
  line.replace(line.find(standard), standard.size(), "dbname=" + name);
  return line;
}

}  // namespace

TStore StoreArg(const benchmark::State& state, int index) {
  return state.range(index) == 1 ? TStore::Server : TStore::Files;
}

bool SkipWithoutStore(benchmark::State& state, TStore store) {
  if (store == TStore::Files || Server().Failure().empty()) return false;
  state.SkipWithError(Server().Failure().c_str());
  return true;
}

TFilledTable::TFilledTable(int rows, TStore store) : FStore(store) {
  const auto& layout = items::BarmasLayout();
  std::string database = Dir.Path();
  if (store == TStore::Server) {
    static std::atomic<int> count{0};
    FDatabase = std::make_unique<tables::TDatabase>("filled" + std::to_string(++count));
    FServerLine = NewServerDatabase(FDatabase->DatabaseName());
    std::filesystem::create_directory(Dir.File("databases"));
    // The windows reach the items through the program's database; the benchmarks' cursors through their own.
    for (const std::string& name : {std::string(items::barmas::kDatabase), FDatabase->DatabaseName()}) {
      std::ofstream(Dir.File("databases/" + name + ".uri")) << FServerLine << "\n";
    }
    FDatabase->SetDirectory(Dir.Path());
    FDatabase->Open();
    database = FDatabase->DatabaseName();
  }
  tables::CreateTable(database, layout.Name, layout.Fields, layout.IndexFields);
  store == TStore::Server ? FillServer(rows) : FillFile(rows);
}

TFilledTable::~TFilledTable() = default;

void TFilledTable::FillFile(int rows) {
  sqlite3* db = nullptr;
  sqlite3_open((Dir.Path() + "Barmas.DAT").c_str(), &db);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO Barmas (FBarcode, FName, FSP, FBarQty) VALUES (?1, ?2, ?3, 1)", -1, &insert,
                     nullptr);
  for (int i = 0; i < rows; ++i) {
    const std::string code = Barcode(i);
    const std::string name = ItemName(i);
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

// One COPY in one transaction, then the planner's statistics, as a table that has lived a while has them.
void TFilledTable::FillServer(int rows) {
  const TServerLink link = Connect(FServerLine);
  Exec(link.get(), "COPY \"Barmas\" (\"FBarcode\", \"FName\", \"FSP\", \"FBarQty\") FROM STDIN", PGRES_COPY_IN);
  std::string data;
  for (int i = 0; i < rows; ++i) {
    data += Barcode(i) + '\t' + ItemName(i) + '\t' + std::to_string(0.25 * (i % 400)) + "\t1\n";
  }
  if (PQputCopyData(link.get(), data.data(), static_cast<int>(data.size())) != 1 ||
      PQputCopyEnd(link.get(), nullptr) != 1) {
    throw std::runtime_error(PQerrorMessage(link.get()));
  }
  std::unique_ptr<PGresult, decltype(&PQclear)> result(PQgetResult(link.get()), &PQclear);
  if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) throw std::runtime_error(PQerrorMessage(link.get()));
  Exec(link.get(), "ANALYZE \"Barmas\"");
}

std::unique_ptr<tables::TTable> TFilledTable::Open() const {
  auto table = std::make_unique<tables::TTable>();
  table->SetDatabaseName(FDatabase ? FDatabase->DatabaseName() : Dir.Path());
  table->SetTableName("Barmas.DAT");
  table->Open();
  table->SetIndexFieldNames("Fbarcode");
  return table;
}

const TFilledTable& FilledTable(int rows, TStore store) {
  static std::map<std::pair<int, TStore>, std::unique_ptr<TFilledTable>> tables;
  auto& table = tables[{rows, store}];
  if (!table) table = std::make_unique<TFilledTable>(rows, store);
  return *table;
}

}  // namespace benchsupport
