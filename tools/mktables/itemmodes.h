// The item import, export and copy commands of mktables, as rows of a mode table: a name,
// its usage line and the function that runs it (exit status 0, 1 on failure, 2 on a usage error).
#pragma once

#include <span>
#include <string>
#include <vector>

struct TToolMode {
  const char* Name;
  const char* Usage;
  int (*Run)(const std::vector<std::string>& arguments);  // the arguments after the mode's name
};

std::span<const TToolMode> ItemTransferModes();
