#include "tables/names.h"

#include <algorithm>
#include <cctype>

#include "tables/tables.h"

namespace tables::detail {

namespace {

constexpr std::string_view kExtension = ".DAT";

bool HasTableExtension(const std::string& name) {
  return name.size() > kExtension.size() &&
         EqualsIgnoreCase(std::string_view(name).substr(name.size() - kExtension.size()), kExtension);
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

std::string WithTrailingSeparator(const std::string& directory) {
  if (directory.empty()) throw ETableError("No database directory is set");
  std::string result = directory;
  while (result.size() > 1 && result.back() == '/') result.pop_back();
  if (result.back() != '/') result += '/';
  return result;
}

std::string TableFileName(const std::string& tableName) {
  if (tableName.empty()) throw ETableError("No table name is set");
  return HasTableExtension(tableName) ? tableName : tableName + std::string(kExtension);
}

std::string SqlTableName(const std::string& tableName) {
  const std::string file = TableFileName(tableName);
  return file.substr(0, file.size() - kExtension.size());
}

std::string QuoteIdentifier(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

}  // namespace tables::detail
