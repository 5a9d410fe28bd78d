// The JPEG picture kind: the plain JPEG image drawn through Qt.
#pragma once

#include "picture/jpegimage.h"
#include "picture/widget/graphic.h"
#include "picture/widget/imagedrawer.h"

namespace picture {

class TJPEGGraphic : public TGraphic {
 public:
  TJPEGGraphic();

  void LoadFromFile(const std::string& fileName) override { FImage.LoadFromFile(fileName); }
  bool Empty() const override { return FImage.Empty(); }
  int Width() const override { return FImage.Width(); }
  int Height() const override { return FImage.Height(); }
  // Decodes at the first draw after a load or an option change.
  void Draw(QPainter& painter, const QRect& dest, bool transparent) override;
  bool NeedsDecoding() const override {
    return !FImage.Empty() && !FImage.Decoded() && !FImage.DecodeFailed() && !FPass;
  }
  void Decode() override;

  TJPEGImage& Image() { return FImage; }

 private:
  void DrawBits(QPainter& painter, const QRect& dest, const TBitmapBits& bits, bool transparent);

  TJPEGImage FImage;
  TImageDrawer FDrawer;
  const TBitmapBits* FPass = nullptr;  // the latest intermediate pass while decoding
};

// A QImage over the bitmap's own rows (no copy); valid while the bitmap lives.
QImage ImageOfBits(const TBitmapBits& bits);

}  // namespace picture
