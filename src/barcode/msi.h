// MSI Plessey: its modulo-10 check digit.
#pragma once

#include "barcode/barcodetypes.h"
#include "barcode/llbarcode.h"

namespace barcode {

// Appends the MSI modulo-10 check digit to the digits in place. Raises EOverflow
// for any type other than MSI_Plessey.
void AddMSIProofchar(TEncodedText& text, btCodeTypes codeType);

}  // namespace barcode
