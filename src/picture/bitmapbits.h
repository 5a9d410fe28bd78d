// A decoded picture as 32-bit pixels, laid out so that a QImage of format RGB32 can
// use the rows in place: each pixel is one native-endian 0xffRRGGBB word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace picture {

// Frees pixel memory taken by AllocatePixels.
struct TPixelsDeleter {
  void operator()(uint32_t* pixels) const;
};

// Uninitialised memory for count pixels. Large blocks are backed by huge pages where the
// system offers them: touching a fresh 48 MB bitmap page by page costs as much as
// decoding into it.
std::unique_ptr<uint32_t[], TPixelsDeleter> AllocatePixels(std::size_t count);

struct TBitmapBits {
  int Width = 0;
  int Height = 0;
  std::unique_ptr<uint32_t[], TPixelsDeleter> Pixels;  // Height rows of Width pixels, no padding

  static constexpr std::size_t BytesPerPixel = 4;

  // Allocates without clearing: every pixel is written by the decoder.
  void Allocate(int width, int height) {
    Width = width;
    Height = height;
    Pixels = AllocatePixels(static_cast<std::size_t>(width) * height);
  }
  std::size_t BytesPerLine() const { return static_cast<std::size_t>(Width) * BytesPerPixel; }
  uint32_t* Row(int y) { return Pixels.get() + static_cast<std::size_t>(y) * Width; }
  const uint32_t* Row(int y) const { return Pixels.get() + static_cast<std::size_t>(y) * Width; }
  uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
};

// Builds a pixel word from its colour components.
constexpr uint32_t PixelRGB(uint8_t r, uint8_t g, uint8_t b) {
  return 0xff000000u | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

}  // namespace picture
