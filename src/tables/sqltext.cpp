#include "tables/sqltext.h"

#include "tables/fielddefs.h"
#include "tables/names.h"

namespace tables::detail {

namespace {

std::string Parameters(std::size_t count) {
  std::string text;
  for (std::size_t i = 1; i <= count; ++i) text += (i > 1 ? ", ?" : "?") + std::to_string(i);
  return text;
}

std::string ColumnList(const std::vector<TFieldDef>& fields) {
  std::string text;
  for (const auto& field : fields) text += (text.empty() ? "" : ", ") + QuoteIdentifier(field.Name);
  return text;
}

}  // namespace

std::string SelectRowsSql(const std::string& table, const std::vector<TFieldDef>& fields) {
  return "SELECT rowid, " + ColumnList(fields) + " FROM " + QuoteIdentifier(table);
}

std::string InsertRowSql(const std::string& table, const std::vector<TFieldDef>& fields) {
  return "INSERT INTO " + QuoteIdentifier(table) + " (" + ColumnList(fields) + ") VALUES (" +
         Parameters(fields.size()) + ")";
}

std::string UpdateFieldsSql(const std::string& table, const std::vector<TFieldDef>& fields,
                            const std::vector<int>& changed) {
  std::string assignments;
  for (std::size_t i = 0; i < changed.size(); ++i) {
    assignments += (i ? ", " : "") + QuoteIdentifier(fields[changed[i]].Name) + " = ?" + std::to_string(i + 1);
  }
  return "UPDATE " + QuoteIdentifier(table) + " SET " + assignments + " WHERE rowid = ?" +
         std::to_string(changed.size() + 1);
}

std::string DeleteRowSql(const std::string& table) {
  return "DELETE FROM " + QuoteIdentifier(table) + " WHERE rowid = ?1";
}

std::string CountRowsSql(const std::string& table) { return "SELECT count(*) FROM " + QuoteIdentifier(table); }

std::string AnyRowSql(const std::string& table) { return "SELECT 1 FROM " + QuoteIdentifier(table) + " LIMIT 1"; }

std::string CreateTableSql(const std::string& table, const std::vector<TFieldDef>& fields, const TDialect& dialect) {
  std::string columns = dialect.RowIdColumn;
  for (const auto& field : fields) {
    const bool text = field.DataType == TFieldType::ftString;
    columns += (columns.empty() ? "" : ", ") + QuoteIdentifier(field.Name) + " " +
               (text ? DeclaredType(field) + dialect.StringCollation : std::string(dialect.FloatType));
  }
  return "CREATE TABLE " + QuoteIdentifier(table) + " (" + columns + ")";
}

std::string IndexName(const std::string& table, const std::string& field) { return table + "_" + field; }

std::string CreateIndexSql(const std::string& table, const std::string& field, const std::string& order) {
  return "CREATE INDEX IF NOT EXISTS " + QuoteIdentifier(IndexName(table, field)) + " ON " + QuoteIdentifier(table) +
         " (" + QuoteIdentifier(field) + order + ")";
}

}  // namespace tables::detail
