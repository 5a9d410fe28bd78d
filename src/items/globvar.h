// The program's global settings: company name, printer port and printer type,
// loaded from the first row of the parameter table at start-up and replaced by
// the parameters window's Save.
#pragma once

#include <string>

#include "items/labelcalibration.h"

namespace tables {
class TTable;
}

extern std::string gComname;  // company name; held and kept current only
extern std::string gPrtport;  // port device name the label jobs are written to
extern std::string gPrtname;  // printer type: "Z" selects the ZPL job, "E" the EPL job
extern items::TLabelCalibration gLabelCalibration;  // the label printer's; all empty when not set

// Reads "Comname", "prtport", "prtname" and the calibration of the first row of "param"
// in the data directory; empty strings for an empty table and for the calibration of a
// file made before it had those fields. Table errors reach the caller.
void LoadSettings();
void LoadSettings(const std::string& dataDirectory);

// The calibration of the parameter cursor's current row; empty where its file has no such field.
items::TLabelCalibration ReadLabelCalibration(tables::TTable& param);
