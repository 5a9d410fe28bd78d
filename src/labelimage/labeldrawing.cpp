#include "labelimage/labeldrawing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdio>

#include "barcode/llbarcode.h"
#include "base/ansi.h"

namespace labelimage {
namespace {

// The bars that reach down beside the digits: the start, centre and end guards
// (ISO/IEC 15420, the EAN-13 symbol's 95 modules).
bool IsGuardModule(int module) { return module < 3 || (module >= 45 && module < 50) || module >= 92; }

QFont MonospaceFont(int height) {
  QFont font("Liberation Mono");
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(std::max(height, 1));
  // A thermal head prints dots or none: no grey edges.
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

// Text whose top left is at (x, y), each character cell width wide when width is set.
void DrawText(QPainter& painter, int x, int y, int height, int width, const std::string& ansi) {
  QFont font = MonospaceFont(height);
  if (width > 0) {
    const int natural = std::max(QFontMetrics(font).horizontalAdvance('M'), 1);
    font.setStretch(std::clamp(100 * width / natural, 1, 4000));
  }
  painter.setFont(font);
  painter.drawText(QPoint(x, y + QFontMetrics(font).ascent()), QString::fromStdU16String(platform::AnsiToUtf16(ansi)));
}

void DrawEan13(QPainter& painter, const TBarcodeField& field) {
  barcode::TLLBarcode engine;
  engine.Params.CodeType = barcode::EAN_13;
  std::snprintf(engine.Params.Caption, sizeof engine.Params.Caption, "%s", field.Data.c_str());
  engine.Encode();
  const int module = field.ModuleWidth;
  const int digitHeight = kDigitModules * module;
  const int guardExtension = field.HumanReadable ? digitHeight / 2 : 0;
  for (int j = 0; j < engine.ModuleCount; ++j) {
    if (engine.Modules[j] == 0) continue;
    const int height = field.Height + (IsGuardModule(j) ? guardExtension : 0);
    painter.fillRect(field.X + j * module, field.Y, module, height, Qt::black);
  }
  if (!field.HumanReadable) return;
  // The leading digit stands in the quiet zone left of the start guard, the others
  // under the two halves, seven modules each.
  const std::string digits(engine.EncodedText);
  const int top = field.Y + field.Height + module;
  const int cell = 7 * module;
  auto digit = [&](size_t index, int left) {
    painter.save();
    painter.setFont(MonospaceFont(digitHeight));
    painter.drawText(QRect(left, top, cell, digitHeight), Qt::AlignHCenter | Qt::AlignTop,
                     QString(QChar(digits[index])));
    painter.restore();
  };
  if (digits.size() < 13) return;
  digit(0, field.X - cell - module);
  for (size_t i = 0; i < 6; ++i) digit(1 + i, field.X + (3 + 7 * static_cast<int>(i)) * module);
  for (size_t i = 0; i < 6; ++i) digit(7 + i, field.X + (50 + 7 * static_cast<int>(i)) * module);
}

}  // namespace

QImage DrawLabel(const TLabel& label) {
  const int width = std::max(label.Width, 1);
  const int length = std::max(label.Length, 1);
  QImage image(width, length + std::max(label.Gap, 0), QImage::Format_RGB32);
  image.fill(kGapColour);
  const int dotsPerMetre = static_cast<int>(label.Dpi / 0.0254 + 0.5);
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  QPainter painter(&image);
  painter.fillRect(0, 0, width, length, Qt::white);
  // What lies beyond the label's edge is not printed.
  painter.setClipRect(0, 0, width, length);
  painter.setPen(Qt::black);
  for (const TTextField& text : label.Texts) DrawText(painter, text.X, text.Y, text.Height, text.Width, text.Text);
  for (const TBarcodeField& symbol : label.Barcodes) DrawEan13(painter, symbol);
  return image;
}

void SaveLabelPng(const QImage& image, const std::string& fileName) {
  if (!image.save(QString::fromStdString(fileName), "PNG")) throw ELabelPreview("Cannot write " + fileName);
}

}  // namespace labelimage
