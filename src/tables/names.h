// Names and paths: how a table name becomes a file name and an SQL name, how
// directories are written, and comparisons that ignore case.
#pragma once

#include <string>
#include <string_view>

namespace tables::detail {

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// The directory with exactly one trailing '/'. An empty directory is refused.
std::string WithTrailingSeparator(const std::string& directory);

// "Barmas.DAT" stays; "param" becomes "param.DAT".
std::string TableFileName(const std::string& tableName);
// The SQL table inside the file: the file name without ".DAT".
std::string SqlTableName(const std::string& tableName);

// An SQL identifier in double quotes, safe for any name.
std::string QuoteIdentifier(const std::string& name);

}  // namespace tables::detail
