// A fresh directory for one test's files, removed with everything in it afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace testsupport {

class TTempDir {
 public:
  TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "barcodeprint-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    FPath = pattern + "/";
  }
  ~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  // With a trailing separator, the form in which the program takes its data directory.
  const std::string& Path() const { return FPath; }
  std::string File(const std::string& name) const { return FPath + name; }
  // The directory itself, without the trailing separator.
  std::filesystem::path Folder() const { return std::filesystem::path(FPath).parent_path(); }

 private:
  std::string FPath;
};

}  // namespace testsupport
