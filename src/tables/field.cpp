// Fields: a typed view of one column of the cursor's buffer.
#include "tables/tableimpl.h"
#include "tables/values.h"

namespace tables {

namespace {

const TFieldDef& Def(const TTable& table, int index) { return table.FieldDefs()[index]; }

}  // namespace

const std::string& TField::FieldName() const { return Def(*FTable, FIndex).Name; }
TFieldType TField::DataType() const { return Def(*FTable, FIndex).DataType; }
int TField::Size() const { return Def(*FTable, FIndex).Size; }

bool TField::IsNull() const { return std::holds_alternative<std::monostate>(FTable->ReadField(FIndex)); }
std::string TField::AsString() const { return detail::TextOf(FTable->ReadField(FIndex)); }
double TField::AsFloat() const { return detail::NumberOf(FTable->ReadField(FIndex)); }
TVariant TField::Value() const { return FTable->ReadField(FIndex); }

void TField::SetAsString(const std::string& value) { FTable->WriteField(FIndex, value); }
void TField::SetAsFloat(double value) { FTable->WriteField(FIndex, value); }
void TField::SetValue(const TVariant& value) { FTable->WriteField(FIndex, value); }
void TField::Clear() { FTable->WriteField(FIndex, TVariant{}); }

}  // namespace tables
