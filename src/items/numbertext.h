// Number formatting for label values: the patterns "0" and "0.00".
#pragma once

#include <string>

namespace items {

// The value with a fixed number of decimals, rounded half away from zero on its
// shortest decimal form (so 1.005 gives 1.01 although the double lies just below),
// no thousands separator, the given decimal separator. A result of zero has no sign.
std::string FormatFixed(double value, int decimals, char decimalSeparator);

// Reads a number written by FormatFixed with the same separator back; 0 when it is none.
double ParseFixed(const std::string& text, char decimalSeparator);

}  // namespace items
