// Costs of the report engine: generating the label page into a page store, and a report
// of 1,000 pages (one barcode element per band, a band per page, a data source of 1,000
// rows) into a store that moves to a temporary file. The second also reports how much
// the process's resident memory grew, which must stay small: the pages go to disk.
#include <benchmark/benchmark.h>

#include <QWidget>
#include <fstream>
#include <unistd.h>

#include "normalprint/frmprtbar.h"
#include "normalprint/repbarcode.h"
#include "reports/band.h"
#include "reports/labelreport.h"
#include "reports/storeoutput.h"
#include "support/filledtable.h"
#include "tables/tables.h"

namespace {

constexpr int kPages = 1000;

// Resident set size in bytes (second field of /proc/self/statm, in pages).
double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE));
}

void BM_LabelPageIntoPageStore(benchmark::State& state) {
  QWidget owner;
  Tfrmprtbar page(&owner);
  for (auto _ : state) {
    reports::TRepJob job(reports::qrdPreview);
    reports::TStoreOutput output;
    page.rep.Generate(job, output);
    benchmark::DoNotOptimize(job.PageStore().Size());
  }
}
BENCHMARK(BM_LabelPageIntoPageStore)->Unit(benchmark::kMillisecond);

// One EAN-13 element per band taking its text from the row, one band a page.
struct TThousandPages {
  TThousandPages()
      : table(benchsupport::FilledTable(kPages).Open()), band(report, reports::rbDetail), element(report, &band) {
    report.SetPaperSize(reports::Letter);
    report.ShowProgress = false;
    source.SetDataSet(table.get());
    report.DataSource = &source;
    band.Height = 300;
    band.Width = 1900;
    band.ForceNewPage = true;
    element.SetDataSet(table.get());
    element.SetDataField("FBarcode");
    element.SetBar_CodeType(TCustomBarcode::EAN_13);
    element.SetSizeLeft(100);
    element.SetSizeTop(50);
  }
  std::unique_ptr<tables::TTable> table;
  tables::TDataSource source;
  reports::TLabelReport report;
  reports::TRepBand band;
  TRepBarcode element;
};

void BM_ThousandPagesIntoATemporaryFile(benchmark::State& state) {
  TThousandPages report;
  double growth = 0;
  bool inFile = true;
  for (auto _ : state) {
    const double before = ResidentBytes();
    reports::TRepJob job(reports::qrdPreview);
    reports::TStoreOutput output;
    report.report.Generate(job, output);
    growth = std::max(growth, ResidentBytes() - before);
    inFile = inFile && job.PageStore().InFile() && job.PageStore().PageCount() == kPages;
  }
  state.counters["rss_growth_MB"] = growth / (1024.0 * 1024.0);
  if (!inFile) state.SkipWithError("the pages did not all go to the temporary file");
}
BENCHMARK(BM_ThousandPagesIntoATemporaryFile)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
