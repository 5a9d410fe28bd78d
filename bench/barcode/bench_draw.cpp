// Drawing a barcode into a bitmap, and a barcode page recorded and played as an
// Enhanced Metafile.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstring>

#include "barcode/llbarcode.h"
#include "graphics/qt/bitmapexport.h"
#include "graphics/qt/qtcanvas.h"
#include "metafile/metafile.h"
#include "metafile/metafilecanvas.h"

namespace {

barcode::TLLBarcode Barcode(barcode::btCodeTypes type, const char* caption) {
  barcode::TLLBarcode b;
  b.Params.CodeType = type;
  std::strcpy(b.Params.Caption, caption);
  return b;
}

void DrawInto(benchmark::State& state, barcode::TLLBarcode b, int dpi, int width, int height) {
  QImage image = platform::ScreenBitmap(width, height, dpi);
  QPainter painter(&image);
  platform::TQtCanvas canvas(painter);
  for (auto _ : state) {
    platform::TSize size = b.DrawBarcode(canvas, 10, 10);
    benchmark::DoNotOptimize(size);
  }
}

void BM_DrawEan13WithText96Dpi(benchmark::State& state) {
  barcode::TLLBarcode b = Barcode(barcode::EAN_13, "400638133393");
  b.Params.HeightPercent = 70;
  DrawInto(state, b, 96, 200, 100);
}
BENCHMARK(BM_DrawEan13WithText96Dpi);

void BM_DrawEan13WithoutText96Dpi(benchmark::State& state) {
  barcode::TLLBarcode b = Barcode(barcode::EAN_13, "400638133393");
  b.Params.HeightPercent = 70;
  b.Params.HumanReadable = false;
  DrawInto(state, b, 96, 200, 100);
}
BENCHMARK(BM_DrawEan13WithoutText96Dpi);

void BM_DrawCode128At600Dpi(benchmark::State& state) {
  DrawInto(state, Barcode(barcode::CODE128_B, "Quorvantix Systems"), 600, 2000, 800);
}
BENCHMARK(BM_DrawCode128At600Dpi);

void BM_RecordAndPlayBarcodePage(benchmark::State& state) {
  QImage image = platform::ScreenBitmap(400, 200, 96);
  QPainter painter(&image);
  platform::TQtCanvas canvas(painter);
  barcode::TLLBarcode ean = Barcode(barcode::EAN_13, "400638133393");
  barcode::TLLBarcode code128 = Barcode(barcode::CODE128_B, "Quorvantix Systems");
  for (auto _ : state) {
    platform::TMetafileCanvas recorder(canvas, 400, 200);
    ean.DrawBarcode(recorder, 10, 10);
    code128.DrawBarcode(recorder, 150, 10);
    platform::TMetafile page = recorder.Finish();
    page.Play(canvas, platform::TRect{0, 0, 400, 200});
  }
}
BENCHMARK(BM_RecordAndPlayBarcodePage);

}  // namespace
