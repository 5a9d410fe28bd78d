// The picture box: loading by extension, the kept picture on failures, the drawing
// rules and the JPEG options it applies.
#include "picture/widget/fejpeg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>

#include <jpeglib.h>
#include <jerror.h>

#include "base/messages.h"
#include "picture/pictureerrors.h"
#include "picture/support/boxonpanel.h"
#include "picture/support/jpegsamples.h"
#include "picture/support/rastersamples.h"
#include "picture/widget/jpeggraphic.h"
#include "picture/widget/olegraphic.h"
#include "picture/widget/rastergraphic.h"

namespace picture {
namespace {

using namespace picture::testing;

constexpr int kBoxWidth = 159;
constexpr int kBoxHeight = 153;

// The box on its panel, with sample files in the temp folder.
class PictureBox : public TBoxOnPanel {
 protected:
  void SetUp() override {
    TBoxOnPanel::SetUp();
    WriteFileBytes(dir.File("big.bmp"), ImageFileBytes(QuadrantImage(400, 300), "BMP"));
    WriteFileBytes(dir.File("small.bmp"), ImageFileBytes(QuadrantImage(80, 60), "BMP"));
    WriteFileBytes(dir.File("photo.jpg"), EncodeJPEG(MakePhotoLikeImage(400, 300, 5), {}));
  }

  static bool IsPanel(QRgb pixel) { return QColor(pixel) == kPanelColour; }

  // The pixels the decoder made for the current JPEG picture.
  const TBitmapBits& Decoded() {
    auto* jpeg = dynamic_cast<TJPEGGraphic*>(box->Picture().Graphic());
    if (!jpeg) throw std::runtime_error("not a JPEG picture");
    return *jpeg->Image().Bitmap();
  }

