// Metafile pictures in the picture box: drawings written by another program (Inkscape)
// and by our own recorder, shown stretched with the right shapes; damaged files refused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QImage>
#include <QPainter>
#include <QPalette>

#include "base/inputfile.h"
#include "graphics/qt/qtcanvas.h"
#include "metafile/metafilecanvas.h"
#include "metafile/support/bitmapbombs.h"
#include "picture/support/boxonpanel.h"
#include "picture/support/jpegsamples.h"
#include "picture/widget/fejpeg.h"
#include "picture/widget/metafilegraphic.h"

namespace picture {
namespace {

using namespace picture::testing;

// No page background: where the drawing has nothing, the panel must show through.
const char* const kShapesSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="100" viewBox="0 0 200 100">
  <rect x="10" y="10" width="80" height="80" fill="#ff0000"/>
  <ellipse cx="150" cy="50" rx="40" ry="40" fill="#0000ff"/>
  <polygon points="100,98 130,98 115,60" fill="#00ff00"/>
</svg>
)";

class MetafileBox : public TBoxOnPanel {
 protected:
  // The colour at a point of the 200 x 100 drawing, stretched into the box.
  QColor ShownAt(const QImage& shown, double x, double y) {
    return shown.pixelColor(static_cast<int>(x * shown.width() / 200), static_cast<int>(y * shown.height() / 100));
  }

  void ExpectShapes(const std::string& fileName) {
    box->Picture().LoadFromFile(fileName);
    QImage shown = Shown();
    EXPECT_EQ(ShownAt(shown, 50, 50), QColor(Qt::red)) << fileName;
    EXPECT_EQ(ShownAt(shown, 150, 50), QColor(Qt::blue)) << fileName;
    EXPECT_EQ(ShownAt(shown, 115, 90), QColor(Qt::green)) << fileName;
    EXPECT_EQ(ShownAt(shown, 100, 20), kPanelColour) << fileName;  // between the shapes
    EXPECT_EQ(ShownAt(shown, 150, 5), kPanelColour) << fileName;   // above the circle
    EXPECT_EQ(ShownAt(shown, 103, 70), kPanelColour) << fileName;  // beside the triangle
  }
};

TEST_F(MetafileBox, InkscapeDrawingsShowTheirShapesStretched) {
  if (std::system("command -v inkscape >/dev/null 2>&1") != 0) GTEST_SKIP() << "inkscape is not installed";
  std::ofstream(dir.File("shapes.svg")) << kShapesSvg;
  for (std::string kind : {"emf", "wmf"}) {
    std::string out = dir.File("shapes." + kind);
    std::string command = "inkscape '" + dir.File("shapes.svg") + "' --export-type=" + kind +
                          " --export-filename='" + out + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    // The extension is matched without regard to case.
    std::string upper = dir.File("SHAPES." + std::string(kind == "emf" ? "EMF" : "WMF"));
    std::filesystem::rename(out, upper);
    ExpectShapes(upper);
    auto* graphic = box->Picture().Graphic();
    EXPECT_TRUE(kind == "emf" ? dynamic_cast<TEnhMetafileGraphic*>(graphic) != nullptr
                              : dynamic_cast<TWindowsMetafileGraphic*>(graphic) != nullptr);
  }
}

TEST_F(MetafileBox, RecordedMetafileIsStretchedIntoTheBox) {
  QImage referenceImage(10, 10, QImage::Format_RGB32);
  QPainter referencePainter(&referenceImage);
  platform::TQtCanvas reference(referencePainter);
  platform::TMetafileCanvas recorder(reference, 100, 50);
  recorder.Brush.SetColor(platform::clRed);
  recorder.FillRect({0, 0, 50, 50});
  recorder.Brush.SetColor(platform::clBlue);
  recorder.FillRect({50, 0, 100, 50});
  recorder.Finish().SaveToFile(dir.File("halves.emf"));
  box->Picture().LoadFromFile(dir.File("halves.emf"));
  QImage shown = Shown();
  for (int y : {2, 76, 150}) {
    EXPECT_EQ(shown.pixelColor(3, y), QColor(Qt::red)) << y;
    EXPECT_EQ(shown.pixelColor(76, y), QColor(Qt::red)) << y;
    EXPECT_EQ(shown.pixelColor(82, y), QColor(Qt::blue)) << y;
    EXPECT_EQ(shown.pixelColor(156, y), QColor(Qt::blue)) << y;
  }
}

TEST_F(MetafileBox, DamagedMetafilesAreRefusedAndThePictureStays) {
  QImage referenceImage(10, 10, QImage::Format_RGB32);
  QPainter referencePainter(&referenceImage);
  platform::TQtCanvas reference(referencePainter);
  platform::TMetafileCanvas recorder(reference, 40, 40);
  recorder.Brush.SetColor(platform::clRed);
  recorder.FillRect({0, 0, 40, 40});
  std::vector<uint8_t> emf = recorder.Finish().Bytes();
  const std::vector<uint8_t> placeableWmf = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 40, 0};
  struct TCase {
    const char* File;
    std::vector<uint8_t> Bytes;
  } cases[] = {
      {"half.emf", {emf.begin(), emf.begin() + static_cast<std::ptrdiff_t>(emf.size() / 2)}},
      {"header.emf", {emf.begin(), emf.begin() + 60}},
      {"empty.emf", {}},
      {"short.wmf", placeableWmf},
      {"empty.wmf", {}},
      {"jpeg.wmf", EncodeJPEG(MakePhotoLikeImage(8, 8), {})},
  };
  WriteFileBytes(dir.File("good.emf"), emf);
  box->Picture().LoadFromFile(dir.File("good.emf"));
  TGraphic* good = box->Picture().Graphic();
  for (const auto& c : cases) {
    WriteFileBytes(dir.File(c.File), c.Bytes);
    try {
      box->Picture().LoadFromFile(dir.File(c.File));
      ADD_FAILURE() << c.File << " was loaded";
    } catch (const platform::EMetafileError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Damaged metafile", 0), 0u) << c.File << ": " << e.what();
    }
    EXPECT_EQ(box->Picture().Graphic(), good) << c.File;
  }
  EXPECT_EQ(Shown().pixelColor(80, 76), QColor(Qt::red));
}

