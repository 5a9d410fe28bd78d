// Pixel comparison of our decoded bitmaps with reference images.
#pragma once

#include <gtest/gtest.h>

#include "djpeg.h"
#include "picture/bitmapbits.h"

namespace picture::testing {

// Same size and every pixel equal; on failure names the first differing pixel.
::testing::AssertionResult SamePixels(const TBitmapBits& bits, const TPnmImage& reference);

// How many pixels differ between two bitmaps of the same size.
long DifferingPixels(const TBitmapBits& a, const TBitmapBits& b);

}  // namespace picture::testing
