// Text preparation: filters the code text to the characters a symbology accepts,
// fixes its length where the symbology has one, and adds the check character.
#pragma once

#include "barcode/barcodetypes.h"
#include "barcode/llbarcode.h"

namespace barcode {

// The whole preparation; raises EOverflow "Barcode: Unknown Type of Barcode" for a
// type beyond the fourteen. The source is read up to 50 characters; for Codabar it
// is upper-cased in place.
void PrepareText(TCaption& source, TEncodedText& destination, btCodeTypes codeType);

// Character filtering only: Code 128 texts become symbol characters, Codabar texts
// are framed by their start and stop letters, all others keep their length with
// every character outside the symbology's set replaced by "0" (Code 39 upper-cases
// first and adds its "*" frame).
void TransfervalidChars(TCaption& source, TEncodedText& destination, btCodeTypes codeType);

// Appends the weighted modulo-10 check digit of the EAN, UPC, 2 of 5 and Postnet
// types; raises EOverflow for a type without weights.
void AddProofchar(TEncodedText& text, btCodeTypes codeType);

}  // namespace barcode
