// The arithmetic of the preview: a paper's size in screen pixels, the zoom that fits the
// page or its width into the preview control, and where the page image sits. Widths and
// heights are the control's outer size; rounding is to the nearest, halves to even.
#pragma once

namespace reports {

constexpr int MinPreviewZoom = 2;
constexpr int MaxPreviewZoom = 2000;
constexpr int FitZoomPercent = 95;    // the whole page with a little room around it
constexpr int WidthZoomPercent = 90;  // the page's width with room for the scroll bar
constexpr int PageImageBorder = 4;    // outline and shadow around the picture

enum TZoomMode { zmFixed, zmFit, zmWidth };

struct TPaperTenths {
  double Width = 0;  // 0.1 mm
  double Length = 0;
};

struct TPixelSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TPixelSize&, const TPixelSize&) = default;
};

struct TImagePlace {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TImagePlace&, const TImagePlace&) = default;
};

bool ZoomAllowed(int zoom);
// The paper at 100 % in screen pixels.
TPixelSize PagePixels(const TPaperTenths& paper, int dpi);
// The zoom that shows the whole page; 0 when the paper has no size yet.
int FitZoom(const TPixelSize& control, const TPaperTenths& paper, int dpi);
// The zoom that shows the page's width.
int WidthZoom(const TPixelSize& control, const TPaperTenths& paper, int dpi);
// The page image at zoom: its size, centred where it is smaller than the control.
TImagePlace LayoutPageImage(const TPixelSize& control, const TPaperTenths& paper, int zoom, int dpi);

}  // namespace reports
