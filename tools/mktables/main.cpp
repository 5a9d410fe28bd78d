// mktables: the shop tables' tool. Each command is one row of the mode table; a
// single argument is always a directory. Exit status 0 on success, 1 on failure
// with the message on standard error, 2 on a usage error.
#include <iostream>
#include <span>
#include <string>

#include "items/shoptables.h"

namespace {

// mktables <directory>: creates the missing shop tables there.
int CreateMissing(std::span<char*> arguments) {
  for (const auto& table : items::CreateMissingTables(arguments[0])) {
    std::cout << (table.Created ? "Created " : "Kept existing ") << table.Path << "\n";
  }
  return 0;
}

struct TMode {
  const char* Command;  // the first argument; nullptr: the arguments themselves
  std::size_t Arguments;  // after the command
  const char* Usage;
  int (*Run)(std::span<char*> arguments);
};

constexpr TMode kModes[] = {
    {nullptr, 1, "mktables <directory>", CreateMissing},
};

const TMode* FindMode(std::span<char*> arguments) {
  for (const TMode& mode : kModes) {
    const bool named = mode.Command && !arguments.empty() && arguments[0] == std::string(mode.Command);
    if (mode.Command ? named && arguments.size() == mode.Arguments + 1 : arguments.size() == mode.Arguments) {
      return &mode;
    }
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const std::span<char*> arguments(argv + 1, static_cast<std::size_t>(argc - 1));
  const TMode* mode = FindMode(arguments);
  if (!mode) {
    std::cerr << "Usage:";
    for (const TMode& each : kModes) std::cerr << "\n  " << each.Usage;
    std::cerr << "\n";
    return 2;
  }
  try {
    return mode->Run(mode->Command ? arguments.subspan(1) : arguments);
  } catch (const tables::ETableError& error) {
    std::cerr << "mktables: " << error.what() << "\n";
    return 1;
  }
}
