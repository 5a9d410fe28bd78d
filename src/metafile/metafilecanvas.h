// A recording canvas that writes an Enhanced Metafile. It has no fonts of its own: like a
// Windows metafile device context it measures text on a reference canvas (the screen's
// or the printer's) and takes that canvas's resolution, or a whole multiple of it.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/canvas.h"
#include "metafile/metafile.h"

namespace platform {

class TEmfRecorder;

class TMetafileCanvas : public TCanvas {
 public:
  // width and height: the picture frame in device pixels of the reference. With
  // unitsPerPixel above 1 the canvas draws at that multiple of the reference's resolution
  // and the picture maps its logical units onto the reference's pixels (an anisotropic
  // mapping), so a page played on a finer device keeps positions finer than a pixel.
  TMetafileCanvas(TCanvas& reference, int32_t width, int32_t height, int32_t unitsPerPixel = 1);
  ~TMetafileCanvas() override;

  int LogPixelsX() const override;
  int LogPixelsY() const override;
  TSize DeviceTextExtent(const TLogFont& deviceFont, std::u16string_view text) override;

  // Ends the recording and returns the picture; nothing may be drawn afterwards.
  TMetafile Finish();

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
  int ReferenceDpi(int reported) const;
  int Resolution(int reported) const;
  // Grows the header's bounds, which count reference pixels, by a drawn rectangle.
  void Include(const TRect& drawn);

  TCanvas& FReference;
  std::unique_ptr<TEmfRecorder> FRecorder;
  int32_t FWidth;
  int32_t FHeight;
  int32_t FUnits;
};

}  // namespace platform
