#include "picture/widget/rastergraphic.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "picture/pictureerrors.h"
#include "picture/picturefile.h"

namespace picture {
namespace {

// A bitmap's pixels may use indexes past its own palette, which Qt would look up beyond
// the colour table; such pixels are black. The picture is then kept in 32 bits, the
// form the painter draws fastest.
QImage WithSafePixels(QImage image) {
  if (image.colorCount() > 0) {
    QList<QRgb> table = image.colorTable();
    table.resize(qsizetype{1} << image.depth(), qRgb(0, 0, 0));
    image.setColorTable(table);
  }
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
}

}  // namespace

void TRasterGraphic::LoadFromFile(const std::string& fileName) { LoadFromBytes(ReadPictureFile(fileName)); }

void TRasterGraphic::LoadFromBytes(std::span<const uint8_t> bytes) {
  if (FCheck) FCheck(bytes);
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, FFormat);
  reader.setDecideFormatFromContent(false);
  // Refuse a huge picture before its pixels are allocated, where the reader knows the size.
  QSize size = reader.size();
  if (size.isValid()) CheckPictureSize(FKind, size.width(), size.height());
  QImage image = reader.read();
  if (image.isNull()) throw InvalidImage(FKind);
  CheckPictureSize(FKind, image.width(), image.height());
  FImage = WithSafePixels(std::move(image));
  FDrawer.Reset();
  Changed();
}

void TRasterGraphic::Draw(QPainter& painter, const QRect& dest, bool transparent) {
  FDrawer.Draw(painter, dest, FImage, transparent);
}

}  // namespace picture
