#include "metafile/dib.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;

class TReader {
 public:
  explicit TReader(std::span<const uint8_t> bytes) : FBytes(bytes) {}
  uint32_t U32(size_t at) const { return Get<uint32_t>(at); }
  int32_t I32(size_t at) const { return Get<int32_t>(at); }
  uint16_t U16(size_t at) const { return Get<uint16_t>(at); }
  int16_t I16(size_t at) const { return Get<int16_t>(at); }
  uint8_t U8(size_t at) const { return Get<uint8_t>(at); }
  size_t Size() const { return FBytes.size(); }

 private:
  template <typename T>
  T Get(size_t at) const {
    if (at > FBytes.size() || sizeof(T) > FBytes.size() - at) throw EDibError("the bitmap header is truncated");
    T value;
    std::memcpy(&value, FBytes.data() + at, sizeof(T));
    return value;
  }
  std::span<const uint8_t> FBytes;
};

struct TDibInfo {
  int32_t Width = 0;
  int32_t Height = 0;  // rows, always positive
  bool TopDown = false;
  uint16_t BitCount = 0;
  uint32_t Compression = BI_RGB;
  std::vector<uint32_t> Palette;
  uint32_t Masks[3] = {0x7C00, 0x03E0, 0x001F};
  size_t BitsOffset = 0;  // just past the colour table
};

uint32_t Opaque(uint8_t r, uint8_t g, uint8_t b) {
  return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

void ReadPalette(const TReader& in, TDibInfo& dib, size_t at, uint32_t count, size_t entrySize, uint32_t usage) {
  if (count > 256) throw EDibError("the colour table has " + std::to_string(count) + " entries");
  for (uint32_t i = 0; i < count; ++i) {
    size_t entry = at + i * entrySize;
    if (usage == DIB_PAL_COLORS) {
      // Indices into a logical palette that metafiles rarely carry: shown as grey levels.
      uint8_t level = uint8_t(in.U16(at + i * 2));
      dib.Palette.push_back(Opaque(level, level, level));
    } else {
      dib.Palette.push_back(Opaque(in.U8(entry + 2), in.U8(entry + 1), in.U8(entry)));
    }
  }
}

TDibInfo ReadInfo(std::span<const uint8_t> info, uint32_t usage) {
  TReader in(info);
  TDibInfo dib;
  uint32_t headerSize = in.U32(0);
  uint32_t colours = 0;
  size_t entrySize = 4;
  if (headerSize == CoreHeaderSize) {
    dib.Width = in.U16(4);
    dib.Height = in.U16(6);
    dib.BitCount = in.U16(10);
    entrySize = 3;
  } else if (headerSize >= InfoHeaderSize && headerSize <= info.size()) {
    dib.Width = in.I32(4);
    int32_t height = in.I32(8);
    if (height == INT32_MIN) throw EDibError("the bitmap height is invalid");
    dib.TopDown = height < 0;
    dib.Height = height < 0 ? -height : height;
    dib.BitCount = in.U16(14);
    dib.Compression = in.U32(16);
    colours = in.U32(32);
  } else {
    throw EDibError("the bitmap header size " + std::to_string(headerSize) + " is not known");
  }
  if (dib.Width <= 0 || dib.Height <= 0 || dib.Width > MaxDibSide || dib.Height > MaxDibSide ||
      int64_t(dib.Width) * dib.Height > MaxDibPixels)
    throw EDibError("the bitmap size " + std::to_string(dib.Width) + " x " + std::to_string(dib.Height) +
                    " is not allowed");
  size_t tableAt = headerSize;
  if (dib.Compression == BI_BITFIELDS) {
    bool masksInHeader = headerSize >= 52;
    size_t at = masksInHeader ? 40 : headerSize;
    for (int i = 0; i < 3; ++i) dib.Masks[i] = in.U32(at + 4 * i);
    if (!masksInHeader) tableAt += 12;
  } else if (dib.BitCount == 32) {
    dib.Masks[0] = 0xFF0000;
    dib.Masks[1] = 0xFF00;
    dib.Masks[2] = 0xFF;
  }
  uint32_t entries = dib.BitCount <= 8 ? (1u << dib.BitCount) : 0;
  if (dib.BitCount <= 8 && colours != 0 && colours < entries) entries = colours;
  if (dib.BitCount <= 8) ReadPalette(in, dib, tableAt, entries, entrySize, usage);
  dib.BitsOffset = tableAt + entries * (usage == DIB_PAL_COLORS ? 2 : entrySize);
  return dib;
}

uint32_t PaletteColour(const TDibInfo& dib, uint32_t index) {
  return index < dib.Palette.size() ? dib.Palette[index] : Opaque(0, 0, 0);
}

// Scales a masked channel to 8 bits.
uint8_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = std::countr_zero(mask);
  uint32_t max = mask >> shift;
  return uint8_t(((pixel & mask) >> shift) * 255 / max);
}

