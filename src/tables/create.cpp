// Making a new table file. The file is built under a temporary name and then
// linked to its real name, which fails when that name exists: so an existing
// file is never overwritten, and no other process ever sees a half-built table.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "tables/serverconnection.h"
#include "tables/sqliteconnection.h"
#include "tables/store.h"
#include "tables/fielddefs.h"
#include "tables/names.h"
#include "tables/roworder.h"
#include "tables/sqltext.h"
#include "tables/values.h"

namespace tables {

namespace {

namespace fs = std::filesystem;

void CheckLayout(const std::string& name, const std::vector<TFieldDef>& fields,
                 const std::vector<std::string>& indexFields, const std::vector<std::vector<TVariant>>& rows) {
  if (fields.empty()) throw ETableError("Table " + name + " needs at least one field");
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto& field = fields[i];
    if (field.Name.empty()) throw ETableError("Field " + std::to_string(i + 1) + " of table " + name + " has no name");
    if (detail::FieldIndex(fields, field.Name) != static_cast<int>(i)) {
      throw ETableError("Table " + name + " has two fields named " + field.Name);
    }
    if (field.DataType == TFieldType::ftString && field.Size <= 0) {
      throw ETableError("String field " + field.Name + " of table " + name + " needs a size");
    }
  }
  for (const auto& index : indexFields) {
    if (detail::FieldIndex(fields, index) < 0) throw ETableError("Index field " + index + " not found in table " + name);
  }
  for (const auto& row : rows) {
    if (row.size() != fields.size()) {
      throw ETableError("A row for table " + name + " has " + std::to_string(row.size()) + " values, not " +
                        std::to_string(fields.size()));
    }
  }
}

// A file beside the target, removed with its journal files unless it was linked.
class TBuildFile {
 public:
  // Created like any new file (0666 less the umask), so other users can share the table.
  explicit TBuildFile(const std::string& target) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string candidate = HiddenName(target, attempt);
      const int fd = open(candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
      if (fd >= 0) {
        close(fd);
        FPath = candidate;
        return;
      }
      if (errno != EEXIST) break;
    }
    throw ETableError("Cannot create a file beside " + target + ": " + std::strerror(errno));
  }
  ~TBuildFile() {
    std::error_code ignored;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) fs::remove(FPath + suffix, ignored);
  }
  TBuildFile(const TBuildFile&) = delete;
  TBuildFile& operator=(const TBuildFile&) = delete;
  const std::string& Path() const { return FPath; }

 private:
  static std::string HiddenName(const std::string& target, int attempt) {
    const fs::path path(target);
    return (path.parent_path() / ("." + path.filename().string() + ".new-" + std::to_string(getpid()) + "-" +
                                  std::to_string(attempt)))
        .string();
  }

  std::string FPath;
};

void Build(detail::TConnection& connection, const std::string& table, const std::vector<TFieldDef>& fields,
           const std::vector<std::string>& indexFields, const std::vector<std::vector<TVariant>>& rows) {
  connection.WriteTransaction([&] {
    connection.Execute(detail::CreateTableSql(table, fields, connection.Dialect()));
    connection.TableCreated(table);
    for (const auto& index : indexFields) {
      connection.Execute(detail::CreateIndexSql(table, fields[detail::FieldIndex(fields, index)].Name,
                                                 connection.Dialect().IndexOrder));
    }
    for (const auto& row : rows) {
      std::vector<detail::TSqlValue> values;
      for (std::size_t i = 0; i < fields.size(); ++i) values.push_back(detail::ToSql(detail::StoredValue(fields[i], row[i])));
      connection.Execute(detail::InsertRowSql(table, fields), values);
    }
  });
  // Switched last, so that closing leaves everything in the file itself.
  connection.StartSharing();
}

}  // namespace

void CreateTable(const std::string& database, const std::string& name, const std::vector<TFieldDef>& fields,
                 const std::vector<std::string>& indexFields, const std::vector<std::vector<TVariant>>& rows) {
  const detail::TStore store = detail::StoreOf(database);
  const std::string table = detail::SqlTableName(name);
  CheckLayout(table, fields, indexFields, rows);
  if (store.ServerLine) {
    detail::TServerConnection server(*store.ServerLine, detail::TLockPolicy{});
    if (!server.Columns(table).empty()) throw ETableError("Table " + table + " already exists in " + server.Path());
    Build(server, table, fields, indexFields, rows);
    return;
  }
  const std::string& folder = store.Directory;
  std::error_code error;
  if (!fs::is_directory(folder, error)) throw ETableError("Directory " + folder + " does not exist");
  const std::string path = folder + detail::TableFileName(name);
  if (fs::exists(fs::symlink_status(path, error))) throw ETableError("Table file " + path + " already exists");
  TBuildFile build(path);
  {
    detail::TSqliteConnection connection(build.Path(), detail::TLockPolicy{});
    Build(connection, table, fields, indexFields, rows);
  }
  fs::create_hard_link(build.Path(), path, error);
  if (error == std::errc::file_exists) throw ETableError("Table file " + path + " already exists");
  if (error) throw ETableError("Cannot create table file " + path + ": " + error.message());
}

}  // namespace tables
