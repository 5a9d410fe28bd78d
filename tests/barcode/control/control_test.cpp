// The barcode control: property rules and messages, sizing after paint, repaint
// requests, paint errors, and the bitmap export.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMetaProperty>
#include <QTemporaryDir>
#include <QWidget>
#include <cstring>
#include <string>
#include <vector>

#include "barcode/control/barcodecontrol.h"
#include "barcode/eoverflow.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "rendered.h"

namespace {

// Counts the paints the platform delivers.
class TCountingBarcode : public TBarcode {
 public:
  using TBarcode::TBarcode;
  int Paints = 0;

 protected:
  void paintEvent(QPaintEvent* event) override {
    ++Paints;
    TBarcode::paintEvent(event);
  }
};

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const barcode::EOverflow& e) {
    return e.what();
  }
  return "no error";
}

// The normal-printer window's design.
void NormalPrinterDesign(TBarcode& barcode) {
  barcode.SetBar_Caption("00000000000");
  barcode.SetBar_CodeType(TCustomBarcode::EAN_13);
  barcode.SetBar_HeightPercent(80);
  barcode.SetBar_Fontscaling(125);
  barcode.SetBar_ZoomSize(true);
}

TEST(BarcodeControl, StartsAt69By66AndTakesTheSymbolsSizeAtPaint) {
  QWidget parent;
  TCountingBarcode barcode(&parent);
  EXPECT_EQ(barcode.size(), QSize(69, 66));
  parent.show();
  Settle();
  EXPECT_GT(barcode.Paints, 0);
  EXPECT_EQ(barcode.size(), QSize(68, 66));  // EAN-8 "4711" at SC2, 96 dpi

  barcode.SetBar_CodeType(TCustomBarcode::EAN_13);
  barcode.SetBar_HeightPercent(70);
  EXPECT_EQ(barcode.size(), QSize(68, 66));  // the size follows only after the paint
  Settle();
  EXPECT_EQ(barcode.size(), QSize(116, 61));
}

TEST(BarcodeControl, WithoutAutoSizeTheSizeStaysAndTheSymbolIsClipped) {
  QWidget parent;
  TBarcode barcode(&parent);
  parent.show();
  Settle();
  QSize before = barcode.size();
  barcode.SetAutoSize(false);
  barcode.SetBar_ModuleWidth(TCustomBarcode::SC9);
  Settle();
  EXPECT_EQ(barcode.size(), before);
}

TEST(BarcodeControl, AssigningTheSameAutoSizeRequestsNoRepaint) {
  QWidget parent;
  TCountingBarcode barcode(&parent);
  parent.show();
  Settle();
  int paints = barcode.Paints;
  barcode.SetAutoSize(true);
  Settle();
  EXPECT_EQ(barcode.Paints, paints);
  barcode.SetAutoSize(false);
  Settle();
  EXPECT_GT(barcode.Paints, paints);
}

TEST(BarcodeControl, RangeChecksRefuseWithTheirMessagesAndKeepTheOldValue) {
  TBarcode barcode;
  using B = TCustomBarcode;
  EXPECT_EQ(ErrorOf([&] { barcode.SetBar_HeightPercent(20); }), "no error");
  EXPECT_EQ(ErrorOf([&] { barcode.SetBar_HeightPercent(200); }), "no error");
  for (int bad : {19, 201, -5}) {
    EXPECT_EQ(ErrorOf([&] { barcode.SetBar_HeightPercent(bad); }), "Bar_HeightPercent must be in the range 20..200!");
    EXPECT_EQ(ErrorOf([&] { barcode.SetBar_Fontscaling(bad); }), "Bar_Fontscaling must be in the range 20..200!");
  }
  EXPECT_EQ(barcode.Bar_HeightPercent(), 200);
  EXPECT_EQ(barcode.Bar_Fontscaling(), 100);

  EXPECT_EQ(ErrorOf([&] { barcode.SetBar_ModuleWidth(B::SC9); }), "no error");
  EXPECT_EQ(ErrorOf([&] { barcode.SetBar_ModuleWidth(B::btCodeSizes(10)); }), "Bar_SC_Size must be in the range 0..9!");
  EXPECT_EQ(ErrorOf([&] { barcode.SetBar_ModuleWidth(B::btCodeSizes(255)); }), "Bar_SC_Size must be in the range 0..9!");
  EXPECT_EQ(barcode.Bar_ModuleWidth(), B::SC9);
  EXPECT_EQ(ErrorOf([&] { barcode.SetBar_Rotation(B::rotate_270); }), "no error");
  EXPECT_EQ(ErrorOf([&] { barcode.SetBar_Rotation(B::btCodeRotate(4)); }),
            "Bar_Rotate must be in the range rotate_000..rotate_270!");
  EXPECT_EQ(ErrorOf([&] { barcode.SetBar_Ratio(B::Ratio_2); }), "no error");
  EXPECT_EQ(ErrorOf([&] { barcode.SetBar_Ratio(B::btCodeRatio(2)); }),
            "Bar_Ratio must be in the range 0..1 (Ratio_3 or Ratio_2)!");
  EXPECT_EQ(barcode.Bar_Rotation(), B::rotate_270);
  EXPECT_EQ(barcode.Bar_Ratio(), B::Ratio_2);
}

