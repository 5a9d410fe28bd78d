// Writing Enhanced Metafile records: the recorder's back end, also used by tests to build
// pictures from the published record layouts.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graphics/canvas.h"

namespace platform {

// Little-endian record payload.
class TByteBuilder {
 public:
  TByteBuilder& U8(uint8_t v) { return Put(&v, 1); }
  TByteBuilder& U16(uint16_t v) { return Put(&v, 2); }
  TByteBuilder& I16(int16_t v) { return Put(&v, 2); }
  TByteBuilder& U32(uint32_t v) { return Put(&v, 4); }
  TByteBuilder& I32(int32_t v) { return Put(&v, 4); }
  TByteBuilder& F32(float v) { return Put(&v, 4); }
  TByteBuilder& Rect(const TRect& r) { return I32(r.Left).I32(r.Top).I32(r.Right).I32(r.Bottom); }
  TByteBuilder& Point(TPoint p) { return I32(p.X).I32(p.Y); }
  TByteBuilder& Bytes(std::span<const uint8_t> bytes) { return Put(bytes.data(), bytes.size()); }
  TByteBuilder& Zeros(size_t n) {
    FData.insert(FData.end(), n, 0);
    return *this;
  }
  TByteBuilder& Pad4() { return Zeros((4 - FData.size() % 4) % 4); }
  void PatchU32(size_t at, uint32_t v);
  size_t Size() const { return FData.size(); }
  const std::vector<uint8_t>& Data() const { return FData; }

 private:
  TByteBuilder& Put(const void* p, size_t n);
  std::vector<uint8_t> FData;
};

struct TEmfFrameInfo {
  TRect Frame;        // inclusive, 0.01 mm
  TSize Device;       // reference device pixels
  TSize Millimeters;
  TSize Micrometers;
};

class TEmfWriter {
 public:
  // Appends a record; payload excludes the type and size fields. Records are padded to 4 bytes.
  void Add(uint32_t type, const TByteBuilder& payload);
  // Grows the header's bounds by a drawn device rectangle (right and bottom exclusive).
  void IncludeBounds(const TRect& drawn);
  // The lowest unused object handle (from 1); handles are given back when deleted.
  uint32_t NewHandle();
  void FreeHandle(uint32_t handle);
  // Adds the end-of-file record and puts the header in front.
  std::vector<uint8_t> Finish(const TEmfFrameInfo& info);

 private:
  TByteBuilder FRecords;
  uint32_t FCount = 0;
  bool FHasBounds = false;
  TRect FBounds;
  std::vector<bool> FHandlesInUse{true};  // slot 0 is the metafile itself
};

// A 32-bit BITMAPINFOHEADER and bottom-up BI_RGB bits for an image.
void AppendDib32(const TRgbImage& image, TByteBuilder& info, TByteBuilder& bits);

}  // namespace platform
