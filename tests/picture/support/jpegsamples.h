// Test and benchmark pictures: synthetic photo-like RGB images and their JPEG encodings
// made with libjpeg's compressor, so no picture files need to be kept in the repository.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picture::testing {

struct TRgbPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Bytes;  // rows of R, G, B
};

// Gradients, soft shapes, sharp edges and a little noise: content that exercises the
// decoder the way a photograph does. The same seed gives the same picture.
TRgbPixels MakePhotoLikeImage(int width, int height, uint32_t seed = 1);

struct TJPEGEncoding {
  int Quality = 90;
  bool Progressive = false;
  bool GrayScale = false;       // a one-component grayscale file
  bool Subsample420 = true;     // 2x2 chroma subsampling (libjpeg's default); off: 4:4:4
  int RestartRows = 0;          // restart interval in MCU rows, 0 for none
};

std::vector<uint8_t> EncodeJPEG(const TRgbPixels& image, const TJPEGEncoding& encoding = {});

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace picture::testing
