// The one error class of the barcode engine and its whole message vocabulary.
#pragma once

#include <stdexcept>

namespace barcode {

enum class TBarcodeError {
  UnknownType,     // a code type beyond the fourteen symbologies
  WrongAddon,      // an add-on that is not empty, 2 or 5 digits
  NoCheckChar,     // a check digit asked for a type without weights
  Code128,         // a byte that is no Code 128 symbol character
  MSIWrongType,    // the MSI check digit asked for another type
  UPCELength,      // a UPC-E expansion that is not 11 digits long
  PropertyRange,   // a control property set outside its range; the message states the rule
};

const char* BarcodeErrorText(TBarcodeError error);

class EOverflow : public std::runtime_error {
 public:
  explicit EOverflow(TBarcodeError error) : std::runtime_error(BarcodeErrorText(error)), FError(error) {}
  // A refused property value, with the rule as message.
  explicit EOverflow(const char* rule) : std::runtime_error(rule), FError(TBarcodeError::PropertyRange) {}
  TBarcodeError Error() const { return FError; }

 private:
  TBarcodeError FError;
};

}  // namespace barcode
