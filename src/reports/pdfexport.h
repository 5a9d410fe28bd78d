// A job's pages as a PDF file: each stored page played onto a PDF page of its paper, from
// the paper's corner at the scale it was drawn at, so every mark is where the printer
// puts it on the sheet. Other programs open the file; it needs no printer.
#pragma once

#include <QString>

#include "reports/job.h"

namespace reports {

// Raises the file's EInOutError when it cannot be written; a job without pages writes
// nothing and raises an error saying so.
void SavePagesAsPdf(const TRepJob& job, const QString& fileName);

}  // namespace reports
