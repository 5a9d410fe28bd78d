// Recording a barcode page as an Enhanced Metafile and playing it back onto a bitmap,
// against drawing the same page directly.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "graphics/qt/qtcanvas.h"
#include "metafile/metafilecanvas.h"
#include "support/barcodepage.h"
#include "support/qtimages.h"

namespace {

using namespace platform;

void BM_DrawPageDirectly(benchmark::State& state) {
  QImage image = testing::WhiteImage(testing::PageWidth, testing::PageHeight);
  QPainter painter(&image);
  TQtCanvas canvas(painter);
  for (auto _ : state) testing::DrawBarcodePage(canvas);
}
BENCHMARK(BM_DrawPageDirectly);

void BM_RecordPage(benchmark::State& state) {
  QImage reference = testing::WhiteImage(1, 1);
  QPainter painter(&reference);
  TQtCanvas referenceCanvas(painter);
  for (auto _ : state) {
    TMetafileCanvas recorder(referenceCanvas, testing::PageWidth, testing::PageHeight);
    testing::DrawBarcodePage(recorder);
    TMetafile page = recorder.Finish();
    benchmark::DoNotOptimize(page.Bytes().data());
  }
}
BENCHMARK(BM_RecordPage);

void BM_PlayPage(benchmark::State& state) {
  QImage reference = testing::WhiteImage(1, 1);
  QPainter referencePainter(&reference);
  TQtCanvas referenceCanvas(referencePainter);
  TMetafileCanvas recorder(referenceCanvas, testing::PageWidth, testing::PageHeight);
  testing::DrawBarcodePage(recorder);
  TMetafile page = recorder.Finish();
  QImage image = testing::WhiteImage(testing::PageWidth, testing::PageHeight);
  QPainter painter(&image);
  TQtCanvas canvas(painter);
  for (auto _ : state) page.Play(canvas, TRect{0, 0, testing::PageWidth, testing::PageHeight});
}
BENCHMARK(BM_PlayPage);

// Loading checks every record before the page is accepted.
void BM_LoadPage(benchmark::State& state) {
  QImage reference = testing::WhiteImage(1, 1);
  QPainter referencePainter(&reference);
  TQtCanvas referenceCanvas(referencePainter);
  TMetafileCanvas recorder(referenceCanvas, testing::PageWidth, testing::PageHeight);
  testing::DrawBarcodePage(recorder);
  std::vector<uint8_t> bytes = recorder.Finish().Bytes();
  for (auto _ : state) benchmark::DoNotOptimize(TMetafile::FromBytes(bytes).Header().Records);
}
BENCHMARK(BM_LoadPage);

}  // namespace
