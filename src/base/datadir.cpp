#include "base/datadir.h"

#include <unistd.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace platform {

namespace {

std::string& ChosenDirectory() {
  static std::string directory;
  return directory;
}

std::string ProgramDirectory() {
  std::vector<char> buffer(4096);
  ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<size_t>(length) >= buffer.size())
    throw std::runtime_error("Cannot find the program's directory");
  std::string path(buffer.data(), static_cast<size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

std::string DataDirectory() { return ChosenDirectory().empty() ? ProgramDirectory() : ChosenDirectory(); }

std::string SetDataDirectory(std::string directory) { return std::exchange(ChosenDirectory(), std::move(directory)); }

}  // namespace platform
