// The decoder against libjpeg-turbo's own djpeg with the same settings, and its
// handling of damaged files.
#include "picture/jpegdecoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

#include "picture/pictureerrors.h"
#include "picture/support/bitmapcompare.h"
#include "picture/support/djpeg.h"
#include "picture/support/jpegbytes.h"
#include "picture/support/jpegsamples.h"
#include "support/tempdir.h"

namespace picture {
namespace {

using namespace picture::testing;
using testsupport::TTempDir;

enum class TSample { Colour, Colour444, Gray, Progressive, RestartMarkers };

// Odd sizes, so that every scale has to round its output size up.
constexpr int kWidth = 333;
constexpr int kHeight = 251;

class JPEGSamples {
 public:
  static JPEGSamples& Get() {
    static JPEGSamples samples;
    return samples;
  }
  const std::vector<uint8_t>& Bytes(TSample sample) { return FBytes.at(sample); }
  const std::string& Path(TSample sample) { return FPaths.at(sample); }

 private:
  JPEGSamples() {
    TRgbPixels image = MakePhotoLikeImage(kWidth, kHeight, 7);
    Add(TSample::Colour, "colour.jpg", EncodeJPEG(image, {}));
    Add(TSample::Colour444, "colour444.jpg", EncodeJPEG(image, {.Quality = 85, .Subsample420 = false}));
    Add(TSample::Gray, "gray.jpg", EncodeJPEG(image, {.GrayScale = true}));
    Add(TSample::Progressive, "progressive.jpg", EncodeJPEG(image, {.Progressive = true}));
    Add(TSample::RestartMarkers, "restart.jpg", EncodeJPEG(image, {.Quality = 75, .RestartRows = 2}));
  }
  void Add(TSample sample, const std::string& name, std::vector<uint8_t> bytes) {
    FPaths[sample] = FDir.File(name);
    WriteFileBytes(FPaths[sample], bytes);
    FBytes[sample] = std::move(bytes);
  }
  TTempDir FDir;
  std::map<TSample, std::vector<uint8_t>> FBytes;
  std::map<TSample, std::string> FPaths;
};

TJPEGOptions Options(std::function<void(TJPEGOptions&)> set) {
  TJPEGOptions options;
  set(options);
  return options;
}

struct TReferenceCase {
  const char* Name;
  TSample Sample;
  TJPEGOptions Options;
  std::vector<std::string> DjpegArguments;
};

const std::vector<std::string> kFastQuantized = {"-dct", "fast", "-onepass", "-dither", "ordered", "-colors", "236"};

std::vector<TReferenceCase> ReferenceCases() {
  return {
      {"full size", TSample::Colour, {}, {}},
      {"half", TSample::Colour, Options([](auto& o) { o.Scale = jsHalf; }), {"-scale", "1/2"}},
      {"quarter", TSample::Colour, Options([](auto& o) { o.Scale = jsQuarter; }), {"-scale", "1/4"}},
      {"eighth", TSample::Colour, Options([](auto& o) { o.Scale = jsEighth; }), {"-scale", "1/8"}},
      {"4:4:4 half", TSample::Colour444, Options([](auto& o) { o.Scale = jsHalf; }), {"-scale", "1/2"}},
      {"restart markers", TSample::RestartMarkers, {}, {}},
      {"grayscale output", TSample::Colour, Options([](auto& o) { o.GrayScale = true; }),
       {"-grayscale", "-colors", "236"}},
      {"grayscale eighth", TSample::Colour, Options([](auto& o) { o.GrayScale = true; o.Scale = jsEighth; }),
       {"-grayscale", "-colors", "236", "-scale", "1/8"}},
      {"8-bit", TSample::Colour, Options([](auto& o) { o.PixelFormat = jf8Bit; }), {"-colors", "236"}},
      {"8-bit quarter", TSample::Colour, Options([](auto& o) { o.PixelFormat = jf8Bit; o.Scale = jsQuarter; }),
       {"-colors", "236", "-scale", "1/4"}},
      {"best speed 24-bit", TSample::Colour, Options([](auto& o) { o.Performance = jpBestSpeed; }),
       {"-dct", "fast"}},
      {"best speed 8-bit", TSample::Colour,
       Options([](auto& o) { o.Performance = jpBestSpeed; o.PixelFormat = jf8Bit; }), kFastQuantized},
      {"best speed grayscale", TSample::Colour,
       Options([](auto& o) { o.Performance = jpBestSpeed; o.GrayScale = true; }),
       {"-grayscale", "-dct", "fast", "-onepass", "-dither", "ordered", "-colors", "236"}},
      {"grayscale file", TSample::Gray, {}, {"-colors", "236"}},
      {"grayscale file half", TSample::Gray, Options([](auto& o) { o.Scale = jsHalf; }),
       {"-colors", "236", "-scale", "1/2"}},
      {"progressive file", TSample::Progressive, {}, {}},
      {"progressive file eighth", TSample::Progressive, Options([](auto& o) { o.Scale = jsEighth; }),
       {"-scale", "1/8"}},
      // With progressive display the last pass is made with the final settings.
      {"progressive display", TSample::Progressive, Options([](auto& o) { o.ProgressiveDisplay = true; }), {}},
      {"progressive display 8-bit", TSample::Progressive,
       Options([](auto& o) { o.ProgressiveDisplay = true; o.PixelFormat = jf8Bit; }), {"-colors", "236"}},
      {"progressive display best speed 8-bit", TSample::Progressive,
       Options([](auto& o) { o.ProgressiveDisplay = true; o.PixelFormat = jf8Bit; o.Performance = jpBestSpeed; }),
       kFastQuantized},
      {"progressive display on a single-scan file", TSample::Colour,
       Options([](auto& o) { o.ProgressiveDisplay = true; o.Scale = jsHalf; }), {"-scale", "1/2"}},
  };
}

class JPEGDecoder : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DjpegAvailable()) GTEST_SKIP() << "djpeg (libjpeg-turbo-progs) is not installed";
  }
};