  // Loading must fail with the message, and leave the current graphic in place.
  void ExpectLoadFailure(const std::string& fileName, const std::string& message) {
    TGraphic* before = box->Picture().Graphic();
    try {
      box->Picture().LoadFromFile(fileName);
      ADD_FAILURE() << fileName << " was loaded";
    } catch (const std::exception& e) {
      EXPECT_EQ(e.what(), message) << fileName;
    }
    EXPECT_EQ(box->Picture().Graphic(), before) << fileName;
  }
};

TEST_F(PictureBox, ExtensionsChooseTheKindWithoutRegardToCase) {
  std::filesystem::copy_file(dir.File("photo.jpg"), dir.File("UPPER.JPG"));
  std::filesystem::copy_file(dir.File("photo.jpg"), dir.File("lower.jpeg"));
  std::filesystem::copy_file(dir.File("small.bmp"), dir.File("Mixed.Bmp"));
  WriteFileBytes(dir.File("icon.ICO"), ImageFileBytes(QuadrantImage(32, 32), "ICO"));
  const struct {
    std::string Name;
    bool (*IsKind)(TGraphic*);
  } cases[] = {
      {"UPPER.JPG", [](TGraphic* g) { return dynamic_cast<TJPEGGraphic*>(g) != nullptr; }},
      {"lower.jpeg", [](TGraphic* g) { return dynamic_cast<TJPEGGraphic*>(g) != nullptr; }},
      {"Mixed.Bmp", [](TGraphic* g) { return dynamic_cast<TRasterGraphic*>(g) && g->Width() == 80; }},
      {"icon.ICO", [](TGraphic* g) { return dynamic_cast<TRasterGraphic*>(g) && g->Width() == 32; }},
  };
  for (const auto& c : cases) {
    box->Picture().LoadFromFile(dir.File(c.Name));
    EXPECT_TRUE(c.IsKind(box->Picture().Graphic())) << c.Name;
  }
}

TEST_F(PictureBox, FailedLoadsKeepThePreviousPicture) {
  box->Picture().LoadFromFile(dir.File("small.bmp"));
  WriteFileBytes(dir.File("anim.GIF"), ImageFileBytes(QuadrantImage(8, 8), "BMP"));
  WriteFileBytes(dir.File("text.jpg"), {'h', 'e', 'l', 'l', 'o', '\n'});
  ExpectLoadFailure(dir.File("anim.GIF"), "Unknown picture file extension (.gif)");
  ExpectLoadFailure(dir.File("missing.bmp"), "Cannot open file " + dir.File("missing.bmp"));
  ExpectLoadFailure(dir.File("text.jpg"), "JPEG error #" + std::to_string(JERR_NO_SOI));
  EXPECT_EQ(box->Picture().Width(), 80);
  EXPECT_EQ(Shown().pixelColor(20, 20), QColor(Qt::red));
}

TEST_F(PictureBox, NameWithoutExtensionShowsAnEmptyBox) {
  box->Picture().LoadFromFile(dir.File("small.bmp"));
  std::filesystem::create_directory(dir.File("pictures.v2"));
  for (const std::string& name : {dir.File("pictures.v2/item"), std::string("no-such-file")}) {
    box->Picture().LoadFromFile(name);  // nothing is read, so a missing file does not matter
    ASSERT_NE(dynamic_cast<TOleGraphic*>(box->Picture().Graphic()), nullptr) << name;
    QImage shown = Shown();
    for (int y = 0; y < shown.height(); y += 7)
      for (int x = 0; x < shown.width(); x += 7) ASSERT_TRUE(IsPanel(shown.pixel(x, y))) << name;
  }
}

TEST_F(PictureBox, StretchFillsTheWholeBoxIgnoringTheAspectRatio) {
  box->Picture().LoadFromFile(dir.File("small.bmp"));
  QImage shown = Shown();
  ASSERT_EQ(shown.size(), QSize(kBoxWidth, kBoxHeight));
  EXPECT_EQ(shown.pixelColor(20, 20), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(140, 20), QColor(Qt::green));
  EXPECT_EQ(shown.pixelColor(20, 140), QColor(Qt::blue));
  EXPECT_EQ(shown.pixelColor(140, 140), QColor(Qt::yellow));
}

TEST_F(PictureBox, WithoutStretchALargePictureIsClippedAtTheTopLeft) {
  QImage source = QuadrantImage(400, 300);
  box->Picture().LoadFromFile(dir.File("big.bmp"));
  box->SetStretch(false);
  QImage shown = Shown();
  ASSERT_EQ(shown.size(), QSize(kBoxWidth, kBoxHeight));
  for (int y = 0; y < kBoxHeight; ++y)
    for (int x = 0; x < kBoxWidth; ++x) ASSERT_EQ(shown.pixel(x, y), source.pixel(x, y)) << x << "," << y;
}

TEST_F(PictureBox, CenterShowsTheMiddleOfALargePicture) {
  QImage source = QuadrantImage(400, 300);
  box->Picture().LoadFromFile(dir.File("big.bmp"));
  box->SetStretch(false);
  box->SetCenter(true);
  EXPECT_EQ(box->DestRect(), QRect(-120, -73, 400, 300));
  QImage shown = Shown();
  for (int y = 0; y < kBoxHeight; ++y)
    for (int x = 0; x < kBoxWidth; ++x)
      ASSERT_EQ(shown.pixel(x, y), source.pixel(x - box->DestRect().left(), y - box->DestRect().top()))
          << x << "," << y;
  EXPECT_EQ(shown.pixelColor(kBoxWidth / 2 - 2, kBoxHeight / 2 - 2), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(kBoxWidth / 2 + 2, kBoxHeight / 2 + 2), QColor(Qt::yellow));
}

TEST_F(PictureBox, TransparentLeavesTheBottomLeftColourUndrawn) {
  box->Picture().LoadFromFile(dir.File("small.bmp"));  // bottom-left is the white border
  box->SetStretch(false);
  box->SetTransparent(true);
  QImage shown = Shown();
  EXPECT_TRUE(IsPanel(shown.pixel(0, 0)));   // border
  EXPECT_TRUE(IsPanel(shown.pixel(79, 30)));  // border
  EXPECT_TRUE(IsPanel(shown.pixel(100, 30)));  // beside the picture
  EXPECT_EQ(shown.pixelColor(10, 10), QColor(Qt::red));
  box->SetTransparent(false);
  EXPECT_EQ(Shown().pixelColor(0, 0), QColor(Qt::white));
}

TEST_F(PictureBox, JPEGIsShownWithTheDecodedPixels) {
  box->Picture().LoadFromFile(dir.File("photo.jpg"));
  box->SetStretch(false);
  QImage shown = Shown();
  const TBitmapBits& bits = Decoded();
  ASSERT_EQ(bits.Width, 400);
  for (int y = 0; y < kBoxHeight; ++y)
    for (int x = 0; x < kBoxWidth; ++x) ASSERT_EQ(shown.pixel(x, y), bits.Pixel(x, y)) << x << "," << y;
}

TEST_F(PictureBox, ScaleChangeDropsTheBitmapAndRedrawsAtTheNewSize) {
  box->Picture().LoadFromFile(dir.File("photo.jpg"));
  box->SetStretch(false);
  Shown();
  auto& image = dynamic_cast<TJPEGGraphic*>(box->Picture().Graphic())->Image();
  ASSERT_TRUE(image.Decoded());
  box->JPEGProperties().SetScale(jsHalf);
  EXPECT_FALSE(image.Decoded());
  EXPECT_EQ(image.Width(), 200);
  QImage shown = Shown();
  ASSERT_TRUE(image.Decoded());
  const TBitmapBits& bits = Decoded();
  EXPECT_EQ(bits.Width, 200);
  EXPECT_EQ(bits.Height, 150);
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < kBoxWidth; ++x) ASSERT_EQ(shown.pixel(x, y), bits.Pixel(x, y)) << x << "," << y;
  EXPECT_TRUE(IsPanel(shown.pixel(10, 151)));  // below the half-size picture
}

TEST_F(PictureBox, NewJPEGTakesOverTheBoxOptionsBeforeTheControlResizes) {
  box->SetAutoSize(true);
  box->JPEGProperties().SetScale(jsHalf);
  box->JPEGProperties().SetGrayScale(true);
  box->JPEGProperties().SetProgressiveDisplay(true);
  box->Picture().LoadFromFile(dir.File("photo.jpg"));
  auto& image = dynamic_cast<TJPEGGraphic*>(box->Picture().Graphic())->Image();
  EXPECT_EQ(image.Options(), box->JPEGProperties().Options());
  EXPECT_EQ(box->size(), QSize(200, 150));
  box->JPEGProperties().SetScale(jsEighth);
  EXPECT_EQ(box->size(), QSize(50, 38));
  // The decoded picture is grey.
  QImage shown = Shown();
  QColor colour = shown.pixelColor(25, 19);
  EXPECT_EQ(colour.red(), colour.green());
  EXPECT_EQ(colour.green(), colour.blue());
}

TEST_F(PictureBox, ProgressiveDisplayChangeKeepsTheDecodedBitmap) {
  box->Picture().LoadFromFile(dir.File("photo.jpg"));
  Shown();
  auto& image = dynamic_cast<TJPEGGraphic*>(box->Picture().Graphic())->Image();
  const TBitmapBits* before = image.Bitmap();
  box->JPEGProperties().SetProgressiveDisplay(true);
  EXPECT_TRUE(image.Options().ProgressiveDisplay);
  EXPECT_EQ(image.Bitmap(), before);
  box->JPEGProperties().SetSmoothing(false);
  EXPECT_FALSE(image.Decoded());
}

TEST_F(PictureBox, OptionsLeaveOtherPicturesAlone) {
  box->SetAutoSize(true);
  box->Picture().LoadFromFile(dir.File("small.bmp"));
  ASSERT_EQ(box->size(), QSize(80, 60));
  box->resize(10, 10);
  box->JPEGProperties().SetScale(jsQuarter);  // no JPEG: no push, no resize
  EXPECT_EQ(box->size(), QSize(10, 10));
  box->Picture().LoadFromFile(dir.File("photo.jpg"));
  EXPECT_EQ(box->size(), QSize(100, 75));  // the option applies to the next JPEG
}

TEST_F(PictureBox, DrawingRuleSettersRepaintOnlyOnChange) {
  panel.show();
  box->Picture().LoadFromFile(dir.File("small.bmp"));
  struct TPaintCounter : QObject {
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      Paints += event->type() == QEvent::Paint;
      return false;
    }
  } counter;
  box->installEventFilter(&counter);
  auto paintsAfter = [&](auto change) {
    QApplication::processEvents();
    counter.Paints = 0;
    change();
    QApplication::processEvents();
    return counter.Paints;
  };
  EXPECT_EQ(paintsAfter([&] { box->SetStretch(true); }), 0);
  EXPECT_EQ(paintsAfter([&] { box->SetCenter(false); }), 0);
  EXPECT_EQ(paintsAfter([&] { box->SetTransparent(false); }), 0);
  EXPECT_GT(paintsAfter([&] { box->SetStretch(false); }), 0);
  EXPECT_GT(paintsAfter([&] { box->SetCenter(true); }), 0);
  EXPECT_GT(paintsAfter([&] { box->SetTransparent(true); }), 0);
  box->removeEventFilter(&counter);
}