TEST(BarcodeControl, CaptionsUpToFiftyCharacters) {
  TBarcode barcode;
  QString fifty(50, 'A');
  barcode.SetBar_Caption(fifty);
  EXPECT_EQ(barcode.Bar_Caption(), fifty);
  EXPECT_EQ(ErrorOf([&] { barcode.SetBar_Caption(QString(51, 'B')); }), "String exceeds maximum length");
  EXPECT_EQ(barcode.Bar_Caption(), fifty);
  barcode.SetBar_Caption("");
  EXPECT_EQ(barcode.Bar_Caption(), "");
}

TEST(BarcodeControl, AddOnIsNormalisedToNoneTwoOrFiveDigits) {
  struct Case {
    const char* typed;
    const char* stored;
  };
  TBarcode barcode;
  for (const Case& c : {Case{"123", "12"}, Case{"1234", "12"}, Case{"12a345", "12345"}, Case{"7", ""},
                        Case{"abc", ""}, Case{"1234567", "12345"}, Case{"", ""}, Case{" 9 8 ", "98"}}) {
    barcode.SetBar_CodeAddon(c.typed);
    EXPECT_EQ(barcode.Bar_CodeAddon(), c.stored) << c.typed;
  }
}

// A record written directly (LLBarcode().Params is public) need not terminate its
// texts; the getters stop at the end of the array, not in the fields behind it.
TEST(BarcodeControl, TextsWithoutTerminatorEndWithTheirArrays) {
  TBarcode barcode;
  barcode::TBarcodeParams& params = barcode.LLBarcode().Params;
  std::memset(params.Caption, 'A', sizeof params.Caption);
  std::memset(params.CodeAddon, '5', sizeof params.CodeAddon);
  params.CodeType = barcode::EAN_13;  // non-zero bytes behind the add-on
  params.ModuleWidth = barcode::SC9;
  EXPECT_EQ(barcode.Bar_Caption(), QString(int(sizeof params.Caption), 'A'));
  EXPECT_EQ(barcode.Bar_CodeAddon(), QString(int(sizeof params.CodeAddon), '5'));
}

TEST(BarcodeControl, PropertiesAreReachableByName) {
  TBarcode barcode;
  EXPECT_TRUE(barcode.setProperty("Bar_Caption", "12345"));
  EXPECT_TRUE(barcode.setProperty("Bar_CodeType", QVariant::fromValue(TCustomBarcode::CODE128_C)));
  EXPECT_TRUE(barcode.setProperty("Bar_HeightPercent", 50));
  EXPECT_EQ(barcode.Bar_Caption(), "12345");
  EXPECT_EQ(barcode.Bar_CodeType(), TCustomBarcode::CODE128_C);
  EXPECT_EQ(barcode.property("Bar_HeightPercent").toInt(), 50);
  EXPECT_EQ(barcode.property("Bar_ModuleWidth").value<TCustomBarcode::btCodeSizes>(), TCustomBarcode::SC2);
  EXPECT_THROW(barcode.setProperty("Bar_HeightPercent", 300), barcode::EOverflow);

  // A form stores a property with a declared default only while it differs from it.
  EXPECT_TRUE(barcode.IsBar_ModuleWidthStored());  // SC2 against the declared SC0
  EXPECT_FALSE(barcode.IsBar_RatioStored());
  EXPECT_FALSE(barcode.IsAutoSizeStored());
  EXPECT_TRUE(barcode.IsBar_HeightPercentStored());
  const QMetaObject* meta = barcode.metaObject();
  EXPECT_TRUE(meta->property(meta->indexOfProperty("Bar_CodeType")).reset(&barcode));
  EXPECT_EQ(barcode.Bar_CodeType(), TCustomBarcode::EAN_8);
}

TEST(BarcodeControl, AnUnknownTypeFailsAtPaintWithOneMessage) {
  std::vector<std::string> messages;
  auto previous = platform::SetMessageHandler([&](const std::string& text) { messages.push_back(text); });
  QWidget parent;
  TCountingBarcode barcode(&parent);
  parent.show();
  Settle();
  QSize before = barcode.size();
  barcode.SetBar_CodeType(TCustomBarcode::btCodeTypes(20));
  Settle();
  for (int i = 0; i < 3; ++i) {
    barcode.repaint();
    Settle();
  }
  platform::SetMessageHandler(previous);
  EXPECT_GE(barcode.Paints, 4);
  EXPECT_EQ(messages, std::vector<std::string>{"Barcode: Unknown Type of Barcode"});
  EXPECT_EQ(barcode.size(), before);
}

TEST(BarcodeControl, ExportedBitmapHasTheMarginAndDecodes) {
  QTemporaryDir dir;
  TBarcode barcode;
  NormalPrinterDesign(barcode);
  QString path = dir.filePath("label.png");  // the format is a bitmap file whatever the name says
  barcode.SaveToBitmapFile(10, path);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(2), QByteArray("BM"));
  file.close();
  QImage image(path, "BMP");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(159, 110));
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(barcode::Decoded(image, ZXing::BarcodeFormat::EAN13), "0000000000000");
}

TEST(BarcodeControl, ABitmapThatCannotBeWrittenRaisesTheFileError) {
  TBarcode barcode;
  try {
    barcode.SaveToBitmapFile(10, "/nonexistent-dir/BARCODE.BMP");
    FAIL() << "no error";
  } catch (const platform::EInOutError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  QTemporaryDir dir;
  EXPECT_THROW(barcode.SaveToBitmapFile(10, dir.path()), platform::EInOutError);
}

}  // namespace
