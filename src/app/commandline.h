// The program's command-line modes, for the till and for scripts: a table of rows, each
// a name, a usage line and the function that runs it. A mode opens no window and needs no
// display; its errors go to standard error and its exit status says how it went.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include <stdexcept>

inline constexpr int kModeFailed = 1;
inline constexpr int kModeUsageError = 2;

// Thrown by a mode for arguments it cannot take: the usage goes to standard error, status 2.
class EUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TCommandMode {
  const char* Name;   // "--print-label"
  const char* Usage;  // "--print-label BARCODE [--copies N]"
  const char* Help;   // one line saying what it does
  // The arguments after the name, and the data directory; returns the exit status.
  int (*Run)(const std::vector<std::string>& arguments, const std::string& dataDirectory);
};

std::span<const TCommandMode> CommandModes();

// The exit status of the mode that the arguments name, or nothing when they name none
// (the program then starts its windows). Exceptions become their message on standard
// error and status 1; an unknown "--" option is a usage error.
std::optional<int> RunCommandLine(int argc, char** argv, const std::string& dataDirectory);
