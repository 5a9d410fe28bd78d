// The SQL text of the statements the engine runs. Identifiers are always quoted,
// so any field or table name is safe; values always go in as parameters.
#pragma once

#include <string>
#include <vector>

#include "tables/connection.h"
#include "tables/tables.h"

namespace tables::detail {

// "SELECT rowid, "F1", ... FROM "T"": every row read starts with its row id.
std::string SelectRowsSql(const std::string& table, const std::vector<TFieldDef>& fields);
std::string InsertRowSql(const std::string& table, const std::vector<TFieldDef>& fields);
// Inserts count rows in one statement; the parameters are their values one row after another.
std::string InsertRowsSql(const std::string& table, const std::vector<TFieldDef>& fields, std::size_t count);
// Sets every field of count rows in one statement; each row's parameters are its id, then its values.
std::string UpdateRowsSql(const std::string& table, const std::vector<TFieldDef>& fields, std::size_t count,
                          const TDialect& dialect);
// Sets the given fields (parameters 1..n) of the row whose id is parameter n+1.
std::string UpdateFieldsSql(const std::string& table, const std::vector<TFieldDef>& fields,
                            const std::vector<int>& changed);
std::string DeleteRowSql(const std::string& table);
std::string CountRowsSql(const std::string& table);
std::string AnyRowSql(const std::string& table);
std::string CreateTableSql(const std::string& table, const std::vector<TFieldDef>& fields, const TDialect& dialect);
// order follows the field inside the parentheses (a dialect's IndexOrder).
std::string CreateIndexSql(const std::string& table, const std::string& field, const std::string& order = "");
// The name CreateIndexSql gives the index, as a dialect's IndexExists looks for it.
std::string IndexName(const std::string& table, const std::string& field);

}  // namespace tables::detail
