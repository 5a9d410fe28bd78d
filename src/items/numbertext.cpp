#include "items/numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace items {
namespace {

// Shortest round-trip digits of |value| in plain notation, e.g. "1.005", "250".
std::string ShortestDecimal(double value) {
  char buffer[400];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
  if (error != std::errc()) return "0";
  return std::string(buffer, end);
}

// Adds one unit at the last position of a string of decimal digits.
void IncrementDigits(std::string& digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::string FormatFixed(double value, int decimals, char decimalSeparator) {
  if (!std::isfinite(value)) value = 0;
  std::string text = ShortestDecimal(value);
  size_t point = text.find('.');
  std::string whole = text.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  fraction.resize(std::max<size_t>(fraction.size(), static_cast<size_t>(decimals) + 1), '0');

  bool roundUp = fraction[static_cast<size_t>(decimals)] >= '5';
  std::string digits = whole + fraction.substr(0, static_cast<size_t>(decimals));
  if (roundUp) IncrementDigits(digits);

  std::string result = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
  if (decimals > 0) result += decimalSeparator + digits.substr(digits.size() - static_cast<size_t>(decimals));
  bool zero = digits.find_first_not_of('0') == std::string::npos;
  return value < 0 && !zero ? "-" + result : result;
}

double ParseFixed(const std::string& text, char decimalSeparator) {
  std::string plain = text;
  for (char& c : plain)
    if (c == decimalSeparator) c = '.';
  double value = 0;
  std::from_chars(plain.data(), plain.data() + plain.size(), value);
  return value;
}

}  // namespace items
