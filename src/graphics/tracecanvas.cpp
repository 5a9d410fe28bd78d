#include "graphics/tracecanvas.h"

#include <cstdlib>
#include <utility>

namespace platform {

TSize TTraceCanvas::DeviceTextExtent(const TLogFont& deviceFont, std::u16string_view text) {
  int32_t height = deviceFont.lfHeight == 0 ? 16 : std::abs(deviceFont.lfHeight);
  return TSize{int32_t(text.size()) * height * 6 / 10, height};
}

void TTraceCanvas::Keep(TTraceOp op) {
  if (FKeep) FOps.push_back(std::move(op));
}

void TTraceCanvas::DoFillRect(const TRect& rect, TColor color) {
  TTraceOp op;
  op.Kind = TTraceOp::FillRect;
  op.Rect = rect;
  op.Color = color;
  Keep(std::move(op));
}

void TTraceCanvas::DoRectangle(const TRect& rect, const TDevicePen& pen, const TDeviceBrush& brush) {
  TTraceOp op;
  op.Kind = TTraceOp::Rectangle;
  op.Rect = rect;
  op.Pen = pen;
  op.Brush = brush;
  Keep(std::move(op));
}

void TTraceCanvas::DoEllipse(const TRect& rect, const TDevicePen& pen, const TDeviceBrush& brush) {
  TTraceOp op;
  op.Kind = TTraceOp::Ellipse;
  op.Rect = rect;
  op.Pen = pen;
  op.Brush = brush;
  Keep(std::move(op));
}

void TTraceCanvas::DoPolyPolygon(std::span<const TPoint> points, std::span<const int32_t> counts,
                                 const TDevicePen& pen, const TDeviceBrush& brush, int fillMode) {
  TTraceOp op;
  op.Kind = TTraceOp::PolyPolygon;
  op.Points.assign(points.begin(), points.end());
  op.Counts.assign(counts.begin(), counts.end());
  op.Pen = pen;
  op.Brush = brush;
  op.FillMode = fillMode;
  Keep(std::move(op));
}

void TTraceCanvas::DoPolyline(std::span<const TPoint> points, const TDevicePen& pen) {
  TTraceOp op;
  op.Kind = TTraceOp::Polyline;
  op.Points.assign(points.begin(), points.end());
  op.Pen = pen;
  Keep(std::move(op));
}

void TTraceCanvas::DoTextOut(TPoint at, std::u16string_view text, const TTextStyle& style) {
  TTraceOp op;
  op.Kind = TTraceOp::TextOut;
  op.Points = {at};
  op.Text = std::u16string(text);
  op.Style = style;
  Keep(std::move(op));
}

void TTraceCanvas::DoStretchDraw(const TRect& rect, const TRgbImage& image) {
  TTraceOp op;
  op.Kind = TTraceOp::StretchDraw;
  op.Rect = rect;
  op.ImageSize = TSize{image.Width, image.Height};
  Keep(std::move(op));
}

}  // namespace platform
