#include "base/datadir.h"

#include <unistd.h>

#include <stdexcept>
#include <vector>

namespace platform {

std::string DataDirectory() {
  std::vector<char> buffer(4096);
  ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<size_t>(length) >= buffer.size())
    throw std::runtime_error("Cannot find the program's directory");
  std::string path(buffer.data(), static_cast<size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace platform
