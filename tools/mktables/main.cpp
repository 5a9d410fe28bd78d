// mktables <directory>: creates the missing shop tables there.
#include <iostream>

#include "items/shoptables.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: mktables <directory>\n";
    return 2;
  }
  try {
    for (const auto& table : items::CreateMissingTables(argv[1])) {
      std::cout << (table.Created ? "Created " : "Kept existing ") << table.Path << "\n";
    }
  } catch (const tables::ETableError& error) {
    std::cerr << "mktables: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
