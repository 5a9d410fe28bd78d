#include "graphics/qt/qtcanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainterPath>
#include <QPolygon>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "base/ansi.h"
#include "base/screen.h"
#include "graphics/qt/qtfont.h"

namespace platform {

QColor QtColor(TColor color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

QString AnsiToQString(std::string_view ansi) {
  std::u16string text = AnsiToUtf16(ansi);
  return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

void InstallQtScreenResolution() {
  SetScreenPixelsPerInchProvider([] {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(std::lround(screen->logicalDotsPerInchY())) : DefaultScreenPixelsPerInch;
  });
}

namespace {

Qt::PenStyle QtPenStyle(TPenStyle style) {
  switch (style) {
    case psSolid: return Qt::SolidLine;
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
  }
  return Qt::SolidLine;
}

// The horizontal offset of the text start from the reference point.
int AlignedX(uint32_t align, int advance) {
  switch (align & TA_HORIZONTAL_MASK) {
    case TA_CENTER: return -(advance / 2);
    case TA_RIGHT: return -advance;
    default: return 0;
  }
}

// The baseline below the reference point.
int AlignedBaseline(uint32_t align, const TQtFont& font) {
  switch (align & TA_VERTICAL_MASK) {
    case TA_BASELINE: return 0;
    case TA_BOTTOM: return -font.Descent;
    default: return font.Ascent;
  }
}

// A GDI rectangle covers [Left, Right - 1]; Qt strokes a QRect one pixel wider than its size.
QRect OutlineRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1); }

}  // namespace

TQtCanvas::TQtCanvas(QPainter& painter)
    : FPainter(painter),
      FDpiX(painter.device() ? painter.device()->logicalDpiX() : 0),
      FDpiY(painter.device() ? painter.device()->logicalDpiY() : 0) {
  // Bars must be whole pixels; text keeps its own anti-aliasing.
  FPainter.setRenderHint(QPainter::Antialiasing, false);
}

void TQtCanvas::SetResolution(int dpiX, int dpiY) {
  FDpiX = dpiX;
  FDpiY = dpiY;
}

TSize TQtCanvas::DeviceTextExtent(const TLogFont& deviceFont, std::u16string_view text) {
  const TQtFont& font = QtFontFor(deviceFont);
  int cell = font.Ascent + font.Descent;
  return TSize{QtTextFor(font, text).Advance, cell};
}

void TQtCanvas::UsePen(const TDevicePen& pen) {
  if (pen.Style == psClear) {
    FPainter.setPen(Qt::NoPen);
    return;
  }
  QPen qpen(QtColor(pen.Color), pen.Width, QtPenStyle(pen.Style), Qt::RoundCap, Qt::RoundJoin);
  if (pen.Width <= 1) qpen.setCapStyle(Qt::FlatCap);
  FPainter.setPen(qpen);
}

void TQtCanvas::UseBrush(const TDeviceBrush& brush) {
  if (brush.Style == bsClear)
    FPainter.setBrush(Qt::NoBrush);
  else
    FPainter.setBrush(QtColor(brush.Color));
}

// Bars are tall, narrow fills; on a plain 32-bit bitmap without clipping or effects they
// are written straight into its pixels, three times faster than QPainter's spans. Wide
// fills are left to QPainter, which is quicker there.
bool TQtCanvas::FillDirectly(const TRect& r, TColor color) {
  constexpr int32_t NarrowFill = 32;
  if (r.Width() > NarrowFill) return false;
  QPaintDevice* device = FPainter.device();
  if (!device || device->devType() != QInternal::Image) return false;
  QImage* image = static_cast<QImage*>(device);
  QImage::Format format = image->format();
  if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
      format != QImage::Format_ARGB32_Premultiplied)
    return false;
  if (!image->isDetached() || image->devicePixelRatio() != 1.0 || FPainter.hasClipping() ||
      FPainter.opacity() != 1.0 || FPainter.compositionMode() != QPainter::CompositionMode_SourceOver)
    return false;
  const QTransform& t = FPainter.deviceTransform();
  if (t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()))
    return false;
  int64_t left = std::max<int64_t>(0, int64_t(r.Left) + int64_t(t.dx()));
  int64_t top = std::max<int64_t>(0, int64_t(r.Top) + int64_t(t.dy()));
  int64_t right = std::min<int64_t>(image->width(), int64_t(r.Right) + int64_t(t.dx()));
  int64_t bottom = std::min<int64_t>(image->height(), int64_t(r.Bottom) + int64_t(t.dy()));
  uint32_t pixel = QtColor(color).rgba();
  uchar* bits = image->bits();
  qsizetype stride = image->bytesPerLine();
  for (int64_t y = top; y < bottom; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(bits + y * stride);
    std::fill(row + left, row + std::max(left, right), pixel);
  }
  return true;
}

