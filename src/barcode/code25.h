// Interleaved 2 of 5, plain and in the freight-post variant.
#pragma once

#include "barcode/llbarcode.h"

namespace barcode {

// Groups a freight-post text for display, in place: 14 characters as
// "12345.678.901.23   6", 12 characters split after IdentSplit as "12.34567   8901   6";
// any other length stays as it is.
void FormatFrachtpostText(const TLLBarcode& barcode, TEncodedText& text);

}  // namespace barcode