TEST_F(JPEGDecoder, PixelsMatchDjpegWithTheSameSettings) {
  for (const auto& c : ReferenceCases()) {
    SCOPED_TRACE(c.Name);
    TBitmapBits bits = DecodeJPEG(JPEGSamples::Get().Bytes(c.Sample), c.Options);
    EXPECT_TRUE(SamePixels(bits, RunDjpeg(JPEGSamples::Get().Path(c.Sample), c.DjpegArguments)));
  }
}

TEST_F(JPEGDecoder, QuantisedOutputUsesAtMost236Colours) {
  for (auto options : {Options([](auto& o) { o.PixelFormat = jf8Bit; }),
                       Options([](auto& o) { o.PixelFormat = jf8Bit; o.Performance = jpBestSpeed; })}) {
    TBitmapBits bits = DecodeJPEG(JPEGSamples::Get().Bytes(TSample::Colour), options);
    std::set<uint32_t> colours(bits.Pixels.get(), bits.Pixels.get() + bits.Width * bits.Height);
    EXPECT_LE(colours.size(), 236u);
    EXPECT_GT(colours.size(), 20u);
  }
}

TEST_F(JPEGDecoder, BlockSmoothingActsOnAnIncompleteProgressiveFile) {
  // Cut inside the later scans: the missing coefficients are where smoothing works.
  const auto& full = JPEGSamples::Get().Bytes(TSample::Progressive);
  auto scans = FindMarkers(full, 0xDA);
  ASSERT_GE(scans.size(), 4u);
  std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(scans[3]));
  TTempDir dir;
  WriteFileBytes(dir.File("cut.jpg"), cut);

  TBitmapBits smoothed = DecodeJPEG(cut, {});
  TBitmapBits blocky = DecodeJPEG(cut, Options([](auto& o) { o.Smoothing = false; }));
  EXPECT_TRUE(SamePixels(smoothed, RunDjpeg(dir.File("cut.jpg"), {})));  // djpeg smooths by default
  EXPECT_GT(DifferingPixels(smoothed, blocky), smoothed.Width * smoothed.Height / 4);
}

