// Fields: a typed view of one column of the cursor's buffer.
#include "tables/tableimpl.h"
#include "tables/values.h"

namespace tables {

namespace {

// Refuses a field of a closed table, or one the reopened file no longer has.
const TFieldDef& Def(const TTable& table, int index) {
  const auto& defs = table.FieldDefs();
  if (index >= static_cast<int>(defs.size())) throw ETableError("Table " + table.TableName() + " has no such field now");
  return defs[index];
}

}  // namespace

const std::string& TField::FieldName() const { return Def(*FTable, FIndex).Name; }
TFieldType TField::DataType() const { return Def(*FTable, FIndex).DataType; }
int TField::Size() const { return Def(*FTable, FIndex).Size; }

bool TField::IsNull() const { return std::holds_alternative<std::monostate>(Value()); }
std::string TField::AsString() const { return detail::TextOf(Value()); }
double TField::AsFloat() const { return detail::NumberOf(Value()); }
TVariant TField::Value() const {
  Def(*FTable, FIndex);
  return FTable->ReadField(FIndex);
}

void TField::SetAsString(const std::string& value) { SetValue(value); }
void TField::SetAsFloat(double value) { SetValue(value); }
void TField::SetValue(const TVariant& value) {
  Def(*FTable, FIndex);
  FTable->WriteField(FIndex, value);
}
void TField::Clear() { SetValue(TVariant{}); }

}  // namespace tables
