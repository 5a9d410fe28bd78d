// The symbol saved by file name: bitmap, PNG and SVG read back (the SVG through Inkscape)
// by an independent decoder, the SVG's bars and digits kept as vectors, and names of no
// known format refused.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <filesystem>

#include "barcode/control/barcodecontrol.h"
#include "rendered.h"
#include "support/renderedfiles.h"
#include "support/tempdir.h"

namespace {

QByteArray FileStart(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.read(5) : QByteArray();
}

QStringList Captures(const QByteArray& svg, const char* pattern) {
  QStringList found;
  for (const QRegularExpressionMatch& m : QRegularExpression(pattern).globalMatch(QString::fromUtf8(svg)))
    found << m.captured(1);
  return found;
}

struct TSavedCase {
  const char* File;
  TCustomBarcode::btCodeRotate Rotation;
  const char* Magic;  // how the file begins
};

TEST(BarcodeFileExport, TheExtensionChoosesTheFormatAndEachFileDecodes) {
  const TSavedCase cases[] = {{"label.bmp", TCustomBarcode::rotate_000, "BM"},
                              {"LABEL.PNG", TCustomBarcode::rotate_090, "\x89PNG"},
                              {"turned.Svg", TCustomBarcode::rotate_270, "<?xml"}};
  testsupport::TTempDir dir;
  for (const TSavedCase& c : cases) {
    SCOPED_TRACE(c.File);
    TBarcode barcode;
    barcode.SetBar_CodeType(TCustomBarcode::EAN_13);
    barcode.SetBar_Caption("400638133393");
    barcode.SetBar_Rotation(c.Rotation);
    const std::string path = dir.File(c.File);
    barcode.SaveToFile(10, QString::fromStdString(path));
    ASSERT_TRUE(FileStart(path).startsWith(c.Magic));
    QImage image(QString::fromStdString(path));
    if (c.Magic[0] == '<') {
      SKIP_OR_FAIL_WITHOUT_PRINTING(testsupport::MissingTool("inkscape"));
      image = testsupport::InkscapeRendered(path, 300);
    } else {
      EXPECT_EQ(image, barcode.RenderBitmap(10).convertToFormat(image.format()));
    }
    EXPECT_EQ(barcode::Decoded(image, ZXing::BarcodeFormat::EAN13), "4006381333931");
  }
}

// SC2 is 0.33 mm, 660 units of 1/2000 mm; high density halves it.
TEST(BarcodeFileExport, SvgBarsAreRectanglesOfWholeModulesAndTheDigitsStayText) {
  for (int module : {660, 330}) {
    TBarcode barcode;
    barcode.SetBar_CodeType(TCustomBarcode::EAN_13);
    barcode.SetBar_Caption("400638133393");
    barcode.SetBar_HighDensity(module == 330);
    const QByteArray svg = barcode.RenderSvg(0);
    const QStringList widths = Captures(svg, "<rect x=\"\\d+\" y=\"\\d+\" width=\"(\\d+)\"");
    ASSERT_EQ(widths.size(), 31);  // the white ground and the 30 bars of EAN-13
    for (qsizetype i = 1; i < widths.size(); ++i) EXPECT_EQ(widths[i].toInt() % module, 0) << widths[i].toStdString();
    EXPECT_EQ(Captures(svg, ">([0-9]+)</text>"), QStringList({"4", "006381", "333931"}));
    const QStringList mm = Captures(svg, "<svg width=\"([0-9.]+)mm\""), units = Captures(svg, "viewBox=\"0 0 (\\d+) ");
    ASSERT_EQ(mm.size(), 1);
    ASSERT_EQ(units.size(), 1);
    EXPECT_NEAR(mm[0].toDouble(), units[0].toInt() / 2000.0, 0.001);
  }
}

TEST(BarcodeFileExport, NamesOfNoKnownFormatAreRefusedBeforeAnythingIsWritten) {
  testsupport::TTempDir dir;
  TBarcode barcode;
  for (const char* name : {"label.gif", "label", "label.svg.txt"}) {
    const std::string path = dir.File(name);
    try {
      barcode.SaveToFile(10, QString::fromStdString(path));
      ADD_FAILURE() << name << " was saved";
    } catch (const EBarcodeFileFormat& e) {
      EXPECT_EQ(e.what(), "Cannot save the barcode as \"" + path + "\": the file name must end in .bmp, .png or .svg");
    }
    EXPECT_FALSE(std::filesystem::exists(path)) << name;
  }
  // A format given by the caller wins over the name.
  barcode.SaveToFile(10, QString::fromStdString(dir.File("label.bmp")), TBarcodeFileFormat::Png);
  EXPECT_TRUE(FileStart(dir.File("label.bmp")).startsWith("\x89PNG"));
}

}  // namespace