void DecodeRows(const TDibInfo& dib, std::span<const uint8_t> bits, TRgbImage& image) {
  size_t stride = ((size_t(dib.Width) * dib.BitCount + 31) / 32) * 4;
  if (stride * size_t(dib.Height) > bits.size())
    throw EDibError("the bitmap bits are shorter than its size needs");
  for (int32_t row = 0; row < dib.Height; ++row) {
    const uint8_t* src = bits.data() + stride * size_t(dib.TopDown ? row : dib.Height - 1 - row);
    uint32_t* dst = image.Pixels.data() + size_t(row) * size_t(dib.Width);
    for (int32_t x = 0; x < dib.Width; ++x) {
      switch (dib.BitCount) {
        case 1: dst[x] = PaletteColour(dib, (src[x >> 3] >> (7 - (x & 7))) & 1); break;
        case 4: dst[x] = PaletteColour(dib, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF); break;
        case 8: dst[x] = PaletteColour(dib, src[x]); break;
        case 24: dst[x] = Opaque(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
        case 16:
        case 32: {
          uint32_t pixel = 0;
          std::memcpy(&pixel, src + x * (dib.BitCount / 8), dib.BitCount / 8);
          dst[x] = Opaque(Channel(pixel, dib.Masks[0]), Channel(pixel, dib.Masks[1]), Channel(pixel, dib.Masks[2]));
          break;
        }
      }
    }
  }
}

// Run-length encoded rows, bottom-up; pixels the runs skip keep colour 0.
void DecodeRle(const TDibInfo& dib, std::span<const uint8_t> bits, TRgbImage& image) {
  bool four = dib.Compression == BI_RLE4;
  std::fill(image.Pixels.begin(), image.Pixels.end(), PaletteColour(dib, 0));
  int64_t x = 0, y = 0;
  auto put = [&](uint32_t index) {
    if (x < dib.Width && y < dib.Height)
      image.Pixels[size_t(dib.Height - 1 - y) * size_t(dib.Width) + size_t(x)] = PaletteColour(dib, index);
    ++x;
  };
  size_t at = 0;
  auto next = [&]() -> uint8_t {
    if (at >= bits.size()) throw EDibError("the compressed bitmap bits are truncated");
    return bits[at++];
  };
  while (y < dib.Height) {
    uint8_t count = next();
    uint8_t value = next();
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 0xF : value >> 4) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      x += next();
      y += next();
    } else {
      uint8_t pending = 0;
      for (int i = 0; i < value; ++i) {
        if (!four) {
          put(next());
        } else {
          if ((i & 1) == 0) pending = next();
          put((i & 1) ? pending & 0xF : pending >> 4);
        }
      }
      size_t used = four ? (size_t(value) + 1) / 2 : value;
      if (used & 1) next();  // absolute runs are padded to 16 bits
    }
  }
}

}  // namespace

namespace {

TRgbImage Decode(TDibInfo dib, std::span<const uint8_t> bits) {
  bool supported = (dib.Compression == BI_RGB && (dib.BitCount == 1 || dib.BitCount == 4 || dib.BitCount == 8 ||
                                                   dib.BitCount == 16 || dib.BitCount == 24 || dib.BitCount == 32)) ||
                   (dib.Compression == BI_BITFIELDS && (dib.BitCount == 16 || dib.BitCount == 32)) ||
                   (dib.Compression == BI_RLE8 && dib.BitCount == 8) || (dib.Compression == BI_RLE4 && dib.BitCount == 4);
  if (!supported)
    throw EDibError("the bitmap format (" + std::to_string(dib.BitCount) + " bits, compression " +
                    std::to_string(dib.Compression) + ") is not supported");
  if (dib.Compression == BI_RLE8 || dib.Compression == BI_RLE4) dib.TopDown = false;
  TRgbImage image;
  image.Width = dib.Width;
  image.Height = dib.Height;
  image.Pixels.resize(size_t(dib.Width) * size_t(dib.Height));
  if (dib.Compression == BI_RLE8 || dib.Compression == BI_RLE4)
    DecodeRle(dib, bits, image);
  else
    DecodeRows(dib, bits, image);
  return image;
}

}  // namespace

TRgbImage DecodeDib(std::span<const uint8_t> info, std::span<const uint8_t> bits, uint32_t usage) {
  return Decode(ReadInfo(info, usage), bits);
}

TRgbImage DecodePackedDib(std::span<const uint8_t> dib, uint32_t usage) {
  TDibInfo info = ReadInfo(dib, usage);
  size_t bitsAt = info.BitsOffset;
  if (bitsAt > dib.size()) throw EDibError("the bitmap colour table is truncated");
  return Decode(std::move(info), dib.subspan(bitsAt));
}

TSize DibSize(std::span<const uint8_t> info, uint32_t usage) {
  TDibInfo dib = ReadInfo(info, usage);
  return TSize{dib.Width, dib.Height};
}

TRect CropRect(TSize size, int32_t x, int32_t y, int32_t cx, int32_t cy) {
  int64_t left = std::clamp<int64_t>(x, 0, size.cx);
  int64_t top = std::clamp<int64_t>(y, 0, size.cy);
  int64_t right = std::clamp<int64_t>(int64_t(x) + cx, left, size.cx);
  int64_t bottom = std::clamp<int64_t>(int64_t(y) + cy, top, size.cy);
  return TRect{int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
}

TRgbImage CropImage(TRgbImage image, const TRect& part) {
  if (part.Left == 0 && part.Top == 0 && part.Right == image.Width && part.Bottom == image.Height) return image;
  TRgbImage cropped;
  cropped.Width = part.Width();
  cropped.Height = part.Height();
  cropped.Pixels.reserve(size_t(cropped.Width) * size_t(cropped.Height));
  for (int64_t row = part.Top; row < part.Bottom; ++row) {
    auto start = image.Pixels.begin() + row * image.Width;
    cropped.Pixels.insert(cropped.Pixels.end(), start + part.Left, start + part.Right);
  }
  return cropped;
}

}  // namespace platform
