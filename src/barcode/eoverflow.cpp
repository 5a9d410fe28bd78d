#include "barcode/eoverflow.h"

namespace barcode {

const char* BarcodeErrorText(TBarcodeError error) {
  switch (error) {
    case TBarcodeError::UnknownType: return "Barcode: Unknown Type of Barcode";
    case TBarcodeError::WrongAddon: return "BarLL: Wrong Addoncode";
    case TBarcodeError::NoCheckChar: return "BarcoLL: No check char with this barcode type";
    case TBarcodeError::Code128: return "BarcoLL: Code128 error";
    case TBarcodeError::MSIWrongType: return "Wrong barcode type in procedure AddMSIProofchar";
    case TBarcodeError::UPCELength: return "Decoded legth of UPC-E code is wrong!";
    case TBarcodeError::PropertyRange: return "Property value out of range";
  }
  return "Barcode: Unknown Type of Barcode";
}

}  // namespace barcode