TEST_F(PictureBox, IncrementalDisplayPaintsEachPassOfAProgressiveFile) {
  WriteFileBytes(dir.File("progressive.jpg"), EncodeJPEG(MakePhotoLikeImage(200, 160, 2), {.Progressive = true}));
  panel.show();
  box->SetIncrementalDisplay(true);
  box->JPEGProperties().SetProgressiveDisplay(true);
  struct TPaintCounter : QObject {
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      Paints += event->type() == QEvent::Paint;
      return false;
    }
  } counter;
  box->installEventFilter(&counter);
  box->Picture().LoadFromFile(dir.File("progressive.jpg"));
  auto& image = dynamic_cast<TJPEGGraphic*>(box->Picture().Graphic())->Image();
  for (int i = 0; i < 20 && !image.Decoded(); ++i) QApplication::processEvents();
  ASSERT_TRUE(image.Decoded());
  QApplication::processEvents();
  box->removeEventFilter(&counter);
  // libjpeg's simple progression has 10 scans: one paint each, and the final one.
  EXPECT_GE(counter.Paints, 11);
}

TEST_F(PictureBox, DecodingErrorIsReportedOnceAfterPainting) {
  auto bytes = EncodeJPEG(MakePhotoLikeImage(64, 64), {.Progressive = true});
  size_t second = 0;
  for (size_t i = 2, found = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA && ++found == 2) second = i;
  ASSERT_GT(second, 0u);
  bytes[second + 5 + 2 * bytes[second + 4]] = 60;  // an impossible spectral start
  WriteFileBytes(dir.File("damaged.jpg"), bytes);
  panel.show();
  for (bool incremental : {false, true}) {
    SCOPED_TRACE(incremental ? "incremental display" : "decoded while painting");
    box->SetIncrementalDisplay(incremental);
    box->JPEGProperties().SetProgressiveDisplay(incremental);
    std::vector<std::string> messages;
    auto previous = platform::SetMessageHandler([&](const std::string& text) { messages.push_back(text); });
    box->Picture().LoadFromFile(dir.File("damaged.jpg"));
    for (int round = 0; round < 10; ++round) {
      box->update();
      QApplication::processEvents();
    }
    platform::SetMessageHandler(previous);
    EXPECT_EQ(messages, std::vector<std::string>{"JPEG error #" + std::to_string(JERR_BAD_PROGRESSION)});
    EXPECT_FALSE(box->Picture().Graphic()->NeedsDecoding());  // no decoding loop behind the scenes
  }
}

