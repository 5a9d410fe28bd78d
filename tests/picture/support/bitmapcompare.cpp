#include "bitmapcompare.h"

#include <cstdio>

namespace picture::testing {

::testing::AssertionResult SamePixels(const TBitmapBits& bits, const TPnmImage& reference) {
  if (bits.Width != reference.Width || bits.Height != reference.Height)
    return ::testing::AssertionFailure() << "size " << bits.Width << "x" << bits.Height << ", reference "
                                         << reference.Width << "x" << reference.Height;
  long differing = 0;
  std::string first;
  for (int y = 0; y < bits.Height; ++y) {
    for (int x = 0; x < bits.Width; ++x) {
      const uint8_t* p = &reference.Rgb[(static_cast<size_t>(y) * reference.Width + x) * 3];
      uint32_t expected = PixelRGB(p[0], p[1], p[2]);
      if (bits.Pixel(x, y) == expected) continue;
      if (differing++ == 0) {
        char text[96];
        std::snprintf(text, sizeof text, "first at (%d, %d): %08x, reference %08x", x, y, bits.Pixel(x, y), expected);
        first = text;
      }
    }
  }
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differing << " pixels differ, " << first;
}

long DifferingPixels(const TBitmapBits& a, const TBitmapBits& b) {
  long differing = 0;
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x) differing += a.Pixel(x, y) != b.Pixel(x, y);
  return differing;
}

}  // namespace picture::testing
