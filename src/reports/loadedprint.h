// Printing the pages of a report file loaded into a preview: each page picture drawn
// stretched over the printer's printable area, a new sheet between pages. The document
// is ended also when an error stops the pages, and can be aborted from outside while
// the pages are printing (the loop lets pending messages through between pages).
#pragma once

#include <functional>

#include "reports/job.h"

namespace reports {

class TPrinterOutput;

class TLoadedPrint {
 public:
  explicit TLoadedPrint(TRepJob& job) : FJob(job) {}
  // processMessages runs before each page; it may call Abort.
  void Run(const std::function<void()>& processMessages);
  // Drops the document being printed: nothing of it is spooled.
  void Abort();
  bool Aborted() const { return FAborted; }

 private:
  TRepJob& FJob;
  TPrinterOutput* FOutput = nullptr;
  bool FAborted = false;
};

}  // namespace reports
