// The report's printer setup for a preview: the system's print dialog opened on the
// report's printer, orientation and copies, page numbers allowed and selection not; on
// OK the report keeps what was chosen for its next Print, on Cancel nothing changes.
#pragma once

#include <QString>

#include "reports/job.h"

class QPrinter;
class QWidget;

namespace reports {

class TLabelReport;

// The page range the dialog offers: 1 to the page count once the job is complete.
struct TPrintDialogRange {
  int Min = 0;
  int Max = 0;
  int From = 0;
  int To = 0;
  friend bool operator==(const TPrintDialogRange&, const TPrintDialogRange&) = default;
};
constexpr int UnknownPageCountMax = 9999;
inline constexpr const char* kNoPrinterInstalledText = "No printer is installed";

TPrintDialogRange PrintDialogRange(const TRepJob& job);

// Prepares the printer the dialog edits from the report's settings.
void SetUpDialogPrinter(QPrinter& printer, const TRepPrinterSettings& settings);
// What an accepted dialog leaves in the report: copies, printer, orientation and the
// range (all pages or a selection: 0 and 0).
void KeepDialogChoice(const QPrinter& printer, TRepPrinterSettings& settings);

// Shows the dialog for the job's report (parent may be null); with no printer installed
// only the warning "No printer is installed".
void RunPrinterSetup(TLabelReport& report, const TRepJob& job, QWidget* parent);

}  // namespace reports
