#include "tables/fielddefs.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "tables/names.h"

namespace tables::detail {

namespace {

struct TDeclaredType {
  std::string_view Name;
  TFieldType DataType;
  bool Sized;
};

// The first entry of each field type is the one new tables are written with.
constexpr TDeclaredType kDeclaredTypes[] = {
    {"VARCHAR", TFieldType::ftString, true},
    {"CHAR", TFieldType::ftString, true},
    {"FLOAT", TFieldType::ftFloat, false},
    {"REAL", TFieldType::ftFloat, false},
    {"DOUBLE", TFieldType::ftFloat, false},
};

std::string Normalized(const std::string& declaration) {
  std::string result;
  for (unsigned char c : declaration) {
    if (!std::isspace(c)) result += static_cast<char>(std::toupper(c));
  }
  return result;
}

// "(13)" -> 13; 0 when it is not a positive size in parentheses.
int ParenthesizedSize(std::string_view text) {
  if (text.size() < 3 || text.front() != '(' || text.back() != ')') return 0;
  const std::string_view digits = text.substr(1, text.size() - 2);
  if (digits.size() > 6 || !std::ranges::all_of(digits, [](unsigned char c) { return std::isdigit(c); })) {
    return 0;
  }
  return std::stoi(std::string(digits));
}

}  // namespace

std::string DeclaredType(const TFieldDef& field) {
  const auto& type = *std::ranges::find(kDeclaredTypes, field.DataType, &TDeclaredType::DataType);
  std::string text(type.Name);
  if (type.Sized) text += "(" + std::to_string(field.Size) + ")";
  return text;
}

TFieldDef FieldDefFromDeclaration(const std::string& name, const std::string& declaredType) {
  const std::string text = Normalized(declaredType);
  for (const auto& type : kDeclaredTypes) {
    if (!text.starts_with(type.Name)) continue;
    const std::string_view rest = std::string_view(text).substr(type.Name.size());
    if (!type.Sized && rest.empty()) return {name, type.DataType, 0};
    if (const int size = type.Sized ? ParenthesizedSize(rest) : 0; size > 0) return {name, type.DataType, size};
  }
  throw ETableError("Field " + name + " has the type '" + declaredType + "', which is not a table field type");
}

std::vector<TFieldDef> ReadFieldDefs(TConnection& connection, const std::string& sqlTable) {
  const auto columns = connection.Columns(sqlTable);
  if (columns.empty()) throw ETableError("Table " + sqlTable + " not found in " + connection.Path());
  std::vector<TFieldDef> fields;
  for (const auto& [name, declaredType] : columns) fields.push_back(FieldDefFromDeclaration(name, declaredType));
  return fields;
}

int FieldIndex(const std::vector<TFieldDef>& fields, const std::string& name) {
  const auto found = std::ranges::find_if(fields, [&](const TFieldDef& f) { return EqualsIgnoreCase(f.Name, name); });
  return found == fields.end() ? -1 : static_cast<int>(found - fields.begin());
}

}  // namespace tables::detail
