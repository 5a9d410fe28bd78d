// mktables: the shop tables' tool. A single argument is always a directory, whose
// missing tables it creates (the item table on its server when it names one); every
// other command is one row of a mode table (itemmodes.h). Exit status 0 on success,
// 1 on failure with the message on standard error, 2 on a usage error.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "itemmodes.h"
#include "items/shoptables.h"

namespace {

// mktables <directory>: creates the missing shop tables there (or on its item server).
int CreateMissing(const std::string& directory) {
  try {
    for (const auto& table : items::CreateMissingTables(directory)) {
      std::cout << (table.Created ? "Created " : "Kept existing ") << table.Path << "\n";
    }
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "mktables: " << error.what() << "\n";
    return 1;
  }
}

int Usage() {
  std::cerr << "Usage: mktables <directory>\n";
  for (const TToolMode& mode : ItemTransferModes()) std::cerr << "       mktables " << mode.Usage << "\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 1) return CreateMissing(arguments[0]);
  if (arguments.empty()) return Usage();
  for (const TToolMode& mode : ItemTransferModes()) {
    if (arguments[0] == mode.Name) return mode.Run({arguments.begin() + 1, arguments.end()});
  }
  return Usage();
}
