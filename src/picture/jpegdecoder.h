// JPEG reading through libjpeg: the header at load time, the full decode at first draw.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "picture/bitmapbits.h"
#include "picture/jpegproperties.h"

namespace picture {

// Files with more scans are refused: encoders' progressive scripts use about ten, and
// every scan makes libjpeg pass over the whole picture again.
constexpr int kMaxJPEGScans = 100;

struct TJPEGHeader {
  int Width = 0;
  int Height = 0;
  bool GrayScale = false;  // the file's colour space is grayscale
  bool MultiScan = false;  // progressive or multi-scan sequential
};

// Parses only the header. A header libjpeg rejects raises EJPEGError with its message number.
TJPEGHeader ReadJPEGHeader(std::span<const uint8_t> data);

// The output length of a picture side at a scale, as libjpeg computes it (rounded up).
int ScaledDimension(int size, TJPEGScale scale);

// Called with the bitmap after each intermediate pass of a progressive display.
using TJPEGPassEvent = std::function<void(const TBitmapBits& bits)>;

// Decodes the whole picture with the options; a file with more than kMaxJPEGScans scans
// raises EInvalidGraphic. Colour-quantised output is expanded
// through libjpeg's colour map, so the bitmap is always 32-bit.
TBitmapBits DecodeJPEG(std::span<const uint8_t> data, const TJPEGOptions& options,
                       const TJPEGPassEvent& onPass = {});

}  // namespace picture