TEST_F(JPEGDecoder, ProgressiveDisplayShowsOnePassPerScan) {
  for (TSample sample : {TSample::Progressive, TSample::Colour}) {
    const auto& bytes = JPEGSamples::Get().Bytes(sample);
    std::vector<TBitmapBits> passes;
    TBitmapBits bits = DecodeJPEG(bytes, Options([](auto& o) { o.ProgressiveDisplay = true; }),
                                  [&](const TBitmapBits& pass) {
                                    TBitmapBits copy;
                                    copy.Allocate(pass.Width, pass.Height);
                                    std::copy_n(pass.Pixels.get(), pass.Width * pass.Height, copy.Pixels.get());
                                    passes.push_back(std::move(copy));
                                  });
    size_t scans = FindMarkers(bytes, 0xDA).size();
    if (scans == 1) {
      EXPECT_TRUE(passes.empty()) << "a single-scan file is decoded in one go";
      continue;
    }
    ASSERT_EQ(passes.size(), scans);
    // The first pass has only the DC scan: far from the final picture.
    EXPECT_GT(DifferingPixels(passes.front(), bits), bits.Width * bits.Height / 2);
  }
}

// --- header ---

TEST(JPEGHeader, ReportsSizeColourSpaceAndScans) {
  const struct {
    TSample Sample;
    bool GrayScale;
    bool MultiScan;
  } cases[] = {
      {TSample::Colour, false, false},
      {TSample::Gray, true, false},
      {TSample::Progressive, false, true},
  };
  for (const auto& c : cases) {
    TJPEGHeader header = ReadJPEGHeader(JPEGSamples::Get().Bytes(c.Sample));
    EXPECT_EQ(header.Width, kWidth);
    EXPECT_EQ(header.Height, kHeight);
    EXPECT_EQ(header.GrayScale, c.GrayScale);
    EXPECT_EQ(header.MultiScan, c.MultiScan);
  }
}

TEST(JPEGHeader, ScaledSizesRoundUpLikeLibjpeg) {
  const struct {
    int Size;
    TJPEGScale Scale;
    int Expected;
  } cases[] = {{333, jsFullSize, 333}, {333, jsHalf, 167}, {333, jsQuarter, 84}, {333, jsEighth, 42},
               {251, jsEighth, 32},    {8, jsEighth, 1},    {1, jsEighth, 1},     {4000, jsEighth, 500}};
  for (const auto& c : cases) EXPECT_EQ(ScaledDimension(c.Size, c.Scale), c.Expected) << c.Size << "/" << c.Scale;
  // And the decoder's bitmap agrees for every scale.
  for (TJPEGScale scale : {jsFullSize, jsHalf, jsQuarter, jsEighth}) {
    TBitmapBits bits = DecodeJPEG(JPEGSamples::Get().Bytes(TSample::Colour), Options([&](auto& o) { o.Scale = scale; }));
    EXPECT_EQ(bits.Width, ScaledDimension(kWidth, scale));
    EXPECT_EQ(bits.Height, ScaledDimension(kHeight, scale));
  }
}

// --- damaged files ---

int ErrorCodeOf(const std::vector<uint8_t>& bytes) {
  try {
    ReadJPEGHeader(bytes);
  } catch (const EJPEGError& e) {
    EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(e.MsgCode()));
    return e.MsgCode();
  }
  return -1;
}

TEST(JPEGHeader, RejectedHeadersCarryLibjpegsMessageNumber) {
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(ErrorCodeOf(gif), JERR_NO_SOI);
  EXPECT_EQ(ErrorCodeOf({}), JERR_INPUT_EMPTY);
  auto empty = JPEGSamples::Get().Bytes(TSample::Colour);
  SetFrameSize(empty, 100, 0);
  EXPECT_EQ(ErrorCodeOf(empty), JERR_EMPTY_IMAGE);
}

TEST(JPEGHeader, EveryTruncationBeforeTheFirstScanIsRejected) {
  for (TSample sample : {TSample::Colour, TSample::Progressive, TSample::Gray}) {
    const auto& bytes = JPEGSamples::Get().Bytes(sample);
    size_t firstScan = FindMarkers(bytes, 0xDA).front();
    for (size_t length = 0; length <= firstScan; ++length) {
      std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
      EXPECT_GT(ErrorCodeOf(cut), 0) << "length " << length;
    }
  }
}

