// A page of real barcodes recorded as an Enhanced Metafile and played back at the
// same resolution gives the same pixels as drawing directly.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstring>

#include "barcode/llbarcode.h"
#include "graphics/qt/bitmapexport.h"
#include "graphics/qt/qtcanvas.h"
#include "metafile/metafile.h"
#include "metafile/metafilecanvas.h"

namespace barcode {
namespace {

constexpr int kPageWidth = 900;
constexpr int kPageHeight = 700;

// Four symbologies, each in another rotation, with texts.
void DrawPage(platform::TCanvas& canvas) {
  struct Item {
    btCodeTypes type;
    const char* caption;
    const char* addon;
    btCodeRotate rotation;
    int x, y;
  };
  const Item items[] = {{EAN_13, "400638133393", "52495", rotate_000, 20, 20},
                        {CODE128_B, "Quorvantix Systems", "", rotate_090, 400, 20},
                        {CODE39, "ABC-1", "", rotate_180, 20, 300},
                        {UPC_A, "03600029145", "", rotate_270, 600, 300},
                        {Postnet, "12345", "", rotate_000, 20, 600}};
  for (const Item& item : items) {
    TLLBarcode barcode;
    barcode.Params.CodeType = item.type;
    std::strcpy(barcode.Params.Caption, item.caption);
    std::strcpy(barcode.Params.CodeAddon, item.addon);
    barcode.Params.Rotation = item.rotation;
    barcode.Params.ModuleWidth = SC4;
    barcode.DrawBarcode(canvas, item.x, item.y);
  }
}

QImage Direct(int dpi) {
  QImage image = platform::ScreenBitmap(kPageWidth, kPageHeight, dpi);
  QPainter painter(&image);
  platform::TQtCanvas canvas(painter);
  DrawPage(canvas);
  return image;
}

QImage RecordedAndPlayed(int dpi) {
  QImage image = platform::ScreenBitmap(kPageWidth, kPageHeight, dpi);
  QPainter painter(&image);
  platform::TQtCanvas canvas(painter);
  platform::TMetafileCanvas recorder(canvas, kPageWidth, kPageHeight);
  DrawPage(recorder);
  platform::TMetafile page = recorder.Finish();
  page.Play(canvas, platform::TRect{0, 0, kPageWidth, kPageHeight});
  return image;
}

TEST(BarcodeMetafilePage, PlaysBackPixelForPixel) {
  for (int dpi : {96, 300}) {
    SCOPED_TRACE(dpi);
    QImage direct = Direct(dpi);
    QImage played = RecordedAndPlayed(dpi);
    ASSERT_EQ(direct.size(), played.size());
    int differing = 0, dark = 0;
    for (int y = 0; y < direct.height(); ++y)
      for (int x = 0; x < direct.width(); ++x) {
        differing += direct.pixel(x, y) != played.pixel(x, y);
        dark += qGray(direct.pixel(x, y)) < 128;
      }
    EXPECT_GT(dark, 5000);  // the page is not blank
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace
}  // namespace barcode
