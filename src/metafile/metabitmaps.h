// The bitmaps of one metafile's records, decoded once, at load, and kept for every later
// play, within a budget for the whole file: a record of a few dozen bytes can declare a
// run-length bitmap of 32 million pixels, and a file of twenty such records would
// otherwise hold every paint for seconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>

#include "graphics/canvas.h"
#include "metafile/metarecord.h"

namespace platform {

// Pixels decoded for all the bitmaps of one file together: 16 megapixels, twice an A4 page
// at 300 dpi, decoded in about a tenth of a second.
constexpr int64_t MaxMetafileBitmapPixels = int64_t(1) << 24;
// Bytes the decoded bitmaps of one file keep for painting: an A4 page at 300 dpi in
// 32 bits (35 MB) fits.
constexpr int64_t MaxMetafileBitmapBytes = int64_t(40) << 20;

// Where a record's device-independent bitmap is.
struct TDibData {
  std::span<const uint8_t> Info;  // the BITMAPINFO; for a packed DIB, the whole DIB
  std::span<const uint8_t> Bits;  // unused for a packed DIB
  bool Packed = false;
  uint32_t Usage = 0;  // DIB_RGB_COLORS or DIB_PAL_COLORS
};

// The part of the bitmap a record draws.
struct TDibPart {
  int32_t X = 0, Y = 0, Width = 0, Height = 0;
  bool FromBottom = false;  // Y counts from the bitmap's bottom row
};

class TMetafileBitmaps {
 public:
  // The part of the record's bitmap, decoded at its first request and kept. A bitmap that
  // cannot be read fails the record; one that brings the file past its budget raises
  // EMetafileError before it is decoded.
  const TRgbImage& Image(const TRecordRef& record, const TDibData& dib, const TDibPart& part);

 private:
  void Charge(const TRecordRef& record, int64_t& spent, int64_t amount, int64_t limit, const char* unit);

  std::map<size_t, TRgbImage> FImages;  // by record number
  int64_t FDecodedPixels = 0;
  int64_t FKeptBytes = 0;
};

}  // namespace platform
