// A page like a barcode page: bar runs of 1 to 4 pixels and texts in the four rotations,
// drawn the way the barcode drawing uses the canvas. Shared by the metafile tests and
// the benchmark.
#pragma once

#include <string_view>
#include <vector>

#include "graphics/canvas.h"

namespace platform::testing {

constexpr int32_t PageWidth = 420;
constexpr int32_t PageHeight = 320;

// Left edges and widths of the bars: widths and gaps of 1 to 4 pixels.
inline std::vector<TRect> PageBars() {
  std::vector<TRect> bars;
  int32_t x = 20;
  for (int i = 0; i < 60; ++i) {
    int32_t width = 1 + (i * 7 + i / 3) % 4;
    int32_t gap = 1 + (i * 5 + 2) % 4;
    bars.push_back(TRect{x, 20, x + width, i % 5 == 0 ? 140 : 128});
    x += width + gap;
  }
  return bars;
}

inline void WriteRotated(TCanvas& canvas, int32_t x, int32_t y, int32_t escapement, int32_t height,
                         std::string_view text) {
  TLogFont lf{};
  SetFaceName(lf, "Arial");
  lf.lfHeight = height;
  lf.lfEscapement = escapement;
  HFONT font = canvas.CreateFontIndirect(lf);
  HGDIOBJ previous = canvas.SelectObject(font);
  canvas.SetTextAlign(TA_CENTER | TA_TOP);
  canvas.TextOut(x, y, text);
  canvas.SelectObject(previous);
  canvas.DeleteObject(font);
}

inline void DrawBarcodePage(TCanvas& canvas) {
  canvas.Brush.SetColor(clWhite);
  canvas.FillRect(TRect{0, 0, PageWidth, PageHeight});
  canvas.Brush.SetColor(clBlack);
  for (const TRect& bar : PageBars()) canvas.FillRect(bar);
  canvas.Brush.SetColor(clWhite);
  canvas.Brush.SetStyle(bsClear);
  canvas.SetBkColor(clWhite);
  canvas.SetBkMode(TRANSPARENT);
  canvas.Font.SetName("Arial");
  canvas.Font.SetHeight(16);
  WriteRotated(canvas, 130, 142, 0, 16, "4006381333931");
  WriteRotated(canvas, 330, 160, 900, 18, "Quorvantix 90");
  WriteRotated(canvas, 200, 240, 1800, 20, "Upside down");
  WriteRotated(canvas, 380, 160, 2700, 14, "Clockwise 270");
}

}  // namespace platform::testing
