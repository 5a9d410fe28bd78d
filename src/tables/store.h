// Where a database's tables live. A connected TDatabase whose directory holds
// "databases/<name>.uri" keeps its tables on the PostgreSQL server that file names;
// any other database name, and a directory given as one, means table files there.
#pragma once

#include <optional>
#include <string>

namespace tables::detail {

struct TStore {
  std::string Directory;  // with a trailing separator
  // The connection line of the server (what libpq's PQconnectdb takes), none for files.
  std::optional<std::string> ServerLine;
  std::string UriFile;  // the file that named the server, for messages
};

TStore StoreOf(const std::string& databaseName);

// The one connection line of a .uri file: blank lines and lines starting with '#'
// are skipped. A line holding a password is refused, saying where passwords go.
std::string ReadServerLine(const std::string& uriFile);
// The line's password, when it holds one (a password keyword or user:secret@ in a URI);
// a line libpq cannot parse is refused naming the file.
bool HoldsPassword(const std::string& line, const std::string& uriFile);

}  // namespace tables::detail