void TQtCanvas::DoFillRect(const TRect& r, TColor color) {
  if (FillDirectly(r, color)) return;
  FPainter.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), QtColor(color));
}

void TQtCanvas::DoRectangle(const TRect& rect, const TDevicePen& pen, const TDeviceBrush& brush) {
  UsePen(pen);
  UseBrush(brush);
  FPainter.drawRect(OutlineRect(rect));
}

void TQtCanvas::DoEllipse(const TRect& rect, const TDevicePen& pen, const TDeviceBrush& brush) {
  UsePen(pen);
  UseBrush(brush);
  FPainter.drawEllipse(OutlineRect(rect));
}

void TQtCanvas::DoPolyPolygon(std::span<const TPoint> points, std::span<const int32_t> counts,
                              const TDevicePen& pen, const TDeviceBrush& brush, int fillMode) {
  UsePen(pen);
  UseBrush(brush);
  QPainterPath path;
  path.setFillRule(fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
  size_t at = 0;
  for (int32_t n : counts) {
    QPolygon polygon(n);
    for (int32_t i = 0; i < n; ++i, ++at) polygon.setPoint(i, points[at].X, points[at].Y);
    path.addPolygon(polygon);
    path.closeSubpath();
  }
  FPainter.drawPath(path);
}

void TQtCanvas::DoPolyline(std::span<const TPoint> points, const TDevicePen& pen) {
  UsePen(pen);
  QPolygon polyline(int(points.size()));
  for (size_t i = 0; i < points.size(); ++i) polyline.setPoint(int(i), points[i].X, points[i].Y);
  FPainter.drawPolyline(polyline);
}

void TQtCanvas::DoTextOut(TPoint at, std::u16string_view text, const TTextStyle& style) {
  const TQtFont& font = QtFontFor(style.Font);
  const TQtText& laidOut = QtTextFor(font, text);
  int advance = laidOut.Advance;
  int x = AlignedX(style.Align, advance);
  int baseline = AlignedBaseline(style.Align, font);
  QTransform previous = FPainter.transform();
  QTransform local = previous;
  local.translate(at.X, at.Y);
  // Escapement turns counter-clockwise as seen on the surface; y grows downwards here.
  if (style.Font.lfEscapement % 3600 != 0) local.rotate(-style.Font.lfEscapement / 10.0);
  FPainter.setTransform(local);
  if (style.BkMode == OPAQUE)
    FPainter.fillRect(QRect(x, baseline - font.Ascent, advance, font.Ascent + font.Descent),
                      QtColor(style.BkColor));
  FPainter.setPen(QtColor(style.Color));
  if (FTextOutput == TTextOutput::Characters) {
    FPainter.setFont(font.Font);
    FPainter.drawText(QPointF(x, baseline), QString::fromUtf16(text.data(), qsizetype(text.size())));
  } else {
    for (const QGlyphRun& run : laidOut.Runs) FPainter.drawGlyphRun(QPointF(x, baseline - laidOut.RunAscent), run);
  }
  FPainter.setTransform(previous);
}

void TQtCanvas::DoStretchDraw(const TRect& rect, const TRgbImage& image) {
  QImage source(reinterpret_cast<const uchar*>(image.Pixels.data()), image.Width, image.Height,
                image.Width * 4, QImage::Format_ARGB32);
  FPainter.drawImage(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), source);
}

}  // namespace platform
