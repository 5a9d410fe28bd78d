// One run of a report: where its pages go, its cancel flag, the settings it took from
// the report, and its page store (which a preview reads).
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "reports/pagestore.h"
#include "reports/papers.h"

namespace reports {

enum TRepDestination : uint8_t { qrdPrinter, qrdPreview };
// Output bins by the system's bin codes (DMBIN_*).
enum TRepBin : uint8_t { First = 1, Lower = 2, Middle = 3, Manual = 4, Envelope = 5, Auto = 7 };

// The printer settings of a report, copied into the job for a run.
struct TRepPrinterSettings {
  int PrinterIndex = -1;  // -1: the system's default printer
  int Copies = 1;
  bool Duplex = false;
  int FirstPage = 0;  // 0 and 0: all pages
  int LastPage = 0;
  TRepBin OutputBin = First;
  TRepPaperSize PaperSize = A4;
  TRepOrientation Orientation = poPortrait;
  double CustomWidth = 0;  // 0.1 mm, for Custom
  double CustomLength = 0;
  int Resolution = 0;  // dots per inch; 0: the printer's own
};

class TRepJob {
 public:
  explicit TRepJob(TRepDestination destination) : FDestination(destination) {}
  ~TRepJob() {
    if (OnDestroyed) OnDestroyed();
  }
  TRepJob(const TRepJob&) = delete;
  TRepJob& operator=(const TRepJob&) = delete;

  TRepDestination Destination() const { return FDestination; }
  void SetDestination(TRepDestination destination) { FDestination = destination; }
  // Cancel stops a report that reads records; pages already begun are finished.
  void Cancel() { FCancelled = true; }
  bool Cancelled() const { return FCancelled; }

  std::string Title;
  TRepPrinterSettings Printer;
  // The paper as the destination gave it, 0.1 mm (known once the document has begun).
  double PaperWidth = 0;
  double PaperLength = 0;
  int PagesStarted = 0;
  bool Complete = false;

  TPageStore& PageStore() { return FStore; }
  const TPageStore& PageStore() const { return FStore; }
  // Percentage of records done, for reports that read a data source.
  std::function<void(int percent)> OnProgress;

  // What the preview window of this job may ask of its report; both empty for a job
  // loaded from a file.
  std::function<void()> OnPrint;         // the report runs Print anew
  std::function<void()> OnPrinterSetup;  // the report's print dialog
  // The preview window is closing: the report cancels a running generation or frees the job.
  std::function<void()> OnPreviewClosing;
  // Told as the job is freed, so that whatever shows it lets go.
  std::function<void()> OnDestroyed;
  bool LoadedFromFile = false;

 private:
  TRepDestination FDestination;
  std::atomic<bool> FCancelled{false};
  TPageStore FStore;
};

}  // namespace reports
