#include "metafile/emfwriter.h"

#include <algorithm>
#include <cstring>

#include "metafile/emfrecords.h"

namespace platform {

TByteBuilder& TByteBuilder::Put(const void* p, size_t n) {
  const uint8_t* bytes = static_cast<const uint8_t*>(p);
  FData.insert(FData.end(), bytes, bytes + n);
  return *this;
}

void TByteBuilder::PatchU32(size_t at, uint32_t v) { std::memcpy(FData.data() + at, &v, 4); }

void TEmfWriter::Add(uint32_t type, const TByteBuilder& payload) {
  size_t padded = (payload.Size() + 3) / 4 * 4;
  FRecords.U32(type).U32(uint32_t(8 + padded)).Bytes(payload.Data()).Zeros(padded - payload.Size());
  ++FCount;
}

void TEmfWriter::IncludeBounds(const TRect& drawn) {
  if (drawn.Right <= drawn.Left || drawn.Bottom <= drawn.Top) return;
  TRect inclusive{drawn.Left, drawn.Top, drawn.Right - 1, drawn.Bottom - 1};
  if (!FHasBounds) {
    FBounds = inclusive;
    FHasBounds = true;
    return;
  }
  FBounds = TRect{std::min(FBounds.Left, inclusive.Left), std::min(FBounds.Top, inclusive.Top),
                  std::max(FBounds.Right, inclusive.Right), std::max(FBounds.Bottom, inclusive.Bottom)};
}

uint32_t TEmfWriter::NewHandle() {
  auto free = std::find(FHandlesInUse.begin(), FHandlesInUse.end(), false);
  uint32_t handle = uint32_t(free - FHandlesInUse.begin());
  if (free == FHandlesInUse.end())
    FHandlesInUse.push_back(true);
  else
    *free = true;
  return handle;
}

void TEmfWriter::FreeHandle(uint32_t handle) {
  if (handle > 0 && handle < FHandlesInUse.size()) FHandlesInUse[handle] = false;
}

std::vector<uint8_t> TEmfWriter::Finish(const TEmfFrameInfo& info) {
  TByteBuilder eof;
  eof.U32(0).U32(16).U32(20);  // no palette; offPalEntries; size of this record
  Add(EMR_EOF, eof);
  uint32_t total = uint32_t(EmfHeaderFullSize + FRecords.Size());
  TRect bounds = FHasBounds ? FBounds : TRect{0, 0, -1, -1};
  TByteBuilder header;
  header.U32(EMR_HEADER).U32(EmfHeaderFullSize).Rect(bounds).Rect(info.Frame);
  header.U32(EmfSignature).U32(EmfVersion).U32(total).U32(FCount + 1);
  header.U16(uint16_t(std::min<size_t>(FHandlesInUse.size(), 0xFFFF))).U16(0);
  header.U32(0).U32(0).U32(0);  // no description, no palette
  header.I32(info.Device.cx).I32(info.Device.cy).I32(info.Millimeters.cx).I32(info.Millimeters.cy);
  header.U32(0).U32(0).U32(0);  // no pixel format, not OpenGL
  header.I32(info.Micrometers.cx).I32(info.Micrometers.cy);
  std::vector<uint8_t> bytes = header.Data();
  bytes.insert(bytes.end(), FRecords.Data().begin(), FRecords.Data().end());
  return bytes;
}

void AppendDib32(const TRgbImage& image, TByteBuilder& info, TByteBuilder& bits) {
  info.U32(40).I32(image.Width).I32(image.Height).U16(1).U16(32).U32(0);
  info.U32(uint32_t(image.Width) * uint32_t(image.Height) * 4).I32(0).I32(0).U32(0).U32(0);
  for (int32_t row = image.Height - 1; row >= 0; --row)
    for (int32_t x = 0; x < image.Width; ++x) bits.U32(image.Pixels[size_t(row) * size_t(image.Width) + size_t(x)]);
}

}  // namespace platform
