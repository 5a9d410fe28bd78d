#pragma once

#include <string>

namespace platform {

// The directory of the running program file, with a trailing separator: where the tables live.
std::string DataDirectory();

}  // namespace platform
