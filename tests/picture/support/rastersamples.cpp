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

namespace {

void Append(std::vector<uint8_t>& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> IndexedBitmapFile(int width, int height, const std::vector<QRgb>& palette,
                                       const std::vector<uint8_t>& indexes) {
  const uint32_t stride = (width + 3) / 4 * 4;
  const uint32_t pixelsAt = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
  std::vector<uint8_t> bytes{'B', 'M'};
  Append(bytes, pixelsAt + stride * height, 4);  // file size
  Append(bytes, 0, 4);                           // reserved
  Append(bytes, pixelsAt, 4);
  Append(bytes, 40, 4);  // BITMAPINFOHEADER size
  Append(bytes, width, 4);
  Append(bytes, height, 4);
  Append(bytes, 1, 2);  // planes
  Append(bytes, 8, 2);  // bits per pixel
  Append(bytes, 0, 4);  // BI_RGB
  Append(bytes, stride * height, 4);
  Append(bytes, 2835, 4);
  Append(bytes, 2835, 4);
  Append(bytes, static_cast<uint32_t>(palette.size()), 4);  // colours used
  Append(bytes, 0, 4);
  for (QRgb colour : palette) Append(bytes, colour & 0xffffffu, 4);  // blue, green, red, 0
  for (int y = 0; y < height; ++y) {
    bytes.insert(bytes.end(), indexes.begin() + y * width, indexes.begin() + (y + 1) * width);
    bytes.resize(bytes.size() + stride - width, 0);
  }
  return bytes;
}

void PutLE32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace picture::testing
