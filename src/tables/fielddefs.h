// Field definitions as SQL column declarations: a string field is declared
// VARCHAR(size) and a float field FLOAT, so the sizes live in the file and are
// read back from it when a cursor opens.
#pragma once

#include <string>
#include <vector>

#include "tables/connection.h"
#include "tables/tables.h"

namespace tables::detail {

std::string DeclaredType(const TFieldDef& field);
// Refuses a declaration the engine cannot serve, naming the field.
TFieldDef FieldDefFromDeclaration(const std::string& name, const std::string& declaredType);

// The fields of the table in column order; refuses a file without that table.
std::vector<TFieldDef> ReadFieldDefs(TConnection& connection, const std::string& sqlTable);

// The position of the field, ignoring case; -1 when there is none.
int FieldIndex(const std::vector<TFieldDef>& fields, const std::string& name);

}  // namespace tables::detail
