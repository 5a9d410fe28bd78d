// The "Printing progress" window of a print run: always on top, centred, a status line,
// a bar from 0 to 100 and "Cancel", which sets the job's cancel flag. The only file of
// the report engine that uses widgets.
#pragma once

#include <memory>

#include "reports/labelreport.h"

namespace reports {

// Null when the program has no windows (no QApplication).
std::unique_ptr<TRepProgress> CreateProgressWindow(TRepJob& job);

}  // namespace reports
