#include "picture/widget/bitmapfile.h"

#include <cstdlib>

#include "picture/pictureerrors.h"

namespace picture {
namespace {

constexpr const char* kKind = "Bitmap";
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;  // the OS/2 header with 16-bit sizes
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;

uint32_t LE(std::span<const uint8_t> bytes, size_t at, int size) {
  if (at + size > bytes.size()) throw InvalidImage(kKind);
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

struct TBitmapInfo {
  long long Width = 0;
  long long Height = 0;
  uint32_t BitCount = 0;
  uint32_t Compression = BI_RGB;
};

TBitmapInfo ReadInfo(std::span<const uint8_t> bytes) {
  uint32_t headerSize = LE(bytes, kFileHeaderSize, 4);
  TBitmapInfo info;
  if (headerSize == kCoreHeaderSize) {
    info.Width = LE(bytes, 18, 2);
    info.Height = LE(bytes, 20, 2);
    info.BitCount = LE(bytes, 24, 2);
    return info;
  }
  info.Width = static_cast<int32_t>(LE(bytes, 18, 4));
  info.Height = std::llabs(static_cast<int32_t>(LE(bytes, 22, 4)));  // negative: top-down rows
  info.BitCount = LE(bytes, 28, 2);
  info.Compression = LE(bytes, 30, 4);
  return info;
}

}  // namespace

void CheckBitmapFile(std::span<const uint8_t> bytes) {
  if (LE(bytes, 0, 2) != 0x4D42) throw InvalidImage(kKind);  // "BM"
  uint32_t pixelsAt = LE(bytes, 10, 4);
  TBitmapInfo info = ReadInfo(bytes);
  CheckPictureSize(kKind, info.Width, info.Height);
  if (info.Compression != BI_RGB && info.Compression != BI_BITFIELDS) return;  // run-length data
  long long stride = (info.Width * info.BitCount + 31) / 32 * 4;
  if (pixelsAt > bytes.size() || stride * info.Height > static_cast<long long>(bytes.size() - pixelsAt))
    throw InvalidImage(kKind);
}

}  // namespace picture
