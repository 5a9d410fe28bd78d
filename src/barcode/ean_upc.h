// EAN and UPC: the UPC-E expansion that the UPC-E check digit rests on.
#pragma once

#include <string_view>

namespace barcode {

// Expands the 6-digit UPC-E text (number system 0) to its 11-digit UPC-A number and
// returns that number's weighted sum (weights 3, 1, 3, ...). Raises EOverflow when
// the expansion is not 11 digits long.
int DecodeUPCE(std::string_view text);

}  // namespace barcode
