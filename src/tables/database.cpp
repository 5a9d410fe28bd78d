#include <algorithm>

#include "tables/databases.h"
#include "tables/names.h"
#include "tables/tables.h"

namespace tables {

namespace {

// The connected databases of the process, found by name.
std::vector<TDatabase*>& ConnectedDatabases() {
  static std::vector<TDatabase*> databases;
  return databases;
}

}  // namespace

TDatabase::TDatabase(std::string databaseName) : FDatabaseName(std::move(databaseName)) {}

TDatabase::~TDatabase() { Close(); }

void TDatabase::SetDatabaseName(const std::string& name) {
  if (FConnected) throw ETableError("Close database " + FDatabaseName + " before renaming it");
  FDatabaseName = name;
}

void TDatabase::SetDirectory(const std::string& directory) { FDirectory = directory; }

void TDatabase::Open() {
  if (FConnected) return;
  if (FDatabaseName.empty()) throw ETableError("A database needs a name before it opens");
  if (FDirectory.empty()) throw ETableError("Database " + FDatabaseName + " has no directory");
  if (FindDatabase(FDatabaseName)) throw ETableError("A database named " + FDatabaseName + " is already open");
  ConnectedDatabases().push_back(this);
  FConnected = true;
}

void TDatabase::Close() {
  if (!FConnected) return;
  std::erase(ConnectedDatabases(), this);
  FConnected = false;
}

TDatabase* TDatabase::FindDatabase(const std::string& name) {
  const auto& databases = ConnectedDatabases();
  const auto found = std::ranges::find_if(
      databases, [&](const TDatabase* database) { return detail::EqualsIgnoreCase(database->FDatabaseName, name); });
  return found == databases.end() ? nullptr : *found;
}

namespace detail {

std::string DatabaseDirectory(const std::string& databaseName) {
  if (databaseName.empty()) throw ETableError("No database is set for the table");
  if (const TDatabase* database = TDatabase::FindDatabase(databaseName)) {
    return WithTrailingSeparator(database->Directory());
  }
  return WithTrailingSeparator(databaseName);
}

}  // namespace detail

}  // namespace tables
