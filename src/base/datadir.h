#pragma once

#include <string>

namespace platform {

// The directory of the running program file, with a trailing separator: where the
// tables live. A directory set with SetDataDirectory stands in for it.
std::string DataDirectory();

// Makes directory (with a trailing separator) the data directory; empty returns to the
// program's own. Returns the previous setting. For programs that host the windows
// elsewhere, and for tests.
std::string SetDataDirectory(std::string directory);

}  // namespace platform
