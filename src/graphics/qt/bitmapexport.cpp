#include "graphics/qt/bitmapexport.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <cerrno>
#include <cmath>
#include <stdexcept>

#include "base/ioerror.h"
#include "graphics/qt/qtcanvas.h"

namespace platform {
namespace {

QByteArray ImageFileBytes(const QImage& bitmap, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!bitmap.save(&buffer, format)) throw std::runtime_error("Cannot encode the bitmap");
  return bytes;
}

}  // namespace

TColor FromQtColor(const QColor& color) {
  return RGB(uint8_t(color.red()), uint8_t(color.green()), uint8_t(color.blue()));
}

QImage ScreenBitmap(int width, int height, int dpi) {
  QImage bitmap(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
  bitmap.setDotsPerMeterX(dotsPerMeter);
  bitmap.setDotsPerMeterY(dotsPerMeter);
  bitmap.fill(Qt::white);
  return bitmap;
}

QImage BitmapOf(const TSizedDrawing& draw, int margin, int dpi) {
  TSize size;
  {
    // Measuring on an empty bitmap at the same resolution.
    QImage empty = ScreenBitmap(1, 1, dpi);
    QPainter painter(&empty);
    TQtCanvas canvas(painter);
    size = draw(canvas, margin, margin);
  }
  QImage bitmap = ScreenBitmap(2 * margin + size.cx, 2 * margin + size.cy, dpi);
  QPainter painter(&bitmap);
  TQtCanvas canvas(painter);
  draw(canvas, margin, margin);
  return bitmap;
}

void SaveBitmapFile(const QImage& bitmap, const QString& fileName) {
  WriteExportFile(fileName, ImageFileBytes(bitmap.convertToFormat(QImage::Format_RGB888), "BMP"));
}

void SavePngFile(const QImage& bitmap, const QString& fileName) {
  WriteExportFile(fileName, ImageFileBytes(bitmap, "PNG"));
}

void WriteExportFile(const QString& fileName, const QByteArray& bytes) {
  QByteArray path = QFile::encodeName(fileName);
  int handle = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (handle < 0) throw EInOutError(errno);
  try {
    WriteAll(handle, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  } catch (...) {
    ::close(handle);
    throw;
  }
  if (::close(handle) != 0) throw EInOutError(errno);
}

void CopyBitmapToClipboard(const QImage& bitmap) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) throw std::runtime_error("Cannot open clipboard");
  clipboard->setImage(bitmap, QClipboard::Clipboard);
}

}  // namespace platform
