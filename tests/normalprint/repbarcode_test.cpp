// The report barcode element: its properties and their messages, the symbol shown on
// the report form at the design zoom, and the symbol drawn on a page at the page's own
// resolution with every alignment and rotation, empty texts and the on-print hook.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>
#include <string>

#include "barcode/eoverflow.h"
#include "graphics/qt/bitmapexport.h"
#include "graphics/qt/qtcanvas.h"
#include "normalprint/repbarcode.h"
#include "reports/labelreport.h"
#include "support/tempdir.h"
#include "tables/support.h"

namespace {

using barcode::EOverflow;
using B = TCustomBarcode;

class RepBarcodeTest : public testing::Test {
 protected:
  RepBarcodeTest() : element(report) {
    element.OnRepaintRequest = [this](reports::TRepPrintable&) { ++repaints; };
  }

  // The message of the error a setter raises, "" when it raises none.
  std::string Refusal(const std::function<void()>& set) {
    try {
      set();
    } catch (const EOverflow& error) {
      return error.what();
    }
    return "";
  }

  reports::TLabelReport report;
  TRepBarcode element;
  int repaints = 0;
};

TEST_F(RepBarcodeTest, StartsWithTheDefaultsOfTheElement) {
  EXPECT_TRUE(element.AutoSize());
  EXPECT_EQ(element.Bar_Caption(), "4711");
  EXPECT_EQ(element.Bar_CodeAddon(), "");
  EXPECT_EQ(element.Bar_CodeType(), B::EAN_8);
  EXPECT_EQ(element.Bar_HeightPercent(), 100);
  EXPECT_TRUE(element.Bar_HumanReadable());
  EXPECT_EQ(element.Bar_ModuleWidth(), B::SC2);
  EXPECT_EQ(element.Bar_Ratio(), B::Ratio_3);
  EXPECT_EQ(element.Bar_Rotation(), B::rotate_000);
  EXPECT_FALSE(element.Bar_PrintEmpty());
  EXPECT_EQ(element.Bar_Fontname(), "Arial");
  EXPECT_EQ(element.Bar_FontScaling(), 100);
  EXPECT_EQ(element.Width(), 69);  // the inner control's size before its first drawing
  EXPECT_EQ(element.Height(), 66);
  EXPECT_EQ(element.Alignment(), reports::taLeftJustify);
}

struct RangeCase {
  const char* name;
  std::function<void(TRepBarcode&)> set;
  const char* message;  // empty: accepted
};

const RangeCase kRangeCases[] = {
    {"height 20", [](TRepBarcode& e) { e.SetBar_HeightPercent(20); }, ""},
    {"height 200", [](TRepBarcode& e) { e.SetBar_HeightPercent(200); }, ""},
    {"height 19", [](TRepBarcode& e) { e.SetBar_HeightPercent(19); }, "Bar_HeightPercent must be in the range 20..200!"},
    {"height 201", [](TRepBarcode& e) { e.SetBar_HeightPercent(201); }, "Bar_HeightPercent must be in the range 20..200!"},
    {"height -5", [](TRepBarcode& e) { e.SetBar_HeightPercent(-5); }, "Bar_HeightPercent must be in the range 20..200!"},
    {"font 20", [](TRepBarcode& e) { e.SetBar_FontScaling(20); }, ""},
    {"font 201", [](TRepBarcode& e) { e.SetBar_FontScaling(201); }, "Bar_Fontscaling must be in the range 20..200!"},
    {"font 19", [](TRepBarcode& e) { e.SetBar_FontScaling(19); }, "Bar_Fontscaling must be in the range 20..200!"},
    {"module 9", [](TRepBarcode& e) { e.SetBar_ModuleWidth(B::SC9); }, ""},
    {"module 10", [](TRepBarcode& e) { e.SetBar_ModuleWidth(B::btCodeSizes(10)); }, "Bar_SC_Size must be in the range 0..9!"},
    {"rotation 3", [](TRepBarcode& e) { e.SetBar_Rotation(B::rotate_270); }, ""},
    {"rotation 4", [](TRepBarcode& e) { e.SetBar_Rotation(B::btCodeRotate(4)); },
     "Bar_Rotate must be in the range rotate_000..rotate_270!"},
    {"ratio 1", [](TRepBarcode& e) { e.SetBar_Ratio(B::Ratio_2); }, ""},
    {"ratio 2", [](TRepBarcode& e) { e.SetBar_Ratio(B::btCodeRatio(2)); },
     "Bar_Ratio must be in the range 0..1 (Ratio_3 or Ratio_2)!"},
};

TEST_F(RepBarcodeTest, RefusesValuesOutOfRangeWithTheRuleAndKeepsTheOldValue) {
  for (const RangeCase& c : kRangeCases) {
    SCOPED_TRACE(c.name);
    reports::TLabelReport fresh;
    TRepBarcode e(fresh);
    int requests = 0;
    e.OnRepaintRequest = [&](reports::TRepPrintable&) { ++requests; };
    const int height = e.Bar_HeightPercent(), font = e.Bar_FontScaling();
    const auto module = e.Bar_ModuleWidth();
    const auto rotation = e.Bar_Rotation();
    const auto ratio = e.Bar_Ratio();
    EXPECT_EQ(Refusal([&] { c.set(e); }), c.message);
    if (*c.message) {
      EXPECT_EQ(e.Bar_HeightPercent(), height);
      EXPECT_EQ(e.Bar_FontScaling(), font);
      EXPECT_EQ(e.Bar_ModuleWidth(), module);
      EXPECT_EQ(e.Bar_Rotation(), rotation);
      EXPECT_EQ(e.Bar_Ratio(), ratio);
      EXPECT_EQ(requests, 0) << "a refused value asks for no repaint";
    } else {
      EXPECT_EQ(requests, 1) << "an accepted value asks for one repaint";
    }
  }
}

TEST_F(RepBarcodeTest, ALongCaptionIsCutToFiftyCharactersNotRefused) {
  const QString sixty = QString("0123456789").repeated(6);
  EXPECT_EQ(Refusal([&] { element.SetBar_Caption(sixty); }), "");
  EXPECT_EQ(element.Bar_Caption(), sixty.left(50));
  EXPECT_EQ(repaints, 1);
}

TEST_F(RepBarcodeTest, TheAddOnIsNormalisedAndPrintEmptyIsAPlainField) {
  element.SetBar_CodeAddon("1234");
  EXPECT_EQ(element.Bar_CodeAddon(), "12");
  element.SetBar_CodeAddon("abc");
  EXPECT_EQ(element.Bar_CodeAddon(), "");
  EXPECT_EQ(repaints, 2);
  element.SetBar_PrintEmpty(true);
  EXPECT_TRUE(element.Bar_PrintEmpty());
  EXPECT_EQ(repaints, 2);
}

// The element shown on a 96 dpi report form.
QImage FormImage() {
  QImage image = platform::ScreenBitmap(400, 400, 96);
  image.fill(Qt::gray);
  return image;
}

void PaintOn(QImage& image, TRepBarcode& element) {
  QPainter painter(&image);
  platform::TQtCanvas canvas(painter);
  element.Paint(&canvas);
}

struct ZoomCase {
  int zoom;
  int width, height;
};

// 84 x 83 at 100 % (ZoomSize on: Round(66 x 0.33 x 3.7795) + 1 + 1 wide), scaled by MulDiv.
const ZoomCase kZoomCases[] = {{100, 84, 83}, {200, 168, 166}, {50, 42, 42}, {150, 126, 125}};

TEST_F(RepBarcodeTest, PaintWithAutoSizeTakesTheSymbolsSizeAtTheDesignZoom) {
  for (const ZoomCase& c : kZoomCases) {
    SCOPED_TRACE(c.zoom);
    report.SetZoom(c.zoom);
    QImage image = FormImage();
    PaintOn(image, element);
    EXPECT_EQ(element.Width(), c.width);
    EXPECT_EQ(element.Height(), c.height);
  }
}

TEST_F(RepBarcodeTest, PaintWithoutAutoSizeKeepsTheLengthAlongTheBars) {
  element.SetAutoSize(false);
  element.SetWidth(200);
  QImage image = FormImage();
  PaintOn(image, element);
  EXPECT_EQ(element.Width(), 200);
  EXPECT_EQ(element.Height(), 83);
  element.SetBar_Rotation(B::rotate_090);
  element.SetHeight(300);
  PaintOn(image, element);
  EXPECT_EQ(element.Height(), 300);
  EXPECT_EQ(element.Width(), 83) << "across the bars the box follows the symbol";
}

TEST_F(RepBarcodeTest, PaintWithoutACanvasDoesNothingAndAMatchingTextAsksNoRepaint) {
  element.Paint(nullptr);
  EXPECT_EQ(element.Width(), 69);
  QImage image = FormImage();
  PaintOn(image, element);
  EXPECT_EQ(repaints, 0) << "painting the caption it already has requests no painting";
}

// The page: 600 dpi, gray, so the element's white box shows.
constexpr int kPageDpi = 600;
constexpr int kPageWidth = 1400, kPageHeight = 1200;

struct TDark {
  int Left = -1, Top = -1, Right = -1, Bottom = -1;
  bool Empty() const { return Left < 0; }
};

TDark DarkBox(const QImage& page) {
  TDark box;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      if (qGray(page.pixel(x, y)) >= 64) continue;
      if (box.Empty()) box = {x, y, x, y};
      box.Left = std::min(box.Left, x);
      box.Top = std::min(box.Top, y);
      box.Right = std::max(box.Right, x);
      box.Bottom = std::max(box.Bottom, y);
    }
  return box;
}

