// Stretched drawing of a bitmap, with the transparent-colour rule, shared by the bitmap
// kinds. The transparent variant is made once per picture, not at every paint.
#pragma once

#include <QImage>
#include <QPainter>

namespace picture {

class TImageDrawer {
 public:
  void Draw(QPainter& painter, const QRect& dest, const QImage& image, bool transparent);
  // Forgets the transparent variant; call when the picture's pixels change.
  void Reset() { FTransparent = QImage(); }

 private:
  QImage FTransparent;
};

}  // namespace picture
