#include "rastersamples.h"

#include <QBuffer>
#include <QPainter>
#include <stdexcept>

namespace picture::testing {

QImage QuadrantImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  int w2 = width / 2, h2 = height / 2;
  painter.fillRect(0, 0, w2, h2, Qt::red);
  painter.fillRect(w2, 0, width - w2, h2, Qt::green);
  painter.fillRect(0, h2, w2, height - h2, Qt::blue);
  painter.fillRect(w2, h2, width - w2, height - h2, Qt::yellow);
  painter.setPen(Qt::white);
  painter.drawRect(0, 0, width - 1, height - 1);
  painter.fillRect(width / 4, height / 4, 2, 2, Qt::black);
  return image;
}

std::vector<uint8_t> ImageFileBytes(const QImage& image, const char* format) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format)) throw std::runtime_error(std::string("cannot write ") + format);
  return std::vector<uint8_t>(data.begin(), data.end());
}

void PutLE32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace picture::testing