// An 8-bit bitmap with two palette entries (red, blue) whose lower half uses index 200.
std::vector<uint8_t> BitmapWithIndexesPastItsPalette() {
  std::vector<uint8_t> indexes(16 * 8, 1);
  std::fill(indexes.begin(), indexes.begin() + 16 * 4, 200);  // the first rows of the file are the bottom ones
  return IndexedBitmapFile(16, 8, {qRgb(255, 0, 0), qRgb(0, 0, 255)}, indexes);
}

TEST_F(PictureBox, IndexesPastThePaletteDrawAsBlack) {
  WriteFileBytes(dir.File("indexes.bmp"), BitmapWithIndexesPastItsPalette());
  box->Picture().LoadFromFile(dir.File("indexes.bmp"));
  box->SetStretch(false);
  QImage shown = Shown();
  // The file's rows run bottom-up: index 200 fills the lower half.
  EXPECT_EQ(shown.pixelColor(3, 4), QColor(Qt::black));
  EXPECT_EQ(shown.pixelColor(12, 7), QColor(Qt::black));
  EXPECT_EQ(shown.pixelColor(3, 3), QColor(Qt::blue));
  EXPECT_EQ(shown.pixelColor(12, 0), QColor(Qt::blue));
}

// --- damaged and oversized bitmaps and icons ---