// Metafile pictures go through the same size limit as every picture file, and one whose
// bitmaps together pass what one file may decode is refused at load, not at every paint.
TEST_F(MetafileBox, OversizedMetafilesAreRefusedAtLoadAndThePictureStays) {
  QImage referenceImage(10, 10, QImage::Format_RGB32);
  QPainter referencePainter(&referenceImage);
  platform::TQtCanvas reference(referencePainter);
  platform::TMetafileCanvas recorder(reference, 40, 40);
  recorder.Brush.SetColor(platform::clRed);
  recorder.FillRect({0, 0, 40, 40});
  recorder.Finish().SaveToFile(dir.File("good.emf"));
  box->Picture().LoadFromFile(dir.File("good.emf"));
  TGraphic* good = box->Picture().Graphic();

  WriteFileBytes(dir.File("bomb.wmf"), platform::testing::WmfBitmapBomb({}));
  WriteFileBytes(dir.File("bomb.emf"), platform::testing::EmfBitmapBomb({}));
  for (const char* name : {"huge.wmf", "huge.emf"}) {
    WriteFileBytes(dir.File(name), {});
    std::filesystem::resize_file(dir.File(name), platform::MaxPictureFileBytes + 1);  // sparse
  }
  const struct {
    const char* File;
    std::string Message;
  } cases[] = {
      {"bomb.wmf", "The metafile's bitmaps are too large: record 2 (META_STRETCHDIB)"},
      {"bomb.emf", "The metafile's bitmaps are too large: record 2 (EMR_STRETCHDIBITS)"},
      {"huge.wmf", "Picture file is too large: " + dir.File("huge.wmf")},
      {"huge.emf", "Picture file is too large: " + dir.File("huge.emf")},
  };
  for (const auto& c : cases) {
    std::string message = "loaded";
    try {
      box->Picture().LoadFromFile(dir.File(c.File));
    } catch (const std::exception& e) {
      message = e.what();
    }
    EXPECT_EQ(message.rfind(c.Message, 0), 0u) << c.File << ": " << message;
    EXPECT_EQ(box->Picture().Graphic(), good) << c.File;
  }
  EXPECT_EQ(Shown().pixelColor(80, 76), QColor(Qt::red));
}

}  // namespace
}  // namespace picture
