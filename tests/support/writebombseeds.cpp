// Writes the fuzz seeds that are bombs: small files that decode to far more than their
// size, made by the same generators as the tests that refuse them. Run once, from the
// project's folder, after changing a generator:
//
//   ninja -C build write_bomb_seeds && build/bin/write_bomb_seeds fuzz
//
// It writes fuzz/metafile/seeds/wmf/bitmap-bomb.wmf and .../emf/bitmap-bomb.emf (twenty
// records each declaring an RLE8 bitmap of 32768 x 1024 pixels whose bits are only the
// end-of-bitmap code), and fuzz/picture/seeds/scan-bomb.jpg (a 512 x 512 progressive
// grayscale picture with one 12-byte scan repeated 500 times).
#include <cstdio>
#include <exception>
#include <string>

#include "metafile/support/bitmapbombs.h"
#include "picture/support/jpegbytes.h"
#include "picture/support/jpegsamples.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <fuzz folder>\n", argv[0]);
    return 2;
  }
  std::string fuzz = argv[1];
  try {
    using namespace picture::testing;
    WriteFileBytes(fuzz + "/metafile/seeds/wmf/bitmap-bomb.wmf", platform::testing::WmfBitmapBomb({}));
    WriteFileBytes(fuzz + "/metafile/seeds/emf/bitmap-bomb.emf", platform::testing::EmfBitmapBomb({}));
    auto gray = EncodeJPEG(MakePhotoLikeImage(512, 512, 3), {.Quality = 20, .Progressive = true, .GrayScale = true});
    WriteFileBytes(fuzz + "/picture/seeds/scan-bomb.jpg", MakeScanBomb(gray, 500));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
