// Test helpers for drawing on QImage bitmaps and looking at the pixels.
#pragma once

#include <QImage>
#include <functional>

namespace platform::testing {

inline QImage WhiteImage(int width, int height, int dpi = 96) {
  QImage image(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
  image.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
  image.fill(Qt::white);
  return image;
}

inline bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// The smallest rectangle holding every dark pixel; empty (null) when there is none.
inline QRect InkBounds(const QImage& image, QRect area = QRect()) {
  if (area.isNull()) area = image.rect();
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (Dark(image, x, y)) ink |= QRect(x, y, 1, 1);
  return ink;
}

inline int CountDifferentPixels(const QImage& a, const QImage& b) {
  int differences = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) ++differences;
  return differences;
}

}  // namespace platform::testing
