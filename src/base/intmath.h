// The integer arithmetic shared by the drawing, the reports and the preview: Round sends
// an exact half to the even neighbour, MulDiv sends it away from zero (as the platform's
// MulDiv does). Nothing else in the program rounds lengths to pixels.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace platform {

inline int Round(double value) { return static_cast<int>(std::nearbyint(value)); }

// a * b / c in 64 bits, rounded to the nearest integer, halves away from zero; -1 for c = 0.
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t product = static_cast<int64_t>(a) * b;
  int64_t magnitude = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
  bool negative = (product < 0) != (c < 0);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace platform