class RepBarcodePrint : public RepBarcodeTest {
 protected:
  RepBarcodePrint() {
    // The label page's box: 261.9375, 171.979, 222.25 x 219.604 tenths of a millimetre.
    element.SetSizeLeft(261.9375);
    element.SetSizeTop(171.979);
    element.SetSizeWidth(222.25);
    element.SetSizeHeight(219.604);
  }

  QImage Printed() {
    QImage page = platform::ScreenBitmap(kPageWidth, kPageHeight, kPageDpi);
    page.fill(Qt::gray);
    QPainter painter(&page);
    platform::TQtCanvas canvas(painter);
    reports::TRepPage output(canvas, reports::TDeviceMapping{kPageDpi, kPageDpi, 0, 0}, 1);
    element.PrintElement(output, 0, 0);
    return page;
  }
};

// PX(261.9375) = 619, PY(171.979) = 406, PX(261.9375 + 222.25) = 1144, PY(171.979 + 219.604) = 925.
constexpr int kLeft = 619, kTop = 406, kRight = 1144, kBottom = 925;
constexpr int kEan8Width = 523;  // Round(66 x 0.33 x 23.622) + 8 + 1

TEST_F(RepBarcodePrint, LeftJustifiedTheSymbolStartsAtTheBoxCornerWithItsNominalWidth) {
  for (int zoom : {100, 37, 250}) {
    SCOPED_TRACE(zoom);
    report.SetZoom(zoom);
    const TDark dark = DarkBox(Printed());
    EXPECT_EQ(dark.Left, kLeft);
    EXPECT_EQ(dark.Top, kTop);
    EXPECT_EQ(dark.Right + 2 - dark.Left, kEan8Width);  // the drawn size counts one column past the last bar
  }
}

