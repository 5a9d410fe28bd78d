// The report's Preview: the run whose pages go to a preview window instead of a printer.
#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <algorithm>

#include "reports/labelreport.h"
#include "reports/printersetup.h"
#include "reports/standardpreview.h"
#include "reports/storeoutput.h"

namespace reports {

void TLabelReport::ReleasePreviewJob(TRepJob& job) {
  auto found = std::find_if(FPreviewJobs.begin(), FPreviewJobs.end(), [&](const auto& owned) { return owned.get() == &job; });
  if (found == FPreviewJobs.end()) return;
  std::unique_ptr<TRepJob> owned = std::move(*found);
  FPreviewJobs.erase(found);
}

void TLabelReport::Preview() {
  if (FBusy) return;
  TRunScope running(*this);
  FPreviewJobs.push_back(std::make_unique<TRepJob>(qrdPreview));
  TRepJob& job = *FPreviewJobs.back();
  job.Title = ReportTitle;
  job.OnPrint = [this] { Print(); };
  job.OnPrinterSetup = [this, &job] { RunPrinterSetup(*this, job, nullptr); };
  job.OnPreviewClosing = [this, &job] {
    if (FBusy && !job.Complete)
      job.Cancel();
    else
      ReleasePreviewJob(job);
  };

  // The job may go while the loop below runs, also with this report (its owner closed):
  // from then on nothing here touches the report.
  bool gone = false;
  QEventLoop loop;
  QPointer<TStandardPreview> window = TStandardPreview::Open(job);
  job.OnDestroyed = [&gone, &loop, window] {
    gone = true;
    loop.quit();
    if (window) window->JobGone();
  };
  try {
    TStoreOutput output;
    Generate(job, output);
  } catch (...) {
    if (!gone) ReleasePreviewJob(job);
    throw;
  }
  if (!gone && job.Cancelled()) ReleasePreviewJob(job);
  // Waiting for the window the report may go (its owner closed), so it runs no longer.
  running.End();
  if (!gone && !QCoreApplication::closingDown()) loop.exec();
  // Quitting with the window still open: the job stays with the report and its window.
  if (!gone) job.OnDestroyed = [window] {
    if (window) window->JobGone();
  };
}

}  // namespace reports
