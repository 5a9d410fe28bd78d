// A canvas that draws nothing and keeps a list of the device primitives it was given:
// for tests that check geometry, and as a sink for metafile checks. Text is measured
// with a simple fixed rule (see DeviceTextExtent), so results are the same everywhere.
#pragma once

#include <string>
#include <vector>

#include "graphics/canvas.h"

namespace platform {

struct TTraceOp {
  enum TKind { FillRect, Rectangle, Ellipse, PolyPolygon, Polyline, TextOut, StretchDraw };
  TKind Kind = FillRect;
  TRect Rect;                   // FillRect, Rectangle, Ellipse, StretchDraw
  std::vector<TPoint> Points;   // PolyPolygon, Polyline; TextOut: the one reference point
  std::vector<int32_t> Counts;  // PolyPolygon
  TColor Color = clBlack;       // FillRect
  TDevicePen Pen;
  TDeviceBrush Brush;
  int FillMode = ALTERNATE;
  std::u16string Text;
  TTextStyle Style;             // TextOut
  TSize ImageSize;              // StretchDraw
};

class TTraceCanvas : public TCanvas {
 public:
  explicit TTraceCanvas(int dpiX = 96, int dpiY = 96) : FDpiX(dpiX), FDpiY(dpiY) {}

  int LogPixelsX() const override { return FDpiX; }
  int LogPixelsY() const override { return FDpiY; }
  // Height: the cell height (|lfHeight|, 16 when 0); width: 6/10 of it per character.
  TSize DeviceTextExtent(const TLogFont& deviceFont, std::u16string_view text) override;

  const std::vector<TTraceOp>& Ops() const { return FOps; }
  void Clear() { FOps.clear(); }
  // Stop keeping ops (a sink that only needs the calls to happen).
  void SetKeeping(bool keep) { FKeep = keep; }

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
  void Keep(TTraceOp op);
  int FDpiX;
  int FDpiY;
  bool FKeep = true;
  std::vector<TTraceOp> FOps;
};

}  // namespace platform
