#include "reports/loadedprint.h"

#include <QPageSize>
#include <QPrinterInfo>
#include <cmath>

#include "reports/position.h"
#include "reports/printeroutput.h"

namespace reports {
namespace {

// Papers closer than this are one paper to the operator (Letter and Note differ by 0.4 mm).
constexpr double kSamePaperMM = 1;

// The paper recognised from a file's pages may be one the printer knows by another name:
// the first standard paper within a millimetre of the pages that the printer lists.
TRepPaperSize ListedPaperLike(const TRepJob& job) {
  const QPrinterInfo printer = ChosenPrinter(job.Printer.PrinterIndex);
  const bool turned = job.Printer.Orientation == poLandscape;
  const double width = (turned ? job.PaperLength : job.PaperWidth) / TenthsMMPerMM;
  const double length = (turned ? job.PaperWidth : job.PaperLength) / TenthsMMPerMM;
  for (const TPaperRow& row : PaperTable()) {
    if (row.WidthMM <= 0 || std::abs(row.WidthMM - width) > kSamePaperMM ||
        std::abs(row.LengthMM - length) > kSamePaperMM)
      continue;
    if (ListedPage(printer, QPageSize(QPageSize::id(row.SystemCode)))) return row.Size;
  }
  return job.Printer.PaperSize;
}

}  // namespace

void TLoadedPrint::Run(const std::function<void()>& processMessages) {
  TPrinterOutput output;
  FJob.Printer.PaperSize = ListedPaperLike(FJob);
  output.BeginDoc(FJob);
  FOutput = &output;
  const int pages = FJob.PageStore().PageCount();
  try {
    for (int n = 1; n <= pages; ++n) {
      if (processMessages) processMessages();
      if (FAborted) break;
      platform::TCanvas& canvas = output.StartPage();
      FJob.PageStore().Page(n).Play(canvas, output.PrintableArea());
      output.EndPage();
    }
  } catch (...) {
    FOutput = nullptr;
    output.EndDoc();  // the pages printed before the error still go out
    throw;
  }
  FOutput = nullptr;
  if (!FAborted) output.EndDoc();
}

void TLoadedPrint::Abort() {
  FAborted = true;
  if (FOutput) FOutput->Abort();
}

}  // namespace reports