TEST_F(RepBarcodePrint, TheBoxIsFilledWithTheColourEvenWhenTransparent) {
  element.SetTransparent(true);
  element.SetColor(platform::clWhite);
  const QImage page = Printed();
  EXPECT_EQ(page.pixel(kLeft, kBottom - 1), qRgb(255, 255, 255));
  EXPECT_EQ(page.pixel(kRight - 1, kTop), qRgb(255, 255, 255));
  const QRgb gray = QColor(Qt::gray).rgb();
  EXPECT_EQ(page.pixel(kRight, kTop + 1), gray) << "the right edge is outside";
  EXPECT_EQ(page.pixel(kLeft - 1, kTop + 1), gray);
  EXPECT_EQ(page.pixel(kLeft + 1, kBottom), gray) << "the bottom edge is outside";
}

struct AlignCase {
  const char* name;
  reports::TAlignment alignment;
  B::btCodeRotate rotation;
  // Where the drawn size box lands (left, top); its far edge follows from the size.
  int x, y;
};

// Right: the size box's far edge on the element's edge; centre: PX(L + W / 2) - w div 2.
const AlignCase kAlignCases[] = {
    {"right 000", reports::taRightJustify, B::rotate_000, kRight - kEan8Width, kTop},
    {"centre 000", reports::taCenter, B::rotate_000, 881 - kEan8Width / 2, kTop},
    {"right 180", reports::taRightJustify, B::rotate_180, kRight - kEan8Width, kTop},
    {"right 090", reports::taRightJustify, B::rotate_090, kLeft, kBottom - kEan8Width},
    {"centre 270", reports::taCenter, B::rotate_270, kLeft, 666 - kEan8Width / 2},  // PY(281.781) = 665.6
};

