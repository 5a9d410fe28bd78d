// Shared by the control tests: draw a barcode into a white image at a resolution,
// and read an image back with an independent decoder.
#pragma once

#include <QImage>
#include <QPainter>
#include <ZXing/ReadBarcode.h>

#include <string>

#include "barcode/llbarcode.h"
#include "graphics/qt/bitmapexport.h"
#include "graphics/qt/qtcanvas.h"

namespace barcode {

// The symbol drawn at (margin, margin) on white, measured first as the export does.
inline QImage Rendered(TLLBarcode& barcode, int dpi, int margin = 40) {
  platform::TSize size;
  {
    QImage probe = platform::ScreenBitmap(1, 1, dpi);
    QPainter painter(&probe);
    platform::TQtCanvas canvas(painter);
    size = barcode.DrawBarcode(canvas, margin, margin);
  }
  QImage image = platform::ScreenBitmap(size.cx + 2 * margin, size.cy + 2 * margin, dpi);
  QPainter painter(&image);
  platform::TQtCanvas canvas(painter);
  barcode.DrawBarcode(canvas, margin, margin);
  return image;
}

// The decoded text, or "(not read)". Turned symbols are read with rotation tried.
inline std::string Decoded(const QImage& image, ZXing::BarcodeFormat format, bool addon = false) {
  QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setTryRotate(true);
  hints.setTryHarder(true);
  hints.setEanAddOnSymbol(addon ? ZXing::EanAddOnSymbol::Require : ZXing::EanAddOnSymbol::Ignore);
  ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                        static_cast<int>(gray.bytesPerLine()));
  ZXing::Result result = ZXing::ReadBarcode(view, hints);
  return result.isValid() ? result.text() : "(not read)";
}

}  // namespace barcode
