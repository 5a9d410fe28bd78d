// mktables <directory>: creates the missing shop tables there.
// mktables import|export ...: items from and to CSV files (see itemmodes.h).
#include <iostream>

#include "itemmodes.h"
#include "items/shoptables.h"

namespace {

void PrintUsage() {
  std::cerr << "Usage: mktables <directory>\n";
  for (const TToolMode& mode : ItemTransferModes()) std::cerr << "       mktables " << mode.Usage << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2) {
    for (const TToolMode& mode : ItemTransferModes()) {
      if (argv[1] == std::string(mode.Name)) return mode.Run({argv + 2, argv + argc});
    }
  }
  if (argc != 2) {
    PrintUsage();
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
