#include "picture/picturefile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/inputfile.h"
#include "picture/pictureerrors.h"
#include "picture/support/jpegsamples.h"
#include "support/fifo.h"
#include "support/tempdir.h"

namespace picture {
namespace {

using testsupport::TTempDir;

// The message with which reading the file is refused, or "read".
std::string RefusalOf(const std::string& name) {
  try {
    ReadPictureFile(name);
  } catch (const std::exception& e) {
    return e.what();
  }
  return "read";
}

TEST(PictureFile, ReadsTheWholeFile) {
  TTempDir dir;
  std::vector<uint8_t> bytes(200000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
  testing::WriteFileBytes(dir.File("a.bmp"), bytes);
  EXPECT_EQ(ReadPictureFile(dir.File("a.bmp")), bytes);
}

// The name comes in Windows-1252; the file on disk is named in UTF-8.
TEST(PictureFile, ANameBeyondASCIIReadsTheFileTheSystemNamesInUTF8) {
  TTempDir dir;
  const std::vector<uint8_t> bytes{1, 2, 3};
  testing::WriteFileBytes(dir.File("caf\xC3\xA9 \xE2\x82\xAC.bmp"), bytes);
  EXPECT_EQ(ReadPictureFile(dir.File("caf\xE9 \x80.bmp")), bytes);
  // 0x81 is no character of the code page, so no file has that name.
  const std::string unassigned = dir.File("\x81.bmp");
  EXPECT_EQ(RefusalOf(unassigned), "Cannot open file " + unassigned);
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

// A FIFO with no writer would block the interface for ever; a device is no picture either.
TEST(PictureFile, SpecialFilesAreRefusedWithoutWaiting) {
  TTempDir dir;
  testsupport::MakeFifo(dir.File("fifo.jpg"));
  for (const std::string& name : {dir.File("fifo.jpg"), std::string("/dev/null"), std::string("/dev/zero")}) {
    std::string message;
    EXPECT_TRUE(testsupport::ReturnsWithin(std::chrono::seconds(5), dir.File("fifo.jpg"),
                                           [&] { message = RefusalOf(name); }))
        << name << " blocked the reader";
    EXPECT_EQ(message, "Cannot open file " + name);
  }
}

TEST(PictureFile, FilesPastTheSizeLimitAreRefusedBeforeReading) {
  TTempDir dir;
  std::string name = dir.File("huge.jpg");
  testing::WriteFileBytes(name, {});
  // Sparse: no disk is used, and nothing is read when the size is checked first.
  std::filesystem::resize_file(name, platform::MaxPictureFileBytes + 1);
  EXPECT_EQ(RefusalOf(name), "Picture file is too large: " + name);
}

}  // namespace
}  // namespace picture
