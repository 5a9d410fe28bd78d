#include "picture/widget/imagedrawer.h"

namespace picture {
namespace {

// A bitmap's transparent colour is the colour of its bottom-left pixel.
QImage WithTransparentColour(const QImage& image) {
  QImage result = image.convertToFormat(QImage::Format_ARGB32);
  QRgb key = result.pixel(0, result.height() - 1) | 0xff000000u;
  for (int y = 0; y < result.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x)
      if ((row[x] | 0xff000000u) == key) row[x] = 0;
  }
  return result;
}

}  // namespace

void TImageDrawer::Draw(QPainter& painter, const QRect& dest, const QImage& image, bool transparent) {
  if (image.isNull() || dest.isEmpty()) return;
  if (!transparent || image.hasAlphaChannel()) {
    painter.drawImage(dest, image);
    return;
  }
  if (FTransparent.isNull()) FTransparent = WithTransparentColour(image);
  painter.drawImage(dest, FTransparent);
}

}  // namespace picture
