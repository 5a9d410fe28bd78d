// The program's global settings: company name, printer port and printer type,
// loaded from the first row of the parameter table at start-up and replaced by
// the parameters window's Save.
#pragma once

#include <string>

extern std::string gComname;  // company name; held and kept current only
extern std::string gPrtport;  // port device name the label jobs are written to
extern std::string gPrtname;  // printer type: "Z" selects the ZPL job, "E" the EPL job

// Reads "Comname", "prtport" and "prtname" of the first row of "param" in the
// data directory; empty strings for an empty table. Table errors reach the caller.
void LoadSettings();
void LoadSettings(const std::string& dataDirectory);
