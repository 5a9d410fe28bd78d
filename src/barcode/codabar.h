// Codabar: its character table and its text preparation.
#pragma once

#include "barcode/barcodetypes.h"
#include "barcode/llbarcode.h"
#include "barcode/patterntable.h"

namespace barcode {

// 7 element flags per character (bar, space, ... bar), 1 = wide.
class TBarCodabar : public TPatternTable<7> {
 public:
  TBarCodabar();
};

// Built on first use, then only read.
const TBarCodabar& CodabarTable();

// Upper-cases the source in place, drops characters outside the Codabar set, and
// frames the text with the start and stop letters A to D (default "A"); letters
// inside the data become "0". The result has 2 to 52 characters.
void PrepareCodabar(TCaption& source, TEncodedText& destination);

}  // namespace barcode
