// mktables <directory>: creates the program's missing table files there.
#include <iostream>

#include "tables/schema.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: mktables <directory>\n";
    return 2;
  }
  try {
    for (const auto& table : tables::CreateMissingTables(argv[1])) {
      std::cout << (table.Created ? "Created " : "Kept existing ") << table.Path << "\n";
    }
  } catch (const tables::ETableError& error) {
    std::cerr << "mktables: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
