// Device-independent bitmaps as metafiles carry them: a BITMAPINFO (header, masks and
// colour table) and the pixel bits, decoded into a TRgbImage.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>

#include "graphics/canvas.h"

namespace platform {

// A bitmap larger than this is refused rather than allocated.
constexpr int32_t MaxDibSide = 32768;
constexpr int64_t MaxDibPixels = int64_t(1) << 25;

class EDibError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr uint32_t DIB_RGB_COLORS = 0;
constexpr uint32_t DIB_PAL_COLORS = 1;

// Decodes 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed, bit fields or RLE.
// Throws EDibError saying what is wrong.
TRgbImage DecodeDib(std::span<const uint8_t> info, std::span<const uint8_t> bits, uint32_t usage);

// A packed DIB: the BITMAPINFO directly followed by the bits, as WMF records carry it.
TRgbImage DecodePackedDib(std::span<const uint8_t> dib, uint32_t usage);

// The size a bitmap info (or packed DIB) declares, checked as decoding checks it, so that
// a caller can weigh a bitmap before decoding it. Throws EDibError.
TSize DibSize(std::span<const uint8_t> info, uint32_t usage);

// The part of an image of the size from (x, y) of size (cx, cy), clamped to the image;
// y counts from the top of the decoded image.
TRect CropRect(TSize size, int32_t x, int32_t y, int32_t cx, int32_t cy);
// That part of the image (a rectangle from CropRect).
TRgbImage CropImage(TRgbImage image, const TRect& part);

}  // namespace platform