TEST(JPEGHeader, OversizedPicturesAreRefusedBeforeDecoding) {
  auto bytes = JPEGSamples::Get().Bytes(TSample::Colour);
  SetFrameSize(bytes, 65000, 65000);
  TJPEGHeader header = ReadJPEGHeader(bytes);  // libjpeg itself accepts the header
  EXPECT_EQ(header.Width, 65000);
  try {
    DecodeJPEG(bytes, {});
    FAIL() << "an oversized picture was decoded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "JPEG image is too large (65000 x 65000 pixels)");
  }
}

TEST(JPEGDecodeError, FatalErrorInALaterScanIsAnErrorNotAnExit) {
  auto bytes = JPEGSamples::Get().Bytes(TSample::Progressive);
  auto scans = FindMarkers(bytes, 0xDA);
  ASSERT_GE(scans.size(), 2u);
  // SOS: marker, length, component count n, n selector pairs, then Ss and Se.
  size_t at = scans[1];
  size_t ss = at + 5 + 2 * bytes[at + 4];
  bytes[ss] = 60;
  bytes[ss + 1] = 10;  // Ss > Se: an impossible progression
  EXPECT_NO_THROW(ReadJPEGHeader(bytes));
  for (bool progressiveDisplay : {false, true}) {
    try {
      DecodeJPEG(bytes, Options([&](auto& o) { o.ProgressiveDisplay = progressiveDisplay; }));
      ADD_FAILURE() << "decoded a bad progression";
    } catch (const EJPEGError& e) {
      EXPECT_EQ(e.MsgCode(), JERR_BAD_PROGRESSION);
    }
  }
}

// libjpeg's corrupt-data warnings while the header is read: extraneous bytes before a marker.
TEST(JPEGHeader, CorruptDataWarningsInTheHeaderAreErrors) {
  for (TSample sample : {TSample::Colour, TSample::Progressive}) {
    auto bytes = JPEGSamples::Get().Bytes(sample);
    size_t table = FindMarkers(bytes, 0xDB).front();
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(table), {0x00, 0x11, 0x22});
    EXPECT_EQ(ErrorCodeOf(bytes), JWRN_EXTRANEOUS_DATA);
  }
}

// Each repeated scan makes libjpeg go over the whole picture again: a file with a few
// thousand of them would hold the first paint for seconds, or minutes at the size limit.
TEST(JPEGDecodeError, FilesWithTooManyScansAreRefused) {
  auto gray = EncodeJPEG(MakePhotoLikeImage(512, 512, 3), {.Progressive = true, .GrayScale = true});
  const struct {
    int AddedScans;
    bool Refused;
  } cases[] = {{0, false}, {50, false}, {5000, true}};
  for (const auto& c : cases) {
    std::vector<uint8_t> bytes = MakeScanBomb(gray, c.AddedScans);
    EXPECT_NO_THROW(ReadJPEGHeader(bytes)) << c.AddedScans;  // the header alone is fine
    for (bool progressiveDisplay : {false, true}) {
      std::string message = "no error";
      try {
        DecodeJPEG(bytes, Options([&](auto& o) { o.ProgressiveDisplay = progressiveDisplay; }));
      } catch (const EInvalidGraphic& e) {
        message = e.what();
      }
      EXPECT_EQ(message, c.Refused ? "JPEG image has more than " + std::to_string(kMaxJPEGScans) + " scans" : "no error")
          << c.AddedScans << " scans added, progressive display " << progressiveDisplay;
    }
  }
}

TEST_F(JPEGDecoder, TruncatedScanDataIsFilledInAsLibjpegDoes) {
  const auto& bytes = JPEGSamples::Get().Bytes(TSample::Colour);
  std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
  TTempDir dir;
  WriteFileBytes(dir.File("cut.jpg"), cut);
  TBitmapBits bits = DecodeJPEG(cut, {});  // libjpeg's warning is ignored, the missing rows are filled
  EXPECT_TRUE(SamePixels(bits, RunDjpeg(dir.File("cut.jpg"), {})));
}

}  // namespace
}  // namespace picture