TEST_F(RepBarcodePrint, WithoutAutoSizeTheSymbolIsAlignedInsideTheBox) {
  element.SetAutoSize(false);
  element.SetBar_HumanReadable(false);  // so the bars alone make the dark box
  for (const AlignCase& c : kAlignCases) {
    SCOPED_TRACE(c.name);
    element.SetAlignment(c.alignment);
    element.SetBar_Rotation(c.rotation);
    const TDark dark = DarkBox(Printed());
    if (c.rotation == B::rotate_000 || c.rotation == B::rotate_180) {
      EXPECT_EQ(dark.Left, c.x + (c.rotation == B::rotate_180 ? 1 : 0));
      EXPECT_EQ(dark.Right + 2 - dark.Left, kEan8Width);
    } else {
      EXPECT_EQ(dark.Top, c.y + (c.rotation == B::rotate_090 ? 1 : 0));
      EXPECT_EQ(dark.Bottom + 2 - dark.Top, kEan8Width);
    }
  }
}

TEST_F(RepBarcodePrint, AnEmptyCaptionPrintsNothingAtAllUnlessPrintEmpty) {
  element.SetBar_Caption("");
  QImage untouched = platform::ScreenBitmap(kPageWidth, kPageHeight, kPageDpi);
  untouched.fill(Qt::gray);
  EXPECT_EQ(Printed(), untouched) << "not even the background";

  element.SetBar_PrintEmpty(true);
  const QImage page = Printed();
  EXPECT_EQ(page.pixel(kRight - 1, kBottom - 1), qRgb(255, 255, 255));
  EXPECT_EQ(DarkBox(page).Left, kLeft) << "the symbol of the empty text, all zeros";
}

TEST_F(RepBarcodePrint, TheOnPrintHandlerMayChangeOrSuppressTheText) {
  std::vector<std::string> seen;
  element.OnPrint = [&](reports::TRepPrintable&, std::string& text) {
    seen.push_back(text);
    text = "1234567";
  };
  Printed();
  EXPECT_EQ(seen, std::vector<std::string>{"4711"});
  EXPECT_EQ(element.Bar_Caption(), "1234567");

  element.OnPrint = [](reports::TRepPrintable&, std::string& text) { text.clear(); };
  QImage untouched = platform::ScreenBitmap(kPageWidth, kPageHeight, kPageDpi);
  untouched.fill(Qt::gray);
  EXPECT_EQ(Printed(), untouched);
}

TEST_F(RepBarcodePrint, WhileDesigningTheOnPrintHandlerIsNotCalled) {
  int calls = 0;
  element.OnPrint = [&](reports::TRepPrintable&, std::string&) { ++calls; };
  report.SetDesigning(true);
  Printed();
  EXPECT_EQ(calls, 0);
}

TEST_F(RepBarcodePrint, AFailingEncodeReachesTheCaller) {
  element.SetBar_CodeType(B::btCodeTypes(99));
  try {
    Printed();
    ADD_FAILURE() << "no error";
  } catch (const EOverflow& error) {
    EXPECT_STREQ(error.what(), "Barcode: Unknown Type of Barcode");
  }
}

// Bound to an open table, the element shows and prints the field of the current row;
// the caption keeps the last printed value.
TEST_F(RepBarcodePrint, BoundToAFieldTheTextIsTheFieldsDisplayText) {
  testsupport::TTempDir dir;
  tables::test::MakeBarmas(dir.Path(), {{"40063813", "Item", "1"}, {"96385074", "Other", "2"}});
  auto table = tables::test::OpenTable(dir.Path());
  element.SetDataSet(table.get());
  element.SetDataField("fbarcode");  // field names ignore case
  table->First();
  EXPECT_EQ(element.CurrentText(), "40063813");
  Printed();
  EXPECT_EQ(element.Bar_Caption(), "40063813");
  table->Next();
  Printed();
  EXPECT_EQ(element.Bar_Caption(), "96385074");
  table->Close();
  EXPECT_EQ(element.CurrentText(), "96385074") << "a closed data set: the caption";
}

}  // namespace
