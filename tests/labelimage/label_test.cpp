// The label preview against our own jobs: the symbol's bars at the dots the job's
// commands give and read back by an independent decoder, the offsets moving the
// picture by exactly their dots, the three resolutions, and every unknown command refused.
#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <string>
#include <vector>

#include "items/labeljob.h"
#include "labelimage/label.h"
#include "labelimage/labeldrawing.h"
#include "support/qtimages.h"

namespace labelimage {
namespace {

using platform::testing::Dark;
using platform::testing::InkBounds;

const items::TLabelValues kMilk{"4006381333931", "Milk 1L", "3", "12.50", ""};

items::TLabelCalibration At(int dpi, std::string x = "", std::string y = "", std::string width = "",
                            std::string length = "") {
  return {std::to_string(dpi), std::move(width), std::move(length), std::move(x), std::move(y), ""};
}

QImage Drawn(const std::string& type, const items::TLabelCalibration& calibration) {
  const auto lines = items::LabelJobLines(type, kMilk, '.', calibration);
  return DrawLabel(ReadLabelJob(type, lines, std::stoi(calibration.Dpi)));
}

std::string Decoded(const QImage& image) {
  QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::EAN13);
  ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                        static_cast<int>(gray.bytesPerLine()));
  ZXing::Result result = ZXing::ReadBarcode(view, hints);
  return result.isValid() ? result.text() : "(not read)";
}

// Where the job puts the symbol: ZPL ^LH0,03 + ^FO50,160 with ^BY2, EPL B30,60 with narrow 2.
struct TSymbolAt {
  const char* type;
  int x;
  int y;
  int module;
  int height;
};
const TSymbolAt kSymbols[] = {{"Z", 50, 163, 2, 70}, {"E", 30, 60, 2, 75}};

TEST(LabelImage, TheSymbolStandsWhereTheJobPutsItAndReadsAsTheItemsBarcode) {
  for (const TSymbolAt& symbol : kSymbols) {
    for (int dpi : {203, 300, 600}) {
      SCOPED_TRACE(std::string(symbol.type) + " at " + std::to_string(dpi));
      const QImage image = Drawn(symbol.type, At(dpi));
      const int row = symbol.y + symbol.height / 2;
      const int w = symbol.module;
      // Start guard 101 from the first dot, end guard 101 ending at module 95.
      for (int dot = 0; dot < symbol.x; ++dot) ASSERT_FALSE(Dark(image, dot, row)) << dot;
      for (int module : {0, 2, 92, 94}) EXPECT_TRUE(Dark(image, symbol.x + module * w + w - 1, row)) << module;
      for (int module : {1, 93, 95}) EXPECT_FALSE(Dark(image, symbol.x + module * w, row)) << module;
      EXPECT_FALSE(Dark(image, symbol.x, symbol.y - 1));
      // Module 9 ends the first left-hand digit, always a bar: it ends at the height, the guard reaches on.
      EXPECT_TRUE(Dark(image, symbol.x + 9 * w, symbol.y));
      EXPECT_TRUE(Dark(image, symbol.x + 9 * w, symbol.y + symbol.height - 1));
      EXPECT_FALSE(Dark(image, symbol.x + 9 * w, symbol.y + symbol.height));
      EXPECT_TRUE(Dark(image, symbol.x, symbol.y + symbol.height));
      EXPECT_EQ(Decoded(image), "4006381333931");
    }
  }
}

TEST(LabelImage, OffsetsMoveThePictureByExactlyTheirDots) {
  struct Case {
    std::string x;
    std::string y;
    int dx;
    int dy;
  };
  for (const char* type : {"Z", "E"}) {
    const QImage plain = Drawn(type, At(203));
    const QRect ink = InkBounds(plain);
    for (const Case& c : std::vector<Case>{{"20", "", 20, 0}, {"", "12", 0, 12}, {"-7", "-20", -7, -20},
                                           {"15", "-5", 15, -5}}) {
      SCOPED_TRACE(std::string(type) + " " + c.x + "," + c.y);
      const QImage moved = Drawn(type, At(203, c.x, c.y));
      EXPECT_EQ(InkBounds(moved), ink.translated(c.dx, c.dy));
      EXPECT_EQ(moved.copy(ink.translated(c.dx, c.dy)), plain.copy(ink));
    }
  }
}

