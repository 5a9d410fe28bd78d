#include "picture/picturefile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "picture/pictureerrors.h"
#include "picture/support/jpegsamples.h"
#include "support/tempdir.h"

namespace picture {
namespace {

using testsupport::TTempDir;

TEST(PictureFile, ReadsTheWholeFile) {
  TTempDir dir;
  std::vector<uint8_t> bytes(200000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
  testing::WriteFileBytes(dir.File("a.bmp"), bytes);
  EXPECT_EQ(ReadPictureFile(dir.File("a.bmp")), bytes);
}

TEST(PictureFile, MissingFileOrDirectoryCannotBeOpened) {
  TTempDir dir;
  std::filesystem::create_directory(dir.File("folder.bmp"));
  for (const std::string& name : {dir.File("missing.bmp"), dir.File("folder.bmp"), std::string()}) {
    try {
      ReadPictureFile(name);
      ADD_FAILURE() << name << " was read";
    } catch (const EFOpenError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file " + name);
    }
  }
}

}  // namespace
}  // namespace picture
