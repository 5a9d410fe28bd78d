// The canvas over a QPainter: widgets, QImage bitmaps, QPrinter pages and SVG documents.
// The resolution is the paint device's. Fills are exact pixels (no anti-aliasing), so bars
// keep their geometry; GDI cell heights are converted to Qt pixel sizes so that "Ay"
// measures the requested height.
#pragma once

#include <QPainter>
#include <cstdint>

#include "graphics/canvas.h"

namespace platform {

// How texts reach the painter: as shaped glyph runs (fast, and what pixels and printers
// need), or as characters, which vector formats keep as text another program can edit.
enum class TTextOutput : uint8_t { Glyphs, Characters };

class TQtCanvas : public TCanvas {
 public:
  // The painter must be active; the canvas does not own it.
  explicit TQtCanvas(QPainter& painter);

  int LogPixelsX() const override { return FDpiX; }
  int LogPixelsY() const override { return FDpiY; }
  // Overrides what the device reports (0 allowed: a surface that knows no resolution).
  void SetResolution(int dpiX, int dpiY);
  void SetTextOutput(TTextOutput output) { FTextOutput = output; }

  TSize DeviceTextExtent(const TLogFont& deviceFont, std::u16string_view text) override;
  QPainter& Painter() { return FPainter; }

 protected:
  void DoFillRect(const TRect& rect, TColor color) override;
  void DoRectangle(const TRect& rect, const TDevicePen& pen, const TDeviceBrush& brush) override;
  void DoEllipse(const TRect& rect, const TDevicePen& pen, const TDeviceBrush& brush) override;
  void DoPolyPolygon(std::span<const TPoint> points, std::span<const int32_t> counts,
                     const TDevicePen& pen, const TDeviceBrush& brush, int fillMode) override;
  void DoPolyline(std::span<const TPoint> points, const TDevicePen& pen) override;
  void DoTextOut(TPoint at, std::u16string_view text, const TTextStyle& style) override;
  void DoStretchDraw(const TRect& rect, const TRgbImage& image) override;

 private:
  bool FillDirectly(const TRect& rect, TColor color);
  void UsePen(const TDevicePen& pen);
  void UseBrush(const TDeviceBrush& brush);
  QPainter& FPainter;
  int FDpiX;
  int FDpiY;
  TTextOutput FTextOutput = TTextOutput::Glyphs;
};

QColor QtColor(TColor color);
QString AnsiToQString(std::string_view ansi);

// Makes ScreenPixelsPerInch() ask the primary screen (call once a QGuiApplication exists).
void InstallQtScreenResolution();

}  // namespace platform
