#include "picture/jpegimage.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <jpeglib.h>
#include <jerror.h>

#include "picture/pictureerrors.h"
#include "picture/support/bitmapcompare.h"
#include "picture/support/jpegbytes.h"
#include "picture/support/jpegsamples.h"
#include "support/tempdir.h"

namespace picture {
namespace {

using namespace picture::testing;
using testsupport::TTempDir;

const std::vector<uint8_t>& Sample() {
  static const auto bytes = EncodeJPEG(MakePhotoLikeImage(120, 90, 3), {.Progressive = true});
  return bytes;
}

struct TPushCase {
  TJPEGPropertyCode Code;
  void (*Change)(TJPEGOptions&);
};

const TPushCase kPushCases[] = {
    {jpcGrayScale, [](TJPEGOptions& o) { o.GrayScale = true; }},
    {jpcPixelFormat, [](TJPEGOptions& o) { o.PixelFormat = jf8Bit; }},
    {jpcProgressiveDisplay, [](TJPEGOptions& o) { o.ProgressiveDisplay = true; }},
    {jpcPerformance, [](TJPEGOptions& o) { o.Performance = jpBestSpeed; }},
    {jpcScale, [](TJPEGOptions& o) { o.Scale = jsHalf; }},
    {jpcSmoothing, [](TJPEGOptions& o) { o.Smoothing = false; }},
};

class JPEGImage : public ::testing::Test {
 protected:
  void SetUp() override {
    image.LoadFromBytes(Sample());
    image.OnChange = [this] { ++changes; };
  }
  TJPEGImage image;
  int changes = 0;
};

TEST_F(JPEGImage, LoadReadsTheHeaderOnly) {
  EXPECT_FALSE(image.Empty());
  EXPECT_EQ(image.Width(), 120);
  EXPECT_EQ(image.Height(), 90);
  EXPECT_TRUE(image.Header().MultiScan);
  EXPECT_FALSE(image.Decoded());
}

TEST_F(JPEGImage, DecodedBitmapIsKeptBetweenDraws) {
  const TBitmapBits* first = image.Bitmap();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(image.Decoded());
  EXPECT_EQ(image.Bitmap(), first);
  EXPECT_EQ(first->Width, 120);
}

TEST_F(JPEGImage, NewOptionValueDropsTheBitmapAndNotifies) {
  for (const auto& c : kPushCases) {
    SCOPED_TRACE(c.Code);
    TJPEGImage picture;
    picture.LoadFromBytes(Sample());
    int notified = 0;
    picture.OnChange = [&] { ++notified; };
    ASSERT_NE(picture.Bitmap(), nullptr);
    TJPEGOptions from;
    c.Change(from);
    picture.PushOption(c.Code, from);
    EXPECT_TRUE(SameOption(picture.Options(), from, c.Code));
    bool onlyStored = c.Code == jpcProgressiveDisplay;
    EXPECT_EQ(picture.Decoded(), onlyStored);
    EXPECT_EQ(notified, onlyStored ? 0 : 1);
    // The same value again does nothing.
    ASSERT_NE(picture.Bitmap(), nullptr);
    picture.PushOption(c.Code, from);
    EXPECT_TRUE(picture.Decoded());
    EXPECT_EQ(notified, onlyStored ? 0 : 1);
  }
}

TEST_F(JPEGImage, ScaleChangeRedecodesAtTheNewSize) {
  ASSERT_EQ(image.Bitmap()->Width, 120);
  for (TJPEGScale scale : {jsHalf, jsQuarter, jsEighth, jsFullSize}) {
    TJPEGOptions from;
    from.Scale = scale;
    image.PushOption(jpcScale, from);
    EXPECT_FALSE(image.Decoded());
    EXPECT_EQ(image.Width(), ScaledDimension(120, scale));
    EXPECT_EQ(image.Height(), ScaledDimension(90, scale));
    const TBitmapBits* bits = image.Bitmap();
    EXPECT_EQ(bits->Width, image.Width());
    EXPECT_EQ(bits->Height, image.Height());
  }
}

TEST_F(JPEGImage, FailedLoadKeepsThePicture) {
  const TBitmapBits* before = image.Bitmap();
  std::vector<uint8_t> notJPEG = {'B', 'M', 0, 0, 0, 0};
  EXPECT_THROW(image.LoadFromBytes(notJPEG), EJPEGError);
  auto oversized = Sample();
  SetFrameSize(oversized, 30000, 30000);
  EXPECT_THROW(image.LoadFromBytes(oversized), EInvalidGraphic);
  EXPECT_EQ(image.Width(), 120);
  EXPECT_EQ(image.Bitmap(), before);
  EXPECT_EQ(changes, 0);
}

TEST_F(JPEGImage, LoadingAnotherFileDropsTheBitmap) {
  ASSERT_NE(image.Bitmap(), nullptr);
  TTempDir dir;
  WriteFileBytes(dir.File("small.JPG"), EncodeJPEG(MakePhotoLikeImage(20, 10), {}));
  image.LoadFromFile(dir.File("small.JPG"));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(image.Decoded());
  EXPECT_EQ(image.Bitmap()->Width, 20);
}

TEST(JPEGImageDecodeError, IsRaisedOnceAndRetriedAfterAnOptionChange) {
  auto bytes = Sample();
  size_t at = FindMarkers(bytes, 0xDA).at(1);
  bytes[at + 5 + 2 * bytes[at + 4]] = 60;  // a bad spectral start in the second scan
  TJPEGImage image;
  image.LoadFromBytes(bytes);
  try {
    image.Bitmap();
    FAIL() << "decoded a damaged file";
  } catch (const EJPEGError& e) {
    EXPECT_EQ(e.MsgCode(), JERR_BAD_PROGRESSION);
  }
  EXPECT_EQ(image.Bitmap(), nullptr);  // no second message for every repaint
  TJPEGOptions from;
  from.Scale = jsHalf;
  image.PushOption(jpcScale, from);
  EXPECT_THROW(image.Bitmap(), EJPEGError);
}

TEST(JPEGImageEmpty, HasNothingToDraw) {
  TJPEGImage image;
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.Bitmap(), nullptr);
}

}  // namespace
}  // namespace picture

namespace picture {
namespace {

// The JPEG fuzz target starts from these files: each must load and decode, except the
// bombs (named "*-bomb.jpg"), which must load and be refused when decoded.
TEST(JPEGFuzzSeeds, EverySeedDecodes) {
  auto seeds = (std::filesystem::path(TEST_DATA_DIR) / "../../fuzz/picture/seeds").lexically_normal();
  int decoded = 0, bombs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
    TJPEGImage image;
    image.LoadFromFile(entry.path().string());
    if (entry.path().filename().string().ends_with("-bomb.jpg")) {
      EXPECT_THROW(image.Bitmap(), EInvalidGraphic) << entry.path();
      ++bombs;
      continue;
    }
    decoded += image.Bitmap() != nullptr;
  }
  EXPECT_GE(decoded, 7);
  EXPECT_GE(bombs, 1);
}

}  // namespace
}  // namespace picture
