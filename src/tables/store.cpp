#include "tables/store.h"

#include <libpq-fe.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "tables/databases.h"
#include "tables/names.h"
#include "tables/serverconnection.h"
#include "tables/sqliteconnection.h"
#include "tables/values.h"

namespace tables::detail {

namespace {

constexpr char kServerFolder[] = "databases/";
constexpr char kServerSuffix[] = ".uri";

}  // namespace

TStore StoreOf(const std::string& databaseName) {
  TStore store{DatabaseDirectory(databaseName), std::nullopt, {}};
  const TDatabase* database = TDatabase::FindDatabase(databaseName);
  if (!database) return store;
  const std::string uriFile = store.Directory + kServerFolder + database->DatabaseName() + kServerSuffix;
  std::error_code error;
  if (!std::filesystem::exists(uriFile, error)) return store;
  store.ServerLine = ReadServerLine(uriFile);
  store.UriFile = uriFile;
  return store;
}

std::string ReadServerLine(const std::string& uriFile) {
  std::ifstream in(uriFile);
  if (!in) throw ETableError("Cannot read the server file " + uriFile);
  std::string found;
  for (std::string line; std::getline(in, line);) {
    const std::string text(TrimBlanks(TrimRight(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line)));
    if (text.empty() || text.starts_with('#')) continue;
    if (!found.empty()) throw ETableError("The server file " + uriFile + " holds more than one connection line");
    found = text;
  }
  if (found.empty()) throw ETableError("The server file " + uriFile + " holds no connection line");
  if (HoldsPassword(found, uriFile)) {
    throw ETableError("The server file " + uriFile +
                      " holds a password; passwords go in libpq's password file (~/.pgpass, or the file "
                      "PGPASSFILE names) or in its service file, never in the program's files");
  }
  return found;
}

bool HoldsPassword(const std::string& line, const std::string& uriFile) {
  char* error = nullptr;
  // libpq's parse error may quote the line, password and all: it is not shown.
  std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(PQconninfoParse(line.c_str(), &error),
                                                                       &PQconninfoFree);
  if (error) PQfreemem(error);
  if (!options) throw ETableError("The server file " + uriFile + " holds a line that is no libpq connection string");
  for (const PQconninfoOption* option = options.get(); option->keyword; ++option) {
    if (std::string(option->keyword) == "password" && option->val && *option->val) return true;
  }
  return false;
}

std::unique_ptr<TConnection> ConnectTable(const std::string& databaseName, const std::string& tableName,
                                          TLockPolicy policy) {
  const TStore store = StoreOf(databaseName);
  if (store.ServerLine) return std::make_unique<TServerConnection>(*store.ServerLine, policy);
  return std::make_unique<TSqliteConnection>(store.Directory + TableFileName(tableName), policy);
}

}  // namespace tables::detail
