// The ZPL commands our label jobs use, read into a label. Only these are known:
// ^XA ^XB ^LH ^BY ^FO ^A ^BE ^FD ^FH ^FS ^PQ ^XZ ^CI and the calibration's ^PW ^LL
// ^LS ^LT ~SD; any other command is refused.
#pragma once

#include <string>
#include <vector>

#include "labelimage/label.h"

namespace labelimage {

TLabel ReadZplJob(const std::vector<std::string>& lines, int dpi);

}  // namespace labelimage
