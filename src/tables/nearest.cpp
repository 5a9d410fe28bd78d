// Find-nearest: one index range scan with LIMIT 1, whatever the table's size.
#include "tables/tableimpl.h"
#include "tables/values.h"

namespace tables {

bool TTable::FindNearest(const TVariant& value) {
  auto& impl = Impl();
  EndPending();
  const auto& keys = impl.Order->KeyFields();
  if (keys.empty()) throw ETableError("Table " + FTableName + " has no index fields to find a key in");
  const TVariant stored = detail::KeyValue(impl.FieldDefs[keys.front()], value);
  // Every row's key is at least no value.
  auto row = std::holds_alternative<std::monostate>(stored) ? impl.EndRow(false)
                                                             : impl.FirstOf({impl.Order->AtLeast(stored)});
  if (!row) row = impl.EndRow(true);
  if (!row) return false;
  MoveTo(std::move(*row));
  return true;
}

}  // namespace tables
