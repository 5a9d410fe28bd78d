#include "tables/sqltext.h"

#include "tables/fielddefs.h"
#include "tables/names.h"

namespace tables::detail {

namespace {

// "?first, ?first+1, ..." for count parameters.
std::string Parameters(std::size_t count, std::size_t first = 1) {
  std::string text;
  for (std::size_t i = first; i < first + count; ++i) text += (i > first ? ", ?" : "?") + std::to_string(i);
  return text;
}

// "CAST(?n AS type)": what a list of values needs to carry its column's type to the server.
std::string TypedParameter(std::size_t number, const char* type) {
  return "CAST(?" + std::to_string(number) + " AS " + type + ")";
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
  return InsertRowsSql(table, fields, 1);
}

std::string InsertRowsSql(const std::string& table, const std::vector<TFieldDef>& fields, std::size_t count) {
  std::string rows;
  for (std::size_t row = 0; row < count; ++row) {
    rows += (row ? "), (" : "") + Parameters(fields.size(), row * fields.size() + 1);
  }
  return "INSERT INTO " + QuoteIdentifier(table) + " (" + ColumnList(fields) + ") VALUES (" + rows + ")";
}

std::string UpdateRowsSql(const std::string& table, const std::vector<TFieldDef>& fields, std::size_t count,
                          const TDialect& dialect) {
  // A list of values names its columns column1, column2, ... on both stores; column1 is the row id.
  std::string assignments;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    assignments += (i ? ", " : "") + QuoteIdentifier(fields[i].Name) + " = v.column" + std::to_string(i + 2);
  }
  std::string rows;
  std::size_t number = 0;
  for (std::size_t row = 0; row < count; ++row) {
    rows += std::string(row ? "), (" : "") + TypedParameter(++number, "BIGINT");
    for (const auto& field : fields) {
      rows += ", " + TypedParameter(++number, field.DataType == TFieldType::ftString ? "TEXT" : dialect.FloatType);
    }
  }
  return "UPDATE " + QuoteIdentifier(table) + " SET " + assignments + " FROM (VALUES (" + rows + ")) AS v WHERE " +
         QuoteIdentifier(table) + ".rowid = v.column1";
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
