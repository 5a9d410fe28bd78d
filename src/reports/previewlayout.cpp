#include "reports/previewlayout.h"

#include <algorithm>

#include "base/intmath.h"
#include "reports/position.h"

namespace reports {
namespace {

int ScaledPixels(double tenths, double zoom, int dpi) {
  return platform::Round(tenths * zoom / 100 * dpi / TenthsMMPerInch);
}

// Centred when smaller than the control, else at its start.
int Centred(int control, int image) { return image < control ? (control - image) / 2 : 0; }

int ZoomFor(int controlExtent, int pageExtent, int percent) {
  if (pageExtent <= 0) return 0;
  return platform::Round(double(controlExtent) / pageExtent * percent);
}

}  // namespace

bool ZoomAllowed(int zoom) { return zoom >= MinPreviewZoom && zoom <= MaxPreviewZoom; }

TPixelSize PagePixels(const TPaperTenths& paper, int dpi) {
  return {ScaledPixels(paper.Width, 100, dpi), ScaledPixels(paper.Length, 100, dpi)};
}

int FitZoom(const TPixelSize& control, const TPaperTenths& paper, int dpi) {
  const TPixelSize page = PagePixels(paper, dpi);
  if (page.Width <= 0 || page.Height <= 0) return 0;
  return std::min(ZoomFor(control.Width, page.Width, FitZoomPercent),
                  ZoomFor(control.Height, page.Height, FitZoomPercent));
}

int WidthZoom(const TPixelSize& control, const TPaperTenths& paper, int dpi) {
  return ZoomFor(control.Width, PagePixels(paper, dpi).Width, WidthZoomPercent);
}

TImagePlace LayoutPageImage(const TPixelSize& control, const TPaperTenths& paper, int zoom, int dpi) {
  TImagePlace place;
  place.Width = ScaledPixels(paper.Width, zoom, dpi) + PageImageBorder;
  place.Height = ScaledPixels(paper.Length, zoom, dpi) + PageImageBorder;
  place.Left = Centred(control.Width, place.Width);
  place.Top = Centred(control.Height, place.Height);
  return place;
}

}  // namespace reports
