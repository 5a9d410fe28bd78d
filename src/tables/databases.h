// Which directory a cursor's database name stands for.
#pragma once

#include <string>

namespace tables::detail {

// The directory of the connected TDatabase of that name, else the name itself
// as a directory; always with a trailing separator.
std::string DatabaseDirectory(const std::string& databaseName);

}  // namespace tables::detail