struct TDamagedCase {
  const char* Name;
  const char* File;
  std::vector<uint8_t> Bytes;
  const char* Message;
};

std::vector<TDamagedCase> DamagedCases() {
  auto bmp = ImageFileBytes(QuadrantImage(40, 30), "BMP");
  auto ico = ImageFileBytes(QuadrantImage(32, 32), "ICO");
  std::vector<TDamagedCase> cases;
  cases.push_back({"empty bitmap", "empty.bmp", {}, "Bitmap image is not valid"});
  cases.push_back({"bitmap header only", "header.bmp", {bmp.begin(), bmp.begin() + 20}, "Bitmap image is not valid"});
  cases.push_back({"truncated pixels", "cut.bmp", {bmp.begin(), bmp.begin() + bmp.size() / 2}, "Bitmap image is not valid"});
  auto huge = bmp;
  PutLE32(huge, 18, 60000);  // BITMAPINFOHEADER width and height
  PutLE32(huge, 22, 60000);
  cases.push_back({"oversized bitmap", "huge.bmp", huge, "Bitmap image is too large (60000 x 60000 pixels)"});
  auto negative = bmp;
  PutLE32(negative, 18, 0x80000000u);
  cases.push_back({"negative width", "negative.bmp", negative, "Bitmap image is not valid"});
  auto badDepth = bmp;
  badDepth[28] = 13;  // bits per pixel
  cases.push_back({"bad depth", "depth.bmp", badDepth, "Bitmap image is not valid"});
  cases.push_back({"JPEG named bmp", "photo.bmp", EncodeJPEG(MakePhotoLikeImage(8, 8), {}), "Bitmap image is not valid"});
  cases.push_back({"empty icon", "empty.ico", {}, "Icon image is not valid"});
  cases.push_back({"truncated icon", "cut.ico", {ico.begin(), ico.begin() + ico.size() / 2}, "Icon image is not valid"});
  auto noImages = ico;
  noImages[4] = noImages[5] = 0;  // image count
  cases.push_back({"icon without images", "none.ico", noImages, "Icon image is not valid"});
  auto farOffset = ico;
  PutLE32(farOffset, 6 + 12, 0x7ffffff0u);  // first entry's image offset
  cases.push_back({"icon offset past the end", "offset.ico", farOffset, "Icon image is not valid"});
  return cases;
}

TEST_F(PictureBox, DamagedBitmapsAndIconsFailCleanly) {
  box->Picture().LoadFromFile(dir.File("small.bmp"));
  for (const auto& c : DamagedCases()) {
    SCOPED_TRACE(c.Name);
    WriteFileBytes(dir.File(c.File), c.Bytes);
    ExpectLoadFailure(dir.File(c.File), c.Message);
  }
  EXPECT_EQ(box->Picture().Width(), 80);
}

}  // namespace
}  // namespace picture

namespace picture {
namespace {

// The raster fuzz target starts from these files: each must be a picture Qt reads.
TEST(RasterFuzzSeeds, EverySeedLoads) {
  auto seeds = (std::filesystem::path(TEST_DATA_DIR) / "../../fuzz/picture/raster-seeds").lexically_normal();
  int loaded = 0;
  for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
    TPicture picture;
    EXPECT_NO_THROW(picture.LoadFromFile(entry.path().string())) << entry.path();
    loaded += picture.Width() > 0;
  }
  EXPECT_GE(loaded, 9);
}

}  // namespace
}  // namespace picture
