#include "reports/loadedprint.h"

#include "reports/printeroutput.h"

namespace reports {

void TLoadedPrint::Run(const std::function<void()>& processMessages) {
  TPrinterOutput output;
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
