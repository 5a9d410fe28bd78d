// Any bytes loaded as a JPEG picture either give a header and a decodable bitmap or
// raise a picture error; nothing may exit, crash or read out of bounds. The header path
// runs for every input, the full decode for small pictures with options picked by the
// input's size, so that every option combination is reached.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/jpegimage.h"
#include "picture/pictureerrors.h"

namespace {

constexpr long long kMaxDecodedPixels = 512 * 512;  // keeps each run short

picture::TJPEGOptions OptionsFor(size_t size) {
  picture::TJPEGOptions options;
  options.Scale = static_cast<picture::TJPEGScale>(size % 4);
  options.GrayScale = (size >> 2) & 1;
  options.PixelFormat = (size >> 3) & 1 ? picture::jf8Bit : picture::jf24Bit;
  options.Performance = (size >> 4) & 1 ? picture::jpBestSpeed : picture::jpBestQuality;
  options.ProgressiveDisplay = (size >> 5) & 1;
  options.Smoothing = !((size >> 6) & 1);
  return options;
}

void CheckBitmap(const picture::TBitmapBits& bits, const picture::TJPEGImage& image) {
  if (bits.Width != image.Width() || bits.Height != image.Height()) __builtin_trap();
  uint32_t all = 0xffffffffu;  // reading every pixel lets the sanitizer see each row
  for (int y = 0; y < bits.Height; ++y)
    for (int x = 0; x < bits.Width; ++x) all &= bits.Pixel(x, y);
  if ((all & 0xff000000u) != 0xff000000u) __builtin_trap();  // every pixel opaque
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  picture::TJPEGImage image;
  try {
    image.LoadFromBytes(std::vector<uint8_t>(data, data + size));
  } catch (const picture::EInvalidGraphic&) {
    return 0;
  }
  const auto& header = image.Header();
  if (static_cast<long long>(header.Width) * header.Height > kMaxDecodedPixels) return 0;
  picture::TJPEGOptions options = OptionsFor(size);
  for (auto code : {picture::jpcPixelFormat, picture::jpcScale, picture::jpcGrayScale, picture::jpcPerformance,
                    picture::jpcProgressiveDisplay, picture::jpcSmoothing})
    image.PushOption(code, options);
  image.OnProgress = [&](const picture::TBitmapBits& bits) { CheckBitmap(bits, image); };
  try {
    if (const picture::TBitmapBits* bits = image.Bitmap()) CheckBitmap(*bits, image);
  } catch (const picture::EInvalidGraphic&) {
  }
  return 0;
}
