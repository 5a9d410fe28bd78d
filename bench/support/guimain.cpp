// The entry of every benchmark that draws with Qt or opens windows: one application object for the run,
// on the offscreen platform unless another is asked for (QT_QPA_PLATFORM), so the
// benchmarks need no display.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "graphics/qt/qtcanvas.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  platform::InstallQtScreenResolution();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
