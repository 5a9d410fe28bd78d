// Indexes added to a table that is already in use.
#include "tables/fielddefs.h"
#include "tables/sqltext.h"
#include "tables/tableimpl.h"

namespace tables {

void TTable::AddMissingIndex(const std::string& fieldName) {
  const TFieldDef& field = FieldDefs().at(IndexFieldPositions(FieldDefs(), fieldName, FTableName).front());
  Impl().Connection->WriteTransaction(
      [&] { Impl().Connection->Execute(detail::CreateIndexSql(Impl().SqlTable, field.Name)); });
}

}  // namespace tables
