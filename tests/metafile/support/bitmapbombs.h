// Metafiles whose bitmap records are tiny but declare huge run-length encoded bitmaps:
// each record's bits are only the end-of-bitmap code, so a few dozen bytes decode to
// Width x Height pixels of colour 0. Tests and the fuzz seeds are made with these.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::testing {

struct TBitmapBomb {
  int Records = 20;
  int32_t Width = 32768;  // the largest side a bitmap may have
  int32_t Height = 1024;
  // The part of each bitmap the record draws; clamped to the bitmap when played.
  int32_t SourceWidth = 32767;
  int32_t SourceHeight = 1024;
};

// A 100 x 100 Windows metafile of META_STRETCHDIB records, 74 bytes each.
std::vector<uint8_t> WmfBitmapBomb(const TBitmapBomb& bomb);
// A 100 x 100 pixel Enhanced Metafile of EMR_STRETCHDIBITS records.
std::vector<uint8_t> EmfBitmapBomb(const TBitmapBomb& bomb);

}  // namespace platform::testing
