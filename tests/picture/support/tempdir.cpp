#include "tempdir.h"

#include <cstdlib>
#include <stdexcept>

namespace picture::testing {

TTempDir::TTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "picture-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
  FPath = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(FPath, ignored);
}

}  // namespace picture::testing
