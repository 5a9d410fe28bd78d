// Reading metafile files: only regular files, never waiting on a FIFO, and none past the
// size limit of picture files.
#include "metafile/metafilefile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/inputfile.h"
#include "metafile/metafile.h"
#include "metafile/wmf.h"
#include "support/fifo.h"
#include "support/tempdir.h"

namespace platform {
namespace {

using testsupport::TTempDir;

template <class TReader>
std::string LoadRefusal(const std::string& path) {
  try {
    TReader::LoadFromFile(path);
  } catch (const EMetafileError& e) {
    return e.what();
  }
  return "loaded";
}

TEST(MetafileFile, FifosAndDevicesAreRefusedWithoutWaiting) {
  TTempDir dir;
  std::string fifo = dir.File("fifo.emf");
  testsupport::MakeFifo(fifo);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    std::string emf, wmf;
    EXPECT_TRUE(testsupport::ReturnsWithin(std::chrono::seconds(5), fifo, [&] {
      emf = LoadRefusal<TMetafile>(path);
      wmf = LoadRefusal<TWindowsMetafile>(path);
    })) << path << " blocked the reader";
    EXPECT_EQ(emf, "The metafile is not a regular file: " + path);
    EXPECT_EQ(wmf, "The metafile is not a regular file: " + path);
  }
}

TEST(MetafileFile, FilesPastTheSizeLimitAreRefusedBeforeReading) {
  TTempDir dir;
  std::string path = dir.File("huge.emf");
  std::ofstream(path).close();
  std::filesystem::resize_file(path, MaxPictureFileBytes + 1);  // sparse: takes no disk
  EXPECT_EQ(LoadRefusal<TMetafile>(path), "The metafile is too large: " + path);
  EXPECT_EQ(LoadRefusal<TWindowsMetafile>(path), "The metafile is too large: " + path);
}

}  // namespace
}  // namespace platform
