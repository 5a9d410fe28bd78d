#include "graphics/qt/svgexport.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <stdexcept>

#include "graphics/qt/qtcanvas.h"

namespace platform {
namespace {

// Draws on a document of width x height units into bytes (measuring passes no bytes).
void DrawSvg(QByteArray* bytes, int width, int height, int dpi, const std::function<void(TCanvas&)>& draw) {
  QBuffer buffer(bytes);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setResolution(dpi);
  generator.setSize(QSize(width, height));
  generator.setViewBox(QRect(0, 0, width, height));
  QPainter painter;
  if (!painter.begin(&generator)) throw std::runtime_error("Cannot write the SVG document");
  TQtCanvas canvas(painter);
  canvas.SetTextOutput(TTextOutput::Characters);
  draw(canvas);
  painter.end();
}

}  // namespace

QByteArray SvgOf(const TSizedDrawing& draw, int margin, int dpi) {
  TSize size;
  QByteArray measured;
  DrawSvg(&measured, 1, 1, dpi, [&](TCanvas& canvas) { size = draw(canvas, margin, margin); });
  const int width = 2 * margin + size.cx;
  const int height = 2 * margin + size.cy;
  QByteArray document;
  DrawSvg(&document, width, height, dpi, [&](TCanvas& canvas) {
    canvas.Brush.SetColor(clWhite);
    canvas.FillRect(TRect{0, 0, width, height});
    draw(canvas, margin, margin);
  });
  return document;
}

}  // namespace platform
