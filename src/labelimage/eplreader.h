// The EPL commands our label jobs use, read into a label: US N JB Q q D S ZT A B P I
// and the calibration's R. Any other command is refused, and so is a symbol other
// than EAN-13.
#pragma once

#include <string>
#include <vector>

#include "labelimage/label.h"

namespace labelimage {

TLabel ReadEplJob(const std::vector<std::string>& lines, int dpi);

}  // namespace labelimage