TEST(LabelImage, SizeGapQuantityAndTextComeFromTheJobAtEachResolution) {
  struct Case {
    const char* type;
    int dpi;
    std::string width;
    std::string length;
    QSize label;
    int gap;
    int nameHeight;  // the first text field's cell
  };
  const std::vector<Case> cases{
      {"E", 203, "", "", {254, 203}, 24, 16},         {"E", 300, "", "", {254, 203}, 24, 28},
      {"E", 600, "50", "30", {1181, 709}, 24, 56},    {"Z", 203, "", "", {406, 305}, 24, 22},
      {"Z", 300, "50", "30", {591, 354}, 35, 22},     {"Z", 600, "", "", {1200, 900}, 71, 22},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " at " + std::to_string(c.dpi));
    const auto lines = items::LabelJobLines(c.type, kMilk, '.', At(c.dpi, "", "", c.width, c.length));
    const TLabel label = ReadLabelJob(c.type, lines, c.dpi);
    EXPECT_EQ(QSize(label.Width, label.Length), c.label);
    EXPECT_EQ(label.Gap, c.gap);
    EXPECT_EQ(label.Quantity, 3);
    ASSERT_EQ(label.Texts.size(), c.type == std::string("E") ? 3u : 2u);
    EXPECT_EQ(label.Texts[0].Text, "Milk 1L");
    EXPECT_EQ(label.Texts[0].Height, c.nameHeight);
    const QImage image = DrawLabel(label);
    EXPECT_EQ(image.size(), QSize(c.label.width(), c.label.height() + c.gap));
    EXPECT_EQ(image.pixel(0, c.label.height()), kGapColour);
    EXPECT_EQ(image.pixel(0, c.label.height() - 1), qRgb(255, 255, 255));
    // The name is drawn at its origin and within its cell.
    const QRect name = InkBounds(image, QRect(label.Texts[0].X, label.Texts[0].Y, 200, c.nameHeight));
    EXPECT_FALSE(name.isNull());
    EXPECT_LE(name.left() - label.Texts[0].X, c.nameHeight / 3);
  }
}

TEST(LabelImage, HexEscapedFieldsAndTheCodePageAreReadBack) {
  const items::TLabelValues values{"4006381333931", "50% ^off~ Cr\xE8me", "1", "1.00", ""};
  const TLabel zpl = ReadLabelJob("Z", items::LabelJobLines("Z", values, '.'), 203);
  EXPECT_EQ(zpl.Texts[0].Text, "50% ^off~ Cr\xE8me");
  const TLabel epl = ReadLabelJob("E", items::LabelJobLines("E", {"1", "say \"hi\" \\o/", "1", "0.00", ""}, '.'), 203);
  EXPECT_EQ(epl.Texts[0].Text, "say \"hi\" \\o/");
}

TEST(LabelImage, EveryCommandOurJobsDoNotUseIsRefusedByName) {
  struct Case {
    const char* type;
    std::string line;
    std::string named;
  };
  const std::vector<Case> cases{
      {"Z", "^GB100,2,2^FS", "^GB"},        {"Z", "^BCN,50,Y,N^FD1^FS", "^BC"}, {"Z", "~JA", "~JA"},
      {"Z", "^FWR", "^FW"},                 {"Z", "^A0R,30,30", "^AR"},         {"Z", "^BER,70", "^BER"},
      {"Z", "^MMT", "^MM"},                 {"E", "LO10,10,100,2", "LO"},       {"E", "X10,10,2,50,50", "X"},
      {"E", "GG10,10,\"LOGO\"", "GG"},      {"E", "OD", "OD"},                  {"E", "A1,1,1,2,1,1,N,\"x\"", "A rotated by 1"},
      {"E", "B1,1,0,1,2,3,50,B,\"1\"", "B with the symbol 1"}, {"E", "A1,1,0,9,1,1,N,\"x\"", "A with the font 9"},
      {"E", "A1,1,0,2,1,1,R,\"x\"", "A in reverse"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = items::LabelJobLines(c.type, kMilk, '.');
    lines.insert(lines.begin() + 2, c.line);
    try {
      ReadLabelJob(c.type, lines, 203);
      ADD_FAILURE() << "shown: " << c.line;
    } catch (const ELabelPreview& error) {
      EXPECT_EQ(error.what(), "Label preview cannot show the command " + c.named);
    }
  }
  EXPECT_THROW(ReadLabelJob("X", {"^XA"}, 203), ELabelPreview);
  // A size no printer prints would be a picture of gigabytes: refused, not drawn.
  for (const auto& [type, line] : {std::pair{"Z", "^PW99999"}, {"Z", "^LL0"}, {"E", "Q9000,24"}, {"E", "q-5"}}) {
    std::vector<std::string> lines = items::LabelJobLines(type, kMilk, '.');
    lines.insert(lines.end() - 1, line);
    EXPECT_THROW(ReadLabelJob(type, lines, 203), ELabelPreview) << line;
  }
}

}  // namespace
}  // namespace labelimage
